// The pictures of the main window's menu items: one image list cut from a strip
// that the build draws (tools/icon/make_menu_icons.py) and embeds in the exe.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "settings/ProductInfo.h"
#include "toolkit/ImageLists.h"
#include "toolkit/MenuPaint.h"
#include "ui/Picture.h"

namespace forms {

// The strip's cells, in order.
enum MenuIcon : int {
  kIconNewProgram,
  kIconExport,
  kIconImport,
  kIconBackup,
  kIconExit,
  kIconGrid,
  kIconTips,
  kIconViewIcon,
  kIconViewList,
  kIconViewReport,
  kIconRefresh,
  kIconGlobe,
  kIconComment,
  kIconGear,
  kIconHelp,
  kIconMail,
  kIconTrash,
  kIconAdd,
  kIconDetails,
  kMenuIconCount
};

// The resource that holds the strip (RCDATA of Prunaxis.exe).
inline constexpr int kMenuIconsResource = PRUNAXIS_IDR_MENU_ICONS;

// The one ink the strip's glyphs are drawn in; their edges are its coverage (alpha).
inline constexpr COLORREF kMenuIconInk = RGB(0x24, 0x47, 0x6B);

// The ink the glyphs take on menus of these colours: none keeps the strip's own,
// which suits the system's menus and any whose icon bar and highlight it stands
// out from; on others (a dark skin's) the menus' text colour.
std::optional<COLORREF> MenuIconInkFor(const std::optional<tk::MenuColours>& menus);

// Redraws every pixel of a one-ink picture in `ink`, keeping its alpha (the
// pixels stay premultiplied).
void InkGlyphs(ui::Picture& strip, COLORREF ink);

// The image list from the running exe's strip, its glyphs in `ink` when one is
// given; empty when the exe has no strip (test programs) or it cannot be read,
// and menus then go without pictures.
tk::UniqueImageList LoadMenuIcons(std::optional<COLORREF> ink = std::nullopt);

}  // namespace forms
