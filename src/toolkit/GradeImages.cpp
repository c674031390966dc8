#include "toolkit/GradeImages.h"

#include <algorithm>

namespace tk {
namespace {

constexpr COLORREF kMaskColour = RGB(255, 0, 255);
constexpr COLORREF kGlyph = RGB(255, 255, 255);

void DrawDisc(HDC dc, int left, int size, int inset, COLORREF fill, COLORREF rim) {
  sys::UniqueBrush brush(CreateSolidBrush(fill));
  sys::UniquePen pen(CreatePen(PS_SOLID, 1, rim));
  HGDIOBJ oldBrush = SelectObject(dc, brush.get());
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  Ellipse(dc, left + inset, inset, left + size - inset, size - inset);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

// A white line through points given on a 16-pixel grid, scaled to `size`.
void DrawGlyph(HDC dc, int left, int size, const POINT* grid, int count) {
  sys::UniquePen pen(CreatePen(PS_SOLID, std::max(2, size / 8), kGlyph));
  HGDIOBJ old = SelectObject(dc, pen.get());
  POINT points[8];
  count = std::min(count, 8);
  for (int i = 0; i < count; ++i) points[i] = {left + grid[i].x * size / 16, grid[i].y * size / 16};
  Polyline(dc, points, count);
  SelectObject(dc, old);
}

void DrawSure(HDC dc, int left, int size) {
  DrawDisc(dc, left, size, 0, kGradeSureFill, kGradeSureRim);
  const POINT tick[] = {{4, 8}, {7, 11}, {12, 5}};
  DrawGlyph(dc, left, size, tick, 3);
}

void DrawLikely(HDC dc, int left, int size) {
  // A dot rather than a disc: smaller, so that it is told from the other two by
  // its shape as well as its colour.
  DrawDisc(dc, left, size, size * 3 / 16, kGradeLikelyFill, kGradeLikelyRim);
}

void DrawDoubtful(HDC dc, int left, int size) {
  DrawDisc(dc, left, size, 0, kGradeDoubtfulFill, kGradeDoubtfulRim);
  const POINT hook[] = {{5, 6}, {6, 4}, {10, 4}, {11, 6}, {8, 8}, {8, 10}};
  DrawGlyph(dc, left, size, hook, 6);
  const int dot = std::max(2, size / 8);
  RECT point{left + size / 2 - dot / 2, size * 12 / 16, left + size / 2 - dot / 2 + dot,
             size * 12 / 16 + dot};
  sys::UniqueBrush white(CreateSolidBrush(kGlyph));
  FillRect(dc, &point, white.get());
}

}  // namespace

UniqueImageList CreateGradeImages(int size) {
  size = std::max(size, 10);
  UniqueImageList images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kGradeImageCount, 0));
  if (!images) return images;

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  sys::UniqueBitmap strip(CreateCompatibleBitmap(screen, size * kGradeImageCount, size));
  ReleaseDC(nullptr, screen);
  if (!dc || !strip) {
    if (dc) DeleteDC(dc);
    return UniqueImageList();
  }
  HGDIOBJ oldBitmap = SelectObject(dc, strip.get());
  RECT all{0, 0, size * kGradeImageCount, size};
  sys::UniqueBrush mask(CreateSolidBrush(kMaskColour));
  FillRect(dc, &all, mask.get());
  DrawSure(dc, kGradeImageSure * size, size);
  DrawLikely(dc, kGradeImageLikely * size, size);
  DrawDoubtful(dc, kGradeImageDoubtful * size, size);
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);

  if (ImageList_AddMasked(images.get(), strip.get(), kMaskColour) < 0) return UniqueImageList();
  return images;
}

}  // namespace tk
