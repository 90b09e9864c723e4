// The contract table's hand in the page (see web_driver.cpp), and what the
// page reports back: every line the tests print, and their status.
Module['vemoraOutput'] = [];
Module['print'] = Module['printErr'] = function (line) { Module['vemoraOutput'].push(line); };
Module['vemoraTestDone'] = function (status) { Module['vemoraStatus'] = status; };
// A test that ends the program must not close the page that runs the rest.
window.close = function () {};

(function () {
  var pressed = null;
  var at = function (element, inside) {
    var r = element.getBoundingClientRect();
    // Near the left edge: a check box or option button takes clicks on its
    // mark and text only.
    var x = inside ? r.left + Math.min(8, r.width / 2) : r.right + 5;
    return document.elementFromPoint(x, r.top + r.height / 2);
  };
  var mouse = function (target, type) {
    target.dispatchEvent(new MouseEvent(type, {bubbles: true, cancelable: true, button: 0}));
  };
  var canvasPixel = function (canvas, x, y) {
    var d = canvas.getContext('2d').getImageData(x, y, 1, 1).data;
    return (d[0] << 16 | d[1] << 8 | d[2]) >>> 0;
  };
  Module['vemoraHand'] = {
    press: function (element) {
      pressed = at(element, true);
      if (pressed) mouse(pressed, 'mousedown');
    },
    // A click is a press and a release on the same element, as a browser has it.
    release: function (element, inside) {
      var target = at(element, inside);
      if (target) mouse(target, 'mouseup');
      if (target && target === pressed) target.click();
      pressed = null;
    },
    click: function (element) {
      this.press(element);
      this.release(element, true);
    },
    type: function (element, text) {
      element.focus();
      document.execCommand('insertText', false, text);
    },
    // Script cannot open a list: the choice steps on and is committed, or
    // stays as it was.
    pick: function (element, steps, commit) {
      element.focus();
      if (!commit) return;
      element.selectedIndex = Math.min(element.options.length - 1, element.selectedIndex + steps);
      element.dispatchEvent(new Event('change', {bubbles: true}));
    },
    close: function (win) {
      var box = win.querySelector('.vemora-close');
      if (box) box.click(); else window.dispatchEvent(new Event('pagehide'));
    },
    clientSize: function (win) {
      var client = win.querySelector(':scope > .vemora-client') || win;
      return [client.clientWidth, client.clientHeight];
    },
    moveTo: function (win, x, y) {
      var client = win.querySelector(':scope > .vemora-client') || win;
      win.style.left = (x - client.offsetLeft) + 'px';
      win.style.top = (y - client.offsetTop) + 'px';
    },
    pixel: function (element, x, y) { return canvasPixel(element, x, y); },
    buttonFace: function () {
      var canvas = document.createElement('canvas');
      canvas.width = canvas.height = 1;
      var context = canvas.getContext('2d');
      context.fillStyle = 'ButtonFace';
      context.fillRect(0, 0, 1, 1);
      return canvasPixel(canvas, 0, 0);
    },
    box: function () {
      var box = document.getElementById('MsgBox');
      return box && box.open ? [document.getElementById('MsgBox.text').textContent,
                                document.getElementById('MsgBox.title').textContent] : null;
    },
    ok: function () { document.getElementById('MsgBox.OK').click(); },
  };
})();
