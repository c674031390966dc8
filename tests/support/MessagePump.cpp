#include "support/MessagePump.h"

#include "toolkit/MessageLoop.h"

namespace testing_support {

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {  // not ours: leave it for the caller
        PostQuitMessage(static_cast<int>(msg.wParam));
        return done();
      }
      tk::DispatchLoopMessage(msg);
      if (done()) return true;
    }
    if (done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE,
                              timeoutMs - elapsed < 10 ? timeoutMs - elapsed : 10, QS_ALLINPUT);
  }
}

void PumpMessagesFor(DWORD ms) {
  PumpMessagesUntil([] { return false; }, ms);
}

}  // namespace testing_support
