// Message pumping for GUI tests that drive windows of their own thread: handle
// messages until something has happened, never longer than the time given.
//
//   button.send(BM_CLICK);
//   ASSERT_TRUE(PumpMessagesUntil([&] { return handlerRan; }, 2000));
#pragma once

#include <windows.h>

#include <functional>

namespace testing_support {

// Dispatches messages (the way the program's loops do) until `done` returns true
// (checked before each wait) or `timeoutMs` has passed. Returns done().
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Dispatches messages for `ms` milliseconds.
void PumpMessagesFor(DWORD ms);

}  // namespace testing_support
