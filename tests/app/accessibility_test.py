"""Reads the running program through the accessibility bus, as a screen
reader does: every window's tree against one table, the result's change
announced while the user types, and the second copy's message box.
Usage: accessibility_test.py PID VEMORA_BINARY (inside accessibility_test.sh)
"""
import collections
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

MAIN = "Vemora - Version 2.3   Copyright © 2026 Die Vemora-Entwickler"
SUMME = "Minimum in MB auf zwei Stellen gerundet"
CLIENTS = "Maximale Anzahl aller Clients"
BLOCK = "Volume-Blockgröße in KB"
L8 = "Andere Anwendungen in KB ohne Install, Monitor etc."
DESCRIPTION = (
    "Utility zur Berechnung des Arbeitsspeichers von Netware-Servern. Die Berechnung erfolgt "
    "laut den offiziellen Angaben von Novell. Der errechnete Wert ist sinnvoll aufzurunden.  "
    "Der Autor übernimmt keinerlei Haftung. :-))")
MAIL = "eMail: planung@example.com oder hilfe@example.org"
WEB = "WWW: www.example.com oder www.example.net"

# What a screen reader finds, in the order of the tree: window, role, name,
# the label that names it, value (a text's text; a toggle's state).
EXPECTED = [
    ("main", "frame", MAIN, "", ""),
    ("main", "text", SUMME, SUMME, "9.1"),
    ("main", "push button", "Beenden", "", ""),
    ("main", "combo box", "4", BLOCK, ""),  # Qt names a list by its item; the label comes by relation
    ("main", "panel", "Optionen", "", ""),
    ("main", "radio button", "NW 4.x", "Optionen", "off"),
    ("main", "radio button", "NW 3.1x", "Optionen", "on"),
    ("main", "check box", "Kompression", "Optionen", "off, disabled"),
    ("main", "check box", "Suballocation", "Optionen", "off"),
    ("main", "check box", "Spiegelung", "Optionen", "off"),
    ("main", "text", L8, L8, "3000"),
    ("main", "text", "Gesamtplattenspeicher in MB (1GB=1024MB)",
     "Gesamtplattenspeicher in MB (1GB=1024MB)", "100"),
    ("main", "text", CLIENTS, CLIENTS, "5"),
    ("main", "text", "Maximale Anzahl der Dateien auf dem Server",
     "Maximale Anzahl der Dateien auf dem Server", "10000"),
    ("main", "image", "Erläuterung und Bezugsquellen", "", ""),
    ("main", "label", SUMME, "", ""),
    ("main", "label", L8, "", ""),
    ("main", "label", BLOCK, "", ""),
    ("main", "label", "Maximale Anzahl der Dateien auf dem Server", "", ""),
    ("main", "label", CLIENTS, "", ""),
    ("main", "label", "Gesamtplattenspeicher in MB (1GB=1024MB)", "", ""),
    ("about", "dialog", "Info Vemora", "", ""),
    ("about", "image", "", "", ""),  # the icon beside the title says nothing
    ("about", "label", "Vemora", "", ""),
    ("about", "label", "Version 2.3", "", ""),
    ("about", "label", "Revision 3", "", ""),
    ("about", "animation", "", "", ""),
    ("about", "label", DESCRIPTION, "", ""),
    ("about", "label", MAIL, "", ""),
    ("about", "label", WEB, "", ""),
    ("about", "push button", "OK", "", ""),
    ("about", "push button", "Systeminfo...", "", ""),
    ("about", "label", "Copyright © 2026 Die Vemora-Entwickler", "", ""),
    ("message", "alert", "Vemora", "", ""),
    ("message", "image", "", "", ""),
    ("message", "label", "Vemora ist schon einmal geladen !", "", ""),
    ("message", "panel", "", "", ""),
    ("message", "push button", "OK", "", ""),
]

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
    yield (kind, node.getRoleName(), node.name, label_of(node), value_of(node)), node
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
