// Placing top-level windows: their size from the client area they need, and their
// position centred over another window (or the screen's work area).
#pragma once

#include <windows.h>

namespace tk {

// The outer size of a window with this style whose client area is width x height.
SIZE WindowSizeForClient(DWORD style, DWORD exStyle, int width, int height);
// Moves `window` so that its centre lies over the centre of `over`, kept inside the
// work area of the monitor that `over` lies on (the window's own when `over` is
// nullptr). A missing, hidden or minimised `over` gives way to that work area.
void CentreOver(HWND window, HWND over);

}  // namespace tk
