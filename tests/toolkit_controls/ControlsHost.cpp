#include "ControlsHost.h"

#include <algorithm>

#include "support/MessagePump.h"

namespace controls_tests {

Host::Host(int width, int height) {
  tk::WindowParams params;
  params.className = "PrunaxisControlsTestHost";
  params.caption = "Controls test";
  params.style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
  params.x = 60;
  params.y = 60;
  params.width = width;
  params.height = height;
  params.background = GetSysColorBrush(COLOR_WINDOW);
  create(params);
  Pump(30);
}

size_t Host::countNotifications(HWND from, UINT code) const {
  return static_cast<size_t>(
      std::count_if(notifications.begin(), notifications.end(),
                    [&](const Notification& n) { return n.from == from && n.code == code; }));
}

LRESULT Host::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MEASUREITEM || msg == WM_DRAWITEM) ownerDrawMessages.push_back(msg);
  if (hook) {
    if (std::optional<LRESULT> result = hook(msg, wParam, lParam)) return *result;
  }
  return tk::Window::handleMessage(msg, wParam, lParam);
}

bool Host::onCommand(WORD id, WORD code, HWND control) {
  commands.push_back({id, code, control});
  return actions && actions->onCommand(id, code, control);
}

LRESULT Host::onNotify(NMHDR* header, bool* handled) {
  notifications.push_back({header->hwndFrom, header->code});
  *handled = false;
  return 0;
}

void Pump(DWORD ms) {
  testing_support::PumpMessagesFor(ms);
}

void PostClick(HWND target, POINT p, UINT button, DWORD pumpMs) {
  UINT down = WM_LBUTTONDOWN, up = WM_LBUTTONUP;
  WPARAM keys = MK_LBUTTON;
  if (button == VK_RBUTTON) {
    down = WM_RBUTTONDOWN;
    up = WM_RBUTTONUP;
    keys = MK_RBUTTON;
  } else if (button == VK_MBUTTON) {
    down = WM_MBUTTONDOWN;
    up = WM_MBUTTONUP;
    keys = MK_MBUTTON;
  }
  const LPARAM at = MAKELPARAM(p.x, p.y);
  PostMessageA(target, down, keys, at);
  PostMessageA(target, up, 0, at);
  Pump(pumpMs);
}

Capture::Capture(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  width_ = client.right;
  height_ = client.bottom;
  if (width_ <= 0 || height_ <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  pixels_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
  const auto* raw = static_cast<const DWORD*>(bits);
  for (size_t i = 0; i < pixels_.size(); ++i) {
    const DWORD v = raw[i];  // 0x00RRGGBB
    pixels_[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

COLORREF Capture::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

int Capture::count(const RECT& r, const std::function<bool(COLORREF)>& test) const {
  int n = 0;
  for (int y = std::max<int>(0, r.top); y < std::min<int>(height_, r.bottom); ++y) {
    for (int x = std::max<int>(0, r.left); x < std::min<int>(width_, r.right); ++x) {
      if (test(at(x, y))) ++n;
    }
  }
  return n;
}

int Capture::longestRun(const RECT& r, const std::function<bool(COLORREF)>& test) const {
  int best = 0;
  for (int y = std::max<int>(0, r.top); y < std::min<int>(height_, r.bottom); ++y) {
    int run = 0;
    for (int x = std::max<int>(0, r.left); x < std::min<int>(width_, r.right); ++x) {
      run = test(at(x, y)) ? run + 1 : 0;
      best = std::max(best, run);
    }
  }
  return best;
}

bool IsBlue(COLORREF c) {
  return GetBValue(c) >= 150 && GetRValue(c) < 110 && GetGValue(c) < 110;
}

bool IsGreen(COLORREF c) {
  return GetGValue(c) >= 110 && GetRValue(c) < 80 && GetBValue(c) < 80;
}

bool IsDark(COLORREF c) {
  return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90;
}

POINT Centre(const RECT& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace controls_tests
