// Panels, hidden-tab pages and collapsible side panels, as their windows show them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ControlsHost.h"
#include "toolkit/PageControl.h"
#include "toolkit/SidePanel.h"

namespace controls_tests {
namespace {

bool OwnVisibleFlag(HWND hwnd) {
  return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

TEST(Panels, ControlsOnAPanelReportToTheForm) {
  Host host;
  tk::Panel outer, inner;
  ASSERT_TRUE(outer.create(host.hwnd(), {0, 0, 300, 200}));
  ASSERT_TRUE(inner.create(outer.hwnd(), {10, 10, 200, 150}, 55));
  EXPECT_EQ(GetDlgCtrlID(inner.hwnd()), 55);
  HWND button = CreateWindowExA(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 60,
                                24, inner.hwnd(), reinterpret_cast<HMENU>(801), nullptr, nullptr);
  ASSERT_TRUE(button);
  SendMessageA(button, BM_CLICK, 0, 0);
  Pump(20);
  ASSERT_EQ(host.commands.size(), 1u) << "two panels deep, the click reaches the form";
  EXPECT_EQ(host.commands[0].id, 801);
  EXPECT_EQ(host.commands[0].code, BN_CLICKED);
  EXPECT_EQ(host.commands[0].control, button);

  NMHDR header{button, 801, NM_CLICK};
  SendMessageA(inner.hwnd(), WM_NOTIFY, 801, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(host.countNotifications(button, NM_CLICK), 1u);

  const RECT r = inner.bounds();
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right, 200);
}

TEST(Panels, BackgroundColourOrPainter) {
  Host host;
  tk::Panel panel;
  ASSERT_TRUE(panel.create(host.hwnd(), {0, 0, 100, 80}));
  panel.setBackground(RGB(12, 34, 56));
  EXPECT_EQ(Capture(panel.hwnd()).at(50, 40), RGB(12, 34, 56));
  panel.onPaintBackground = [](HDC dc, const RECT& client) {
    HBRUSH brush = CreateSolidBrush(RGB(200, 0, 200));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
  };
  EXPECT_EQ(Capture(panel.hwnd()).at(10, 10), RGB(200, 0, 200));
}

TEST(PageControl, OnePageAtATime) {
  Host host;
  tk::PageControl pages;
  ASSERT_TRUE(pages.create(host.hwnd(), {5, 40, 605, 400}));
  EXPECT_EQ(pages.activeIndex(), -1);
  tk::Panel& programs = pages.addPage();
  tk::Panel& startup = pages.addPage();
  tk::Panel foreign;
  ASSERT_TRUE(foreign.create(host.hwnd(), {0, 0, 50, 50}));
  const int third = pages.addPage(foreign.hwnd());
  EXPECT_EQ(third, 2);
  EXPECT_EQ(GetParent(foreign.hwnd()), pages.hwnd());
  EXPECT_EQ(pages.pageCount(), 3);
  EXPECT_EQ(pages.activeIndex(), 0) << "the first page shows at once";
  EXPECT_TRUE(OwnVisibleFlag(programs.hwnd()));
  EXPECT_FALSE(OwnVisibleFlag(startup.hwnd()));
  EXPECT_FALSE(OwnVisibleFlag(foreign.hwnd()));

  RECT page;
  GetWindowRect(startup.hwnd(), &page);
  EXPECT_EQ(page.right - page.left, 600) << "pages fill the control";
  EXPECT_EQ(page.bottom - page.top, 360);

  std::vector<int> changes;
  pages.onChange = [&](int index) { changes.push_back(index); };
  EXPECT_TRUE(pages.setActive(1));
  EXPECT_EQ(pages.activeIndex(), 1);
  EXPECT_FALSE(OwnVisibleFlag(programs.hwnd()));
  EXPECT_TRUE(IsWindowVisible(startup.hwnd()));
  EXPECT_TRUE(pages.setActive(1));  // already showing: no change reported
  EXPECT_FALSE(pages.setActive(3));
  EXPECT_FALSE(pages.setActive(-1));
  EXPECT_EQ(pages.activeIndex(), 1);
  EXPECT_TRUE(pages.setActive(2));
  EXPECT_TRUE(OwnVisibleFlag(foreign.hwnd()));
  EXPECT_FALSE(OwnVisibleFlag(startup.hwnd()));
  EXPECT_EQ(changes, (std::vector<int>{1, 2}));
  EXPECT_EQ(pages.pageHandle(0), programs.hwnd());
  EXPECT_EQ(pages.pageHandle(7), nullptr);

  MoveWindow(pages.hwnd(), 0, 0, 400, 300, TRUE);
  GetWindowRect(foreign.hwnd(), &page);
  EXPECT_EQ(page.right - page.left, 400) << "pages follow the control's size";
  EXPECT_EQ(page.bottom - page.top, 300);
}

TEST(SidePanel, TheHotSpotCollapsesAndRestores) {
  Host host;
  tk::SidePanel side;
  ASSERT_TRUE(side.create(host.hwnd(), {0, 0, 168, 394}));
  HWND button = CreateWindowExA(0, "BUTTON", "Uninstall", WS_CHILD | WS_VISIBLE, 5, 5, 100, 30,
                                side.content().hwnd(), nullptr, nullptr, nullptr);
  ASSERT_TRUE(button);
  EXPECT_FALSE(side.collapsed());
  EXPECT_EQ(side.barWidth(), 8);
  const RECT bar = side.barRect();
  EXPECT_EQ(bar.left, 160);
  EXPECT_EQ(side.content().bounds().right, 160) << "the content leaves the bar free";
  const RECT spot = side.hotSpotRect();
  EXPECT_EQ(spot.bottom - spot.top, tk::SidePanel::kHotSpotHeight);

  std::vector<bool> toggles;
  side.onToggle = [&](bool collapsed) { toggles.push_back(collapsed); };
  // A click on the bar outside the hot spot does nothing.
  PostClick(side.hwnd(), {bar.left + 3, 5});
  EXPECT_FALSE(side.collapsed());
  PostClick(side.hwnd(), Centre(spot));
  ASSERT_TRUE(side.collapsed());
  RECT r = side.bounds();
  EXPECT_EQ(r.right - r.left, 8) << "collapsed to the bar";
  EXPECT_EQ(r.bottom - r.top, 394);
  EXPECT_FALSE(IsWindowVisible(button));
  EXPECT_EQ(side.barRect().left, 0);

  PostClick(side.hwnd(), Centre(side.hotSpotRect()));
  EXPECT_FALSE(side.collapsed());
  r = side.bounds();
  EXPECT_EQ(r.right - r.left, 168);
  EXPECT_TRUE(IsWindowVisible(button));
  EXPECT_EQ(toggles, (std::vector<bool>{true, false}));

  // A form that sizes the panel (a skin) sets the width it comes back to.
  side.setBounds(0, 0, 200, 394);
  side.collapse();
  side.restore();
  EXPECT_EQ(side.bounds().right, 200);
  EXPECT_EQ(side.expandedWidth(), 200);
}

TEST(SidePanel, TheBarIsPaintedWithItsHotSpot) {
  Host host;
  tk::SidePanel side;
  ASSERT_TRUE(side.create(host.hwnd(), {0, 0, 168, 300}));
  side.content().setBackground(RGB(0, 128, 0));
  const Capture shot(side.hwnd());
  const POINT spot = Centre(side.hotSpotRect());
  EXPECT_EQ(shot.at(spot.x - 3, side.hotSpotRect().top + 2), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(shot.at(spot.x, 5), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace controls_tests
