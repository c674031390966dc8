#include "toolkit/Control.h"

namespace tk {

std::string WindowText(HWND hwnd) {
  if (!hwnd) return {};
  int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  length = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return text;
}

Control Control::Create(HWND parent, const char* className, int id, const std::string& text,
                        DWORD style, int x, int y, int width, int height, DWORD exStyle) {
  HWND hwnd = CreateWindowExA(
      exStyle, className, text.c_str(), style | WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return Control();
  auto font = reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return Control(hwnd);
}

RECT Control::bounds() const {
  RECT r{};
  if (!GetWindowRect(hwnd_, &r)) return r;
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace tk
