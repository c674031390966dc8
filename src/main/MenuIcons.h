// The pictures of the main window's menu items: one image list cut from a strip
// that the build draws (tools/icon/make_menu_icons.py) and embeds in the exe.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "settings/ProductInfo.h"
#include "toolkit/ImageLists.h"

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

// The image list from the running exe's strip; empty when the exe has none (test
// programs) or it cannot be read, and menus then go without pictures.
tk::UniqueImageList LoadMenuIcons();

}  // namespace forms
