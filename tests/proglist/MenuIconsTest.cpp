// The strip's glyphs redrawn in another ink keep their edges (the main window's
// menus show the ink itself, SkinsMenuTest).
#include <gtest/gtest.h>

#include "main/MenuIcons.h"

TEST(MenuIcons, InkingKeepsEachPixelsCoverageAndPremultipliesTheInk) {
  auto premultiplied = [](COLORREF c, std::uint32_t alpha) {
    auto p = [alpha](std::uint32_t v) { return (v * alpha + 127) / 255; };
    return (alpha << 24) | (p(GetRValue(c)) << 16) | (p(GetGValue(c)) << 8) | p(GetBValue(c));
  };
  ui::Picture strip = ui::Picture::Create(4, 1);
  const std::uint32_t coverage[4] = {0, 64, 200, 255};
  for (int x = 0; x < 4; ++x) strip.pixels()[x] = premultiplied(forms::kMenuIconInk, coverage[x]);
  forms::InkGlyphs(strip, RGB(227, 233, 240));
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(strip.pixel(x, 0), premultiplied(RGB(227, 233, 240), coverage[x])) << x;
  EXPECT_FALSE(forms::MenuIconInkFor(std::nullopt)) << "the system's menus keep the strip's ink";
}
