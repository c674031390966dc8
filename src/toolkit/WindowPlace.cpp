#include "toolkit/WindowPlace.h"

#include <algorithm>

namespace tk {

SIZE WindowSizeForClient(DWORD style, DWORD exStyle, int width, int height) {
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void CentreOver(HWND window, HWND over) {
  // The work area of the monitor that `over` (else the window itself) lies on, so
  // that a window never opens across two monitors or under a taskbar.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  RECT work{};
  if (GetMonitorInfoW(MonitorFromWindow(over ? over : window, MONITOR_DEFAULTTOPRIMARY),
                      &monitor)) {
    work = monitor.rcWork;
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  }
  RECT target = work;
  if (over && IsWindowVisible(over) && !IsIconic(over)) GetWindowRect(over, &target);
  RECT self{};
  GetWindowRect(window, &self);
  const int width = self.right - self.left, height = self.bottom - self.top;
  int x = target.left + ((target.right - target.left) - width) / 2;
  int y = target.top + ((target.bottom - target.top) - height) / 2;
  x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - width));
  y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - height));
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tk
