"""The page driven in headless Chromium through WebDriver, as a person would:
real key and mouse events, every state waited for, never a fixed sleep."""
import os
import shutil
import tempfile

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

FLAGS = ("--headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
         "--disable-background-networking --disable-component-update --disable-sync").split()
KEYS = {"Tab": Keys.TAB, "space": Keys.SPACE, "Up": Keys.UP, "Down": Keys.DOWN,
        "Return": Keys.ENTER, "Escape": Keys.ESCAPE, "End": Keys.END}


class Failure(Exception):
    pass


class Browser:
    """One Chromium with a fresh profile, in the given language."""

    def __init__(self, language, size=(900, 700)):
        self.profile = tempfile.mkdtemp(prefix="vemora-chromium-")
        options = webdriver.ChromeOptions()
        for flag in FLAGS:
            options.add_argument(flag)
        options.add_argument(f"--user-data-dir={self.profile}")
        options.add_argument(f"--lang={language}")
        options.add_argument(f"--window-size={size[0]},{size[1]}")
        options.add_experimental_option("prefs", {"intl.accept_languages": language})
        self.driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")),
                                       options=options)

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def wait(self, condition, what, seconds=10):
        try:
            return WebDriverWait(self.driver, seconds, poll_frequency=0.02).until(
                lambda _: condition())
        except TimeoutException:
            raise Failure(what) from None

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)


class Page:
    """The page in one tab: its controls by id, keys, clicks and boxes."""

    def __init__(self, browser, url):
        self.browser, self.driver = browser, browser.driver
        self.driver.get(url)

    def wait(self, condition, what, seconds=10):
        return self.browser.wait(condition, what, seconds)

    def js(self, script, *args):
        return self.browser.js(script, *args)

    def element(self, name):
        return self.driver.find_element(By.ID, name)

    def shown(self, name):
        return bool(self.js(
            "const e = document.getElementById(arguments[0]);"
            "return !!e && e.isConnected && getComputedStyle(e).visibility === 'visible'"
            " && (e.tagName !== 'DIALOG' || e.open);", name))

    def value(self, name):
        return self.js("return document.getElementById(arguments[0]).value;", name)

    def click(self, name):
        self.element(name).click()

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def select_all(self):
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys("a").key_up(
            Keys.CONTROL).perform()

    def expect_value(self, name, want, what):
        try:
            self.wait(lambda: self.value(name) == want, what, 5)
        except Failure:
            raise Failure(f"{what} gave '{self.value(name)}', expected '{want}'") from None

    def box(self):
        """The open message box's title and text, or None."""
        return self.js(
            "const b = document.getElementById('MsgBox');"
            "return b && b.open ? [document.getElementById('MsgBox.title').textContent,"
            " document.getElementById('MsgBox.text').textContent,"
            " document.activeElement && document.activeElement.id] : null;")

    def wait_box(self, what):
        return self.wait(self.box, f"{what} showed no message box")

    def wait_no_box(self, what):
        self.wait(lambda: self.box() is None, f"{what}: the message box stayed open")

    def client_size(self):
        return tuple(self.js("return [window.innerWidth, window.innerHeight];"))

    def resize_client(self, width, height):
        """Sets the browser window so that the page gets width x height."""
        outer = self.driver.get_window_size()
        inner = self.client_size()
        self.driver.set_window_size(outer["width"] + width - inner[0],
                                    outer["height"] + height - inner[1])
        self.wait(lambda: self.client_size() == (width, height),
                  f"the page did not become {width} x {height}")

    def screenshot(self, out, name):
        if out:
            self.driver.save_screenshot(os.path.join(out, name))
