"""Vemora's icon: a memory module, drawn pixel by pixel at 32 and 16 pixels.

Each image is a list of rows, one character per pixel, each character a
colour of PALETTE. The palette holds at most 16 colours, so both images are
16-colour images; export_icon.py writes them for Linux and Windows alike.
"""

# In palette order: the index of each colour in the files written.
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
assert len(PALETTE) <= 16 and next(iter(PALETTE.values())) is None


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


SIZES = {32: module(32, 32, 4, 5, 8, 16), 16: module(16, 16, 2, 4, 3, 10)}
