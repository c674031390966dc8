// A visible form for the control tests: records what its controls report to it
// (commands, notifications, owner-draw messages) and lets a test hook any message.
// Also: posted mouse clicks, client captures and colour checks.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "toolkit/ActionList.h"
#include "toolkit/Window.h"

namespace controls_tests {

struct Notification {
  HWND from;
  UINT code;
};

struct Command {
  WORD id;
  WORD code;
  HWND control;
};

class Host : public tk::Window {
 public:
  Host(int width = 640, int height = 420);
  ~Host() override { destroy(); }

  std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> hook;
  tk::ActionList* actions = nullptr;
  std::vector<Notification> notifications;
  std::vector<Command> commands;
  std::vector<UINT> ownerDrawMessages;  // WM_MEASUREITEM / WM_DRAWITEM, as they came

  size_t countNotifications(HWND from, UINT code) const;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool onCommand(WORD id, WORD code, HWND control) override;
  LRESULT onNotify(NMHDR* header, bool* handled) override;
};

// Posts a press and release of `button` (VK_LBUTTON, VK_RBUTTON, VK_MBUTTON) at a
// client point, then pumps messages for `pumpMs`.
void PostClick(HWND target, POINT client, UINT button = VK_LBUTTON, DWORD pumpMs = 60);
void Pump(DWORD ms);

// The window's client area as it paints itself into a memory bitmap
// (WM_PRINTCLIENT), row by row, as COLORREF values.
class Capture {
 public:
  explicit Capture(HWND hwnd);
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF at(int x, int y) const;
  // Pixels inside `r` (clipped to the capture) for which `test` holds.
  int count(const RECT& r, const std::function<bool(COLORREF)>& test) const;
  // The longest horizontal run inside `r` of pixels for which `test` holds.
  int longestRun(const RECT& r, const std::function<bool(COLORREF)>& test) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<COLORREF> pixels_;
};

// Clearly blue text (the link colour, anti-aliased or not).
bool IsBlue(COLORREF c);
bool IsGreen(COLORREF c);
// Dark, colourless pixels (black text).
bool IsDark(COLORREF c);

POINT Centre(const RECT& r);

}  // namespace controls_tests
