#include "toolkit/HintTip.h"

#include <commctrl.h>

#include "sys/Text.h"

namespace tk {

HintTip::~HintTip() {
  if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

void HintTip::set(HWND window, const std::string& text) {
  if (!window) return;
  if (!tip_) {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
    if (!tip_) return;
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 600);
  }
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = GetParent(window) ? GetParent(window) : window;
  info.uId = reinterpret_cast<UINT_PTR>(window);
  if (hasTool_ && window_ != window) {
    TOOLINFOW old = info;
    old.hwnd = GetParent(window_) ? GetParent(window_) : window_;
    old.uId = reinterpret_cast<UINT_PTR>(window_);
    SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&old));
    hasTool_ = false;
  }
  window_ = window;
  text_ = text;
  if (text_.empty()) {
    if (hasTool_) SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    hasTool_ = false;
    return;
  }
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  std::wstring wide = sys::Widen(text_);  // the tip keeps a copy of its own
  info.lpszText = wide.data();
  if (hasTool_) {
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  } else {
    hasTool_ = SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
  }
}

}  // namespace tk
