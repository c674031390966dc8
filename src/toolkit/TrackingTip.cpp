#include "toolkit/TrackingTip.h"

#include <commctrl.h>

#include "sys/Text.h"

namespace tk {
namespace {

constexpr UINT_PTR kToolId = 1;

}  // namespace

TrackingTip::~TrackingTip() {
  destroy();
}

void TrackingTip::destroy() {
  if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
  tip_ = nullptr;
  owner_ = nullptr;
  active_ = false;
  text_.clear();
}

void TrackingTip::toolInfo(TOOLINFOW& info) const {
  info = TOOLINFOW{};
  // The size that every version of the common controls accepts.
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = owner_;
  info.uId = kToolId;
}

bool TrackingTip::create(HWND owner, int maxWidth) {
  if (tip_) return true;
  if (!owner) return false;
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&init);
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                         WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
  if (!tip_) return false;
  owner_ = owner;
  TOOLINFOW info;
  toolInfo(info);
  info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  info.lpszText = const_cast<wchar_t*>(L"");
  if (!SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) {
    DestroyWindow(tip_);
    tip_ = nullptr;
    return false;
  }
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, maxWidth);
  return true;
}

void TrackingTip::show(const std::string& text, POINT screen) {
  if (!tip_) return;
  if (text.empty()) {
    hide();
    return;
  }
  TOOLINFOW info;
  toolInfo(info);
  text_ = text;
  std::wstring wide = sys::Widen(text_);  // the tip keeps a copy of its own
  info.lpszText = wide.data();
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
  toolInfo(info);
  SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
  active_ = true;
}

void TrackingTip::hide() {
  text_.clear();
  if (!tip_ || !active_) return;
  TOOLINFOW info;
  toolInfo(info);
  SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
  active_ = false;
}

bool TrackingTip::shown() const {
  return tip_ && active_ && IsWindowVisible(tip_);
}

}  // namespace tk
