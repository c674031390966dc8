// The frame that the program's dialog-like windows share: a caption with a close
// box, a dialog border that does not size, and the creation parameters of such a
// window from the client area its controls were laid out for.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Window.h"

namespace tk {

// Caption and close box, no sizing border; children are clipped from its painting.
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;

// Parameters of a top-level window of class `className` owned by `owner`, whose
// frame (`style`, `exStyle`) is sized so that the client area is clientWidth x
// clientHeight. It is placed at the screen's top-left corner: callers centre it
// when they show it (CentreOver), or set x and y before creating it.
WindowParams DialogParams(const char* className, std::string caption, HWND owner, int clientWidth,
                          int clientHeight, DWORD style = kDialogStyle,
                          DWORD exStyle = kDialogExStyle);

// Asks the system to draw a top-level window's caption and frame dark (Windows 10
// from build 18985, and 11) or in its usual colours; elsewhere nothing changes.
void SetDarkCaption(HWND window, bool dark);

}  // namespace tk
