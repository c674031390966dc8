// The program's message loops. Every loop (the main one, each modal one) treats a
// message the same way: the window object at the root of the message's target may
// take it first (accelerators), then dialog keys (Tab, Enter, Escape) go to that
// top-level window's controls, then it is translated and dispatched.
#pragma once

#include <windows.h>

namespace tk {

// Pre-translates and dispatches one retrieved message as described above.
void DispatchLoopMessage(MSG& msg);

// The program's message loop; returns the WM_QUIT exit code.
int RunMessageLoop();

// Handles the messages that are waiting now, without blocking. A WM_QUIT met on
// the way is posted again for the loop that owns it, and ends the call.
void ProcessPendingMessages();

}  // namespace tk
