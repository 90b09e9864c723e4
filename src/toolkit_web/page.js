// The page's side of the toolkit: what needs a JavaScript function of its
// own. Everything else is done from C++ through emscripten::val.

// Single instance: a Web Lock held for the page's life. The program starts
// once the browser has answered whether another tab holds it; a page whose
// browser has no locks (or refuses them to a file) runs unguarded.
Module['vemoraPrevInstance'] = false;
Module['vemoraUnlock'] = function () {};
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  if (!navigator.locks) return;
  var waiting = true;
  var go = function () {
    if (waiting) removeRunDependency('vemora-lock');
    waiting = false;
  };
  addRunDependency('vemora-lock');
  navigator.locks.request('vemora', {ifAvailable: true}, function (lock) {
    Module['vemoraPrevInstance'] = !lock;
    // After the callback has returned: the program's start must not decide
    // how long the lock lives.
    queueMicrotask(go);
    if (!lock) return undefined;
    return new Promise(function (release) { Module['vemoraUnlock'] = release; });
  }).catch(go);
});

// Returns the function that stops the listening.
Module['vemoraListen'] = function (target, type, sink, code) {
  var listener = function (event) { Module['vemoraDispatch'](sink, code, event); };
  target.addEventListener(type, listener);
  return function () { target.removeEventListener(type, listener); };
};

Module['vemoraFocusSoon'] = function (element) {
  queueMicrotask(function () { element.focus(); });
};

Module['vemoraEvery'] = function (ms, sink, code) {
  return setInterval(function () { Module['vemoraDispatch'](sink, code, undefined); }, ms);
};

// A window inside the page follows its caption bar while the left button
// holds it; it stays reachable by its bar.
Module['vemoraMovable'] = function (win, bar) {
  bar.addEventListener('pointerdown', function (down) {
    if (down.button !== 0 || down.target.tagName === 'BUTTON') return;
    var dx = down.clientX - win.offsetLeft, dy = down.clientY - win.offsetTop;
    bar.setPointerCapture(down.pointerId);
    var move = function (e) {
      win.style.left = Math.min(Math.max(e.clientX - dx, 40 - win.offsetWidth),
                                window.innerWidth - 40) + 'px';
      win.style.top = Math.min(Math.max(e.clientY - dy, 0), window.innerHeight - 20) + 'px';
    };
    var up = function () {
      bar.removeEventListener('pointermove', move);
      bar.removeEventListener('pointerup', up);
    };
    bar.addEventListener('pointermove', move);
    bar.addEventListener('pointerup', up);
    down.preventDefault();
  });
};
