#!/usr/bin/env python3
"""Fails, naming file and line, on an #include under src/ that the table
src/rooms.txt does not allow, and when README.md's copy of that table
differs from it. Usage: include_check.py SRC_DIR"""
import pathlib
import re
import sys


def read_table(path):
    """The rooms each room may include besides its own ({room: entries}),
    the system headers and header-only libraries it may include ({room:
    {"os", "qt", "fmt", ...}}), and the table's lines as README.md must
    show them."""
    allowed, system, lines = {}, {}, []
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        lines.append(line)
        room, *entries = line.split()
        allowed[room] = {e for e in entries if not e.startswith("<")}
        system[room] = {e.strip("<>") for e in entries if e.startswith("<")}
    return allowed, system, lines


INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def system_kind(header):
    """'std' for the standard library, 'qt' for Qt, 'os' for anything else."""
    if header.startswith("Q"):
        return "qt"
    if "/" in header or header.endswith(".h"):
        return "os"
    return "std"


def verdict(allowed, system, room, quote, header):
    if quote == "<":
        kinds = system.get(room, set())
        if "/" in header and header.split("/")[0] in kinds - {"os", "qt"}:
            return None
        kind = system_kind(header)
        if kind == "std" or kind in kinds:
            return None
        return f"{room} may not include the {'Qt' if kind == 'qt' else 'system'} header <{header}>"
    target = header.split("/")[0] if "/" in header else None
    if target is None:
        return f'"{header}" names no room; write "room/{header}"'
    entries = allowed.get(room, set())
    if target == room or "*" in entries or target in entries or header in entries:
        return None
    return f'{room} may not include "{header}"'


def main():
    src = pathlib.Path(sys.argv[1])
    allowed, system, lines = read_table(src / "rooms.txt")
    faults = []
    readme = src.parent / "README.md"
    if "```\n" + "\n".join(lines) + "\n```" not in readme.read_text(encoding="utf-8"):
        faults.append(f"{readme}: no copy of the table of src/rooms.txt, line for line")
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        room = path.relative_to(src).parts[0]
        if room not in allowed:
            faults.append(f"{path}: the folder {room} is no room of the table")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if match:
                fault = verdict(allowed, system, room, *match.groups())
                if fault:
                    faults.append(f"{path}:{number}: {fault}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
