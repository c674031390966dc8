"""The two palettes of the skins we ship: the light default skin and the dark
one. Each names its colours by the part of a picture they paint, so that one
set of drawing functions makes both skins.

`text` holds the colours that the dark skin's file gives the program for the
text it draws itself (see the Colors section of the skin table); the light skin
leaves them to the program's design colours.
"""

from types import SimpleNamespace

from raster import hex_rgb

# Brand colours, the same in both skins.
TEAL_300 = hex_rgb("#67E3D5")
TEAL_400 = hex_rgb("#2CC7BA")
TEAL_500 = hex_rgb("#14A99F")
TEAL_600 = hex_rgb("#0F8B85")
TEAL_700 = hex_rgb("#0B6F6D")
TEAL_800 = hex_rgb("#085755")
BLUE_500 = hex_rgb("#2F7BD8")
RED_500 = hex_rgb("#E0484E")
RED_700 = hex_rgb("#B3363B")
WHITE = hex_rgb("#FFFFFF")

# Deep slate, a teal accent and cool light surfaces.
SLATE_950 = hex_rgb("#0A1424")
SLATE_900 = hex_rgb("#101D32")
SLATE_850 = hex_rgb("#15253E")
SLATE_800 = hex_rgb("#1B2D4A")
SLATE_700 = hex_rgb("#263D60")
SLATE_600 = hex_rgb("#32507A")
SLATE_500 = hex_rgb("#4D678B")
SLATE_400 = hex_rgb("#8497B0")
SLATE_300 = hex_rgb("#B4C2D4")
SURFACE_50 = hex_rgb("#F6F8FB")
SURFACE_100 = hex_rgb("#ECF1F6")
SURFACE_200 = hex_rgb("#DEE5EE")
SURFACE_300 = hex_rgb("#CFD8E3")
BORDER = hex_rgb("#BAC7D6")


def _common():
    return dict(
        logo_shadow=SLATE_950, logo_a=TEAL_400, logo_b=BLUE_500, logo_glyph=WHITE,
        accent_a=TEAL_500, accent_b=BLUE_500,
        header_top=SLATE_800, header_bottom=SLATE_900, header_glow_a=TEAL_500,
        header_glow_b=BLUE_500, brand_text=SURFACE_50, edge=SLATE_950,
        window_glyph=SLATE_300, window_glyph_active=WHITE, window_glyph_disabled=SLATE_500,
        window_hover=SLATE_600, window_down=SLATE_950, close_hover=RED_500, close_down=RED_700,
        menu_icon=TEAL_300, menu_icon_hover=WHITE, menu_icon_down=SLATE_800,
        menu_icon_disabled=SLATE_500, menu_hover_fill=WHITE,
        side_shadow=SLATE_900, side_icon=TEAL_300, side_icon_active=WHITE, side_sheen=WHITE,
        art_top=SLATE_700, art_bottom=SLATE_950, art_glow_a=TEAL_500, art_glow_b=BLUE_500,
        art_rings=TEAL_300, art_text=WHITE, art_subtext=SLATE_300, art_tagline=TEAL_300,
        art_rule=SLATE_600,
        progress_label=TEAL_300,
    )


DEFAULT = SimpleNamespace(
    name="Default",
    **_common(),
    strip_top=SURFACE_100, strip_bottom=SURFACE_200,
    card_border=BORDER, card=WHITE,
    footer_top=SURFACE_200, footer_bottom=SURFACE_300, status_border=BORDER,
    status_fill=SURFACE_50,
    title_text=SLATE_500,
    menu_hover_opacity=(0.10, 0.22), menu_down_top=SURFACE_200, menu_down_bottom=SURFACE_50,
    menu_down_shade=SLATE_700,
    side_shadow_opacity=(0.22, 0.10),
    side_normal=(SLATE_700, SLATE_850), side_hover=(TEAL_500, TEAL_700),
    side_down=(TEAL_800, TEAL_700), side_disabled_rim=BORDER,
    side_disabled=(SURFACE_100, SURFACE_200), side_icon_disabled=SLATE_400, side_sheen_opacity=0.16,
    tab_rim=BORDER, tab_selected=WHITE, tab_hover_fill=WHITE, tab_hover_opacity=(0.55, 0.85),
    tab_icon=SLATE_500, tab_icon_hover=SLATE_700, tab_icon_selected=TEAL_600,
    panel_top=SURFACE_50, panel_bottom=SURFACE_100, panel_border=BORDER, panel_inner=WHITE,
    panel_mark=SLATE_400, panel_mark_opacity=0.28,
    # The backup window writes its message in white on the card.
    progress_body=(SURFACE_50, SURFACE_200), progress_card_shadow=SLATE_700,
    progress_card_rim=SLATE_700, progress_card=SLATE_850,
    text=None,
)

# Dark: near-black blue-grey surfaces, the header a shade deeper, the same teal.
INK_950 = hex_rgb("#080C12")
INK_900 = hex_rgb("#0D1219")
INK_850 = hex_rgb("#111821")
INK_800 = hex_rgb("#151C26")
INK_750 = hex_rgb("#1A222D")
INK_700 = hex_rgb("#1E2733")
INK_650 = hex_rgb("#242F3C")
INK_600 = hex_rgb("#2C3847")
INK_500 = hex_rgb("#3A4859")
INK_400 = hex_rgb("#5E6D80")
INK_300 = hex_rgb("#8D9AAB")
INK_200 = hex_rgb("#C3CDD9")
INK_100 = hex_rgb("#E3E9F0")
TEAL_DEEP = hex_rgb("#0E6F68")
TEAL_DEEPER = hex_rgb("#0A5550")

DARK = SimpleNamespace(
    name="Dark",
    **dict(_common(), header_top=INK_800, header_bottom=INK_900, header_glow_b=TEAL_700,
           edge=INK_950, window_glyph=INK_300, window_hover=INK_600, window_down=INK_950,
           menu_icon_down=INK_900, side_shadow=INK_950, side_icon_active=INK_100,
           art_top=INK_650, art_bottom=INK_950, art_glow_b=TEAL_700, art_subtext=INK_200,
           art_rule=INK_500),
    strip_top=INK_850, strip_bottom=INK_800,
    card_border=INK_600, card=INK_700,
    footer_top=INK_850, footer_bottom=INK_900, status_border=INK_600, status_fill=INK_700,
    title_text=INK_300,
    # The menu buttons' pressed caption is black, on a light teal face.
    menu_hover_opacity=(0.08, 0.18), menu_down_top=TEAL_300, menu_down_bottom=hex_rgb("#A6F0E7"),
    menu_down_shade=TEAL_700,
    side_shadow_opacity=(0.45, 0.25),
    side_normal=(INK_600, INK_650), side_hover=(TEAL_DEEP, TEAL_DEEPER),
    side_down=(TEAL_DEEPER, hex_rgb("#0C615B")), side_disabled_rim=INK_600,
    side_disabled=(INK_750, INK_750), side_icon_disabled=INK_400, side_sheen_opacity=0.07,
    tab_rim=INK_600, tab_selected=INK_700, tab_hover_fill=WHITE, tab_hover_opacity=(0.06, 0.10),
    tab_icon=INK_300, tab_icon_hover=INK_200, tab_icon_selected=TEAL_300,
    # Flat, so that the labels on it, filled with the panel colour, do not show as boxes.
    panel_top=INK_700, panel_bottom=INK_700, panel_border=INK_600, panel_inner=INK_650,
    panel_mark=INK_300, panel_mark_opacity=0.20,
    progress_body=(INK_750, INK_800), progress_card_shadow=INK_950,
    progress_card_rim=INK_600, progress_card=INK_650,
    text=dict(
        PanelBack=INK_700,      # labels, check boxes, group titles, the status line
        PanelText=INK_100,
        ListBack=INK_800,       # both lists and the search box
        ListText=INK_100,
        Link=hex_rgb("#7CC4FF"),
        TabText=INK_200,
        TabSelectedText=TEAL_300,
        ButtonDisabledText=INK_300,
    ),
)

PALETTES = (DEFAULT, DARK)
