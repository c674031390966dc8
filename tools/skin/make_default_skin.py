#!/usr/bin/env python3
"""Draws every picture that the built-in skin names, into a Skins folder.

    make_default_skin.py <src/ui/SkinEntries.h> <output folder>

The picture names and the bounds of the controls are read from the skin table
itself, so the pictures always fit the built-in layout. Button pictures are
drawn over the very background that lies beneath the button, so they are
opaque and still blend in, whatever way the button composes them. The run
fails if a named picture was not drawn.
"""

import os
import re
import sys

sys.dont_write_bytecode = True  # the build must leave the source tree as it was
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import icons  # noqa: E402
from font import draw_text, measure  # noqa: E402
from raster import (Canvas, circle, diagonal, hex_rgb, mix, rounded_rect,  # noqa: E402
                    vertical)

# One palette: deep slate, a teal accent and cool light surfaces.
SLATE_950 = hex_rgb("#0A1424")
SLATE_900 = hex_rgb("#101D32")
SLATE_850 = hex_rgb("#15253E")
SLATE_800 = hex_rgb("#1B2D4A")
SLATE_700 = hex_rgb("#263D60")
SLATE_600 = hex_rgb("#32507A")
SLATE_500 = hex_rgb("#4D678B")
SLATE_400 = hex_rgb("#8497B0")
SLATE_300 = hex_rgb("#B4C2D4")
SURFACE_0 = hex_rgb("#FFFFFF")
SURFACE_50 = hex_rgb("#F6F8FB")
SURFACE_100 = hex_rgb("#ECF1F6")
SURFACE_200 = hex_rgb("#DEE5EE")
SURFACE_300 = hex_rgb("#CFD8E3")
BORDER = hex_rgb("#BAC7D6")
TEAL_300 = hex_rgb("#67E3D5")
TEAL_400 = hex_rgb("#2CC7BA")
TEAL_500 = hex_rgb("#14A99F")
TEAL_600 = hex_rgb("#0F8B85")
TEAL_700 = hex_rgb("#0B6F6D")
TEAL_800 = hex_rgb("#085755")
BLUE_500 = hex_rgb("#2F7BD8")
RED_500 = hex_rgb("#E0484E")
RED_700 = hex_rgb("#B3363B")
MAGENTA = (1.0, 0.0, 1.0)

STATES = ("Normal", "Hover", "Down", "Disabled")


# --- the skin table -----------------------------------------------------------

def read_skin_entries(header_path):
    entries = {}
    with open(header_path, encoding="ascii") as f:
        for key, value in re.findall(r'SKIN\((\w+),\s*\w+,\s*"([^"]*)"\)', f.read()):
            entries[key] = value
    if len(entries) < 100:
        raise SystemExit(f"{header_path}: the skin table was not found")
    return entries


def bounds(entries, key):
    left, top, width, height = (int(p.strip()) for p in entries[key].split(",")[:4])
    return left, top, width, height


# --- shared pieces ----------------------------------------------------------------

def logo_mark(canvas, x, y, size):
    """The product mark: a teal-to-blue rounded square with a white glyph."""
    shadow = canvas.mask()
    shadow.add(rounded_rect(x, y + size * 0.06, x + size, y + size * 1.06, size * 0.26),
               (x, y, x + size, y + size * 1.1), soft=size * 0.08)
    canvas.composite(shadow, SLATE_950, 0.35)
    tile = canvas.mask()
    tile.add(rounded_rect(x, y, x + size, y + size, size * 0.26), (x, y, x + size, y + size))
    canvas.composite(tile, diagonal(TEAL_400, BLUE_500, x, y, x + size, y + size))
    shine = canvas.mask()
    shine.add(rounded_rect(x + 1, y + 1, x + size - 1, y + size * 0.5, size * 0.22),
              (x, y, x + size, y + size * 0.5))
    canvas.composite(shine, SURFACE_0, 0.10)
    glyph = canvas.mask()
    icons.logo_glyph(glyph, x + size / 2.0, y + size / 2.0, size * 0.82, max(1.4, size * 0.105))
    canvas.composite(glyph, SURFACE_0)


def text(canvas, string, x, y, cap, weight, colour, tracking=0.0, opacity=1.0):
    m = canvas.mask()
    draw_text(m, string, x, y, cap, weight, tracking)
    canvas.composite(m, colour, opacity)


def soft_glow(canvas, cx, cy, r, colour, opacity):
    m = canvas.mask()
    m.add(circle(cx, cy, r * 0.55), (cx - r, cy - r, cx + r, cy + r), soft=r * 0.45)
    canvas.composite(m, colour, opacity)


# --- the main window ------------------------------------------------------------

HEADER_BOTTOM = 70
PAGE_TOP = 112
FOOTER_TOP = 507


def main_background(entries):
    _, _, W, H = bounds(entries, "SK_MAINFORM_Pos")
    c = Canvas(W, H, SURFACE_100)
    # Header: deep slate with a soft teal light; body: cool light surface (drawn
    # after the lights, which must not spill onto it).
    c.fill(vertical(SLATE_800, SLATE_900, 0, HEADER_BOTTOM), (0, 0, W, HEADER_BOTTOM))
    soft_glow(c, W * 0.78, -10, 150, TEAL_500, 0.16)
    soft_glow(c, W * 0.55, 60, 90, BLUE_500, 0.10)
    c.fill(vertical(SURFACE_100, SURFACE_200, HEADER_BOTTOM, PAGE_TOP), (0, HEADER_BOTTOM, W, H))
    accent = c.mask()
    accent.add(lambda x, y: 0.0 if HEADER_BOTTOM - 2 <= y < HEADER_BOTTOM else 1.0,
               (0, HEADER_BOTTOM - 2, W, HEADER_BOTTOM))
    c.composite(accent, lambda x, y: mix(TEAL_500, BLUE_500, x / W))

    # Product mark and name above the menu buttons.
    logo_mark(c, 14, 6, 17)
    text(c, "PRUNAXIS", 39, 9, 11, 1.75, SURFACE_50, tracking=1.6)

    # The page area: a white card with a hairline border; the selected tab
    # joins it through the white base line at its top.
    card = c.mask()
    card.add(rounded_rect(4, PAGE_TOP - 1, W - 4, FOOTER_TOP + 1, 3),
             (4, PAGE_TOP - 1, W - 4, FOOTER_TOP + 1))
    c.composite(card, BORDER)
    inner = c.mask()
    inner.add(rounded_rect(5, PAGE_TOP, W - 5, FOOTER_TOP, 2), (5, PAGE_TOP, W - 5, FOOTER_TOP))
    c.composite(inner, SURFACE_0)
    c.fill(SURFACE_0, (1, PAGE_TOP - 1, W - 1, PAGE_TOP))

    # Footer with the status line's inset.
    c.fill(vertical(SURFACE_200, SURFACE_300, FOOTER_TOP + 1, H), (0, FOOTER_TOP + 1, W, H))
    status = c.mask()
    status.add(rounded_rect(15.5, 509.5, 745.5, 527.5, 4), (15, 509, 746, 528))
    c.composite(status, BORDER)
    status_in = c.mask()
    status_in.add(rounded_rect(16.5, 510.5, 744.5, 526.5, 3.5), (16, 510, 745, 527))
    c.composite(status_in, SURFACE_50)

    title_under_tabs(c)
    outline(c, W, H, radius=10)
    return c


TITLE_TEXT = "UNINSTALLER \u00b7 STARTUP MANAGER"


def title_under_tabs(c):
    """The title lettering, also drawn into the background beneath ImgTitle."""
    x, y, w, h = 351, 81, 287, 17
    cap, weight, tracking = 9, 1.45, 1.45
    width = measure(TITLE_TEXT, cap, tracking, weight)
    text(c, TITLE_TEXT, x + w - width - 2, y + (h - cap) / 2.0, cap, weight, SLATE_500, tracking)


def outline(c, W, H, radius):
    """Hard-edged rounded outline: magenta (see-through) outside, a dark hairline
    on the edge. No partial pixels, so no pink fringe against the desktop."""
    shape = rounded_rect(0, 0, W, H, radius)
    for y in range(H):
        for x in range(W):
            d = shape(x + 0.5, y + 0.5)
            if d > -0.5:
                c.set_pixel(x, y, MAGENTA)
            elif d > -1.5:
                c.set_pixel(x, y, SLATE_950)


def title_picture(main):
    return main.crop(351, 81, 287, 17)


# --- buttons ----------------------------------------------------------------------

def pill(c, box, radius, paint, opacity=1.0):
    x0, y0, x1, y1 = box
    m = c.mask()
    m.add(rounded_rect(x0, y0, x1, y1, radius), box)
    c.composite(m, paint, opacity)


def menu_button(base, state, icon):
    c = base.crop(0, 0, base.width, base.height)
    w, h = c.width, c.height
    icon_colour = {"Normal": TEAL_300, "Hover": SURFACE_0, "Down": SLATE_800,
                   "Disabled": SLATE_500}[state]
    offset = 1 if state == "Down" else 0
    if state == "Hover":
        pill(c, (1.5, 1.5, w - 1.5, h - 1.5), 7, SURFACE_0, 0.10)
        ring_mask = c.mask()
        outer = rounded_rect(1.5, 1.5, w - 1.5, h - 1.5, 7)
        ring_mask.add(lambda x, y: abs(outer(x, y)) - 0.5, (0, 0, w, h))
        c.composite(ring_mask, SURFACE_0, 0.22)
    elif state == "Down":
        pill(c, (1.5, 1.5, w - 1.5, h - 1.5), 7, vertical(SURFACE_200, SURFACE_50, 0, h))
        pill(c, (1.5, 1.5, w - 1.5, 5.5), 4, SLATE_700, 0.10)
    m = c.mask()
    icon(m, 20 + offset, h / 2.0 + offset)
    icons.chevron(m, w - 14 + offset, h / 2.0 + 0.5 + offset)
    c.composite(m, icon_colour, 0.45 if state == "Disabled" else 1.0)
    return c


def window_button(base, state, glyph, danger=False):
    c = base.crop(0, 0, base.width, base.height)
    w, h = c.width, c.height
    if state == "Hover":
        pill(c, (0.5, 0.5, w - 0.5, h - 0.5), 5, RED_500 if danger else SLATE_600)
    elif state == "Down":
        pill(c, (0.5, 0.5, w - 0.5, h - 0.5), 5, RED_700 if danger else SLATE_950)
    colour = {"Normal": SLATE_300, "Hover": SURFACE_0, "Down": SURFACE_0,
              "Disabled": SLATE_500}[state]
    m = c.mask()
    glyph(m, w / 2.0, h / 2.0)
    c.composite(m, colour)
    return c


def side_button(base, state, icon):
    """Side bar buttons: dark slate pills (lime caption), teal when hovered and
    pressed (white caption), light grey when disabled (purple or maroon caption)."""
    c = base.crop(0, 0, base.width, base.height)
    w, h = c.width, c.height
    box = (0.5, 0.5, w - 0.5, h - 1.5)
    shadow = c.mask()
    shadow.add(rounded_rect(1.5, 2.0, w - 1.5, h - 0.5, 7), (0, 0, w, h), soft=1.2)
    if state != "Down":
        c.composite(shadow, SLATE_900, 0.22 if state != "Disabled" else 0.10)
    if state == "Normal":
        pill(c, box, 7, vertical(SLATE_700, SLATE_850, 0, h))
        icon_colour = TEAL_300
    elif state == "Hover":
        pill(c, box, 7, vertical(TEAL_500, TEAL_700, 0, h))
        icon_colour = SURFACE_0
    elif state == "Down":
        pill(c, (0.5, 1.0, w - 0.5, h - 1.0), 7, vertical(TEAL_800, TEAL_700, 0, h))
        icon_colour = SURFACE_0
    else:
        pill(c, box, 7, BORDER)
        pill(c, (1.5, 1.5, w - 1.5, h - 2.5), 6, vertical(SURFACE_100, SURFACE_200, 0, h))
        icon_colour = SLATE_400
    if state in ("Normal", "Hover"):
        top = c.mask()
        outer = rounded_rect(*box, 7)
        top.add(lambda x, y: max(abs(outer(x, y)) - 0.5, y - 6), (0, 0, w, 8))
        c.composite(top, SURFACE_0, 0.16)
    offset = 1 if state == "Down" else 0
    m = c.mask()
    icon(m, 20 + offset, (h - 1) / 2.0 + offset)
    c.composite(m, icon_colour)
    return c


def tab_button(base, state, icon=None, flush_bottom=0):
    """Tabs on the light strip. The selected tab (the disabled picture) is a white
    card with a teal top edge that runs into the page beneath."""
    c = base.crop(0, 0, base.width, base.height)
    w, h = c.width, c.height
    if state == "Disabled":
        edge = c.mask()
        edge.add(rounded_rect(0.5, 0.5, w - 0.5, h + 8, 6), (0, 0, w, h))
        c.composite(edge, BORDER)
        card = c.mask()
        card.add(rounded_rect(1.5, 1.5, w - 1.5, h + 8, 5), (0, 0, w, h))
        c.composite(card, SURFACE_0)
        bar = c.mask()
        bar.add(rounded_rect(1.5, 1.5, w - 1.5, 12, 5), (0, 0, w, 4))
        bar.cut(lambda x, y: 3.5 - y, (0, 0, w, 6))
        c.composite(bar, lambda x, y: mix(TEAL_500, BLUE_500, x / w))
    elif state in ("Hover", "Down"):
        bottom = h - flush_bottom
        pill(c, (2.5, 3.5, w - 2.5, bottom + 8), 6, SURFACE_0, 0.55 if state == "Hover" else 0.85)
        rim = c.mask()
        outer = rounded_rect(2.5, 3.5, w - 2.5, bottom + 8, 6)
        rim.add(lambda x, y: max(abs(outer(x, y)) - 0.5, y - bottom + 0.5), (0, 0, w, bottom))
        c.composite(rim, BORDER)
    if icon:
        colour = {"Normal": SLATE_500, "Hover": SLATE_700, "Down": SLATE_700,
                  "Disabled": TEAL_600}[state]
        m = c.mask()
        icon(m, 17, h / 2.0 + 0.5)
        c.composite(m, colour)
    return c


# --- other windows ------------------------------------------------------------------

def side_panel(entries):
    _, _, w, h = bounds(entries, "SK_MAINFORM_PAGE1_ImgPanel_Pos")
    c = Canvas(w, h, SURFACE_50)
    c.fill(vertical(SURFACE_50, SURFACE_100, 0, h))
    c.fill(BORDER, (w - 1, 0, w, h))
    c.fill(SURFACE_0, (w - 2, 0, w - 1, h))
    # A faint product mark at the foot of the panel.
    m = c.mask()
    icons.logo_glyph(m, w / 2.0 - 1, h - 20, 18, 2.0)
    c.composite(m, SLATE_400, 0.28)
    return c


def progress_background():
    w, h = 391, 182
    c = Canvas(w, h, SURFACE_50)
    c.fill(vertical(SLATE_800, SLATE_900, 0, 34), (0, 0, w, 34))
    soft_glow(c, w * 0.85, -6, 90, TEAL_500, 0.16)
    c.fill(vertical(SURFACE_50, SURFACE_200, 36, h), (0, 36, w, h))
    c.fill(TEAL_500, (0, 34, w, 36))
    logo_mark(c, 10, 8, 18)
    text(c, "PRUNAXIS", 36, 12, 10, 1.6, SURFACE_50, tracking=1.5)
    label = "REGISTRY BACKUP"
    width = measure(label, 8, 1.3, 1.3)
    text(c, label, w - 12 - width, 13, 8, 1.3, TEAL_300, tracking=1.3)
    # The card that the message and the bar sit on (both 281 wide, centred).
    shadow = c.mask()
    shadow.add(rounded_rect(40, 54, w - 40, 150, 8), (34, 48, w - 34, 158), soft=4)
    c.composite(shadow, SLATE_700, 0.14)
    pill(c, (40, 52, w - 40, 148), 8, BORDER)
    pill(c, (41, 53, w - 41, 147), 7, SURFACE_0)
    return c


def about_picture(entries):
    _, _, w, h = bounds(entries, "SK_ABOUTFORM_IMGABOUT_POS")
    c = Canvas(w, h, SLATE_900)
    c.fill(diagonal(SLATE_700, SLATE_950, 0, 0, w * 0.6, h))
    soft_glow(c, w * 0.9, h * 0.12, 120, TEAL_500, 0.20)
    soft_glow(c, 0, h * 0.95, 110, BLUE_500, 0.16)
    for r, o in ((90, 0.07), (120, 0.05), (150, 0.035)):
        m = c.mask()
        m.add(lambda x, y, r=r: abs(circle(w / 2.0, 64, r)(x, y)) - 0.6, (0, 0, w, h))
        c.composite(m, TEAL_300, o)
    logo_mark(c, w / 2.0 - 26, 38, 52)
    name = "PRUNAXIS"
    width = measure(name, 13, 1.8, 2.0)
    text(c, name, (w - width) / 2.0, 112, 13, 2.0, SURFACE_0, tracking=1.8)
    c.fill(TEAL_400, (int(w / 2 - 14), 136, int(w / 2 + 14), 138))
    y = 150
    for line in ("UNINSTALLER", "AND STARTUP", "MANAGER"):
        lw = measure(line, 7, 1.2, 1.15)
        text(c, line, (w - lw) / 2.0, y, 7, 1.15, SLATE_300, tracking=1.2)
        y += 14
    c.fill(SLATE_950, (0, 0, w, 1))
    c.fill(SLATE_950, (0, h - 1, w, h))
    c.fill(SLATE_950, (0, 0, 1, h))
    c.fill(SLATE_950, (w - 1, 0, w, h))
    return c


def splash_picture():
    w, h = 503, 240
    c = Canvas(w, h, SLATE_900)
    c.fill(diagonal(SLATE_700, SLATE_950, 0, 0, w * 0.7, h))
    soft_glow(c, w * 0.92, 10, 260, TEAL_500, 0.22)
    soft_glow(c, w * 0.62, h * 1.05, 200, BLUE_500, 0.14)
    for r, o in ((120, 0.08), (170, 0.06), (220, 0.045), (270, 0.03)):
        m = c.mask()
        m.add(lambda x, y, r=r: abs(circle(w * 0.96, 30, r)(x, y)) - 0.7, (0, 0, w, h))
        c.composite(m, TEAL_300, o)
    logo_mark(c, 30, 40, 62)
    text(c, "PRUNAXIS", 112, 46, 36, 4.6, SURFACE_0, tracking=5.0)
    text(c, "UNINSTALLER AND STARTUP MANAGER", 114, 94, 9, 1.45, TEAL_300, tracking=2.1)
    bar = c.mask()
    bar.add(rounded_rect(114, 116, 178, 119, 1.5), (112, 114, 180, 121))
    c.composite(bar, diagonal(TEAL_400, BLUE_500, 114, 0, 178, 0))
    # Divider above the notice that the splash window writes in white.
    c.fill(SLATE_600, (20, 164, w - 20, 165))
    c.fill(lambda x, y: mix(TEAL_500, BLUE_500, x / w), (0, h - 3, w, h))
    return c


# --- everything -------------------------------------------------------------------

def build(entries):
    """Returns {file name: Canvas} for every picture of the built-in skin."""
    pictures = {}
    main = main_background(entries)
    pictures[entries["SK_MAINFORM_PicBackGround"]] = main
    pictures["Title.png"] = title_picture(main)

    def crop_main(key):
        x, y, w, h = bounds(entries, key)
        return main.crop(x, y, w, h)

    for name, glyph, danger in (("Min", icons.minimise, False),
                                ("HelpContent", lambda m, x, y: icons.question(m, x, y, 1.7, 1.0),
                                 False),
                                ("Close", icons.close, True)):
        base = crop_main(f"SK_MAINFORM_BUTTON_{name}_Pos")
        for key_state, state in zip(("PicNormal", "PicMouseHover", "PicMouseDown", "PicDisabled"),
                                    STATES):
            pictures[entries[f"SK_MAINFORM_BUTTON_{name}_{key_state}"]] = window_button(
                base, state, glyph, danger)

    for name, icon in (("File", icons.document), ("View", icons.eye), ("Tools", icons.gear),
                       ("Help", icons.help_circle)):
        base = crop_main(f"SK_MAINFORM_BUTTON_{name}_Pos")
        for key_state, state in zip(("PicNormal", "PicMouseHover", "PicMouseDown", "PicDisabled"),
                                    STATES):
            pictures[entries[f"SK_MAINFORM_BUTTON_{name}_{key_state}"]] = menu_button(
                base, state, icon)

    # Tabs: normal, hover and the selected look (their disabled picture). The
    # pressed pictures that the skin also names are never applied; in the
    # built-in skin they are selected-tab pictures already drawn here.
    tabs = (("SK_MAINFORM_BUTTON_ProgramList", None),
            ("SK_MAINFORM_BUTTON_StartupItems", icons.power))
    for key_prefix, icon in tabs:
        x, y, w, h = bounds(entries, key_prefix + "_Pos")
        base = main.crop(x, y, w, h)
        flush = max(0, y + h - (PAGE_TOP - 1))
        pictures[entries[key_prefix + "_PicNormal"]] = tab_button(base, "Normal", icon, flush)
        pictures[entries[key_prefix + "_PicMouseHover"]] = tab_button(base, "Hover", icon, flush)
        pictures[entries[key_prefix + "_PosDisabled"]] = tab_button(base, "Disabled", icon, flush)
    for key_prefix, icon in tabs:
        pressed = entries[key_prefix + "_PicMouseDown"]
        if pressed not in pictures:
            x, y, w, h = bounds(entries, key_prefix + "_Pos")
            pictures[pressed] = tab_button(main.crop(x, y, w, h), "Down", icon,
                                           max(0, y + h - (PAGE_TOP - 1)))

    panel = side_panel(entries)
    pictures[entries["SK_MAINFORM_PAGE1_ImgPanel_Pic"]] = panel
    pictures[entries["SK_MAINFORM_PAGE2_ImgPanel_Pic"]] = panel

    side = (("SK_MAINFORM_PAGE1_BUTTON_Uninstall", icons.trash),
            ("SK_MAINFORM_PAGE1_BUTTON_ShowDetails", icons.info),
            ("SK_MAINFORM_PAGE1_BUTTON_Refresh", icons.refresh),
            ("SK_MAINFORM_PAGE2_BUTTON_SelectAll", icons.toggle),
            ("SK_MAINFORM_PAGE2_BUTTON_Delete", icons.cross_circle),
            ("SK_MAINFORM_PAGE2_BUTTON_Apply", icons.check))
    for key_prefix, icon in side:
        x, y, w, h = bounds(entries, key_prefix + "_Pos")
        base = panel.crop(x, y, w, h)
        for key_state, state in zip(("PicNormal", "PicMouseHover", "PicMouseDown", "PicDisabled"),
                                    STATES):
            pictures[entries[f"{key_prefix}_{key_state}"]] = side_button(base, state, icon)

    # The search button sits inside the search group on the same panel.
    gx, gy, _, _ = bounds(entries, "SK_MAINFORM_PAGE1_GROUPBOX_GrbSearch_Pos")
    x, y, w, h = bounds(entries, "SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_Pos")
    base = panel.crop(gx + x, gy + y, w, h)
    for key_state, state in zip(("PicNormal", "PicMouseHover", "PicMouseDown", "PicDisabled"),
                                STATES):
        pictures[entries[f"SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_{key_state}"]] = side_button(
            base, state, icons.magnifier)

    pictures[entries["SK_PROGRESSFORM_ImageBG_Pic"]] = progress_background()
    pictures[entries["SK_ABOUTFORM_IMGABOUT_Pic"]] = about_picture(entries)
    pictures[entries["SK_SPLASHFORM_IMAGE_CHARGE"]] = splash_picture()
    return pictures


def required_names(entries):
    names = {v for v in entries.values() if v.lower().endswith(".png")}
    names.add("Title.png")
    return names


def main(argv):
    if len(argv) != 3:
        raise SystemExit(__doc__)
    entries = read_skin_entries(argv[1])
    out_dir = argv[2]
    os.makedirs(out_dir, exist_ok=True)
    pictures = build(entries)
    missing = required_names(entries) - set(pictures)
    if missing:
        raise SystemExit("pictures not drawn: " + ", ".join(sorted(missing)))
    for name, canvas in sorted(pictures.items()):
        data = canvas.png_bytes()
        path = os.path.join(out_dir, name)
        with open(path + ".tmp", "wb") as f:
            f.write(data)
        os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main(sys.argv)
