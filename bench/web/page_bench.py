"""The page against a plain page of the same twenty elements, in the same
headless Chromium, pair by pair: opened to the first result shown, and a
keystroke to the new result shown (the next frame after it). Prints goal
lines. Usage: page_bench.py VEMORA_HTML PLAIN_HTML PAIRS"""
import os
import pathlib
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests" / "web"))
from browser import Browser  # noqa: E402

# Measured inside the page, from before its own scripts: the frame in which
# the result first shows, and each key's way from its event to the frame
# after the result changed.
PROBE = """
window.__shown = null; window.__keys = [];
(function frame() {
  const r = document.getElementById('Text_Summe');
  if (r && r.value && r.checkVisibility({visibilityProperty: true})) window.__shown = performance.now();
  else requestAnimationFrame(frame);
})();
let down = null;
addEventListener('keydown', e => { down = e.timeStamp; }, true);
addEventListener('input', () => {
  const start = down;
  requestAnimationFrame(() => { window.__keys.push(performance.now() - start); });
});
"""


def goal(figure, value, limit, unit, detail):
    mark = "[met]   " if value <= limit else "[MISSED]"
    print(f"{mark} {figure}: {value:.4g} {unit}, goal at most {limit:.4g} {unit} ({detail})")


def open_page(browser, url):
    browser.driver.get(url)
    return browser.wait(lambda: browser.js("return window.__shown;"), f"{url} showed no result")


def keystrokes(browser, count):
    browser.driver.find_element("id", "Text_V6").click()
    browser.js("window.__keys = [];")
    for i in range(count):
        browser.driver.switch_to.active_element.send_keys("1" if i % 2 == 0 else "\b")
        browser.wait(lambda: len(browser.js("return window.__keys;")) > i, "no result for a key")
    return browser.js("return window.__keys;")


def main():
    page, plain, pairs = (pathlib.Path(sys.argv[1]).resolve(),
                          pathlib.Path(sys.argv[2]).resolve(), int(sys.argv[3]))
    with Browser("de-DE") as browser:
        browser.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PROBE})
        opened = {page: [], plain: []}
        keys = {page: [], plain: []}
        for i in range(pairs + 1):
            for url in (page, plain):
                shown = open_page(browser, url.as_uri())
                typed = keystrokes(browser, 10)
                if i > 0:  # the first pair warms the caches
                    opened[url].append(shown)
                    keys[url].extend(typed)
    o, f = statistics.median(opened[page]), statistics.median(opened[plain])
    goal("Page opened to the first result shown, Chromium", o / f, 2, "x",
         f"medians {o:.0f} ms and {f:.0f} ms for a plain page of the same elements, {pairs} pairs")
    k, p = statistics.median(keys[page]), statistics.median(keys[plain])
    goal("Keystroke to the new result shown, Chromium", k / p, 1.5, "x",
         f"medians {k:.1f} ms and {p:.1f} ms for the plain page's copy, {len(keys[page])} keys each")
    size = os.path.getsize(page)
    goal("vemora.html", size / 1048576, 1, "MiB", f"{size} bytes, program, clip and icon inside")


if __name__ == "__main__":
    main()
