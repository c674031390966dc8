#include "toolkit/PageControl.h"

namespace tk {

Panel& PageControl::addPage() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  auto page = std::make_unique<Panel>();
  page->create(hwnd(), client, 0, false);
  Panel& added = *page;
  ownPages_.push_back(std::move(page));
  adopt(added.hwnd());
  return added;
}

int PageControl::addPage(HWND page) {
  if (!page || !hwnd()) return -1;
  SetParent(page, hwnd());
  const LONG style = GetWindowLongW(page, GWL_STYLE);
  SetWindowLongW(page, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
  return adopt(page);
}

int PageControl::adopt(HWND page) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  MoveWindow(page, 0, 0, client.right, client.bottom, FALSE);
  pages_.push_back(page);
  const int index = pageCount() - 1;
  if (active_ < 0) {
    setActive(index);
  } else {
    ShowWindow(page, SW_HIDE);
  }
  return index;
}

HWND PageControl::pageHandle(int index) const {
  if (index < 0 || index >= pageCount()) return nullptr;
  return pages_[static_cast<size_t>(index)];
}

bool PageControl::setActive(int index) {
  if (index < 0 || index >= pageCount()) return false;
  HWND shown = pages_[static_cast<size_t>(index)];
  // Show the new page before hiding the old one, so nothing flickers through.
  ShowWindow(shown, SW_SHOW);
  for (HWND page : pages_) {
    if (page != shown) ShowWindow(page, SW_HIDE);
  }
  const bool changed = index != active_;
  active_ = index;
  if (changed && onChange) onChange(index);
  return true;
}

void PageControl::onSize(int width, int height) {
  for (HWND page : pages_) MoveWindow(page, 0, 0, width, height, TRUE);
}

}  // namespace tk
