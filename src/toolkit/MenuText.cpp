#include "toolkit/MenuText.h"

#include "sys/Text.h"

namespace toolkit {

bool AppendMenuItemUtf8(HMENU menu, UINT flags, UINT_PTR id, std::string_view text) {
  return AppendMenuW(menu, flags | MF_STRING, id, sys::Widen(text).c_str()) != FALSE;
}

bool SetMenuItemTextUtf8(HMENU menu, UINT item, bool byPosition, std::string_view text) {
  std::wstring wide = sys::Widen(text);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = wide.data();
  return SetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info) != FALSE;
}

std::string MenuItemTextUtf8(HMENU menu, UINT item, bool byPosition) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  // First the length (without the NUL), then the text.
  if (!GetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info)) return std::string();
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info)) return std::string();
  text.resize(info.cch);
  return sys::Narrow(text);
}

}  // namespace toolkit
