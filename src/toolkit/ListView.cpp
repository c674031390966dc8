#include "toolkit/ListView.h"

#include <climits>

#include <algorithm>

#include "sys/Text.h"
#include "toolkit/ImageLists.h"

namespace tk {
namespace {

DWORD ModeStyle(ListViewMode mode) {
  switch (mode) {
    case ListViewMode::Icon:
      return LVS_ICON;
    case ListViewMode::SmallIcon:
      return LVS_SMALLICON;
    case ListViewMode::List:
      return LVS_LIST;
    case ListViewMode::Report:
      break;
  }
  return LVS_REPORT;
}

// Texts longer than this are cut when read back; captions and paths are far shorter.
constexpr int kMaxText = 4096;

}  // namespace

ListViewStyles ListViewStylesFor(const ListViewOptions& o) {
  ListViewStyles s;
  s.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_SHAREIMAGELISTS | ModeStyle(o.mode);
  if (o.ownerData) s.style |= LVS_OWNERDATA;
  if (!o.multiSelect) s.style |= LVS_SINGLESEL;
  if (o.showSelectionAlways) s.style |= LVS_SHOWSELALWAYS;
  if (o.editLabels) s.style |= LVS_EDITLABELS;
  if (!o.sortHeader) s.style |= LVS_NOSORTHEADER;
  if (o.border) s.exStyle |= WS_EX_CLIENTEDGE;
  s.listExStyle = LVS_EX_DOUBLEBUFFER;
  if (o.checkBoxes && !o.ownerData) s.listExStyle |= LVS_EX_CHECKBOXES;
  if (o.fullRowSelect) s.listExStyle |= LVS_EX_FULLROWSELECT;
  if (o.gridLines) s.listExStyle |= LVS_EX_GRIDLINES;
  if (o.infoTips) s.listExStyle |= LVS_EX_INFOTIP;
  return s;
}

ListView::~ListView() {
  HWND hwnd = hwnd_;
  detach();
  if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
}

void ListView::detach() {
  if (!hwnd_) return;
  if (IsWindow(hwnd_)) {
    KillTimer(hwnd_, reinterpret_cast<UINT_PTR>(this));
    RemoveWindowSubclass(hwnd_, &ListView::SubclassProc, 0);
    SetNotifyHandler(hwnd_, nullptr);
  }
  tip_.destroy();  // an owned popup of the control: it goes with it
  rows_.clear();
  wantedImages_.clear();
  imagesPosted_ = false;
  trackingLeave_ = false;
  tipItem_ = -1;
  hwnd_ = nullptr;
}

bool ListView::create(HWND parent, int id, const RECT& r, const ListViewOptions& options) {
  if (hwnd_) return true;
  INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&init);
  const ListViewStyles styles = ListViewStylesFor(options);
  HWND hwnd = CreateWindowExW(styles.exStyle, WC_LISTVIEWW, L"", styles.style, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return false;
  hwnd_ = hwnd;
  ownerData_ = options.ownerData;
  rows_.clear();
  auto font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, styles.listExStyle, styles.listExStyle);
  // The W forms of the notifications even under a parent that would take the others:
  // the rows' texts reach the control whole only that way.
  SendMessageW(hwnd_, LVM_SETUNICODEFORMAT, TRUE, 0);
  SetWindowSubclass(hwnd_, &ListView::SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  SetNotifyHandler(hwnd_, this);
  rebuildLinkFont();
  return true;
}

// ---- columns

int ListView::addColumn(const std::string& caption, int width, int format) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  std::wstring text = sys::Widen(caption);
  column.pszText = text.data();
  column.cx = width;
  column.fmt = format;
  const int at = columnCount();
  column.iSubItem = at;
  return static_cast<int>(
      SendMessageW(hwnd_, LVM_INSERTCOLUMNW, at, reinterpret_cast<LPARAM>(&column)));
}

int ListView::columnCount() const {
  HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

bool ListView::setColumnCaption(int index, const std::string& caption) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  std::wstring text = sys::Widen(caption);
  column.pszText = text.data();
  return SendMessageW(hwnd_, LVM_SETCOLUMNW, index, reinterpret_cast<LPARAM>(&column)) != 0;
}

std::string ListView::columnCaption(int index) const {
  std::wstring buffer(kMaxText, L'\0');
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = buffer.data();
  column.cchTextMax = kMaxText;
  if (!SendMessageW(hwnd_, LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&column))) return {};
  // The control may answer with a text of its own instead of filling the buffer.
  return sys::NarrowZ(column.pszText);
}

bool ListView::setColumnWidth(int column, int width) {
  return SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)) != 0;
}

int ListView::columnWidth(int column) const {
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, column, 0));
}

// ---- images

void ListView::setImageList(HIMAGELIST images, int which) {
  SendMessageW(hwnd_, LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(images));
}

HIMAGELIST ListView::imageList(int which) const {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd_, LVM_GETIMAGELIST, which, 0));
}

bool ListView::attachSystemImageLists() {
  if (!hwnd_) return false;
  const SystemImageLists lists = GetSystemImageLists();
  if (lists.small) setImageList(lists.small, LVSIL_SMALL);
  if (lists.large) setImageList(lists.large, LVSIL_NORMAL);
  return lists.small && lists.large;
}

// ---- rows

int ListView::count() const {
  if (!hwnd_) return 0;
  if (ownerData_) return static_cast<int>(rows_.size());
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::insertRow(const ListRow& row, int at) {
  if (!hwnd_) return -1;
  if (ownerData_) return insertOwnRow(row, at);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
  // An index past the end appends; asking for the count first would cost a message
  // per row, which shows in long fills.
  item.iItem = at < 0 ? INT_MAX : at;
  std::wstring caption = sys::Widen(row.caption);
  item.pszText = caption.data();
  item.lParam = row.data;
  item.iImage = row.image >= 0 ? row.image : I_IMAGENONE;
  const int index =
      static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (index < 0) return -1;
  for (size_t i = 0; i < row.subItems.size(); ++i) {
    setItemText(index, static_cast<int>(i) + 1, row.subItems[i]);
  }
  if (row.checked) setChecked(index, true);
  return index;
}

void ListView::appendRows(std::vector<ListRow> rows) {
  if (!hwnd_) return;
  if (!ownerData_) {
    for (const ListRow& row : rows) insertRow(row);
    return;
  }
  if (rows_.empty()) {
    rows_ = std::move(rows);
  } else {
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
  }
  syncItemCount();
}

ListRow ListView::row(int index) const {
  ListRow row;
  if (index < 0 || index >= count()) return row;
  if (ownerData_) {
    row = rows_[static_cast<size_t>(index)];
    row.subItems.resize(static_cast<size_t>(std::max(columnCount() - 1, 0)));
    row.checked = false;
    return row;
  }
  row.caption = itemText(index, 0);
  for (int c = 1; c < columnCount(); ++c) row.subItems.push_back(itemText(index, c));
  row.image = itemImage(index);
  row.data = itemData(index);
  row.checked = checked(index);
  return row;
}

std::string ListView::itemText(int index, int column) const {
  if (index < 0 || index >= count()) return {};
  if (ownerData_) return OwnRowText(rows_[static_cast<size_t>(index)], column);
  std::wstring text(kMaxText, L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = kMaxText;
  const auto length = static_cast<int>(
      SendMessageW(hwnd_, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)));
  text.resize(static_cast<size_t>(std::clamp(length, 0, kMaxText - 1)));
  return sys::Narrow(text);
}

bool ListView::setItemText(int index, int column, const std::string& value) {
  if (index < 0 || index >= count()) return false;
  if (ownerData_) return setOwnRowText(index, column, value);
  std::wstring text = sys::Widen(value);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  return SendMessageW(hwnd_, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)) != 0;
}

LPARAM ListView::itemData(int index) const {
  if (ownerData_) {
    const ListRow* row = ownRow(index);
    return row ? row->data : 0;
  }
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return item.lParam;
}

bool ListView::setItemData(int index, LPARAM data) {
  if (ownerData_) {
    ListRow* row = ownRow(index);
    if (row) row->data = data;
    return row != nullptr;
  }
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = data;
  return SendMessageW(hwnd_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

int ListView::itemImage(int index) const {
  if (ownerData_) {
    const ListRow* row = ownRow(index);
    return row && row->image >= 0 ? row->image : -1;
  }
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  if (!SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iImage >= 0 ? item.iImage : -1;
}

bool ListView::setItemImage(int index, int image) {
  if (ownerData_) {
    ListRow* row = ownRow(index);
    if (!row) return false;
    row->image = image >= 0 ? image : -1;
    SendMessageW(hwnd_, LVM_REDRAWITEMS, index, index);
    return true;
  }
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  item.iImage = image >= 0 ? image : I_IMAGENONE;
  return SendMessageW(hwnd_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

int ListView::findData(LPARAM data) const {
  if (ownerData_) {
    for (size_t i = 0; i < rows_.size(); ++i) {
      if (rows_[i].data == data) return static_cast<int>(i);
    }
    return -1;
  }
  LVFINDINFOW find{};
  find.flags = LVFI_PARAM;
  find.lParam = data;
  return static_cast<int>(
      SendMessageW(hwnd_, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

bool ListView::deleteRow(int index) {
  if (index < 0 || index >= count()) return false;
  if (index == tipItem_) cancelTip();
  if (ownerData_) return deleteOwnRow(index);
  return SendMessageW(hwnd_, LVM_DELETEITEM, index, 0) != 0;
}

void ListView::deleteAll() {
  if (!hwnd_) return;
  cancelTip();
  rows_.clear();
  wantedImages_.clear();
  SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
}

// ---- tick boxes

bool ListView::checked(int index) const {
  if (ownerData_ || index < 0 || index >= count()) return false;
  const auto state =
      static_cast<UINT>(SendMessageW(hwnd_, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK));
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void ListView::setChecked(int index, bool on) {
  if (ownerData_ || index < 0 || index >= count()) return;
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
  SendMessageW(hwnd_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

// ---- selection

int ListView::selectedIndex() const {
  if (!hwnd_) return -1;
  return static_cast<int>(
      SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::vector<int> ListView::selectedIndexes() const {
  std::vector<int> result;
  if (!hwnd_) return result;
  int index = -1;
  while ((index = static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(index),
                                                LVNI_SELECTED))) >= 0) {
    result.push_back(index);
  }
  return result;
}

int ListView::selectedCount() const {
  return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

bool ListView::isSelected(int index) const {
  if (index < 0 || index >= count()) return false;
  return (SendMessageW(hwnd_, LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void ListView::select(int index, bool selected) {
  if (index < 0 || index >= count()) return;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | (selected ? LVIS_FOCUSED : 0);
  item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

void ListView::selectOnly(int index) {
  if (index < 0 || index >= count()) return;
  for (int other : selectedIndexes()) {
    if (other != index) select(other, false);
  }
  select(index, true);
}

void ListView::clearSelection() {
  if (!hwnd_) return;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = 0;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

int ListView::focusedIndex() const {
  if (!hwnd_) return -1;
  return static_cast<int>(
      SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

// ---- view and looks

ListViewMode ListView::mode() const {
  switch (GetWindowLongW(hwnd_, GWL_STYLE) & LVS_TYPEMASK) {
    case LVS_ICON:
      return ListViewMode::Icon;
    case LVS_SMALLICON:
      return ListViewMode::SmallIcon;
    case LVS_LIST:
      return ListViewMode::List;
    default:
      return ListViewMode::Report;
  }
}

void ListView::setMode(ListViewMode mode) {
  if (!hwnd_) return;
  cancelTip();
  const LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE, (style & ~LVS_TYPEMASK) | static_cast<LONG>(ModeStyle(mode)));
  InvalidateRect(hwnd_, nullptr, TRUE);
}

DWORD ListView::extendedStyle() const {
  return static_cast<DWORD>(SendMessageW(hwnd_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

void ListView::setExtendedStyle(DWORD mask, DWORD bits) {
  SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, bits);
}

// ---- sorting

namespace {

template <typename Compare, typename Arg>
int CALLBACK CallCompare(Arg a, Arg b, LPARAM context) {
  try {
    return (*reinterpret_cast<const Compare*>(context))(a, b);
  } catch (...) {
    return 0;  // no exception may cross the control's frames
  }
}

int CALLBACK CompareIndexes(LPARAM a, LPARAM b, LPARAM context) {
  return CallCompare<ListView::IndexCompare, int>(static_cast<int>(a), static_cast<int>(b),
                                                  context);
}

int CALLBACK CompareData(LPARAM a, LPARAM b, LPARAM context) {
  return CallCompare<ListView::DataCompare, LPARAM>(a, b, context);
}

}  // namespace

bool ListView::sort(const IndexCompare& compare) {
  if (!hwnd_ || !compare) return false;
  if (ownerData_) {
    return sortOwnRows([&compare](size_t a, size_t b) {
      return compare(static_cast<int>(a), static_cast<int>(b));
    });
  }
  return SendMessageW(hwnd_, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&compare),
                      reinterpret_cast<LPARAM>(&CompareIndexes)) != 0;
}

bool ListView::sortByData(const DataCompare& compare) {
  if (!hwnd_ || !compare) return false;
  if (ownerData_) {
    return sortOwnRows(
        [this, &compare](size_t a, size_t b) { return compare(rows_[a].data, rows_[b].data); });
  }
  return SendMessageW(hwnd_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&compare),
                      reinterpret_cast<LPARAM>(&CompareData)) != 0;
}

// ---- geometry

ListHit ListView::hitTest(POINT client) const {
  ListHit hit;
  if (!hwnd_) return hit;
  LVHITTESTINFO info{};
  info.pt = client;
  SendMessageW(hwnd_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&info));
  hit.flags = info.flags;
  hit.item = (info.flags & LVHT_ONITEM) ? info.iItem : -1;
  hit.subItem = hit.item >= 0 ? info.iSubItem : 0;
  return hit;
}

RECT ListView::cellRect(int index, int column) const {
  RECT r{};
  if (index < 0 || index >= count()) return r;
  r.top = column;
  r.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
  if (!SendMessageW(hwnd_, LVM_GETSUBITEMRECT, index, reinterpret_cast<LPARAM>(&r))) return {};
  return r;
}

RECT ListView::itemRect(int index, int part) const {
  RECT r{};
  if (index < 0 || index >= count()) return r;
  r.left = part;
  if (!SendMessageW(hwnd_, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r))) return {};
  return r;
}

bool ListView::ensureVisible(int index) {
  if (index < 0 || index >= count()) return false;
  return SendMessageW(hwnd_, LVM_ENSUREVISIBLE, index, FALSE) != 0;
}

int ListView::topIndex() const {
  return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, LVM_GETTOPINDEX, 0, 0)) : 0;
}

bool ListView::scroll(int dx, int dy) {
  return hwnd_ && SendMessageW(hwnd_, LVM_SCROLL, dx, dy) != 0;
}

}  // namespace tk
