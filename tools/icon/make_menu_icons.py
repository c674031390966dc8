#!/usr/bin/env python3
"""Draws the pictures of the main window's menu items as one strip of 16 x 16 cells.

    make_menu_icons.py <output.png>

The cells follow forms::MenuIcon (src/main/MenuIcons.h) in order; the program
embeds the strip and cuts it into the image list its popup menus draw from. The
glyphs are the default skin's line icons in one dark colour on transparency.
Only the standard library is used.
"""

import os
import sys

sys.dont_write_bytecode = True  # the build must leave the source tree as it was
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "skin"))

import icons  # noqa: E402
from raster import Mask, circle, encode_png, hex_rgb, ring  # noqa: E402

CELL = 16
INK = hex_rgb("#24476B")
W = 1.4  # stroke weight at menu size


def scaled(draw):
    """Skin icons are drawn for about 18 pixels; menus want them a little smaller."""
    def run(m, cx, cy):
        draw(m, cx, cy, W)
    return run


def tray_arrow(up):
    def run(m, cx, cy):
        m.stroke([(cx - 5.5, cy + 1.0), (cx - 5.5, cy + 5.5), (cx + 5.5, cy + 5.5),
                  (cx + 5.5, cy + 1.0)], W)
        m.stroke([(cx, cy + 2.5), (cx, cy - 6.0)], W)
        tip, back = (cy - 6.2, cy - 3.0) if up else (cy + 2.7, cy - 0.5)
        m.stroke([(cx - 3.2, back), (cx, tip), (cx + 3.2, back)], W)
    return run


def grid(m, cx, cy):
    for d in (-5.5, -1.8, 1.8, 5.5):
        m.stroke([(cx - 5.5, cy + d), (cx + 5.5, cy + d)], 1.0)
        m.stroke([(cx + d, cy - 5.5), (cx + d, cy + 5.5)], 1.0)


def big_icons(m, cx, cy):
    for ox in (-3.0, 3.0):
        for oy in (-3.0, 3.0):
            m.stroke([(cx + ox - 2.0, cy + oy - 2.0), (cx + ox + 2.0, cy + oy - 2.0),
                      (cx + ox + 2.0, cy + oy + 2.0), (cx + ox - 2.0, cy + oy + 2.0)], 1.2,
                     closed=True)


def lines(with_bullets):
    def run(m, cx, cy):
        for dy in (-4.5, 0.0, 4.5):
            if with_bullets:
                m.add(circle(cx - 5.0, cy + dy, 1.2), (cx - 7, cy + dy - 2, cx - 3, cy + dy + 2))
                m.stroke([(cx - 2.0, cy + dy), (cx + 6.0, cy + dy)], W)
            else:
                m.stroke([(cx - 6.0, cy + dy), (cx + 6.0, cy + dy)], W)
    return run


def globe(m, cx, cy):
    m.add(ring(cx, cy, 6.2, W), (cx - 8, cy - 8, cx + 8, cy + 8))
    m.stroke([(cx - 6.0, cy), (cx + 6.0, cy)], 1.1)
    m.add(lambda x, y: abs(((x - cx) / 2.6) ** 2 + ((y - cy) / 6.2) ** 2 - 1.0) * 2.4 - 0.55,
          (cx - 4, cy - 7, cx + 4, cy + 7))


def bubble(m, cx, cy):
    m.stroke([(cx - 6.0, cy - 5.0), (cx + 6.0, cy - 5.0), (cx + 6.0, cy + 2.5), (cx - 1.0, cy + 2.5),
              (cx - 4.0, cy + 6.0), (cx - 4.0, cy + 2.5), (cx - 6.0, cy + 2.5)], W, closed=True)


def envelope(m, cx, cy):
    m.stroke([(cx - 6.5, cy - 4.5), (cx + 6.5, cy - 4.5), (cx + 6.5, cy + 4.5), (cx - 6.5, cy + 4.5)],
             W, closed=True)
    m.stroke([(cx - 6.0, cy - 4.0), (cx, cy + 0.8), (cx + 6.0, cy - 4.0)], W)


def plus(m, cx, cy):
    m.stroke([(cx - 5.5, cy), (cx + 5.5, cy)], W * 1.2)
    m.stroke([(cx, cy - 5.5), (cx, cy + 5.5)], W * 1.2)


# In the order of forms::MenuIcon.
GLYPHS = [
    scaled(icons.document),      # NewProgram
    tray_arrow(up=True),         # Export
    tray_arrow(up=False),        # Import
    scaled(icons.check),         # Backup
    scaled(icons.power),         # Exit
    grid,                        # Grid
    scaled(icons.info),          # Tips
    big_icons,                   # ViewIcon
    lines(with_bullets=False),   # ViewList
    lines(with_bullets=True),    # ViewReport
    scaled(icons.refresh),       # Refresh
    globe,                       # Globe
    bubble,                      # Comment
    scaled(icons.gear),          # Gear
    scaled(icons.help_circle),   # Help
    envelope,                    # Mail
    scaled(icons.trash),         # Trash
    plus,                        # Add
    scaled(icons.eye),           # Details
]


def main(argv):
    if len(argv) != 2:
        sys.exit("usage: make_menu_icons.py <output.png>")
    width = CELL * len(GLYPHS)
    mask = Mask(width, CELL)
    for i, draw in enumerate(GLYPHS):
        cell = Mask(CELL, CELL)
        draw(cell, CELL / 2.0, CELL / 2.0)
        for y in range(CELL):
            for x in range(CELL):
                mask.data[y * width + i * CELL + x] = cell.data[y * CELL + x]
    ink = bytes(int(c * 255 + 0.5) for c in INK)
    raw = bytearray()
    for y in range(CELL):
        raw.append(0)
        for x in range(width):
            alpha = int(max(0.0, min(1.0, mask.data[y * width + x])) * 255 + 0.5)
            raw += ink + bytes((alpha,))
    with open(argv[1], "wb") as out:
        out.write(encode_png(width, CELL, bytes(raw), colour_type=6))


if __name__ == "__main__":
    main(sys.argv)
