// Link labels, status labels, check boxes and progress bars over their windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ControlsHost.h"
#include "toolkit/CheckBox.h"
#include "toolkit/LinkLabel.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/StatusLabel.h"

namespace controls_tests {
namespace {

int Width(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return r.right - r.left;
}

TEST(LinkTarget, TrimmedOrNothing) {
  EXPECT_EQ(tk::LinkTargetToOpen("http://example.test/"), "http://example.test/");
  EXPECT_EQ(tk::LinkTargetToOpen("  http://a.test/help \t"), "http://a.test/help");
  EXPECT_FALSE(tk::LinkTargetToOpen(""));
  EXPECT_FALSE(tk::LinkTargetToOpen("   \t "));
}

TEST(LinkLabel, SizesToItsTextAndDrawsItAsALink) {
  Host host;
  tk::LinkLabel link;
  ASSERT_TRUE(link.create(host.hwnd(), 901, 20, 20, 16));
  EXPECT_EQ(Width(link.hwnd()), 0) << "an empty label offers nothing to click";
  link.setCaption("http://vendor.test/about");
  const int longWidth = Width(link.hwnd());
  EXPECT_GT(longWidth, 60);
  link.setCaption("http://v.test");
  EXPECT_LT(Width(link.hwnd()), longWidth);
  EXPECT_EQ(link.caption(), "http://v.test");
  EXPECT_EQ(GetDlgCtrlID(link.hwnd()), 901);

  const Capture shot(link.hwnd());
  RECT all{0, 0, shot.width(), shot.height()};
  EXPECT_GT(shot.count(all, IsBlue), 20);
  EXPECT_GE(shot.longestRun(all, IsBlue), shot.width() - 4) << "underlined end to end";

  link.setLinkColour(RGB(0, 255, 255));  // aqua, as the status line has it
  const Capture aqua(link.hwnd());
  EXPECT_EQ(aqua.count(all, IsBlue), 0);
  EXPECT_GT(aqua.count(all, [](COLORREF c) { return c == RGB(0, 255, 255); }), 20);
}

TEST(LinkLabel, MouseHoverShowsTheHoverColourAndTheHandCursor) {
  Host host;
  tk::LinkLabel link;
  ASSERT_TRUE(link.create(host.hwnd(), 902, 20, 20, 16, "Support"));
  link.setHoverColour(RGB(255, 0, 0));
  EXPECT_FALSE(link.hot());
  EXPECT_EQ(link.currentColour(), link.linkColour());
  POINT screen{2, 5};
  ClientToScreen(link.hwnd(), &screen);
  SetCursorPos(screen.x, screen.y);  // over the label, so that the hover lasts
  PostMessageA(link.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 5));
  Pump(30);
  EXPECT_TRUE(link.hot());
  EXPECT_EQ(link.currentColour(), RGB(255, 0, 0));
  const Capture shot(link.hwnd());
  EXPECT_GT(shot.count({0, 0, shot.width(), shot.height()},
                       [](COLORREF c) { return c == RGB(255, 0, 0); }),
            10);
  SendMessageA(link.hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(link.hot());

  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
  SendMessageA(link.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.hwnd()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
}

TEST(LinkLabel, AClickOpensTheTrimmedTargetOrRunsTheHandler) {
  Host host;
  tk::LinkLabel link;
  ASSERT_TRUE(link.create(host.hwnd(), 903, 20, 20, 16, "Vendor home"));
  std::vector<std::string> opened;
  link.setOpener([&](const std::string& target) { opened.push_back(target); });
  link.setTarget("  http://vendor.test/  ");
  PostClick(link.hwnd(), {3, 8});
  EXPECT_EQ(opened, (std::vector<std::string>{"http://vendor.test/"}));

  link.setTarget("   ");
  PostClick(link.hwnd(), {3, 8});
  EXPECT_EQ(opened.size(), 1u) << "a blank target opens nothing";

  // Pressed on the label, released elsewhere: no click.
  link.setTarget("http://vendor.test/");
  PostMessageA(link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 8));
  PostMessageA(link.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(500, 8));
  Pump(40);
  EXPECT_EQ(opened.size(), 1u);

  int handled = 0;
  link.onClick = [&] { ++handled; };
  PostClick(link.hwnd(), {3, 8});
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(opened.size(), 1u) << "the handler replaces the opening";

  link.setHint("http://vendor.test/");
  EXPECT_EQ(link.hint(), "http://vendor.test/");
}

TEST(StatusLabel, WidthFollowsTheTextAndLabelsLineUp) {
  Host host;
  tk::StatusLabel programs, counts;
  ASSERT_TRUE(programs.create(host.hwnd(), 911, 16, 300, 17, "Programs:"));
  ASSERT_TRUE(counts.create(host.hwnd(), 912, 0, 300, 17));
  EXPECT_EQ(programs.text(), "Programs:");
  EXPECT_GT(Width(programs.hwnd()), 30);
  EXPECT_EQ(Width(counts.hwnd()), 0);
  counts.setText("123 (Windows Updates: 7, Screen Saver: 3)");
  EXPECT_GT(Width(counts.hwnd()), Width(programs.hwnd()) * 2);
  counts.placeAfter(programs.hwnd(), 5);
  EXPECT_EQ(counts.bounds().left, programs.bounds().right + 5);
  EXPECT_EQ(counts.bounds().top, 300);

  counts.setHint("HKLM\\...\\Uninstall\\Vendor");
  EXPECT_EQ(counts.hint(), "HKLM\\...\\Uninstall\\Vendor");
  counts.setVisible(false);
  EXPECT_FALSE(counts.visible());
  HWND hwnd = counts.hwnd();
  {
    tk::StatusLabel gone;
    ASSERT_TRUE(gone.create(host.hwnd(), 913, 0, 0, 17, "x"));
    hwnd = gone.hwnd();
  }
  EXPECT_FALSE(IsWindow(hwnd)) << "the label goes with its object";
}

TEST(CheckBox, TicksAndThreeStates) {
  Host host;
  tk::CheckBox box = tk::CheckBox::Create(host.hwnd(), 921, "Hide System Patch", 10, 10, 150, 20);
  ASSERT_TRUE(box);
  EXPECT_EQ(box.text(), "Hide System Patch");
  EXPECT_FALSE(box.checked());
  box.send(BM_CLICK);
  EXPECT_TRUE(box.checked());
  EXPECT_EQ(SendMessageA(box.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  ASSERT_FALSE(host.commands.empty());
  EXPECT_EQ(host.commands.back().id, 921);
  EXPECT_EQ(host.commands.back().code, BN_CLICKED);

  tk::CheckBox three = tk::CheckBox::Create(host.hwnd(), 922, "Some", 10, 40, 150, 20, true);
  three.setCheckState(BST_INDETERMINATE);
  EXPECT_TRUE(three.indeterminate());
  EXPECT_EQ(GetWindowLongA(three.hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_AUTO3STATE);
}

TEST(ProgressBar, RangePositionAndSteps) {
  Host host;
  tk::ProgressBar bar = tk::ProgressBar::Create(host.hwnd(), 931, 10, 10, 300, 16);
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar.minimum(), 0);
  EXPECT_EQ(bar.maximum(), 100);
  bar.setRange(0, 250);
  EXPECT_EQ(bar.maximum(), 250);
  bar.setPosition(120);
  EXPECT_EQ(SendMessageA(bar.hwnd(), PBM_GETPOS, 0, 0), 120);
  bar.setStep(10);
  EXPECT_EQ(bar.stepIt(), 130);
  bar.setPosition(1000);
  EXPECT_EQ(bar.position(), 250) << "clamped to the range";
}

}  // namespace
}  // namespace controls_tests
