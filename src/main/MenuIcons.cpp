#include "main/MenuIcons.h"

#include <exception>
#include <string_view>

#include "ui/PngImage.h"

namespace forms {

tk::UniqueImageList LoadMenuIcons() {
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
    tk::UniqueImageList list(ImageList_Create(cell, cell, ILC_COLOR32, kMenuIconCount, 0));
    if (!list || ImageList_Add(list.get(), strip.bitmap(), nullptr) < 0) return {};
    return list;
  } catch (const std::exception&) {
    return {};  // a strip that does not decode leaves the menus without pictures
  }
}

}  // namespace forms
