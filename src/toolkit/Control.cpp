#include "toolkit/Control.h"

#include <commctrl.h>

#include "sys/Text.h"

namespace tk {

std::string WindowText(HWND hwnd) {
  if (!hwnd) return {};
  return toolkit::GetWindowTextUtf8(hwnd);
}

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t cls[64] = {};
  return GetClassNameW(window, cls, 64) && lstrcmpiW(cls, name) == 0;
}

bool IsCheckOrRadioButton(HWND window) {
  if (!HasClass(window, WC_BUTTONW)) return false;
  switch (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

Control Control::Create(HWND parent, const char* className, int id, const std::string& text,
                        DWORD style, int x, int y, int width, int height, DWORD exStyle) {
  if (!className) return Control();
  const std::wstring name = sys::Widen(className);
  return Create(parent, name.c_str(), id, text, style, x, y, width, height, exStyle);
}

Control Control::Create(HWND parent, const wchar_t* className, int id, const std::string& text,
                        DWORD style, int x, int y, int width, int height, DWORD exStyle) {
  const std::wstring caption = sys::Widen(text);
  HWND hwnd =
      CreateWindowExW(exStyle, className, caption.c_str(), style | WS_CHILD | WS_VISIBLE, x, y,
                      width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return Control();
  auto font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return Control(hwnd);
}

RECT Control::bounds() const {
  RECT r{};
  if (!GetWindowRect(hwnd_, &r)) return r;
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace tk
