#!/usr/bin/env python3
"""Writes Vemora's icon as the files a desktop and Windows want.

From the same drawing as src/platform/program_icon.h: PNGs at 16 and 32
pixels for the hicolor theme, an SVG of the 32-pixel drawing for any size,
and a Windows .ico with both sizes. Run once after changing the drawing; the
build uses the committed files, so it needs neither Python nor ImageMagick.
"""

import os
import struct
import sys
import zlib

from draw_icon import PALETTE, module

SIZES = {32: module(32, 32, 4, 5, 8, 16), 16: module(16, 16, 2, 4, 3, 10)}


def rgba(ch):
    colour = PALETTE[ch]
    if colour is None:
        return (0, 0, 0, 0)
    return (int(colour[1:3], 16), int(colour[3:5], 16), int(colour[5:7], 16), 255)


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + bytes(v for ch in row for v in rgba(ch)) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
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


def dib(rows):
    # 32-bit BGRA, bottom-up, with the 1-bit AND mask Windows still expects.
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows)
                      for (r, g, b, a) in map(rgba, row))
    stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for ch in row:
            bits = bits << 1 | (PALETTE[ch] is None)
        bits <<= stride * 8 - size
        mask += bits.to_bytes(stride, "big")
    return header + pixels + mask


def ico(images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for size, rows in images:
        blob = dib(rows)
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(blob), offset + len(blobs))
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
