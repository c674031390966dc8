// The list view's link column (blue, underlined, hand cursor, click) and its own
// item tips, checked on what the control paints and shows.
#include <gtest/gtest.h>

#include <stdexcept>
#include <optional>
#include <string>
#include <vector>

#include "ControlsHost.h"
#include "support/MessagePump.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"

namespace controls_tests {
namespace {

class ListViewLink : public ::testing::Test {
 protected:
  void SetUp() override {
    tk::ListViewOptions options;
    options.fullRowSelect = true;
    ASSERT_TRUE(list.create(host.hwnd(), 601, {10, 10, 610, 400}, options));
    list.addColumn("Name", 140);
    list.addColumn("Publisher", 140);
    list.addColumn("Directory", 260);
    list.insertRow({"Alpha", {"Alpha Software", "C:\\Program Files\\Alpha"}, -1, 0});
    list.insertRow({"Beta", {"Beta Soft", "C:\\Program Files\\Beta Tools"}, -1, 1});
    list.insertRow({"Gamma", {"Gamma Ltd", "C:\\Gamma"}, -1, 2});
    Pump(30);
  }

  Host host;
  tk::ListView list;
};

TEST_F(ListViewLink, LinkCellsAreDrawnBlueAndUnderlined) {
  list.setLinkColumn(2);
  const Capture shot(list.hwnd());
  const RECT link = list.cellRect(0, 2);
  const RECT plain = list.cellRect(0, 1);
  EXPECT_GT(shot.count(link, IsBlue), 20) << "the directory is drawn in blue";
  EXPECT_EQ(shot.count(plain, IsBlue), 0) << "the publisher is not";
  EXPECT_GT(shot.count(plain, IsDark), 20) << "the publisher is drawn in the text colour";
  // The underline: a long unbroken blue line under the text.
  EXPECT_GE(shot.longestRun(link, IsBlue), 40);
  EXPECT_LT(shot.longestRun(plain, IsDark), 20) << "no underline under plain text";
  // Every row's link cell, not only the first.
  EXPECT_GT(shot.count(list.cellRect(2, 2), IsBlue), 10);
  EXPECT_EQ(shot.count(list.cellRect(2, 0), IsBlue), 0);
}

TEST_F(ListViewLink, WithoutALinkColumnNothingIsBlue) {
  const Capture shot(list.hwnd());
  RECT all;
  GetClientRect(list.hwnd(), &all);
  EXPECT_EQ(shot.count(all, IsBlue), 0);
  EXPECT_GT(shot.count(list.cellRect(0, 2), IsDark), 20);
}

TEST_F(ListViewLink, AnOwnCustomDrawComesFirst) {
  list.setLinkColumn(2);
  std::vector<tk::ListCustomDraw> stages;
  bool takeOver = false;
  list.onCustomDraw = [&](const tk::ListCustomDraw& draw) -> std::optional<LRESULT> {
    stages.push_back(draw);
    if (takeOver) return CDRF_DODEFAULT;  // plain drawing, no link look
    return std::nullopt;
  };
  { const Capture shot(list.hwnd()); }
  bool sawLinkCell = false;
  for (const auto& s : stages) {
    if (s.stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM) && s.item == 1 && s.subItem == 2) {
      sawLinkCell = true;
      EXPECT_EQ(s.data, 1) << "the row's data comes with the stage";
      EXPECT_NE(s.hdc, nullptr);
    }
  }
  EXPECT_TRUE(sawLinkCell) << "sub-item stages reach the callback";
  takeOver = true;
  const Capture plain(list.hwnd());
  EXPECT_EQ(plain.count(list.cellRect(0, 2), IsBlue), 0);
  EXPECT_GT(plain.count(list.cellRect(0, 2), IsDark), 20);
}

TEST_F(ListViewLink, TheLinkColumnWorksOnAPanelOfTheForm) {
  // The list sits on a panel: its notifications travel up to the form, which hands
  // them back to the list's object.
  tk::Panel panel;
  ASSERT_TRUE(panel.create(host.hwnd(), {0, 0, 620, 410}));
  tk::ListView inner;
  ASSERT_TRUE(inner.create(panel.hwnd(), 602, {5, 5, 605, 300}));
  inner.addColumn("Name", 100);
  inner.addColumn("Directory", 300);
  inner.insertRow({"Delta", {"D:\\Delta\\Programs"}, -1, 0});
  inner.setLinkColumn(1);
  int selected = -1;
  inner.onItemChanged = [&](const tk::ListItemChange& c) {
    if (c.selected) selected = c.item;
  };
  const Capture shot(inner.hwnd());
  EXPECT_GT(shot.count(inner.cellRect(0, 1), IsBlue), 20);
  inner.select(0);
  EXPECT_EQ(selected, 0);
  EXPECT_GE(host.countNotifications(inner.hwnd(), LVN_ITEMCHANGED), 1u);
}

TEST_F(ListViewLink, APressOnALinkCellSelectsTheRowAndCallsBack) {
  list.setLinkColumn(2);
  std::vector<int> clicked;
  list.onLinkClick = [&](int item) {
    EXPECT_EQ(list.selectedIndex(), item) << "the row is selected before the handler runs";
    clicked.push_back(item);
  };
  PostClick(list.hwnd(), Centre(list.cellRect(1, 2)));
  EXPECT_EQ(clicked, (std::vector<int>{1}));
  PostClick(list.hwnd(), Centre(list.cellRect(2, 1)));
  EXPECT_EQ(clicked, (std::vector<int>{1})) << "other columns are no links";
  EXPECT_EQ(list.selectedIndex(), 2);
  PostClick(list.hwnd(), Centre(list.cellRect(0, 2)), VK_RBUTTON);
  EXPECT_EQ(clicked, (std::vector<int>{1})) << "only the left button follows a link";

  EXPECT_TRUE(list.isOnLink(Centre(list.cellRect(0, 2))));
  list.setMode(tk::ListViewMode::List);
  EXPECT_FALSE(list.isOnLink(Centre(list.cellRect(0, 2)))) << "links only in report view";
}

TEST_F(ListViewLink, MouseOverALinkCellShowsTheHandCursor) {
  list.setLinkColumn(2);
  HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
  auto cursorAt = [&](POINT client) {
    POINT screen = client;
    ClientToScreen(list.hwnd(), &screen);
    SetCursorPos(screen.x, screen.y);
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    SendMessageA(list.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(list.hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(cursorAt(Centre(list.cellRect(1, 2))), hand);
  EXPECT_NE(cursorAt(Centre(list.cellRect(1, 1))), hand);
  RECT client;
  GetClientRect(list.hwnd(), &client);
  EXPECT_NE(cursorAt({client.right / 2, client.bottom - 5}), hand) << "below the last row";
}

TEST_F(ListViewLink, MouseRestingOnARowShowsItsOwnTip) {
  int asked = 0;
  list.setItemTips(
      [&](int item) {
        ++asked;
        if (item == 2) throw std::runtime_error("no data for this row");
        return "Used Frequency: Rarely\r\nUninstall String: " + list.itemText(item, 0);
      },
      30);
  ASSERT_TRUE(list.itemTipsEnabled());
  auto restOn = [&](int item) {
    const POINT p = Centre(list.cellRect(item, 0));
    POINT screen = p;
    ClientToScreen(list.hwnd(), &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(list.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  };
  restOn(1);
  ASSERT_TRUE(testing_support::PumpMessagesUntil([&] { return list.itemTip().shown(); }, 30000));
  EXPECT_EQ(list.itemTip().text(), "Used Frequency: Rarely\r\nUninstall String: Beta");
  char shown[256] = {};
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.hwnd = list.hwnd();
  info.uId = 1;
  info.lpszText = shown;
  SendMessageA(list.itemTip().hwnd(), TTM_GETTEXTA, sizeof shown, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(shown, "Used Frequency: Rarely\r\nUninstall String: Beta");
  EXPECT_TRUE(IsWindowVisible(list.itemTip().hwnd()));

  restOn(0);
  ASSERT_TRUE(testing_support::PumpMessagesUntil(
      [&] { return list.itemTip().text().find("Alpha") != std::string::npos; }, 30000));

  PostClick(list.hwnd(), Centre(list.cellRect(0, 1)));
  EXPECT_FALSE(list.itemTip().shown()) << "a click puts the tip away";

  const int before = asked;
  restOn(2);  // the tip's text fails: nothing is shown
  ASSERT_TRUE(testing_support::PumpMessagesUntil([&] { return asked > before; }, 30000));
  Pump(200);
  EXPECT_FALSE(list.itemTip().shown());

  list.setItemTipsEnabled(false);
  restOn(1);
  Pump(200);
  EXPECT_FALSE(list.itemTip().shown()) << "tips switched off";
}

}  // namespace
}  // namespace controls_tests
