#include "toolkit/TickImages.h"

#include <algorithm>

namespace tk {
namespace {

constexpr COLORREF kMaskColour = RGB(255, 0, 255);

void DrawBox(HDC dc, int left, int size, const TickColours& colours) {
  const int inset = size / 8;
  RECT box{left + inset, inset, left + size - inset, size - inset};
  sys::UniqueBrush frame(CreateSolidBrush(colours.frame));
  sys::UniqueBrush fill(CreateSolidBrush(colours.fill));
  FillRect(dc, &box, fill.get());
  FrameRect(dc, &box, frame.get());
}

void DrawTick(HDC dc, int left, int size, COLORREF mark) {
  const int thickness = std::max(2, size / 8);
  sys::UniquePen pen(CreatePen(PS_SOLID, thickness, mark));
  HGDIOBJ old = SelectObject(dc, pen.get());
  const POINT points[3] = {{left + size * 4 / 16, size * 8 / 16},
                           {left + size * 7 / 16, size * 11 / 16},
                           {left + size * 12 / 16, size * 5 / 16}};
  Polyline(dc, points, 3);
  SelectObject(dc, old);
}

void DrawSquare(HDC dc, int left, int size, COLORREF mark) {
  const int inset = size * 4 / 16;
  RECT square{left + inset, inset, left + size - inset, size - inset};
  sys::UniqueBrush green(CreateSolidBrush(mark));
  FillRect(dc, &square, green.get());
}

}  // namespace

UniqueImageList CreateTickStateImages(int size, const TickColours& colours) {
  size = std::max(size, 10);
  UniqueImageList images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 4, 0));
  if (!images) return images;

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  sys::UniqueBitmap strip(CreateCompatibleBitmap(screen, size * 4, size));
  ReleaseDC(nullptr, screen);
  if (!dc || !strip) {
    if (dc) DeleteDC(dc);
    return UniqueImageList();
  }
  HGDIOBJ oldBitmap = SelectObject(dc, strip.get());
  RECT all{0, 0, size * 4, size};
  sys::UniqueBrush mask(CreateSolidBrush(kMaskColour));
  FillRect(dc, &all, mask.get());
  for (int state = kUnticked; state <= kPartlyTicked; ++state)
    DrawBox(dc, state * size, size, colours);
  DrawTick(dc, kTicked * size, size, colours.mark);
  DrawSquare(dc, kPartlyTicked * size, size, colours.mark);
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);

  if (ImageList_AddMasked(images.get(), strip.get(), kMaskColour) < 0) return UniqueImageList();
  return images;
}

}  // namespace tk
