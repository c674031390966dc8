#include "toolkit/DialogFrame.h"

#include <utility>

#include "toolkit/WindowPlace.h"

namespace tk {

WindowParams DialogParams(const char* className, std::string caption, HWND owner, int clientWidth,
                          int clientHeight, DWORD style, DWORD exStyle) {
  WindowParams params;
  params.className = className;
  params.caption = std::move(caption);
  params.style = style;
  params.exStyle = exStyle;
  const SIZE size = WindowSizeForClient(style, exStyle, clientWidth, clientHeight);
  params.width = size.cx;
  params.height = size.cy;
  params.x = 0;
  params.y = 0;
  params.parent = owner;
  return params;
}

void SetDarkCaption(HWND window, bool dark) {
  // The attribute's number changed once: 19 on builds before 18985, 20 since.
  constexpr DWORD kImmersiveDarkMode = 20, kImmersiveDarkModeBefore20H1 = 19;
  using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  static const auto set = [] {
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    return dwm ? reinterpret_cast<SetAttribute>(
                     reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
               : nullptr;
  }();
  if (!set || !window) return;
  const BOOL value = dark ? TRUE : FALSE;
  if (FAILED(set(window, kImmersiveDarkMode, &value, sizeof value)))
    set(window, kImmersiveDarkModeBefore20H1, &value, sizeof value);
}

}  // namespace tk
