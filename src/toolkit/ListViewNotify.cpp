#include "toolkit/ListViewNotify.h"

namespace tk {
namespace {

UINT StateImage(UINT state) {
  return (state & LVIS_STATEIMAGEMASK) >> 12;
}

}  // namespace

bool IsListViewNotification(const NMHDR* header) {
  if (!header || !header->hwndFrom) return false;
  wchar_t name[64] = {};
  GetClassNameW(header->hwndFrom, name, 64);
  return lstrcmpiW(name, WC_LISTVIEWW) == 0;
}

std::optional<ListItemChange> DecodeItemChanged(const NMHDR* header) {
  if (!header || header->code != LVN_ITEMCHANGED) return std::nullopt;
  const auto* nm = reinterpret_cast<const NMLISTVIEW*>(header);
  if (!(nm->uChanged & LVIF_STATE)) return std::nullopt;
  ListItemChange change;
  change.item = nm->iItem;
  change.data = nm->lParam;
  const UINT changed = nm->uOldState ^ nm->uNewState;
  change.selected = (nm->uNewState & LVIS_SELECTED) != 0;
  change.selectionChanged = (changed & LVIS_SELECTED) != 0;
  change.focused = (nm->uNewState & LVIS_FOCUSED) != 0;
  change.focusChanged = (changed & LVIS_FOCUSED) != 0;
  const UINT before = StateImage(nm->uOldState), after = StateImage(nm->uNewState);
  change.checked = after == 2;
  change.checkChanged = before != 0 && after != 0 && before != after;
  return change;
}

std::optional<int> DecodeColumnClick(const NMHDR* header) {
  if (!header || header->code != LVN_COLUMNCLICK) return std::nullopt;
  return reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
}

std::optional<ListItemActivation> DecodeItemActivation(const NMHDR* header) {
  if (!header) return std::nullopt;
  switch (header->code) {
    case NM_CLICK:
    case NM_DBLCLK:
    case NM_RCLICK:
    case NM_RDBLCLK:
    case LVN_ITEMACTIVATE:
      break;
    default:
      return std::nullopt;
  }
  if (!IsListViewNotification(header)) return std::nullopt;
  const auto* nm = reinterpret_cast<const NMITEMACTIVATE*>(header);
  ListItemActivation activation;
  activation.code = header->code;
  activation.item = nm->iItem;
  activation.subItem = nm->iSubItem;
  activation.point = nm->ptAction;
  return activation;
}

std::optional<ListCustomDraw> DecodeListCustomDraw(const NMHDR* header) {
  if (!header || header->code != NM_CUSTOMDRAW || !IsListViewNotification(header)) {
    return std::nullopt;
  }
  const auto* nm = reinterpret_cast<const NMLVCUSTOMDRAW*>(header);
  ListCustomDraw draw;
  draw.stage = nm->nmcd.dwDrawStage;
  draw.item = static_cast<int>(nm->nmcd.dwItemSpec);
  draw.subItem = nm->iSubItem;
  draw.data = nm->nmcd.lItemlParam;
  draw.itemState = nm->nmcd.uItemState;
  draw.hdc = nm->nmcd.hdc;
  draw.rect = nm->nmcd.rc;
  return draw;
}

}  // namespace tk
