#include "main/MenuIcons.h"

#include <cstdint>
#include <exception>
#include <string_view>

#include "ui/MenuSkin.h"
#include "ui/PngImage.h"

namespace forms {

std::optional<COLORREF> MenuIconInkFor(const std::optional<tk::MenuColours>& menus) {
  if (!menus) return std::nullopt;
  if (ui::ContrastRatio(kMenuIconInk, menus->iconBar) >= ui::kGraphicsContrast &&
      ui::ContrastRatio(kMenuIconInk, menus->highlightBack) >= ui::kGraphicsContrast)
    return std::nullopt;
  return menus->text;
}

void InkGlyphs(ui::Picture& strip, COLORREF ink) {
  std::uint32_t* pixels = strip.pixels();
  if (!pixels) return;
  const std::uint32_t red = GetRValue(ink), green = GetGValue(ink), blue = GetBValue(ink);
  const size_t count = static_cast<size_t>(strip.width()) * strip.height();
  for (size_t i = 0; i < count; ++i) {
    const std::uint32_t alpha = pixels[i] >> 24;
    auto premultiplied = [alpha](std::uint32_t channel) { return (channel * alpha + 127) / 255; };
    pixels[i] = (alpha << 24) | (premultiplied(red) << 16) | (premultiplied(green) << 8) |
                premultiplied(blue);
  }
}

tk::UniqueImageList LoadMenuIcons(std::optional<COLORREF> ink) {
  HMODULE exe = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(kMenuIconsResource), MAKEINTRESOURCEW(10));
  HGLOBAL loaded = found ? LoadResource(exe, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  try {
    ui::Picture strip = ui::DecodePng(
        std::string_view(static_cast<const char*>(bytes), SizeofResource(exe, found)));
    const int cell = strip.height();
    if (cell <= 0 || strip.width() < cell * kMenuIconCount) return {};
    if (ink) InkGlyphs(strip, *ink);
    tk::UniqueImageList list(ImageList_Create(cell, cell, ILC_COLOR32, kMenuIconCount, 0));
    if (!list || ImageList_Add(list.get(), strip.bitmap(), nullptr) < 0) return {};
    return list;
  } catch (const std::exception&) {
    return {};  // a strip that does not decode leaves the menus without pictures
  }
}

}  // namespace forms
