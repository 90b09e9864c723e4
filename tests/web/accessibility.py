"""The page's accessibility tree, read through the DevTools protocol as a
screen reader gets it, against the table every platform's test reads
(tests/support/accessible_tree.tsv): the same rows, with the browser's name
for each role."""
import collections
import pathlib

from browser import Failure

ROLES = {"frame": "RootWebArea", "dialog": "dialog", "alert": "alertdialog", "text": "textbox",
         "push button": "button", "combo box": "combobox", "panel": "group",
         "radio button": "radio", "check box": "checkbox", "image": "image",
         "animation": "image/Animation", "label": "LabelText"}
WINDOWS = {"main": "RootWebArea", "about": "dialog", "message": "alertdialog"}


def desktop_table():
    """The rows every platform's test shares: window, role, name, label, value."""
    path = pathlib.Path(__file__).resolve().parents[1] / "support" / "accessible_tree.tsv"
    lines = path.read_text(encoding="utf-8").splitlines()
    rows = [line.split("\t") for line in lines if line and not line.startswith("#")]
    return [tuple(r + [""] * (5 - len(r))) for r in rows]


def expected_rows(kind):
    """The table's rows as the browser gives them: the blanks of a page's
    title run together, as HTML has it."""
    rows = collections.Counter()
    for window, role, name, label, value in desktop_table():
        if window != kind:
            continue
        if role == "frame":
            name = " ".join(name.split())
        rows[(ROLES[role], name, label, value)] += 1
    return rows


def prop(node, name):
    return next((p["value"] for p in node.get("properties", []) if p["name"] == name), {})


def tree_rows(nodes, kind):
    by_id = {n["nodeId"]: n for n in nodes}
    parent = {c: n["nodeId"] for n in nodes for c in n.get("childIds", [])}

    def role(n):
        described = n.get("roleDescription", {}).get("value") or prop(n, "roledescription").get(
            "value")
        return n["role"]["value"] + (f"/{described}" if described else "")

    def text(n):
        if n["role"]["value"] == "StaticText":
            return n.get("name", {}).get("value", "")
        return "".join(text(by_id[c]) for c in n.get("childIds", []) if c in by_id)

    def group_of(n):
        while n["nodeId"] in parent:
            n = by_id[parent[n["nodeId"]]]
            if n["role"]["value"] == "group":
                return n.get("name", {}).get("value", "")
        return ""

    def row(n):
        r = role(n)
        name = text(n) if r == "LabelText" else n.get("name", {}).get("value", "")
        label, value = "", ""
        if r in ("textbox", "combobox"):
            label = "".join(x.get("text", "") for x in prop(n, "labelledby").get(
                "relatedNodes", []))
        if r in ("textbox", "combobox"):  # a list's value is its chosen item
            value = n.get("value", {}).get("value", "")
        if r in ("radio", "checkbox"):
            label = group_of(n)
            value = "on" if prop(n, "checked").get("value") == "true" else "off"
            if prop(n, "disabled").get("value"):
                value += ", disabled"
        return (r, name, label, value)

    root = next((n for n in nodes if n["role"]["value"] == WINDOWS[kind] and not n.get("ignored")),
                None)
    if root is None:
        raise Failure(f"{kind}: no {WINDOWS[kind]} in the accessibility tree")
    rows, todo = collections.Counter(), [root]
    while todo:
        n = todo.pop()
        if n.get("ignored") and n is not root:
            todo.extend(by_id[c] for c in n.get("childIds", []) if c in by_id)
            continue
        if role(n) in ROLES.values():
            rows[row(n)] += 1
        if role(n) == "combobox" or (n is not root and role(n) in WINDOWS.values()):
            continue  # a list's options repeat its items; another window is its own
        todo.extend(by_id[c] for c in n.get("childIds", []) if c in by_id)
    return rows


def check_tree(page, kind):
    nodes = page.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    actual, expected = tree_rows(nodes, kind), expected_rows(kind)
    faults = [f"missing {r}" for r in expected - actual]
    faults += [f"unexpected {r}" for r in actual - expected]
    if faults:
        raise Failure(f"{kind} accessibility tree: " + "; ".join(faults))
