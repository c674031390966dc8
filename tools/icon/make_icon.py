#!/usr/bin/env python3
"""Draws the application icon: the product mark of the default skin as a .ico file.

    make_icon.py <output.ico>

The icon holds the sizes the shell asks for (16 to 48 pixels for lists, menus and
the taskbar, 256 for large views). The small sizes are 32-bit bitmaps with an AND
mask, which every Windows version reads; the 256-pixel one is a PNG, as icons of
that size are stored. Only the standard library is used.
"""

import os
import struct
import sys

sys.dont_write_bytecode = True  # the build must leave the source tree as it was
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "skin"))

import icons  # noqa: E402
from raster import Canvas, clamp, diagonal, encode_png, hex_rgb, rounded_rect  # noqa: E402

TEAL_400 = hex_rgb("#2CC7BA")
BLUE_500 = hex_rgb("#2F7BD8")
WHITE = hex_rgb("#FFFFFF")

BITMAP_SIZES = (16, 20, 24, 32, 40, 48, 64)
PNG_SIZES = (256,)


def render(size):
    """Returns rows of (r, g, b, a) bytes, top row first, for one icon size."""
    # A small margin keeps the rounded corners inside the cell, as system icons do.
    inset = max(0.5, size / 32.0)
    x0, y0, x1, y1 = inset, inset, size - inset, size - inset
    extent = x1 - x0
    canvas = Canvas(size, size)
    canvas.fill(diagonal(TEAL_400, BLUE_500, x0, y0, x1, y1))
    shine = canvas.mask()
    shine.add(rounded_rect(x0 + 1, y0 + 1, x1 - 1, y0 + extent * 0.5, extent * 0.22),
              (0, 0, size, size))
    canvas.composite(shine, WHITE, 0.10)
    glyph = canvas.mask()
    icons.logo_glyph(glyph, size / 2.0, size / 2.0, extent * 0.82, max(1.2, extent * 0.105))
    canvas.composite(glyph, WHITE)

    tile = canvas.mask()
    tile.add(rounded_rect(x0, y0, x1, y1, extent * 0.26), (0, 0, size, size))
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r, g, b = canvas.pixel(x, y)
            a = clamp(tile.data[y * size + x])
            row.append(tuple(int(clamp(c) * 255 + 0.5) for c in (r, g, b, a)))
        rows.append(row)
    return rows


def bitmap_image(size, rows):
    """A 32-bit DIB with straight alpha and its AND mask (bottom row first)."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(colour) + bytes(mask)


def png_image(size, rows):
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        for pixel in row:
            raw += bytes(pixel)
    return encode_png(size, size, bytes(raw), colour_type=6)


def icon_file(images):
    """images: list of (size, data) -> the bytes of an .ico file."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        cell = size if size < 256 else 0  # 0 stands for 256
        out += struct.pack("<BBBBHHII", cell, cell, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        body += data
    return out + body


def main(argv):
    if len(argv) != 2:
        raise SystemExit(__doc__)
    images = [(s, bitmap_image(s, render(s))) for s in BITMAP_SIZES]
    images += [(s, png_image(s, render(s))) for s in PNG_SIZES]
    data = icon_file(images)
    path = argv[1]
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path + ".tmp", "wb") as f:
        f.write(data)
    os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main(sys.argv)
