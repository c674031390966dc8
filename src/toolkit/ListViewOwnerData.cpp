// The list view that keeps its rows itself (LVS_OWNERDATA): the rows live in
// rows_, the control knows only their count, the selection and the focus, and
// asks for what it shows through LVN_GETDISPINFOW. Everything that changes the
// rows' order or count here also moves the control's selection and focus marks,
// which a plain list moves with its items by itself.
#include <algorithm>
#include <numeric>
#include <string_view>

#include "sys/Text.h"
#include "toolkit/ListView.h"

namespace tk {
namespace {

// A stable merge sort of `order` that stays inside its ranges whatever the
// comparison answers (a comparison that is not a strict order only gives an odd
// order, never a crash).
void MergeSort(std::vector<size_t>& order, const std::function<bool(size_t, size_t)>& before) {
  const size_t n = order.size();
  std::vector<size_t> buffer(n);
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t left = 0; left < n; left += 2 * width) {
      const size_t middle = std::min(left + width, n), right = std::min(left + 2 * width, n);
      size_t a = left, b = middle, out = left;
      while (a < middle && b < right) {
        buffer[out++] = before(order[b], order[a]) ? order[b++] : order[a++];
      }
      while (a < middle) buffer[out++] = order[a++];
      while (b < right) buffer[out++] = order[b++];
    }
    order.swap(buffer);
  }
}

// Whether `text` starts with `prefix`, or equals it when `whole`, ignoring case as
// the control's own search does: on the UTF-16 text, by the user's locale.
bool MatchesIgnoringCase(std::wstring_view text, std::wstring_view prefix, bool whole) {
  if (prefix.size() > text.size() || (whole && prefix.size() != text.size())) return false;
  if (prefix.empty()) return true;
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.data(),
                        static_cast<int>(prefix.size()), prefix.data(),
                        static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

// Copies `text` into the control's buffer of `capacity` characters, cut to fit and
// always terminated; a cut never leaves half of a surrogate pair behind.
void CopyText(const std::string& text, wchar_t* buffer, int capacity) {
  if (!buffer || capacity <= 0) return;
  const std::wstring wide = sys::Widen(text);
  size_t length = std::min(wide.size(), static_cast<size_t>(capacity) - 1);
  if (length > 0 && length < wide.size() && IS_HIGH_SURROGATE(wide[length - 1]) &&
      IS_LOW_SURROGATE(wide[length])) {
    --length;
  }
  std::copy_n(wide.data(), length, buffer);
  buffer[length] = L'\0';
}

// Answers the control's question about one row; `image` is the one to show now.
void AnswerDisplayInfo(const ListRow* row, LVITEMW& item, const std::string& text, int image) {
  if (item.mask & LVIF_TEXT) CopyText(row ? text : std::string(), item.pszText, item.cchTextMax);
  if (item.mask & LVIF_IMAGE) item.iImage = row && image >= 0 ? image : I_IMAGENONE;
  if (item.mask & LVIF_PARAM) item.lParam = row ? row->data : 0;
  if (item.mask & LVIF_INDENT) item.iIndent = 0;
}

}  // namespace

const ListRow* ListView::ownRow(int item) const {
  if (item < 0 || static_cast<size_t>(item) >= rows_.size()) return nullptr;
  return &rows_[static_cast<size_t>(item)];
}

ListRow* ListView::ownRow(int item) {
  if (item < 0 || static_cast<size_t>(item) >= rows_.size()) return nullptr;
  return &rows_[static_cast<size_t>(item)];
}

std::string ListView::OwnRowText(const ListRow& row, int column) {
  if (column == 0) return row.caption;
  if (column < 0 || static_cast<size_t>(column) > row.subItems.size()) return {};
  return row.subItems[static_cast<size_t>(column) - 1];
}

// The list asks in the W forms only: create() sets it to Unicode notifications,
// whatever its parent prefers.
bool ListView::answerOwnerData(NMHDR* header, LRESULT* result) {
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
      const ListRow* row = ownRow(item.iItem);
      int image = -1;
      if (row && (item.mask & LVIF_IMAGE)) {
        image = item.iSubItem == 0 ? shownImage(item.iItem, *row) : row->image;
      }
      AnswerDisplayInfo(row, item, row ? OwnRowText(*row, item.iSubItem) : std::string(), image);
      *result = 0;
      return true;
    }
    case LVN_ODFINDITEMW: {
      auto* find = reinterpret_cast<NMLVFINDITEMW*>(header);
      *result = findOwnRow(find->lvfi, find->iStart);
      return true;
    }
  }
  return false;
}

// The type-ahead search of the control (and LVM_FINDITEM): by data, or by the
// caption, whole or its start, ignoring case; from `start` on, then from the top
// when the search may wrap.
int ListView::findOwnRow(const LVFINDINFOW& find, int start) const {
  const int n = static_cast<int>(rows_.size());
  if (n == 0) return -1;
  const std::wstring_view wanted =
      (find.flags & (LVFI_STRING | LVFI_PARTIAL)) && find.psz ? find.psz : L"";
  auto matches = [&](const ListRow& row) {
    if (find.flags & LVFI_PARAM) return row.data == find.lParam;
    if (!(find.flags & (LVFI_STRING | LVFI_PARTIAL))) return false;
    return MatchesIgnoringCase(sys::Widen(row.caption), wanted, !(find.flags & LVFI_PARTIAL));
  };
  const int first = std::clamp(start, 0, n);
  for (int i = first; i < n; ++i) {
    if (matches(rows_[static_cast<size_t>(i)])) return i;
  }
  if (find.flags & LVFI_WRAP) {
    for (int i = 0; i < first; ++i) {
      if (matches(rows_[static_cast<size_t>(i)])) return i;
    }
  }
  return -1;
}

void ListView::syncItemCount() {
  SendMessageW(hwnd_, LVM_SETITEMCOUNT, rows_.size(), LVSICF_NOSCROLL);
}

int ListView::insertOwnRow(const ListRow& row, int at) {
  const size_t size = rows_.size();
  const size_t place = at < 0 || static_cast<size_t>(at) >= size ? size : static_cast<size_t>(at);
  std::vector<int> selected;
  int focused = -1;
  if (place < size) {
    selected = selectedIndexes();
    focused = focusedIndex();
  }
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(place), row);
  rows_[place].checked = false;
  syncItemCount();
  if (place < size) {
    // The rows from `place` on moved down one; their marks follow them.
    for (int& item : selected) item += static_cast<size_t>(item) >= place ? 1 : 0;
    if (focused >= 0 && static_cast<size_t>(focused) >= place) ++focused;
    setMarksQuietly(selected, focused);
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
  return static_cast<int>(place);
}

bool ListView::deleteOwnRow(int item) {
  // A selected row that goes is deselected first, as a plain list does it.
  if (isSelected(item)) select(item, false);
  std::vector<int> selected = selectedIndexes();
  int focused = focusedIndex();
  rows_.erase(rows_.begin() + item);
  std::vector<int> kept;
  for (int other : selected) {
    if (other != item) kept.push_back(other > item ? other - 1 : other);
  }
  if (focused == item) {
    focused = -1;
  } else if (focused > item) {
    --focused;
  }
  setMarksQuietly({}, -1);  // before the count shrinks, so no mark is dropped silently
  syncItemCount();
  setMarksQuietly(kept, focused);
  InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

bool ListView::setOwnRowText(int item, int column, const std::string& text) {
  ListRow* row = ownRow(item);
  if (!row || column < 0) return false;
  if (column == 0) {
    row->caption = text;
  } else {
    if (row->subItems.size() < static_cast<size_t>(column)) {
      row->subItems.resize(static_cast<size_t>(column));
    }
    row->subItems[static_cast<size_t>(column) - 1] = text;
  }
  SendMessageW(hwnd_, LVM_REDRAWITEMS, item, item);
  return true;
}

bool ListView::sortOwnRows(const std::function<int(size_t a, size_t b)>& compare) {
  const size_t n = rows_.size();
  std::vector<size_t> order(n);
  std::iota(order.begin(), order.end(), size_t{0});
  MergeSort(order, [&compare](size_t a, size_t b) {
    try {
      return compare(a, b) < 0;
    } catch (...) {
      return false;  // "equal": the two keep their order
    }
  });
  std::vector<int> selected = selectedIndexes();
  int focused = focusedIndex();
  std::vector<size_t> place(n);
  std::vector<ListRow> sorted;
  sorted.reserve(n);
  for (size_t k = 0; k < n; ++k) {
    place[order[k]] = k;
    sorted.push_back(std::move(rows_[order[k]]));
  }
  rows_ = std::move(sorted);
  for (int& item : selected) item = static_cast<int>(place[static_cast<size_t>(item)]);
  if (focused >= 0 && static_cast<size_t>(focused) < n) {
    focused = static_cast<int>(place[static_cast<size_t>(focused)]);
  }
  cancelTip();
  setMarksQuietly(selected, focused);
  InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

void ListView::setMarksQuietly(const std::vector<int>& selected, int focused) {
  struct Quiet {
    bool& flag;
    explicit Quiet(bool& f) : flag(f) { flag = true; }
    ~Quiet() { flag = false; }
  } quiet(quiet_);
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = 0;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  const int oldFocus = focusedIndex();
  if (oldFocus >= 0 && oldFocus != focused) {
    item.stateMask = LVIS_FOCUSED;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, oldFocus, reinterpret_cast<LPARAM>(&item));
  }
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  for (int row : selected) {
    SendMessageW(hwnd_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  }
  if (focused >= 0) {
    item.stateMask = LVIS_FOCUSED;
    item.state = LVIS_FOCUSED;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, focused, reinterpret_cast<LPARAM>(&item));
  }
}

}  // namespace tk
