// List view notifications decoded into plain structs, so that handlers read
// "row 3 became selected" instead of state bits.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>

namespace tk {

// LVN_ITEMCHANGED. A row that gets its first tick box (when it is inserted into a
// list with tick boxes) is no check change: only a box that goes from shown
// unticked to ticked or back is.
struct ListItemChange {
  int item = -1;
  LPARAM data = 0;
  bool selectionChanged = false;
  bool selected = false;  // the state after the change
  bool focusChanged = false;
  bool focused = false;
  bool checkChanged = false;
  bool checked = false;
};
std::optional<ListItemChange> DecodeItemChanged(const NMHDR* header);

// LVN_COLUMNCLICK: the column's index.
std::optional<int> DecodeColumnClick(const NMHDR* header);

// NM_CLICK, NM_DBLCLK, NM_RCLICK, NM_RDBLCLK and LVN_ITEMACTIVATE from a list view.
struct ListItemActivation {
  UINT code = 0;
  int item = -1;  // -1 when the click hit no row
  int subItem = 0;
  POINT point{};  // client coordinates of the list
};
std::optional<ListItemActivation> DecodeItemActivation(const NMHDR* header);

// NM_CUSTOMDRAW from a list view.
struct ListCustomDraw {
  DWORD stage = 0;  // CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT | CDDS_SUBITEM, ...
  int item = -1;
  int subItem = 0;
  LPARAM data = 0;
  UINT itemState = 0;  // CDIS_SELECTED, CDIS_HOT, ...
  HDC hdc = nullptr;
  RECT rect{};
};
std::optional<ListCustomDraw> DecodeListCustomDraw(const NMHDR* header);

// Whether the notification comes from a list view (by its window class).
bool IsListViewNotification(const NMHDR* header);

}  // namespace tk
