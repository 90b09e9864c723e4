#!/usr/bin/env python3
"""Writes Vemora's icon as the files a desktop and Windows want.

From the one drawing in draw_icon.py: 16-colour PNGs (4-bit palette) at 16
and 32 pixels for the hicolor theme and the Qt program, a Windows .ico with
the same two images in 16 colours, and an SVG of the 32-pixel drawing for
any size. Run once after changing the drawing; the build uses the committed
files, so it needs neither Python nor an image tool.
"""

import os
import struct
import sys
import zlib

from draw_icon import PALETTE, SIZES

INDEX = {ch: i for i, ch in enumerate(PALETTE)}  # the transparent colour is 0
RGB = [(0, 0, 0) if c is None else (int(c[1:3], 16), int(c[3:5], 16), int(c[5:7], 16))
       for c in PALETTE.values()]


def nibbles(row):
    """A row as 4-bit indices, two pixels a byte, the left one high."""
    indices = [INDEX[ch] for ch in row] + [0] * (len(row) % 2)
    return bytes(indices[i] << 4 | indices[i + 1] for i in range(0, len(indices), 2))


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + nibbles(row) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 4, 3, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"PLTE", b"".join(bytes(rgb) for rgb in RGB))
            + chunk(b"tRNS", b"\0")  # entry 0 transparent, the others opaque
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def svg(rows):
    # One rectangle per run of equal pixels keeps the file small and exact.
    size = len(rows)
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
           f'viewBox="0 0 {size} {size}" shape-rendering="crispEdges">']
    for y, row in enumerate(rows):
        x = 0
        while x < len(row):
            end = x
            while end < len(row) and row[end] == row[x]:
                end += 1
            if PALETTE[row[x]]:
                out.append(f'<rect x="{x}" y="{y}" width="{end - x}" height="1" '
                           f'fill="{PALETTE[row[x]]}"/>')
            x = end
    out.append("</svg>")
    return "\n".join(out) + "\n"


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def dib(rows):
    # 4 bits a pixel with a 16-entry table, bottom-up, rows padded to 4
    # bytes; then the 1-bit AND mask, set where the icon is transparent
    # (those pixels are entry 0, black, as the mask wants them).
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in RGB + [(0, 0, 0)] * (16 - len(RGB)))
    pixels = b"".join(padded(nibbles(row)) for row in reversed(rows))
    mask = b""
    for row in reversed(rows):
        bits = 0
        for ch in row:
            bits = bits << 1 | (PALETTE[ch] is None)
        mask += padded(bits.to_bytes((size + 7) // 8, "big"))
    return header + table + pixels + mask


def ico(images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for size, rows in images:
        blob = dib(rows)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset + len(blobs))
        blobs += blob
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


def write(path, data):
    mode = "w" if isinstance(data, str) else "wb"
    with open(path, mode) as f:
        f.write(data)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else here
    for size, rows in SIZES.items():
        write(os.path.join(out, f"vemora-{size}.png"), png(rows))
    write(os.path.join(out, "vemora.svg"), svg(SIZES[32]))
    write(os.path.join(out, "vemora.ico"), ico([(32, SIZES[32]), (16, SIZES[16])]))
