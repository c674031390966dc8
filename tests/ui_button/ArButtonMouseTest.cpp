// The button's mouse behaviour, driven with real mouse messages on a real window.
#include <gtest/gtest.h>

#include "ButtonTestSupport.h"

namespace {

using namespace button_tests;
using ui::ButtonState;
using ui::TArButton;

struct Counters {
  int clicks = 0, enters = 0, exits = 0, ticks = 0, downs = 0, ups = 0;
  ui::TMouseButton lastButton = ui::TMouseButton::mbLeft;
};

class ArButtonMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    ParkCursor();
    ASSERT_TRUE(button.Create(form.hwnd(), 10, 20, 30, 80, 40));
    button.OnClick = [this](ui::TArCustomButton&) { ++n.clicks; };
    button.OnMouseEnter = [this](ui::TArCustomButton&) { ++n.enters; };
    button.OnMouseExit = [this](ui::TArCustomButton&) { ++n.exits; };
    button.OnMouseContinuouslyDown = [this](ui::TArCustomButton&) { ++n.ticks; };
    button.OnMouseDown = [this](ui::TArCustomButton&, ui::TMouseButton b, WPARAM, int, int) {
      ++n.downs;
      n.lastButton = b;
    };
    button.OnMouseUp = [this](ui::TArCustomButton&, ui::TMouseButton, WPARAM, int, int) {
      ++n.ups;
    };
    Pump(20);
  }
  void TearDown() override { ParkCursor(); }

  HWND b() const { return button.hwnd(); }

  HostForm form;
  TArButton button;
  Counters n;
};

TEST_F(ArButtonMouse, HoverPressAndReleaseInsideClicksOnce) {
  MouseMove(b(), 10, 10);
  EXPECT_TRUE(button.Hover());
  EXPECT_EQ(n.enters, 1);
  EXPECT_EQ(button.State(), ButtonState::MouseHover);

  LeftDown(b(), 10, 10);
  EXPECT_TRUE(button.Pressed());
  EXPECT_EQ(button.State(), ButtonState::MouseDown);
  EXPECT_EQ(GetCapture(), b()) << "the button follows the mouse while it is held";
  EXPECT_TRUE(button.HasRepeatTimer());
  EXPECT_EQ(n.downs, 1);
  EXPECT_EQ(n.clicks, 0) << "a press alone is no click";

  LeftUp(b(), 12, 11);
  EXPECT_EQ(n.clicks, 1);
  EXPECT_FALSE(button.Pressed());
  EXPECT_FALSE(button.HasRepeatTimer());
  EXPECT_NE(GetCapture(), b());
  EXPECT_EQ(button.State(), ButtonState::MouseHover);
  EXPECT_EQ(n.ups, 1);

  Pump(50);
  EXPECT_EQ(n.clicks, 1) << "one release, one click";
}

TEST_F(ArButtonMouse, PressingMovingOutAndReleasingOutsideDoesNotClick) {
  MouseMove(b(), 10, 10);
  LeftDown(b(), 10, 10);
  ASSERT_TRUE(button.Pressed());

  MouseMove(b(), -15, 10, MK_LBUTTON);
  EXPECT_FALSE(button.Hover());
  EXPECT_FALSE(button.Pressed()) << "the pressed look goes when the mouse leaves";
  EXPECT_FALSE(button.HasRepeatTimer());
  EXPECT_EQ(n.exits, 1);

  LeftUp(b(), -15, 10);
  EXPECT_EQ(n.clicks, 0);
  Pump(100);
  EXPECT_EQ(n.exits, 1) << "the system's own leave notice must not count twice";
}

TEST_F(ArButtonMouse, MovingBackInBeforeReleasingStillClicks) {
  MouseMove(b(), 10, 10);
  LeftDown(b(), 10, 10);
  MouseMove(b(), 200, 10, MK_LBUTTON);
  ASSERT_FALSE(button.Hover());
  MouseMove(b(), 20, 20, MK_LBUTTON);
  EXPECT_TRUE(button.Hover());
  EXPECT_EQ(n.enters, 2);
  EXPECT_FALSE(button.Pressed()) << "only a new press shows the pressed look again";
  LeftUp(b(), 20, 20);
  EXPECT_EQ(n.clicks, 1);
}

TEST_F(ArButtonMouse, PointOnTheRightAndBottomEdgeKeepsTheHover) {
  MouseMove(b(), 10, 10);
  LeftDown(b(), 10, 10);
  PostMessageA(b(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 40));  // exactly width, height
  Pump(15);
  EXPECT_TRUE(button.Hover());
  EXPECT_TRUE(button.Pressed());
  PostMessageA(b(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(81, 40));
  Pump(15);
  EXPECT_FALSE(button.Hover());
  EXPECT_FALSE(button.Pressed());
  LeftUp(b(), 81, 40);
  EXPECT_EQ(n.clicks, 0);
}

TEST_F(ArButtonMouse, QuickSecondClickIsASecondClick) {
  MouseMove(b(), 10, 10);
  for (int i = 0; i < 2; ++i) {
    LeftDown(b(), 10, 10);
    LeftUp(b(), 10, 10);
  }
  EXPECT_EQ(n.clicks, 2);
  // Real input would turn the second press into a double click if the class asked
  // for it; the button's class must not.
  EXPECT_EQ(GetClassLongA(b(), GCL_STYLE) & CS_DBLCLKS, 0u);
}

TEST_F(ArButtonMouse, RightAndMiddleButtonsOnlyRaiseTheirEvents) {
  MouseMove(b(), 10, 10);
  RightDown(b(), 10, 10);
  EXPECT_FALSE(button.Pressed());
  EXPECT_FALSE(button.HasRepeatTimer());
  EXPECT_EQ(button.State(), ButtonState::MouseHover);
  EXPECT_EQ(n.downs, 1);
  EXPECT_EQ(n.lastButton, ui::TMouseButton::mbRight);
  RightUp(b(), 10, 10);
  EXPECT_EQ(n.clicks, 0);

  PostMessageA(b(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(10, 10));
  Pump(15);
  EXPECT_FALSE(button.Pressed());
  EXPECT_EQ(n.lastButton, ui::TMouseButton::mbMiddle);
}

TEST_F(ArButtonMouse, RightClickAsksForTheContextMenu) {
  POINT asked{-1, -1};
  button.OnContextPopup = [&](ui::TArCustomButton&, POINT at) {
    asked = at;
    return true;
  };
  MouseMove(b(), 10, 10);
  RightDown(b(), 10, 10);
  RightUp(b(), 10, 10);
  POINT expected{10, 10};
  ClientToScreen(b(), &expected);
  EXPECT_EQ(asked.x, expected.x);
  EXPECT_EQ(asked.y, expected.y);
}

TEST_F(ArButtonMouse, DisabledButtonIgnoresTheMouse) {
  button.SetEnabled(false);
  MouseMove(b(), 10, 10);
  LeftDown(b(), 10, 10);
  LeftUp(b(), 10, 10);
  EXPECT_EQ(n.clicks, 0);
  EXPECT_FALSE(button.Pressed());
  EXPECT_EQ(button.State(), ButtonState::Disabled);
}

TEST_F(ArButtonMouse, RepeatTimerTicksWhileHeldAndStopsWhenTheMouseLeaves) {
  ASSERT_EQ(button.RepeatInterval(), 100);
  MouseMove(b(), 10, 10);
  const DWORD start = GetTickCount();
  LeftDown(b(), 10, 10);
  // Ticks keep coming while the button is held; the time is only a hang guard.
  ASSERT_TRUE(PumpUntil([&] { return n.ticks >= 3; }, 30000));
  // A busy machine can only delay a timer, never bring it forward: the third tick
  // comes no sooner than three intervals after the press (less the clock's grain).
  EXPECT_GE(GetTickCount() - start, 3u * 100u - 20u) << n.ticks << " ticks";

  MouseMove(b(), 10, 100, MK_LBUTTON);
  EXPECT_FALSE(button.Pressed());
  const int ticksAtLeave = n.ticks;
  Pump(300);
  EXPECT_EQ(n.ticks, ticksAtLeave) << "no ticks after the mouse left";
  LeftUp(b(), 10, 100);
  EXPECT_EQ(n.clicks, 0);
}

TEST_F(ArButtonMouse, ReleaseStopsTheTicks) {
  MouseMove(b(), 10, 10);
  LeftDown(b(), 10, 10);
  ASSERT_TRUE(PumpUntil([&] { return n.ticks >= 1; }, 30000));
  LeftUp(b(), 10, 10);
  EXPECT_EQ(n.clicks, 1);
  const int ticks = n.ticks;
  Pump(250);
  EXPECT_EQ(n.ticks, ticks);
}

TEST_F(ArButtonMouse, LosingTheCaptureEndsThePressWithoutAClick) {
  MouseMove(b(), 10, 10);
  LeftDown(b(), 10, 10);
  ASSERT_EQ(GetCapture(), b());
  SetCapture(form.hwnd());  // say, a window that pops up and takes the mouse
  Pump(15);
  EXPECT_FALSE(button.Pressed());
  EXPECT_FALSE(button.HasRepeatTimer());
  ReleaseCapture();
  PostMessageA(b(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  Pump(15);
  EXPECT_EQ(n.clicks, 0);
}

TEST_F(ArButtonMouse, PressTakesTheFocusOnlyAsATabStop) {
  HWND other = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 150, 30, 80, 20,
                               form.hwnd(), nullptr, nullptr, nullptr);
  SetFocus(other);
  button.SetTabStop(false);
  MouseMove(b(), 10, 10);
  LeftDown(b(), 10, 10);
  LeftUp(b(), 10, 10);
  EXPECT_EQ(GetFocus(), other);

  button.SetTabStop(true);
  LeftDown(b(), 10, 10);
  EXPECT_EQ(GetFocus(), b());
  LeftUp(b(), 10, 10);
  EXPECT_EQ(n.clicks, 2);
}

TEST_F(ArButtonMouse, ClickWithoutHandlerNotifiesTheParentAsAStandardButtonDoes) {
  button.OnClick = nullptr;
  std::vector<std::pair<WORD, WORD>> commands;
  HWND from = nullptr;
  form.command = [&](WORD id, WORD code, HWND control) {
    commands.emplace_back(id, code);
    from = control;
    return true;
  };
  MouseMove(b(), 10, 10);
  LeftDown(b(), 10, 10);
  LeftUp(b(), 10, 10);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].first, 10);
  EXPECT_EQ(commands[0].second, BN_CLICKED);
  EXPECT_EQ(from, b());
}

TEST_F(ArButtonMouse, BoundActionSetsCaptionAndEnabledStateAndRunsOnClick) {
  button.OnClick = nullptr;
  tk::ActionList actions;
  form.actions = &actions;
  tk::Action& action = actions.add(500, "ActionRefresh");
  int runs = 0;
  action.setOnExecute([&] { ++runs; });
  action.setCaption("Refresh");
  action.bindControl(b());
  EXPECT_EQ(button.Caption(), "Refresh") << "a text set from elsewhere becomes the caption";

  MouseMove(b(), 10, 10);
  LeftDown(b(), 10, 10);
  LeftUp(b(), 10, 10);
  EXPECT_EQ(runs, 1);

  action.setEnabled(false);
  EXPECT_FALSE(button.Enabled());
  EXPECT_EQ(button.State(), ButtonState::Disabled);
  LeftDown(b(), 10, 10);
  LeftUp(b(), 10, 10);
  EXPECT_EQ(runs, 1);
  form.actions = nullptr;
}

TEST_F(ArButtonMouse, DestroyingWhileHeldLeavesNoTimerBehind) {
  MouseMove(b(), 10, 10);
  LeftDown(b(), 10, 10);
  ASSERT_TRUE(button.HasRepeatTimer());
  button.destroy();
  EXPECT_FALSE(button.HasRepeatTimer());
  EXPECT_FALSE(button.Pressed());
  Pump(250);
  EXPECT_EQ(n.ticks, 0);
}

}  // namespace
