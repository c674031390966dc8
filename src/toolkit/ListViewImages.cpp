// Images on demand for a list that keeps its rows: the control asks for a row's
// image when it draws the row; a row that has none yet is shown with the
// placeholder and noted, and a message posted to the control asks the source for
// the noted rows once the drawing is done, a few at a time, each drawn again as its
// image comes. Rows that have scrolled out of view by then wait until they are
// drawn again.
#include <algorithm>

#include "toolkit/ListView.h"

namespace tk {
namespace {

// Rows asked for per message: the list is drawn again in between, so that keys and
// the scroll bar answer even while a page of slow images comes in.
constexpr size_t kImagesPerMessage = 8;

}  // namespace

UINT ListView::ResolveImagesMessage() {
  static const UINT message = RegisterWindowMessageW(L"Prunaxis.ListView.ResolveImages");
  return message;
}

void ListView::setImagesOnDemand(ImageSource source, int placeholder) {
  imageSource_ = std::move(source);
  imagePlaceholder_ = placeholder;
  if (hwnd_ && ownerData_) InvalidateRect(hwnd_, nullptr, FALSE);
}

bool ListView::imagePending(int item) const {
  const ListRow* row = ownRow(item);
  return row && row->image == kImageOnDemand;
}

int ListView::shownImage(int item, const ListRow& row) {
  if (row.image != kImageOnDemand) return row.image;
  if (imageSource_) {
    wantedImages_.push_back(item);
    if (!imagesPosted_ && PostMessageW(hwnd_, ResolveImagesMessage(), 0, 0)) imagesPosted_ = true;
  }
  return imagePlaceholder_;
}

void ListView::resolveWantedImages() {
  imagesPosted_ = false;
  std::vector<int> wanted;
  wanted.swap(wantedImages_);
  // A hidden list asks again when it is drawn.
  if (!imageSource_ || !hwnd_ || !IsWindowVisible(hwnd_)) return;
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  RECT client{};
  GetClientRect(hwnd_, &client);
  size_t asked = 0;
  size_t next = 0;
  for (; next < wanted.size() && asked < kImagesPerMessage; ++next) {
    const int item = wanted[next];
    if (!imagePending(item)) continue;
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    RECT shown{};
    if (!SendMessageW(hwnd_, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&bounds)) ||
        !IntersectRect(&shown, &bounds, &client))
      continue;  // scrolled away meanwhile
    int image = -1;
    try {
      image = imageSource_(item);
    } catch (...) {
      image = -1;  // drawn without one rather than asked again and again
    }
    if (ListRow* row = ownRow(item); row && row->image == kImageOnDemand) {
      row->image = image >= 0 ? image : -1;
    }
    SendMessageW(hwnd_, LVM_REDRAWITEMS, item, item);
    ++asked;
  }
  if (next < wanted.size()) {
    wantedImages_.insert(wantedImages_.end(), wanted.begin() + static_cast<std::ptrdiff_t>(next),
                         wanted.end());
    if (!imagesPosted_ && PostMessageW(hwnd_, ResolveImagesMessage(), 0, 0)) imagesPosted_ = true;
  }
  // Drawn now: a posted message would otherwise come before the paint.
  if (asked > 0) UpdateWindow(hwnd_);
}

}  // namespace tk
