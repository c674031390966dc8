// The three grade pictures, drawn on a light and on a dark ground: each shows its
// own colour, stands out from both grounds, leaves its corners transparent, and
// differs from the other two.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "toolkit/GradeImages.h"

namespace {

constexpr int kSize = 16;

std::vector<COLORREF> Draw(HIMAGELIST images, int index, COLORREF ground) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kSize, kSize);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, kSize, kSize};
  HBRUSH brush = CreateSolidBrush(ground);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  ImageList_Draw(images, index, dc, 0, 0, ILD_TRANSPARENT);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

int Luma(COLORREF c) {
  return (GetRValue(c) * 3 + GetGValue(c) * 6 + GetBValue(c)) / 10;
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) < 24 && std::abs(GetGValue(a) - GetGValue(b)) < 24 &&
         std::abs(GetBValue(a) - GetBValue(b)) < 24;
}

TEST(GradeImages, EachPictureShowsItsColourOnLightAndDarkGrounds) {
  tk::UniqueImageList images = tk::CreateGradeImages(kSize);
  ASSERT_TRUE(images);
  ASSERT_EQ(ImageList_GetImageCount(images.get()), tk::kGradeImageCount);
  const COLORREF fills[] = {tk::kGradeSureFill, tk::kGradeLikelyFill, tk::kGradeDoubtfulFill};
  std::vector<std::vector<COLORREF>> onWhite;
  for (int i = 0; i < tk::kGradeImageCount; ++i) {
    for (COLORREF ground : {RGB(255, 255, 255), RGB(0, 0, 0)}) {
      const std::vector<COLORREF> pixels = Draw(images.get(), i, ground);
      int fill = 0, dark = 0, light = 0;
      for (COLORREF c : pixels) {
        if (Near(c, fills[i])) ++fill;
        if (c != ground && Luma(c) < 110) ++dark;
        if (c != ground && Luma(c) > 100) ++light;
      }
      EXPECT_GE(fill, kSize * kSize / 8) << "picture " << i << " shows its colour";
      // A dark rim against a light ground, a bright fill against a dark one.
      EXPECT_GE(ground == RGB(255, 255, 255) ? dark : light, kSize) << "picture " << i;
      EXPECT_EQ(pixels.front(), ground) << "picture " << i << ": its corner is transparent";
      if (ground == RGB(255, 255, 255)) onWhite.push_back(pixels);
    }
  }
  for (int a = 0; a < tk::kGradeImageCount; ++a) {
    for (int b = a + 1; b < tk::kGradeImageCount; ++b) {
      int differ = 0;
      for (int p = 0; p < kSize * kSize; ++p) differ += onWhite[a][p] != onWhite[b][p];
      EXPECT_GE(differ, kSize * 2) << a << " and " << b;
    }
  }
}

}  // namespace
