"""Runs a test program compiled into a page in headless Chromium: prints what
it printed and ends with its status. Usage: run_page.py PAGE"""
import pathlib
import sys

from browser import Browser, Failure


def main():
    url = pathlib.Path(sys.argv[1]).resolve().as_uri()
    with Browser("de-DE", size=(1100, 900)) as browser:
        browser.driver.get(url)
        try:
            browser.wait(lambda: browser.js("return Module.vemoraStatus !== undefined;"),
                         "the tests did not finish", seconds=240)
            status = browser.js("return Module.vemoraStatus;")
        finally:
            print("\n".join(browser.js("return Module.vemoraOutput || [];")))
    return status


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Failure as failure:
        sys.exit(f"FAIL: {failure}")
