#include "toolkit/HintTip.h"

#include <commctrl.h>

namespace tk {

HintTip::~HintTip() {
  if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

void HintTip::set(HWND window, const std::string& text) {
  if (!window) return;
  if (!tip_) {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
    if (!tip_) return;
    SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, 600);
  }
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.hwnd = GetParent(window) ? GetParent(window) : window;
  info.uId = reinterpret_cast<UINT_PTR>(window);
  if (hasTool_ && window_ != window) {
    TOOLINFOA old = info;
    old.hwnd = GetParent(window_) ? GetParent(window_) : window_;
    old.uId = reinterpret_cast<UINT_PTR>(window_);
    SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&old));
    hasTool_ = false;
  }
  window_ = window;
  text_ = text;
  if (text_.empty()) {
    if (hasTool_) SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    hasTool_ = false;
    return;
  }
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.lpszText = text_.data();
  if (hasTool_) {
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
  } else {
    hasTool_ = SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
  }
}

}  // namespace tk
