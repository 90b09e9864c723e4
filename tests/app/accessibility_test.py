"""Reads the running program through the accessibility bus, as a screen
reader does: every window's tree against one table, the result's change
announced while the user types, and the second copy's message box.
Usage: accessibility_test.py PID VEMORA_BINARY (inside accessibility_test.sh)
"""
import collections
import pathlib
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

SUMME = "Minimum in MB auf zwei Stellen gerundet"
CLIENTS = "Maximale Anzahl aller Clients"


def read_table():
    """The rows every platform's test shares: window, role, name, label, value."""
    path = pathlib.Path(__file__).parent.parent / "support" / "accessible_tree.tsv"
    lines = path.read_text(encoding="utf-8").splitlines()
    rows = [line.split("\t") for line in lines if line and not line.startswith("#")]
    return [tuple(r + [""] * (5 - len(r))) for r in rows]


EXPECTED = read_table()

failures = []


def fail(message):
    print("FAIL:", message, file=sys.stderr)
    failures.append(message)


def wait_for(find, what):
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: {what} did not appear on the accessibility bus")


def window_of(pid, role):
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [a for a in desktop if a is not None and a.get_process_id() == pid]
    return next((w for a in apps for w in a if w.getRole() == role), None)


def label_of(node):
    return next((r.getTarget(0).name for r in node.getRelationSet()
                 if r.getRelationType() == pyatspi.RELATION_LABELLED_BY), "")


def value_of(node):
    states, role = node.getState(), node.getRole()
    if role == pyatspi.ROLE_TEXT:
        return node.queryText().getText(0, -1)
    if role not in (pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON):
        return ""
    value = "on" if states.contains(pyatspi.STATE_CHECKED) else "off"
    return value if states.contains(pyatspi.STATE_ENABLED) else value + ", disabled"


def rows(kind, node):
    row = (kind, node.getRoleName(), node.name, label_of(node), value_of(node))
    if node.getRole() == pyatspi.ROLE_COMBO_BOX:  # Qt names a list by its item
        row = (kind, row[1], row[3], row[3], node.name)
    yield row, node
    if node.getRole() != pyatspi.ROLE_COMBO_BOX:  # its popup list repeats the items
        for child in node:
            yield from rows(kind, child)


def check(kind, window):
    """Compares a window's tree with its part of the table; returns name -> node."""
    found = list(rows(kind, window))
    expected = collections.Counter(r for r in EXPECTED if r[0] == kind)
    actual = collections.Counter(r for r, _ in found)
    for row in expected - actual:
        fail(f"{kind}: missing {row}")
    for row in actual - expected:
        fail(f"{kind}: unexpected {row}")
    return {(r[1], r[2]): node for r, node in found}


def click(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = box.x + box.width // 2, box.y + box.height // 2
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)


def announced_result(field, keys):
    """Types into a field; returns the result texts announced meanwhile."""
    heard = []

    def on_change(event):
        if event.source.name == SUMME and event.source.getRole() == pyatspi.ROLE_TEXT:
            heard.append(event.any_data)  # the text inserted, as a screen reader speaks it
            if heard[-1] == "26.68":
                pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(on_change, "object:text-changed:insert")
    click(field)
    subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+a", "type", "--delay", "50", keys],
                   check=True)
    GLib.timeout_add_seconds(15, pyatspi.Registry.stop)  # gives up
    pyatspi.Registry.start()
    return heard


def main():
    pid, binary = int(sys.argv[1]), sys.argv[2]
    main_window = wait_for(lambda: window_of(pid, pyatspi.ROLE_FRAME), "the main window")
    nodes = check("main", main_window)

    heard = announced_result(nodes[("text", CLIENTS)], "50")
    if not heard or heard[-1] != "26.68":
        fail(f"result announced as {heard}, expected to end with 26.68")

    click(nodes[("image", "Erläuterung und Bezugsquellen")])
    check("about", wait_for(lambda: window_of(pid, pyatspi.ROLE_DIALOG), "the About window"))

    second = subprocess.Popen([binary])
    box = wait_for(lambda: window_of(second.pid, pyatspi.ROLE_ALERT), "the second copy's message")
    check("message", box)["push button", "OK"].queryAction().doAction(0)
    if second.wait(timeout=15) != 0:
        fail("the second copy did not end cleanly after OK")

    if failures:
        sys.exit(1)
    print("accessibility test passed")


main()
