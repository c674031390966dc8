#!/usr/bin/env python3
"""Draws the pictures of the skins that ship, into a Skins folder.

    make_skins.py <src/ui/SkinEntries.h> <output folder>

The default skin's pictures land in the folder itself under the names that the
built-in skin table gives them. The dark skin has the same layout and keys: its
pictures, drawn from the dark palette, land in the Dark subfolder, and Dark.ini
(beside Default.ini's place) names them and gives the program its text colours.

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
from palettes import DARK, DEFAULT  # noqa: E402
from raster import Canvas, circle, diagonal, mix, rounded_rect, vertical  # noqa: E402

MAGENTA = (1.0, 0.0, 1.0)
STATES = ("Normal", "Hover", "Down", "Disabled")
DARK_FOLDER = "Dark"


# --- the skin table -----------------------------------------------------------

def read_skin_entries(header_path):
    """[(key, section constant, default value)] in table order."""
    with open(header_path, encoding="ascii") as f:
        entries = re.findall(r'SKIN\((\w+),\s*(\w+),\s*"([^"]*)",', f.read())
    if len(entries) < 100:
        raise SystemExit(f"{header_path}: the skin table was not found")
    return entries


def bounds(entries, key):
    left, top, width, height = (int(p.strip()) for p in entries[key].split(",")[:4])
    return left, top, width, height


# --- shared pieces ----------------------------------------------------------------

def logo_mark(p, canvas, x, y, size):
    """The product mark: a teal-to-blue rounded square with a white glyph."""
    shadow = canvas.mask()
    shadow.add(rounded_rect(x, y + size * 0.06, x + size, y + size * 1.06, size * 0.26),
               (x, y, x + size, y + size * 1.1), soft=size * 0.08)
    canvas.composite(shadow, p.logo_shadow, 0.35)
    tile = canvas.mask()
    tile.add(rounded_rect(x, y, x + size, y + size, size * 0.26), (x, y, x + size, y + size))
    canvas.composite(tile, diagonal(p.logo_a, p.logo_b, x, y, x + size, y + size))
    shine = canvas.mask()
    shine.add(rounded_rect(x + 1, y + 1, x + size - 1, y + size * 0.5, size * 0.22),
              (x, y, x + size, y + size * 0.5))
    canvas.composite(shine, p.logo_glyph, 0.10)
    glyph = canvas.mask()
    icons.logo_glyph(glyph, x + size / 2.0, y + size / 2.0, size * 0.82, max(1.4, size * 0.105))
    canvas.composite(glyph, p.logo_glyph)


def text(canvas, string, x, y, cap, weight, colour, tracking=0.0, opacity=1.0):
    m = canvas.mask()
    draw_text(m, string, x, y, cap, weight, tracking)
    canvas.composite(m, colour, opacity)


def soft_glow(canvas, cx, cy, r, colour, opacity):
    m = canvas.mask()
    m.add(circle(cx, cy, r * 0.55), (cx - r, cy - r, cx + r, cy + r), soft=r * 0.45)
    canvas.composite(m, colour, opacity)


def pill(c, box, radius, paint, opacity=1.0):
    x0, y0, x1, y1 = box
    m = c.mask()
    m.add(rounded_rect(x0, y0, x1, y1, radius), box)
    c.composite(m, paint, opacity)


# --- the main window ------------------------------------------------------------

HEADER_BOTTOM = 70
PAGE_TOP = 112
FOOTER_TOP = 507
TITLE_TEXT = "UNINSTALLER \u00b7 STARTUP MANAGER"


def main_background(p, entries):
    _, _, W, H = bounds(entries, "SK_MAINFORM_Pos")
    c = Canvas(W, H, p.strip_top)
    # Header: deep slate with a soft teal light; body: the tab strip's surface
    # (drawn after the lights, which must not spill onto it).
    c.fill(vertical(p.header_top, p.header_bottom, 0, HEADER_BOTTOM), (0, 0, W, HEADER_BOTTOM))
    soft_glow(c, W * 0.78, -10, 150, p.header_glow_a, 0.16)
    soft_glow(c, W * 0.55, 60, 90, p.header_glow_b, 0.10)
    c.fill(vertical(p.strip_top, p.strip_bottom, HEADER_BOTTOM, PAGE_TOP), (0, HEADER_BOTTOM, W, H))
    accent = c.mask()
    accent.add(lambda x, y: 0.0 if HEADER_BOTTOM - 2 <= y < HEADER_BOTTOM else 1.0,
               (0, HEADER_BOTTOM - 2, W, HEADER_BOTTOM))
    c.composite(accent, lambda x, y: mix(p.accent_a, p.accent_b, x / W))

    # Product mark and name above the menu buttons.
    logo_mark(p, c, 14, 6, 17)
    text(c, "PRUNAXIS", 39, 9, 11, 1.75, p.brand_text, tracking=1.6)

    # The page area: a card with a hairline border; the selected tab joins it
    # through the base line at its top.
    card = c.mask()
    card.add(rounded_rect(4, PAGE_TOP - 1, W - 4, FOOTER_TOP + 1, 3),
             (4, PAGE_TOP - 1, W - 4, FOOTER_TOP + 1))
    c.composite(card, p.card_border)
    inner = c.mask()
    inner.add(rounded_rect(5, PAGE_TOP, W - 5, FOOTER_TOP, 2), (5, PAGE_TOP, W - 5, FOOTER_TOP))
    c.composite(inner, p.card)
    c.fill(p.card, (1, PAGE_TOP - 1, W - 1, PAGE_TOP))

    # Footer with the status line's inset.
    c.fill(vertical(p.footer_top, p.footer_bottom, FOOTER_TOP + 1, H), (0, FOOTER_TOP + 1, W, H))
    status = c.mask()
    status.add(rounded_rect(15.5, 509.5, 745.5, 527.5, 4), (15, 509, 746, 528))
    c.composite(status, p.status_border)
    status_in = c.mask()
    status_in.add(rounded_rect(16.5, 510.5, 744.5, 526.5, 3.5), (16, 510, 745, 527))
    c.composite(status_in, p.status_fill)

    title_under_tabs(p, c)
    outline(p, c, W, H, radius=10)
    return c


def title_under_tabs(p, c):
    """The title lettering, also drawn into the background beneath ImgTitle."""
    x, y, w, h = 351, 81, 287, 17
    cap, weight, tracking = 9, 1.45, 1.45
    width = measure(TITLE_TEXT, cap, tracking, weight)
    text(c, TITLE_TEXT, x + w - width - 2, y + (h - cap) / 2.0, cap, weight, p.title_text, tracking)


def outline(p, c, W, H, radius):
    """Hard-edged rounded outline: magenta (see-through) outside, a dark hairline
    on the edge. No partial pixels, so no pink fringe against the desktop."""
    shape = rounded_rect(0, 0, W, H, radius)
    for y in range(H):
        for x in range(W):
            d = shape(x + 0.5, y + 0.5)
            if d > -0.5:
                c.set_pixel(x, y, MAGENTA)
            elif d > -1.5:
                c.set_pixel(x, y, p.edge)


def title_picture(main):
    return main.crop(351, 81, 287, 17)


# --- buttons ----------------------------------------------------------------------

def menu_button(p, base, state, icon):
    c = base.crop(0, 0, base.width, base.height)
    w, h = c.width, c.height
    icon_colour = {"Normal": p.menu_icon, "Hover": p.menu_icon_hover, "Down": p.menu_icon_down,
                   "Disabled": p.menu_icon_disabled}[state]
    offset = 1 if state == "Down" else 0
    if state == "Hover":
        fill, ring = p.menu_hover_opacity
        pill(c, (1.5, 1.5, w - 1.5, h - 1.5), 7, p.menu_hover_fill, fill)
        ring_mask = c.mask()
        outer = rounded_rect(1.5, 1.5, w - 1.5, h - 1.5, 7)
        ring_mask.add(lambda x, y: abs(outer(x, y)) - 0.5, (0, 0, w, h))
        c.composite(ring_mask, p.menu_hover_fill, ring)
    elif state == "Down":
        pill(c, (1.5, 1.5, w - 1.5, h - 1.5), 7, vertical(p.menu_down_top, p.menu_down_bottom, 0, h))
        pill(c, (1.5, 1.5, w - 1.5, 5.5), 4, p.menu_down_shade, 0.10)
    m = c.mask()
    icon(m, 20 + offset, h / 2.0 + offset)
    icons.chevron(m, w - 14 + offset, h / 2.0 + 0.5 + offset)
    c.composite(m, icon_colour, 0.45 if state == "Disabled" else 1.0)
    return c


def window_button(p, base, state, glyph, danger=False):
    c = base.crop(0, 0, base.width, base.height)
    w, h = c.width, c.height
    if state == "Hover":
        pill(c, (0.5, 0.5, w - 0.5, h - 0.5), 5, p.close_hover if danger else p.window_hover)
    elif state == "Down":
        pill(c, (0.5, 0.5, w - 0.5, h - 0.5), 5, p.close_down if danger else p.window_down)
    colour = {"Normal": p.window_glyph, "Hover": p.window_glyph_active,
              "Down": p.window_glyph_active, "Disabled": p.window_glyph_disabled}[state]
    m = c.mask()
    glyph(m, w / 2.0, h / 2.0)
    c.composite(m, colour)
    return c


def side_button(p, base, state, icon):
    """Side bar buttons: pills in the panel's shade, teal when hovered and
    pressed, muted when disabled; the captions are the program's."""
    c = base.crop(0, 0, base.width, base.height)
    w, h = c.width, c.height
    box = (0.5, 0.5, w - 0.5, h - 1.5)
    shadow = c.mask()
    shadow.add(rounded_rect(1.5, 2.0, w - 1.5, h - 0.5, 7), (0, 0, w, h), soft=1.2)
    if state != "Down":
        normal, disabled = p.side_shadow_opacity
        c.composite(shadow, p.side_shadow, normal if state != "Disabled" else disabled)
    if state == "Normal":
        pill(c, box, 7, vertical(*p.side_normal, 0, h))
        icon_colour = p.side_icon
    elif state == "Hover":
        pill(c, box, 7, vertical(*p.side_hover, 0, h))
        icon_colour = p.side_icon_active
    elif state == "Down":
        pill(c, (0.5, 1.0, w - 0.5, h - 1.0), 7, vertical(*p.side_down, 0, h))
        icon_colour = p.side_icon_active
    else:
        pill(c, box, 7, p.side_disabled_rim)
        pill(c, (1.5, 1.5, w - 1.5, h - 2.5), 6, vertical(*p.side_disabled, 0, h))
        icon_colour = p.side_icon_disabled
    if state in ("Normal", "Hover"):
        top = c.mask()
        outer = rounded_rect(*box, 7)
        top.add(lambda x, y: max(abs(outer(x, y)) - 0.5, y - 6), (0, 0, w, 8))
        c.composite(top, p.side_sheen, p.side_sheen_opacity)
    offset = 1 if state == "Down" else 0
    m = c.mask()
    icon(m, 20 + offset, (h - 1) / 2.0 + offset)
    c.composite(m, icon_colour)
    return c


def tab_button(p, base, state, icon=None, flush_bottom=0):
    """Tabs on the strip. The selected tab (the disabled picture) is a card in
    the page's colour with an accent along its top that runs into the page."""
    c = base.crop(0, 0, base.width, base.height)
    w, h = c.width, c.height
    if state == "Disabled":
        edge = c.mask()
        edge.add(rounded_rect(0.5, 0.5, w - 0.5, h + 8, 6), (0, 0, w, h))
        c.composite(edge, p.tab_rim)
        card = c.mask()
        card.add(rounded_rect(1.5, 1.5, w - 1.5, h + 8, 5), (0, 0, w, h))
        c.composite(card, p.tab_selected)
        bar = c.mask()
        bar.add(rounded_rect(1.5, 1.5, w - 1.5, 12, 5), (0, 0, w, 4))
        bar.cut(lambda x, y: 3.5 - y, (0, 0, w, 6))
        c.composite(bar, lambda x, y: mix(p.accent_a, p.accent_b, x / w))
    elif state in ("Hover", "Down"):
        bottom = h - flush_bottom
        hover, down = p.tab_hover_opacity
        pill(c, (2.5, 3.5, w - 2.5, bottom + 8), 6, p.tab_hover_fill,
             hover if state == "Hover" else down)
        rim = c.mask()
        outer = rounded_rect(2.5, 3.5, w - 2.5, bottom + 8, 6)
        rim.add(lambda x, y: max(abs(outer(x, y)) - 0.5, y - bottom + 0.5), (0, 0, w, bottom))
        c.composite(rim, p.tab_rim)
    if icon:
        colour = {"Normal": p.tab_icon, "Hover": p.tab_icon_hover, "Down": p.tab_icon_hover,
                  "Disabled": p.tab_icon_selected}[state]
        m = c.mask()
        icon(m, 17, h / 2.0 + 0.5)
        c.composite(m, colour)
    return c


# --- other windows ------------------------------------------------------------------

def side_panel(p, entries):
    _, _, w, h = bounds(entries, "SK_MAINFORM_PAGE1_ImgPanel_Pos")
    c = Canvas(w, h, p.panel_top)
    c.fill(vertical(p.panel_top, p.panel_bottom, 0, h))
    c.fill(p.panel_border, (w - 1, 0, w, h))
    c.fill(p.panel_inner, (w - 2, 0, w - 1, h))
    # A faint product mark at the foot of the panel.
    m = c.mask()
    icons.logo_glyph(m, w / 2.0 - 1, h - 20, 18, 2.0)
    c.composite(m, p.panel_mark, p.panel_mark_opacity)
    return c


def progress_background(p):
    w, h = 391, 182
    c = Canvas(w, h, p.progress_body[0])
    c.fill(vertical(p.header_top, p.header_bottom, 0, 34), (0, 0, w, 34))
    soft_glow(c, w * 0.85, -6, 90, p.header_glow_a, 0.16)
    c.fill(vertical(*p.progress_body, 36, h), (0, 36, w, h))
    c.fill(p.accent_a, (0, 34, w, 36))
    logo_mark(p, c, 10, 8, 18)
    text(c, "PRUNAXIS", 36, 12, 10, 1.6, p.brand_text, tracking=1.5)
    label = "REGISTRY BACKUP"
    width = measure(label, 8, 1.3, 1.3)
    text(c, label, w - 12 - width, 13, 8, 1.3, p.progress_label, tracking=1.3)
    # The card that the message and the bar sit on (both 281 wide, centred).
    shadow = c.mask()
    shadow.add(rounded_rect(40, 54, w - 40, 150, 8), (34, 48, w - 34, 158), soft=4)
    c.composite(shadow, p.progress_card_shadow, 0.14)
    pill(c, (40, 52, w - 40, 148), 8, p.progress_card_rim)
    pill(c, (41, 53, w - 41, 147), 7, p.progress_card)
    return c


def about_picture(p, entries):
    _, _, w, h = bounds(entries, "SK_ABOUTFORM_IMGABOUT_POS")
    c = Canvas(w, h, p.header_bottom)
    c.fill(diagonal(p.art_top, p.art_bottom, 0, 0, w * 0.6, h))
    soft_glow(c, w * 0.9, h * 0.12, 120, p.art_glow_a, 0.20)
    soft_glow(c, 0, h * 0.95, 110, p.art_glow_b, 0.16)
    for r, o in ((90, 0.07), (120, 0.05), (150, 0.035)):
        m = c.mask()
        m.add(lambda x, y, r=r: abs(circle(w / 2.0, 64, r)(x, y)) - 0.6, (0, 0, w, h))
        c.composite(m, p.art_rings, o)
    logo_mark(p, c, w / 2.0 - 26, 38, 52)
    name = "PRUNAXIS"
    width = measure(name, 13, 1.8, 2.0)
    text(c, name, (w - width) / 2.0, 112, 13, 2.0, p.art_text, tracking=1.8)
    c.fill(p.logo_a, (int(w / 2 - 14), 136, int(w / 2 + 14), 138))
    y = 150
    for line in ("UNINSTALLER", "AND STARTUP", "MANAGER"):
        lw = measure(line, 7, 1.2, 1.15)
        text(c, line, (w - lw) / 2.0, y, 7, 1.15, p.art_subtext, tracking=1.2)
        y += 14
    c.fill(p.edge, (0, 0, w, 1))
    c.fill(p.edge, (0, h - 1, w, h))
    c.fill(p.edge, (0, 0, 1, h))
    c.fill(p.edge, (w - 1, 0, w, h))
    return c


def splash_picture(p):
    w, h = 503, 240
    c = Canvas(w, h, p.header_bottom)
    c.fill(diagonal(p.art_top, p.art_bottom, 0, 0, w * 0.7, h))
    soft_glow(c, w * 0.92, 10, 260, p.art_glow_a, 0.22)
    soft_glow(c, w * 0.62, h * 1.05, 200, p.art_glow_b, 0.14)
    for r, o in ((120, 0.08), (170, 0.06), (220, 0.045), (270, 0.03)):
        m = c.mask()
        m.add(lambda x, y, r=r: abs(circle(w * 0.96, 30, r)(x, y)) - 0.7, (0, 0, w, h))
        c.composite(m, p.art_rings, o)
    logo_mark(p, c, 30, 40, 62)
    text(c, "PRUNAXIS", 112, 46, 36, 4.6, p.art_text, tracking=5.0)
    text(c, "UNINSTALLER AND STARTUP MANAGER", 114, 94, 9, 1.45, p.art_tagline, tracking=2.1)
    bar = c.mask()
    bar.add(rounded_rect(114, 116, 178, 119, 1.5), (112, 114, 180, 121))
    c.composite(bar, diagonal(p.logo_a, p.logo_b, 114, 0, 178, 0))
    # Divider above the notice that the splash window writes in white.
    c.fill(p.art_rule, (20, 164, w - 20, 165))
    c.fill(lambda x, y: mix(p.accent_a, p.accent_b, x / w), (0, h - 3, w, h))
    return c


# --- one skin -------------------------------------------------------------------------

def build(p, entries):
    """Returns {file name: Canvas} for every picture of a skin, under the names
    that the built-in table gives them."""
    pictures = {}
    main = main_background(p, entries)
    pictures[entries["SK_MAINFORM_PicBackGround"]] = main
    pictures["Title.png"] = title_picture(main)

    def crop_main(key):
        x, y, w, h = bounds(entries, key)
        return main.crop(x, y, w, h)

    state_keys = ("PicNormal", "PicMouseHover", "PicMouseDown", "PicDisabled")
    for name, glyph, danger in (("Min", icons.minimise, False),
                                ("HelpContent", lambda m, x, y: icons.question(m, x, y, 1.7, 1.0),
                                 False),
                                ("Close", icons.close, True)):
        base = crop_main(f"SK_MAINFORM_BUTTON_{name}_Pos")
        for key_state, state in zip(state_keys, STATES):
            pictures[entries[f"SK_MAINFORM_BUTTON_{name}_{key_state}"]] = window_button(
                p, base, state, glyph, danger)

    for name, icon in (("File", icons.document), ("View", icons.eye), ("Tools", icons.gear),
                       ("Help", icons.help_circle)):
        base = crop_main(f"SK_MAINFORM_BUTTON_{name}_Pos")
        for key_state, state in zip(state_keys, STATES):
            pictures[entries[f"SK_MAINFORM_BUTTON_{name}_{key_state}"]] = menu_button(
                p, base, state, icon)

    # Tabs: normal, hover and the selected look (their disabled picture). The
    # pressed pictures that the skin also names are never applied; in the
    # built-in skin they are selected-tab pictures already drawn here.
    tabs = (("SK_MAINFORM_BUTTON_ProgramList", None),
            ("SK_MAINFORM_BUTTON_StartupItems", icons.power))
    for key_prefix, icon in tabs:
        x, y, w, h = bounds(entries, key_prefix + "_Pos")
        base = main.crop(x, y, w, h)
        flush = max(0, y + h - (PAGE_TOP - 1))
        pictures[entries[key_prefix + "_PicNormal"]] = tab_button(p, base, "Normal", icon, flush)
        pictures[entries[key_prefix + "_PicMouseHover"]] = tab_button(p, base, "Hover", icon, flush)
        pictures[entries[key_prefix + "_PosDisabled"]] = tab_button(p, base, "Disabled", icon,
                                                                    flush)
    for key_prefix, icon in tabs:
        pressed = entries[key_prefix + "_PicMouseDown"]
        if pressed not in pictures:
            x, y, w, h = bounds(entries, key_prefix + "_Pos")
            pictures[pressed] = tab_button(p, main.crop(x, y, w, h), "Down", icon,
                                           max(0, y + h - (PAGE_TOP - 1)))

    panel = side_panel(p, entries)
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
        for key_state, state in zip(state_keys, STATES):
            pictures[entries[f"{key_prefix}_{key_state}"]] = side_button(p, base, state, icon)

    # The search button sits inside the search group on the same panel.
    gx, gy, _, _ = bounds(entries, "SK_MAINFORM_PAGE1_GROUPBOX_GrbSearch_Pos")
    x, y, w, h = bounds(entries, "SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_Pos")
    base = panel.crop(gx + x, gy + y, w, h)
    for key_state, state in zip(state_keys, STATES):
        pictures[entries[f"SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_{key_state}"]] = side_button(
            p, base, state, icons.magnifier)

    pictures[entries["SK_PROGRESSFORM_ImageBG_Pic"]] = progress_background(p)
    pictures[entries["SK_ABOUTFORM_IMGABOUT_Pic"]] = about_picture(p, entries)
    pictures[entries["SK_SPLASHFORM_IMAGE_CHARGE"]] = splash_picture(p)
    return pictures


def is_picture(value):
    return value.lower().endswith(".png")


def required_names(values):
    names = {v for v in values.values() if is_picture(v)}
    names.add("Title.png")
    return names


def colour_text(rgb):
    return "#" + "".join(f"{int(round(c * 255)):02X}" for c in rgb)


def dark_skin_file(table, palette):
    """Dark.ini's text as the profile functions write a skin file: every key of
    the table in its order, one section after the other, CR LF line ends. The
    layout is the built-in one; the pictures lie in the Dark folder."""
    sections = {"kMainForm": "MainForm", "kRegistryForm": "RegistryForm", "kColors": "Colors"}
    lines, current = [], None
    for key, section, default in table:
        name = sections[section]
        if name != current:
            lines.append(f"[{name}]")
            current = name
        if section == "kColors":
            colour = palette.text.get(key[len("SK_COLOR_"):])
            if colour is None:
                raise SystemExit(f"the dark palette has no colour for {key}")
            value = colour_text(colour)
        elif is_picture(default):
            value = DARK_FOLDER + "\\" + default
        else:
            value = default
        lines.append(f"{key}={value}")
    return "".join(line + "\r\n" for line in lines)


def write_file(path, data):
    with open(path + ".tmp", "wb") as f:
        f.write(data)
    os.replace(path + ".tmp", path)


def write_pictures(pictures, folder):
    os.makedirs(folder, exist_ok=True)
    for name, canvas in sorted(pictures.items()):
        write_file(os.path.join(folder, name), canvas.png_bytes())


def main(argv):
    if len(argv) != 3:
        raise SystemExit(__doc__)
    table = read_skin_entries(argv[1])
    values = {key: value for key, _, value in table}
    out_dir = argv[2]
    for palette, folder in ((DEFAULT, out_dir), (DARK, os.path.join(out_dir, DARK_FOLDER))):
        pictures = build(palette, values)
        missing = required_names(values) - set(pictures)
        if missing:
            raise SystemExit(f"{palette.name}: pictures not drawn: " + ", ".join(sorted(missing)))
        write_pictures(pictures, folder)
    write_file(os.path.join(out_dir, "Dark.ini"), dark_skin_file(table, DARK).encode("ascii"))


if __name__ == "__main__":
    main(sys.argv)
