"""The page in headless Chromium through the real-window case table of the
desktop programs (tests/support/window_cases.sh): every text box typed key
by key in a German and an English browser, the block list, the options,
Tab order, the window enlarged by half, an overflow; the About window with
its clip, Esc and Enter; Systeminfo; a second tab; the accessibility tree
against the desktop's table; and Beenden.
Usage: page_test.py PAGE OUTPUT_DIR"""
import hashlib
import os
import pathlib
import subprocess
import sys

from accessibility import check_tree
from browser import KEYS, Browser, Failure, Page
from selenium.common.exceptions import ElementClickInterceptedException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

HERE = pathlib.Path(__file__).resolve().parent
DESIGN = (446, 358)  # the main form's client area in pixels at 96 DPI
FRAME = (8, 31)  # the classic frame the form's Width and Height count around it
SCALED = {"Text_V1": (317, 8, 121, 25), "Combo_V3": (317, 153, 121, None)}  # left, top, w, h
SYSINFO = "Systeminformationsprogramm zur Zeit nicht verfügbar."
SECOND = "Vemora ist schon einmal geladen !"


def window_table():
    script = HERE.parent / "support" / "window_cases.sh"
    rows = subprocess.run(["bash", "-c", f"source '{script}' && window_table"],
                          check=True, capture_output=True, text=True).stdout
    return [line.split() for line in rows.splitlines() if line.strip()]


class Cases:
    def __init__(self, page, separator, out):
        self.page, self.separator, self.out = page, separator, out

    def local(self, text):
        return text.replace(",", self.separator)

    def result(self, want, what):
        self.page.expect_value("Text_Summe", self.local(want), what)

    def step(self, kind, control, keys, *expected):
        page = self.page
        if kind == "type":
            for i, key in enumerate(keys):
                page.click(control)
                if i == 0:
                    page.select_all()
                else:
                    page.keys(KEYS["End"])
                page.keys(key)
                self.result(expected[i], f"{control} after typing '{keys[:i + 1]}'")
        elif kind == "click":  # a click, then the keys the row names ("-": none)
            page.click(control)
            for key in keys.split(",") if keys != "-" else []:
                name, _, count = key.partition("*")
                page.keys(*[KEYS[name]] * int(count or 1))
            self.result(expected[0], f"a click on {control}, then keys {keys}")
        elif kind == "resize":
            self.resize(int(keys))
        elif kind == "overflow":
            page.click(control)
            page.select_all()
            page.keys(keys)
            title, text, focus = page.wait_box(f"{keys} in {control}")
            if (title, text, focus) != ("Vemora", "Laufzeitfehler '6':\n\nÜberlauf", "MsgBox.OK"):
                raise Failure(f"the overflow message read {title!r}, {text!r}, focus {focus}")
            page.screenshot(self.out, "overflow.png")
            try:  # modal to the page: the form takes no click
                page.click("Text_V1")
            except ElementClickInterceptedException:
                pass
            if page.box() != [title, text, "MsgBox.OK"]:
                raise Failure(f"a click on the form beside the box left it at {page.box()}")
            page.keys(KEYS["Return"])
            page.wait_no_box("Enter")
            self.result(expected[0], "the result after the overflow")

    def resize(self, percent):
        page = self.page
        size = (DESIGN[0] * percent // 100, DESIGN[1] * percent // 100)
        page.resize_client(*size)
        # The scaler follows the form's outer size, frame included.
        ratio = [(size[i] + FRAME[i]) / (DESIGN[i] + FRAME[i]) for i in (0, 1, 0, 1)]
        for name, design in SCALED.items():
            box = page.js("const e = document.getElementById(arguments[0]);"
                          "return [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight];", name)
            for got, want, r in zip(box, design, ratio):
                if want is not None and abs(got - want * r) > 1:
                    raise Failure(f"{name} at {percent} %: {box}, expected {design} scaled")
        page.screenshot(self.out, f"main_window_{percent}.png")

    def run(self, rows, screenshot=None):
        self.page.resize_client(*DESIGN)
        self.result("9,1", "the design inputs")
        if screenshot:
            self.page.screenshot(self.out, screenshot)
        for row in rows:
            self.step(*row)


def clip_frame(page):
    return hashlib.md5(str(page.js(
        "const c = document.getElementById('Animation1');"
        "return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data);"
    )).encode()).hexdigest()


def open_about(page):
    page.click("Logo")
    page.wait(lambda: page.shown("Info_Form"), "the logo did not open the About window")


def moved_by_its_bar(page):
    where = "const w = document.getElementById('Info_Form'); return [w.offsetLeft, w.offsetTop];"
    before = page.js(where)
    bar = page.driver.find_element(By.CSS_SELECTOR, "#Info_Form .vemora-caption")
    ActionChains(page.driver).drag_and_drop_by_offset(bar, -30, 20).perform()
    if page.js(where) != [before[0] - 30, before[1] + 20]:
        raise Failure(f"the About window dragged by its bar went from {before} to {page.js(where)}")


def about_cases(page, out):
    open_about(page)
    first = clip_frame(page)
    page.wait(lambda: clip_frame(page) != first, "the clip in the About window does not play")
    page.screenshot(out, "about_window.png")
    check_tree(page, "about")
    moved_by_its_bar(page)
    for key in ("Escape", "Return"):
        if key == "Return":
            open_about(page)
        page.keys(KEYS[key])
        page.wait(lambda: not page.shown("Info_Form"), f"{key} did not close the About window")

    open_about(page)
    ActionChains(page.driver).key_down(Keys.ALT).send_keys("s").key_up(Keys.ALT).perform()
    box = page.wait_box("Alt+S")
    if box != ["Vemora", SYSINFO, "MsgBox.OK"]:
        raise Failure(f"the Systeminfo message read {box}")
    page.screenshot(out, "sysinfo_unavailable.png")
    page.keys(KEYS["Escape"])
    page.wait_no_box("Esc")
    page.keys(KEYS["Escape"])
    page.wait(lambda: not page.shown("Info_Form"), "Esc did not close the About window")


def second_tab_case(browser, page, url, out):
    first = browser.driver.current_window_handle
    browser.driver.switch_to.new_window("tab")
    second = Page(browser, url)
    box = second.wait_box("a second tab")
    if box[1] != SECOND or second.shown("vemora_Form"):
        raise Failure(f"the second tab showed {box} and the main form {second.shown('vemora_Form')}")
    second.screenshot(out, "second_tab.png")
    check_tree(second, "message")
    browser.driver.close()
    browser.driver.switch_to.window(first)
    page.click("Text_V7")
    page.select_all()
    page.keys("20000")
    page.expect_value("Text_Summe", "12,69", "the first tab after the second")


def end_case(browser, page, url):
    page.click("Command2")
    ended = "Vemora ist beendet. Sie können diese Seite schließen."
    browser.wait(lambda: not browser.driver.window_handles or
                 page.js("return document.body.textContent.trim();") == ended,
                 "Beenden did not end the page")
    # The ended page lets go of its lock: the page loads again.
    if not browser.driver.window_handles:
        browser.driver.switch_to.new_window("tab")
    again = Page(browser, url)
    again.wait(lambda: again.shown("vemora_Form"), "the page did not start again after Beenden")
    if again.box():
        raise Failure(f"the page after Beenden showed {again.box()}")


def tab_goes_round(page):
    page.click("Text_V1")
    ActionChains(page.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
    last = page.js("return document.activeElement.id;")
    page.keys(Keys.TAB)
    if last in ("", "Text_V1") or page.js("return document.activeElement.id;") != "Text_V1":
        raise Failure(f"Tab from the last control ({last}) did not come round to Text_V1")


def announced(page):
    page.click("Text_V6")
    page.select_all()
    page.keys("50")
    page.wait(lambda: page.js(
        "const l = document.querySelector('#vemora_Form [aria-live=polite]');"
        "return l && l.textContent;") == "26,68", "the new result was not announced")
    page.select_all()
    page.keys("5")


def main():
    url = pathlib.Path(sys.argv[1]).resolve().as_uri()
    out = sys.argv[2]
    os.makedirs(out, exist_ok=True)
    table = window_table()
    with Browser("de-DE") as browser:
        page = Page(browser, url)
        page.wait(lambda: page.shown("vemora_Form"), "the main form did not appear")
        announced(page)
        tab_goes_round(page)
        Cases(page, ",", out).run(table, "main_window.png")
        about_cases(page, out)
        second_tab_case(browser, page, url, out)
        end_case(browser, page, url)
    with Browser("en-US") as browser:
        page = Page(browser, url)
        page.wait(lambda: page.shown("vemora_Form"), "the main form did not appear in English")
        check_tree(page, "main")  # the desktop's table has the English separator
        before_resize = table[:[r[0] for r in table].index("resize")]
        Cases(page, ".", out).run([r for r in before_resize if r[0] == "type"])
    print(f"page test passed; screenshots in {out}")


if __name__ == "__main__":
    try:
        main()
    except Failure as failure:
        sys.exit(f"FAIL: {failure}")
