#include <gtest/gtest.h>

#include "TestWindow.h"
#include "toolkit/Control.h"

namespace toolkit_tests {
namespace {

constexpr UINT kStep = WM_APP + 1;

// The exit code of a pending WM_QUIT, or -1 when none comes within a second.
int TakeQuitMessage() {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 1000) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
  return -1;
}

bool Enabled(HWND hwnd) {
  return IsWindowEnabled(hwnd) != FALSE;
}

// Runs `body` once, when the window handles kStep inside its modal loop.
void OnStep(TestWindow& window, std::function<void()> body) {
  window.hook = [body = std::move(body)](UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg != kStep) return std::nullopt;
    body();
    return 0;
  };
  PostMessageA(window.hwnd(), kStep, 0, 0);
}

TEST(WindowModal, EndModalReturnsResultAndOwnerIsDisabledMeanwhile) {
  TestWindow owner;
  owner.show();
  TestWindow dialog(owner.hwnd(), "Dialog");
  ASSERT_TRUE(owner.hwnd() && dialog.hwnd());

  bool ownerEnabledInside = true, dialogVisibleInside = false, modalInside = false;
  OnStep(dialog, [&] {
    ownerEnabledInside = Enabled(owner.hwnd());
    dialogVisibleInside = dialog.visible();
    modalInside = dialog.inModalLoop();
    dialog.endModal(42);
  });
  EXPECT_EQ(dialog.showModalFor(owner.hwnd()), 42);
  EXPECT_FALSE(ownerEnabledInside);
  EXPECT_TRUE(dialogVisibleInside);
  EXPECT_TRUE(modalInside);
  EXPECT_TRUE(Enabled(owner.hwnd()));
  EXPECT_FALSE(dialog.inModalLoop());
  EXPECT_FALSE(dialog.visible()) << "a modal window is hidden when its loop ends";
  EXPECT_TRUE(IsWindow(dialog.hwnd())) << "and kept for its owner to free";

  // The same window can be shown modally again.
  OnStep(dialog, [&] { dialog.endModal(IDOK); });
  EXPECT_EQ(dialog.showModalFor(owner.hwnd()), IDOK);
  EXPECT_TRUE(Enabled(owner.hwnd()));
}

TEST(WindowModal, OwnerThatWasDisabledStaysDisabled) {
  TestWindow owner;
  EnableWindow(owner.hwnd(), FALSE);
  TestWindow dialog(owner.hwnd());
  OnStep(dialog, [&] { dialog.endModal(IDOK); });
  EXPECT_EQ(dialog.showModalFor(owner.hwnd()), IDOK);
  EXPECT_FALSE(Enabled(owner.hwnd()));
}

TEST(WindowModal, NestedModalDisablesEachOwnerInTurn) {
  TestWindow main;
  main.show();
  TestWindow first(main.hwnd(), "First");
  TestWindow second(first.hwnd(), "Second");

  bool mainEnabledInFirst = true, mainEnabledInSecond = true, firstEnabledInSecond = true;
  bool firstEnabledAfterSecond = false, mainEnabledAfterSecond = true;
  int secondResult = 0;
  OnStep(first, [&] {
    mainEnabledInFirst = Enabled(main.hwnd());
    OnStep(second, [&] {
      mainEnabledInSecond = Enabled(main.hwnd());
      firstEnabledInSecond = Enabled(first.hwnd());
      second.endModal(IDYES);
    });
    secondResult = second.showModalFor(first.hwnd());
    firstEnabledAfterSecond = Enabled(first.hwnd());
    mainEnabledAfterSecond = Enabled(main.hwnd());
    first.endModal(IDNO);
  });

  EXPECT_EQ(first.showModalFor(main.hwnd()), IDNO);
  EXPECT_EQ(secondResult, IDYES);
  EXPECT_FALSE(mainEnabledInFirst);
  EXPECT_FALSE(mainEnabledInSecond);
  EXPECT_FALSE(firstEnabledInSecond);
  EXPECT_TRUE(firstEnabledAfterSecond);
  EXPECT_FALSE(mainEnabledAfterSecond) << "the outer modal window is still up";
  EXPECT_TRUE(Enabled(main.hwnd()));
}

TEST(WindowModal, CloseMessageEndsWithCancelUnlessVetoed) {
  TestWindow owner;
  TestWindow dialog(owner.hwnd());
  PostMessageA(dialog.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(dialog.showModalFor(owner.hwnd()), IDCANCEL);
  EXPECT_EQ(dialog.closeRequests, 1);
  EXPECT_TRUE(IsWindow(dialog.hwnd())) << "closing a modal window hides it, not destroys it";
  EXPECT_TRUE(Enabled(owner.hwnd()));

  // onClose() returning false keeps the loop running.
  dialog.closing = [] { return false; };
  PostMessageA(dialog.hwnd(), WM_CLOSE, 0, 0);
  OnStep(dialog, [&] { dialog.endModal(7); });
  EXPECT_EQ(dialog.showModalFor(owner.hwnd()), 7);
  EXPECT_EQ(dialog.closeRequests, 2);
}

TEST(WindowModal, EscapeAndCancelButtonEndWithCancel) {
  TestWindow owner;
  TestWindow dialog(owner.hwnd());
  tk::Control edit =
      tk::Control::Create(dialog.hwnd(), "EDIT", 100, "", WS_BORDER, 10, 10, 100, 20);
  tk::Control cancel = tk::Control::Create(dialog.hwnd(), "BUTTON", IDCANCEL, "Cancel",
                                           BS_PUSHBUTTON, 10, 40, 80, 24);
  ASSERT_TRUE(edit && cancel);

  // Escape pressed in a control of the window goes through the dialog keys.
  PostMessageA(edit.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  EXPECT_EQ(dialog.showModalFor(owner.hwnd()), IDCANCEL);
  EXPECT_EQ(dialog.closeRequests, 1) << "Escape asks onClose like any close";

  // A click on the Cancel button.
  PostMessageA(cancel.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(dialog.showModalFor(owner.hwnd()), IDCANCEL);
  EXPECT_EQ(dialog.closeRequests, 2);

  // A window that handles IDCANCEL itself decides on its own.
  dialog.command = [&](WORD id, WORD, HWND) {
    if (id != IDCANCEL) return false;
    dialog.endModal(IDRETRY);
    return true;
  };
  PostMessageA(edit.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  EXPECT_EQ(dialog.showModalFor(owner.hwnd()), IDRETRY);
  EXPECT_EQ(dialog.closeRequests, 2);
}

TEST(WindowModal, DestroyedWindowEndsLoopWithCancel) {
  TestWindow owner;
  TestWindow dialog(owner.hwnd());
  OnStep(dialog, [&] { DestroyWindow(dialog.hwnd()); });
  EXPECT_EQ(dialog.showModalFor(owner.hwnd()), IDCANCEL);
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_TRUE(Enabled(owner.hwnd()));
}

TEST(WindowModal, QuitMessageIsHandedOnThroughNestedLoops) {
  TestWindow main;
  TestWindow first(main.hwnd());
  TestWindow second(first.hwnd());
  int secondResult = 0;
  OnStep(first, [&] {
    OnStep(second, [&] { PostQuitMessage(5); });
    secondResult = second.showModalFor(first.hwnd());
  });
  EXPECT_EQ(first.showModalFor(main.hwnd()), IDCANCEL);
  EXPECT_EQ(secondResult, IDCANCEL);
  EXPECT_TRUE(Enabled(main.hwnd()));
  EXPECT_TRUE(Enabled(first.hwnd()));

  // The quit message is still there for the program's own loop.
  EXPECT_EQ(TakeQuitMessage(), 5);
}

TEST(WindowModal, ShowModalRefusesWhileAlreadyModal) {
  TestWindow owner;
  TestWindow dialog(owner.hwnd());
  int inner = 0;
  OnStep(dialog, [&] {
    inner = dialog.showModal(owner.hwnd());
    dialog.endModal(IDOK);
  });
  EXPECT_EQ(dialog.showModalFor(owner.hwnd()), IDOK);
  EXPECT_EQ(inner, -1);
  EXPECT_TRUE(Enabled(owner.hwnd()));
}

}  // namespace
}  // namespace toolkit_tests
