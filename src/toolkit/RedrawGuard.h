// Suspends a window's repainting for a scope (WM_SETREDRAW), so that filling a
// list redraws it once. Guards nest: only the outermost one resumes painting, and
// then invalidates the window so that it is drawn anew.
//
//   { tk::RedrawGuard hold(list.hwnd()); ... add a thousand rows ... }
#pragma once

#include <windows.h>

namespace tk {

class RedrawGuard {
 public:
  explicit RedrawGuard(HWND hwnd);
  ~RedrawGuard();
  RedrawGuard(const RedrawGuard&) = delete;
  RedrawGuard& operator=(const RedrawGuard&) = delete;

  // Whether some guard holds this window's painting now.
  static bool IsHeld(HWND hwnd);

 private:
  HWND hwnd_;
};

}  // namespace tk
