#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "TestWindow.h"
#include "support/MessagePump.h"
#include "support/ScriptedMessageBoxes.h"
#include "toolkit/MessageBox.h"

namespace toolkit_tests {
namespace {

using testing_support::PumpMessagesFor;
using testing_support::PumpMessagesUntil;

TEST(Window, FromHandleFindsOwnWindowsOnly) {
  TestWindow window;
  ASSERT_NE(window.hwnd(), nullptr);
  EXPECT_EQ(tk::Window::FromHandle(window.hwnd()), &window);
  EXPECT_EQ(tk::Window::FromHandle(GetDesktopWindow()), nullptr);
  EXPECT_EQ(tk::Window::FromHandle(nullptr), nullptr);

  HWND hwnd = window.hwnd();
  window.destroy();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(window.hwnd(), nullptr);
}

TEST(Window, TextRoundTripsLongCaptions) {
  TestWindow window;
  std::string caption(3000, 'x');
  caption += " end";
  window.setText(caption);
  EXPECT_EQ(window.text(), caption);
}

TEST(WindowTimer, TimerTicksUntilKilled) {
  TestWindow window;
  ASSERT_TRUE(window.setTimer(1, 10));
  ASSERT_TRUE(window.setTimer(2, 15));
  auto count = [&](UINT_PTR id) {
    return std::count(window.ticks.begin(), window.ticks.end(), id);
  };
  ASSERT_TRUE(PumpMessagesUntil([&] { return count(1) >= 3 && count(2) >= 2; }, 30000))
      << "ticks of timer 1: " << count(1) << ", of timer 2: " << count(2);

  window.killTimer(1);
  window.killTimer(2);
  const size_t after = window.ticks.size();
  PumpMessagesFor(200);
  EXPECT_EQ(window.ticks.size(), after) << "a killed timer ticked again";
}

TEST(WindowTimer, TimerTicksInsideModalLoop) {
  TestWindow owner;
  TestWindow dialog(owner.hwnd());
  dialog.setTimer(7, 20);
  dialog.hook = [&](UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_TIMER && wParam == 7) {
      dialog.killTimer(7);
      dialog.endModal(IDOK);
      return 0;
    }
    return std::nullopt;
  };
  EXPECT_EQ(dialog.showModalFor(owner.hwnd()), IDOK);
}

TEST(Window, ExceptionFromHandlerShowsStandardErrorMessage) {
  testing_support::ScriptedMessageBoxes boxes({IDOK});
  tk::SetApplicationTitle("Toolkit Test");
  TestWindow window;
  window.command = [](WORD id, WORD, HWND) -> bool {
    if (id == 77) throw std::runtime_error("Bounds \"a, 1, 2, 3\" is not a number");
    return false;
  };
  SendMessageA(window.hwnd(), WM_COMMAND, 77, 0);
  tk::SetApplicationTitle("");

  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_EQ(boxes.last().text, "Bounds \"a, 1, 2, 3\" is not a number");
  EXPECT_EQ(boxes.last().caption, "Toolkit Test");
  EXPECT_EQ(boxes.last().flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(boxes.last().owner, window.hwnd());
  EXPECT_TRUE(IsWindow(window.hwnd())) << "the window goes on after the error";
}

TEST(Window, ApplicationTitleDefaultsToExecutableName) {
  tk::SetApplicationTitle("");
  EXPECT_EQ(tk::ApplicationTitle(), "toolkit_tests");
}

}  // namespace
}  // namespace toolkit_tests
