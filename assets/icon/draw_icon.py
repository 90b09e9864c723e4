#!/usr/bin/env python3
"""Draws Vemora's icon (a memory module) as two 16-colour XPM images.

Run once to regenerate src/platform/program_icon.h; the build does not need it.
"""

PALETTE = {
    ".": None,  # transparent
    "g": "#1E8C45",  # board
    "d": "#0B4D22",  # board edge
    "k": "#1A1A1A",  # chip
    "h": "#5A5A5A",  # chip highlight
    "y": "#E0B020",  # contacts
    "o": "#9C7A10",  # contact shadow
    "w": "#F4F4F4",  # label
    "r": "#C0282D",  # label mark
}


def module(width, height, chips, chip_w, top, board_h):
    img = [["."] * width for _ in range(height)]
    left, right = 0 if width == 16 else 1, width - (1 if width == 16 else 2)
    bottom = top + board_h - 1
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = y in (top, bottom) or x in (left, right)
            img[y][x] = "d" if edge else "g"
    gap = (right - left + 1 - chips * chip_w) // (chips + 1)
    chip_h = board_h // 2 - 1
    for c in range(chips):
        x0 = left + gap + c * (chip_w + gap) + 1
        for y in range(top + 2, top + 2 + chip_h):
            for x in range(x0, x0 + chip_w):
                img[y][x] = "h" if y == top + 2 and x > x0 else "k"
    # Gold contacts along the lower edge, with the key notch in the middle.
    cy = bottom - (1 if width == 16 else 2)
    for x in range(left + 1, right, 2):
        img[cy][x] = "y"
        if width == 32:
            img[cy + 1][x] = "o"
    mid = width // 2
    for y in range(cy, bottom + 1):
        for x in (mid - 1, mid):
            img[y][x] = "."
    # A small white label with a red mark: the figure the program computes.
    lx, ly = left + 1, top + 2 + chip_h + (1 if width == 32 else 0)
    lw = 6 if width == 32 else 3
    for x in range(lx + 1, lx + 1 + lw):
        img[ly][x] = "w"
    img[ly][lx + 1] = "r"
    return ["".join(row) for row in img]


def xpm(name, rows):
    used = sorted({c for row in rows for c in row})
    out = [f"static const char* const {name}[] = {{",
           f'    "{len(rows[0])} {len(rows)} {len(used)} 1",']
    for c in used:
        colour = PALETTE[c] or "None"
        out.append(f'    "{c} c {colour}",')
    out += [f'    "{row}",' for row in rows]
    out[-1] = out[-1].rstrip(",")
    out.append("};")
    return "\n".join(out)


if __name__ == "__main__":
    print("// Vemora's icon, a memory module; drawn by assets/icon/draw_icon.py.")
    print("#pragma once\n")
    print("// clang-format off")
    print(xpm("kProgramIcon32", module(32, 32, 4, 5, 8, 16)))
    print()
    print(xpm("kProgramIcon16", module(16, 16, 2, 4, 3, 10)))
