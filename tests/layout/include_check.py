#!/usr/bin/env python3
"""Fails, naming file and line, on an #include under src/ that the room
table does not allow. Usage: include_check.py SRC_DIR"""
import pathlib
import re
import sys

# The rooms each room may include, besides its own.
ALLOWED = {
    "runtime": set(),
    "clip": set(),
    "toolkit": {"runtime", "clip", "os/read_file.h"},
    "os": set(),
    "calc": {"runtime"},
    "main_window": {"calc", "toolkit", "runtime"},
    "about_window": {"calc", "toolkit", "runtime", "os/registry.h"},
    "toolkit_qt": {"toolkit", "runtime", "clip", "os"},
    "toolkit_win32": {"toolkit", "runtime", "clip", "os"},
    "toolkit_web": {"toolkit", "runtime", "clip"},
    "cli": {"calc", "runtime"},
    "app": {"*"},
}
# Rooms that may include headers of the system beside the standard library.
SYSTEM = {"os": "os", "toolkit_win32": "os", "toolkit_qt": "qt", "toolkit_web": "os"}

# Header-only libraries beside the standard library, by their folder: the
# exact conversions of reals, the same on every platform.
LIBRARIES = {"runtime": ("fast_float/", "fmt/")}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def system_kind(header):
    """'std' for the standard library, 'qt' for Qt, 'os' for anything else."""
    if header.startswith("Q"):
        return "qt"
    if "/" in header or header.endswith(".h"):
        return "os"
    return "std"


def verdict(room, quote, header):
    if quote == "<":
        if header.startswith(LIBRARIES.get(room, ())):
            return None
        kind = system_kind(header)
        if kind == "std" or SYSTEM.get(room) == kind:
            return None
        return f"{room} may not include the {'Qt' if kind == 'qt' else 'system'} header <{header}>"
    target = header.split("/")[0] if "/" in header else None
    if target is None:
        return f'"{header}" names no room; write "room/{header}"'
    allowed = ALLOWED.get(room, set())
    if target == room or "*" in allowed or target in allowed or header in allowed:
        return None
    return f'{room} may not include "{header}"'


def main():
    src = pathlib.Path(sys.argv[1])
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        room = path.relative_to(src).parts[0]
        if room not in ALLOWED:
            faults.append(f"{path}: the folder {room} is no room of the table")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if match:
                fault = verdict(room, *match.groups())
                if fault:
                    faults.append(f"{path}:{number}: {fault}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
