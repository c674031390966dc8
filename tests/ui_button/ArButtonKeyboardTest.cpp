// Keys: Space and Enter on a focused button, the default and cancel roles within a
// form, caption accelerators, and the modal result that a click hands to its form.
#include <gtest/gtest.h>

#include "ButtonTestSupport.h"

namespace {

using namespace button_tests;
using ui::ButtonState;
using ui::TArButton;

HWND MakeChild(HWND parent, const char* cls, DWORD style, int x, int y) {
  return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, 70, 22,
                         parent, nullptr, nullptr, nullptr);
}

class ArButtonKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    ParkCursor();
    ASSERT_TRUE(ok.Create(form.hwnd(), 11, 10, 10, 80, 30));
    ASSERT_TRUE(cancel.Create(form.hwnd(), 12, 100, 10, 80, 30));
    ok.SetCaption("&Go");
    cancel.SetCaption("Stop");
    ok.OnClick = [this](ui::TArCustomButton&) { ++okClicks; };
    cancel.OnClick = [this](ui::TArCustomButton&) { ++cancelClicks; };
    edit = MakeChild(form.hwnd(), "EDIT", ES_AUTOHSCROLL, 10, 60);
    memo = MakeChild(form.hwnd(), "EDIT", ES_MULTILINE | ES_WANTRETURN, 100, 60);
    push = MakeChild(form.hwnd(), "BUTTON", BS_PUSHBUTTON, 190, 60);
    Pump(20);
  }

  HostForm form;
  TArButton ok, cancel;
  HWND edit = nullptr, memo = nullptr, push = nullptr;
  int okClicks = 0, cancelClicks = 0;
};

TEST_F(ArButtonKeys, SpaceHeldShowsThePressedLookAndTheReleaseClicksOnce) {
  SetFocus(ok.hwnd());
  KeyDown(ok.hwnd(), VK_SPACE);
  KeyDown(ok.hwnd(), VK_SPACE);  // auto-repeat
  KeyDown(ok.hwnd(), VK_SPACE);
  EXPECT_TRUE(ok.Pressed());
  EXPECT_EQ(ok.State(), ButtonState::MouseDown);
  EXPECT_EQ(okClicks, 0);
  KeyUp(ok.hwnd(), VK_SPACE);
  EXPECT_FALSE(ok.Pressed());
  EXPECT_EQ(okClicks, 1);
}

TEST_F(ArButtonKeys, SpaceDoesNothingWithoutTheFocus) {
  SetFocus(edit);
  PostMessageA(ok.hwnd(), WM_KEYDOWN, VK_SPACE, 1);
  PostMessageA(ok.hwnd(), WM_KEYUP, VK_SPACE, 0xC0000001);
  Pump(20);
  EXPECT_EQ(okClicks, 0);
  EXPECT_FALSE(ok.Pressed());
}

TEST_F(ArButtonKeys, EnterOnAFocusedButtonPressesAndClicksOnRelease) {
  // Neither button is a default: Enter goes to the focused button itself, past the
  // dialog manager that would otherwise take it for "OK".
  SetFocus(cancel.hwnd());
  KeyDown(cancel.hwnd(), VK_RETURN);
  EXPECT_TRUE(cancel.Pressed());
  EXPECT_EQ(cancelClicks, 0);
  KeyUp(cancel.hwnd(), VK_RETURN);
  EXPECT_EQ(cancelClicks, 1);
  EXPECT_EQ(okClicks, 0);
}

TEST_F(ArButtonKeys, FocusLeavingWhileSpaceIsHeldReleasesWithoutClick) {
  SetFocus(ok.hwnd());
  KeyDown(ok.hwnd(), VK_SPACE);
  ASSERT_TRUE(ok.Pressed());
  SetFocus(edit);
  Pump(15);
  EXPECT_FALSE(ok.Pressed()) << "no stuck pressed look";
  KeyUp(edit, VK_SPACE);
  EXPECT_EQ(okClicks, 0);
}

TEST_F(ArButtonKeys, DefaultButtonTakesEnterFromAnotherControl) {
  ok.SetDefault(true);
  SetFocus(edit);
  EXPECT_TRUE(ok.ActiveDefault());
  KeyDown(edit, VK_RETURN);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(cancelClicks, 0);
  KeyUp(edit, VK_RETURN);
  EXPECT_EQ(okClicks, 1) << "the key-up is no second click";

  // Also when the focus is on another skinned button.
  SetFocus(cancel.hwnd());
  KeyDown(cancel.hwnd(), VK_RETURN);
  EXPECT_EQ(okClicks, 2);
  EXPECT_FALSE(cancel.Pressed());
  KeyUp(cancel.hwnd(), VK_RETURN);
  EXPECT_EQ(cancelClicks, 0);
}

TEST_F(ArButtonKeys, DefaultIsActiveFromCreationAndSetDefaultReevaluatesAtOnce) {
  TArButton early;
  early.SetDefault(true);
  ASSERT_TRUE(early.Create(form.hwnd(), 13, 10, 120, 80, 30));
  EXPECT_TRUE(early.ActiveDefault());
  early.SetDefault(false);
  EXPECT_FALSE(early.ActiveDefault());

  SetFocus(edit);
  ok.SetDefault(true);
  EXPECT_TRUE(ok.ActiveDefault());
}

TEST_F(ArButtonKeys, MultiLineEditKeepsItsEnter) {
  ok.SetDefault(true);
  SetFocus(memo);
  KeyDown(memo, VK_RETURN);
  KeyUp(memo, VK_RETURN);
  EXPECT_EQ(okClicks, 0);
}

TEST_F(ArButtonKeys, StandardPushButtonWithTheFocusTakesTheDefaultRole) {
  ok.SetDefault(true);
  SetFocus(push);
  EXPECT_FALSE(ok.ActiveDefault());
  KeyDown(push, VK_RETURN);
  KeyUp(push, VK_RETURN);
  EXPECT_EQ(okClicks, 0) << "Enter belongs to the focused push button";

  SetFocus(edit);
  EXPECT_TRUE(ok.ActiveDefault());
  KeyDown(edit, VK_RETURN);
  EXPECT_EQ(okClicks, 1);
}

TEST_F(ArButtonKeys, DisabledOrHiddenDefaultIgnoresEnter) {
  ok.SetDefault(true);
  SetFocus(edit);
  ok.SetEnabled(false);
  KeyDown(edit, VK_RETURN);
  EXPECT_EQ(okClicks, 0);
  ok.SetEnabled(true);
  ok.SetVisible(false);
  KeyDown(edit, VK_RETURN);
  EXPECT_EQ(okClicks, 0);
  ok.SetVisible(true);
  KeyDown(edit, VK_RETURN);
  EXPECT_EQ(okClicks, 1);
}

TEST_F(ArButtonKeys, CancelButtonTakesEscapeUnlessAModifierIsHeld) {
  cancel.SetCancel(true);
  SetFocus(edit);
  KeyDown(edit, VK_ESCAPE);
  EXPECT_EQ(cancelClicks, 1);

  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  KeyDown(edit, VK_ESCAPE);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(cancelClicks, 1) << "Shift+Escape is not the cancel key";

  cancel.SetCancel(false);
  KeyDown(edit, VK_ESCAPE);
  EXPECT_EQ(cancelClicks, 1);
}

TEST_F(ArButtonKeys, AcceleratorClicksWhenTheFocusedControlDoesNotTakeLetters) {
  SetFocus(push);
  Char(push, 'g');
  EXPECT_EQ(okClicks, 1);
  Char(push, 'G');
  EXPECT_EQ(okClicks, 2);
  Char(push, 's');  // "Stop" has no accelerator
  EXPECT_EQ(cancelClicks, 0);

  // An edit box takes typed letters for itself; Alt+letter still reaches the button.
  SetFocus(edit);
  Char(edit, 'g');
  EXPECT_EQ(okClicks, 2);
  char text[16] = {};
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "g");
  SysChar(edit, 'g');
  EXPECT_EQ(okClicks, 3);
}

TEST_F(ArButtonKeys, AcceleratorNeedsAnEnabledVisibleButtonAndASingleAmpersand) {
  SetFocus(push);
  ok.SetEnabled(false);
  Char(push, 'g');
  EXPECT_EQ(okClicks, 0);
  ok.SetEnabled(true);
  ok.SetVisible(false);
  SysChar(push, 'g');
  EXPECT_EQ(okClicks, 0);
  ok.SetVisible(true);
  ok.SetCaption("Fish && Go");
  Char(push, 'g');
  EXPECT_EQ(okClicks, 0);
}

TEST_F(ArButtonKeys, ButtonsOfAnotherFormAreNotReached) {
  HostForm other(200, 100, 450, 100);
  HWND otherEdit = MakeChild(other.hwnd(), "EDIT", 0, 10, 10);
  ok.SetDefault(true);
  SetFocus(otherEdit);
  KeyDown(otherEdit, VK_RETURN);
  SysChar(otherEdit, 'g');
  EXPECT_EQ(okClicks, 0);
}

class ArButtonModal : public ::testing::Test {
 protected:
  void SetUp() override { ParkCursor(); }
  HostForm form;
};

TEST_F(ArButtonModal, ModalResultOfAClickedButtonEndsTheModalWindow) {
  TArButton yes, later;
  ASSERT_TRUE(yes.Create(form.hwnd(), 11, 10, 10, 80, 30));
  ASSERT_TRUE(later.Create(form.hwnd(), 12, 100, 10, 80, 30));
  yes.SetModalResult(IDYES);
  int laterClicks = 0;
  later.OnClick = [&](ui::TArCustomButton&) { ++laterClicks; };

  // The clicks wait in the queue until the modal loop runs. A button whose
  // ModalResult is 0 leaves the window open.
  for (HWND target : {later.hwnd(), yes.hwnd()}) {
    PostMessageA(target, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  EXPECT_EQ(form.showModalFor(), IDYES);
  EXPECT_EQ(laterClicks, 1);
}

TEST_F(ArButtonModal, EnterAndEscapeEndTheModalWindowThroughDefaultAndCancel) {
  TArButton yes, no;
  ASSERT_TRUE(yes.Create(form.hwnd(), 11, 10, 10, 80, 30));
  ASSERT_TRUE(no.Create(form.hwnd(), 12, 100, 10, 80, 30));
  yes.SetModalResult(IDOK);
  yes.SetDefault(true);
  no.SetModalResult(IDABORT);
  no.SetCancel(true);
  HWND edit = MakeChild(form.hwnd(), "EDIT", 0, 10, 60);
  SetFocus(edit);

  PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(form.showModalFor(), IDOK);
  PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(form.showModalFor(), IDABORT);
}

}  // namespace
