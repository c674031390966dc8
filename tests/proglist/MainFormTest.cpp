// The main window's frame as a user drives it: menu buttons, tabs, the window
// commands and the options written on Exit, over the real inventory component.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "settings/Product.h"
#include "settings/Settings.h"
#include "sys/IniFile.h"
#include "main/frmMain.h"
#include "proglist/ProgramListFixture.h"
#include "support/MessagePump.h"

using namespace proglist_test;
using testing_support::PumpMessagesUntil;

namespace {

struct OpenedMenu {
  tk::PopupMenu* menu;
  POINT at;
};

struct ShellCall {
  HWND owner;
  std::string file, parameters;
};

class MainForm : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    FillUninstallKeys(StandardPrograms());
  }
  void open(forms::TMainForm& f) {
    ASSERT_TRUE(f.Create());
    f.openMenu = [this](tk::PopupMenu& menu, POINT at) { opened.push_back({&menu, at}); };
    f.startMove = [this] { ++moves; };
    f.shellOpen = [this](HWND owner, const std::string& file, const std::string& parameters) {
      shellCalls.push_back({owner, file, parameters});
    };
    f.runDialog = [this](HWND, const std::string& title) { runTitles.push_back(title); };
    f.show(SW_SHOWNOACTIVATE);
  }
  static std::vector<UINT> itemIds(const tk::PopupMenu& menu) {
    std::vector<UINT> ids;
    for (int i = 0, n = GetMenuItemCount(menu.handle()); i < n; ++i)
      ids.push_back(GetMenuItemID(menu.handle(), i));
    return ids;
  }
  static RECT screenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }
  static bool visible(HWND window) { return IsWindowVisible(window) != FALSE; }

  std::vector<OpenedMenu> opened;
  std::vector<ShellCall> shellCalls;
  std::vector<std::string> runTitles;
  int moves = 0;
};

TEST_F(MainForm, IsABorderlessColourKeyedFrameOfTheDesignSize) {
  open(form);
  const LONG style = GetWindowLongA(form.hwnd(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_EQ(style & WS_THICKFRAME, 0);
  ASSERT_NE(GetWindowLongA(form.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  COLORREF key = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(form.hwnd(), &key, nullptr, &flags));
  EXPECT_EQ(key, RGB(255, 0, 255));
  EXPECT_NE(flags & LWA_COLORKEY, 0u);
  RECT client{};
  GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, 763);
  EXPECT_EQ(client.bottom, 538);
  // The focus sink lies under the startup tab button.
  RECT sink = screenRect(form.txtHide.hwnd()), tab = screenRect(form.btnStartupItemList.hwnd());
  RECT both{};
  IntersectRect(&both, &sink, &tab);
  EXPECT_TRUE(EqualRect(&both, &sink));
  // The program page comes first, with its tab button disabled.
  EXPECT_EQ(form.PageControl.activeIndex(), 0);
  EXPECT_FALSE(IsWindowEnabled(form.btnProgramList.hwnd()));
  EXPECT_TRUE(IsWindowEnabled(form.btnStartupItemList.hwnd()));
  EXPECT_EQ(form.programPage().lsvProgramList.count(), 120);
}

TEST_F(MainForm, MenuButtonsOpenTheirMenusUnderThemAndLeaveTheFocusInTheSink) {
  open(form);
  SetForegroundWindow(form.hwnd());
  SendMessageA(form.btnFile.hwnd(), BM_CLICK, 0, 0);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].menu, &form.pmFile);
  RECT button = screenRect(form.btnFile.hwnd());
  EXPECT_EQ(opened[0].at.x, button.left);
  EXPECT_EQ(opened[0].at.y, button.bottom);
  EXPECT_TRUE(PumpMessagesUntil([&] { return GetFocus() == form.txtHide.hwnd(); }, 30000));

  SendMessageA(form.btnHelp.hwnd(), BM_CLICK, 0, 0);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1].menu, &form.pmHelp);
  EXPECT_EQ(opened[1].at.x, screenRect(form.btnHelp.hwnd()).left);

  // A right click opens View, Tools and Help at the mouse; File opens nothing.
  SendMessageA(form.btnFile.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.btnFile.hwnd()),
               MAKELPARAM(300, 200));
  EXPECT_EQ(opened.size(), 2u);
  SendMessageA(form.btnView.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.btnView.hwnd()),
               MAKELPARAM(300, 200));
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[2].menu, &form.pmView);
  EXPECT_EQ(opened[2].at.x, 300);
  EXPECT_EQ(opened[2].at.y, 200);
}

TEST_F(MainForm, MenusHoldTheirCommandsInOrder) {
  open(form);
  const forms::MainActions& a = form.actions();
  EXPECT_EQ(itemIds(form.pmFile),
            (std::vector<UINT>{a.ActionAddNew.id(), 0, a.ActionExportReg.id(),
                               a.ActionReloadReg.id(), a.ActionCreateBackup.id(),
                               a.ActionExporetList.id(), 0, a.ActionExit.id()}));
  EXPECT_EQ(itemIds(form.pmTools),
            (std::vector<UINT>{a.ActionComment.id(), a.ActionRegedit.id(), a.ActionScanRemoved.id(),
                               0, a.ActionWinUpdate.id(), a.ActionWinServices.id(),
                               a.ActionWinComponents.id()}));
  EXPECT_EQ(itemIds(form.pmHelp),
            (std::vector<UINT>{a.ActionHelpContent.id(), 0, a.ActionOnlineRes.id(),
                               a.ActionContact.id(), 0, a.ActionAbout.id()}));
  std::vector<UINT> view = itemIds(form.pmView);
  ASSERT_EQ(view.size(), 10u);
  EXPECT_EQ(view[0], a.ActionGrid.id());
  EXPECT_EQ(view[3], a.ActionViewIcon.id());
  EXPECT_EQ(view[7], a.ActionRefresh.id());
  EXPECT_NE(GetSubMenu(form.pmView.handle(), 8), nullptr);  // Languages
  EXPECT_NE(GetSubMenu(form.pmView.handle(), 9), nullptr);  // Skins
  // Until a program is selected, its commands wait.
  EXPECT_FALSE(a.ActionExportReg.enabled());
  EXPECT_FALSE(a.ActionComment.enabled());
  EXPECT_FALSE(a.ActionRegedit.enabled());
  EXPECT_TRUE(a.ActionInfoTips.checked());
  EXPECT_FALSE(a.ActionGrid.checked());
}

TEST_F(MainForm, PressingAnyMouseButtonOnTheBackgroundOrTitleMovesTheWindow) {
  open(form);
  for (UINT message : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN})
    SendMessageA(form.hwnd(), message, 0, MAKELPARAM(600, 20));
  SendMessageA(form.ImgTitle.hwnd(), WM_RBUTTONDOWN, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(moves, 4);
}

TEST_F(MainForm, TwoClicksOnTheHotSpotGiveTheListTheFullWidthAndThenItsPlaceAgain) {
  open(form);
  forms::ProgramListPage& page = form.programPage();
  auto clickHotSpot = [&] {
    RECT spot = page.sidePanel.hotSpotRect();
    const LPARAM at = MAKELPARAM((spot.left + spot.right) / 2, (spot.top + spot.bottom) / 2);
    SendMessageA(page.sidePanel.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(page.sidePanel.hwnd(), WM_LBUTTONUP, 0, at);
  };
  auto listPlace = [&] {
    RECT r = page.lsvProgramList.control().bounds();
    return std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  clickHotSpot();
  EXPECT_TRUE(page.sidePanel.collapsed());
  EXPECT_EQ(listPlace(), (std::vector<LONG>{9, 0, 742, 394}));
  clickHotSpot();
  EXPECT_FALSE(page.sidePanel.collapsed());
  EXPECT_EQ(listPlace(), (std::vector<LONG>{169, 0, 582, 394}));
}

TEST_F(MainForm, TabsSwitchPagesStatusLabelsAndCommands) {
  open(form);
  forms::MainActions& a = form.actions();
  forms::ProgramListPage& page = form.programPage();
  page.lsvProgramList.selectOnly(0);
  ASSERT_TRUE(visible(page.lblRegName.hwnd()));

  SendMessageA(form.btnStartupItemList.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.PageControl.activeIndex(), 1);
  for (HWND label : {page.lblPrograms.hwnd(), page.lblProgramCounts.hwnd(), page.lblRegName.hwnd(),
                     page.lblRegistryName.hwnd(), page.lblProgramURL.hwnd()})
    EXPECT_FALSE(visible(label));
  EXPECT_FALSE(a.ActionViewIcon.visible());
  EXPECT_FALSE(a.ActionExportReg.visible());
  EXPECT_FALSE(a.ActionComment.enabled());
  EXPECT_FALSE(a.ActionRegedit.enabled());
  EXPECT_FALSE(a.ActionDelete.enabled());
  EXPECT_TRUE(IsWindowEnabled(form.btnProgramList.hwnd()));
  EXPECT_FALSE(IsWindowEnabled(form.btnStartupItemList.hwnd()));
  form.pmFile.rebuild();
  for (UINT id : itemIds(form.pmFile)) EXPECT_NE(id, a.ActionExportReg.id());

  SendMessageA(form.btnProgramList.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.PageControl.activeIndex(), 0);
  EXPECT_TRUE(visible(page.lblPrograms.hwnd()));
  EXPECT_TRUE(visible(page.lblProgramCounts.hwnd()));
  EXPECT_EQ(page.lblProgramCounts.text(), page.ProgramCountText);
  // The registry name and address come back only with the next selection.
  EXPECT_FALSE(visible(page.lblRegName.hwnd()));
  EXPECT_FALSE(visible(page.lblRegistryName.hwnd()));
  EXPECT_TRUE(a.ActionViewIcon.visible());
  EXPECT_FALSE(IsWindowEnabled(form.btnProgramList.hwnd()));
  page.lsvProgramList.selectOnly(1);
  EXPECT_TRUE(visible(page.lblRegName.hwnd()));
}

TEST_F(MainForm, FrameCommandsReachTheShellAndTheViewOptions) {
  open(form);
  forms::MainActions& a = form.actions();
  a.ActionWinServices.execute();
  a.ActionWinComponents.execute();
  a.ActionWinUpdate.execute();
  a.ActionOnlineRes.execute();
  a.ActionContact.execute();
  // F1 from the list opens the help file.
  PostMessageA(form.programPage().lsvProgramList.hwnd(), WM_KEYDOWN, VK_F1, 0);
  ASSERT_TRUE(PumpMessagesUntil([&] { return shellCalls.size() == 6; }, 30000));
  EXPECT_EQ(shellCalls[0].file, "Services.msc");
  EXPECT_EQ(shellCalls[0].owner, form.hwnd());
  EXPECT_EQ(shellCalls[1].file, "control.exe");
  EXPECT_EQ(shellCalls[1].parameters, "Appwiz.cpl ,2");
  EXPECT_EQ(shellCalls[2].parameters, "Appwiz.cpl ,1");
  EXPECT_EQ(shellCalls[3].file, settings::kMakerWebAddress);
  EXPECT_EQ(shellCalls[4].file, std::string("mailto:") + settings::kSupportMailAddress);
  EXPECT_EQ(shellCalls[5].file, config.paths().HelpFile);
  EXPECT_EQ(shellCalls[5].owner, nullptr);

  a.ActionAddNew.execute();
  ASSERT_EQ(runTitles.size(), 1u);
  EXPECT_EQ(runTitles[0], "New Program");

  a.ActionGrid.execute();
  EXPECT_TRUE(a.ActionGrid.checked());
  EXPECT_TRUE(form.programPage().lsvProgramList.gridLines());
  a.ActionGrid.execute();
  EXPECT_FALSE(form.programPage().lsvProgramList.gridLines());
  a.ActionInfoTips.execute();
  EXPECT_FALSE(a.ActionInfoTips.checked());
}

TEST_F(MainForm, ShowDetailsOpensTheSelectedProgramAndItsBoxFollowsTheList) {
  open(form);
  forms::MainActions& a = form.actions();
  forms::ProgramListPage& page = form.programPage();
  EXPECT_EQ(form.DetailsForm.programCount(), 120);
  a.ActionHideSysPatch.execute();
  EXPECT_EQ(form.DetailsForm.programCount(), 113);

  const int row = 5;
  page.lsvProgramList.selectOnly(row);
  const std::string caption = page.lsvProgramList.itemText(row, 0);
  // Show Details is modal: read the window while it shows, then close it.
  bool seen = false;
  std::thread closer([&] {
    // Waits for the window itself; the count only keeps a broken modal loop from hanging.
    for (int i = 0; i < 600 && !IsWindowVisible(form.DetailsForm.hwnd()); ++i) Sleep(50);
    seen = IsWindowVisible(form.DetailsForm.hwnd()) != FALSE;
    PostMessageA(form.DetailsForm.hwnd(), WM_CLOSE, 0, 0);
  });
  a.ActionShowDetails.execute();
  closer.join();
  EXPECT_TRUE(seen);
  EXPECT_FALSE(IsWindowVisible(form.DetailsForm.hwnd()));  // closing only hides it
  ASSERT_GE(form.DetailsForm.selectedProgram(), 0);
  EXPECT_EQ(form.DetailsForm.programText(form.DetailsForm.selectedProgram()), caption);
}

TEST_F(MainForm, ExitWritesBothOptionsAndTheNextStartShowsThemChecked) {
  open(form);
  forms::MainActions& a = form.actions();
  a.ActionHideSysPatch.execute();  // on
  a.ActionHideScr.execute();       // off
  // The options are written at once; put other values there to see Exit write its own.
  sys::IniFile file(config.paths().ConfigFile);
  ASSERT_TRUE(file.writeBool("config", "HideSysPatch", false));
  ASSERT_TRUE(file.writeBool("config", "HideScreenSaver", true));
  SendMessageA(form.btnClose.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpMessagesUntil([&] { return !IsWindow(form.hwnd()); }, 30000));
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);

  settings::TSettings nextStart;
  ASSERT_TRUE(nextStart.load(dir.file("Prunaxis.exe")));
  EXPECT_TRUE(nextStart.hideSysPatch());
  EXPECT_FALSE(nextStart.hideScreenSaver());
  forms::TMainForm next(nextStart);
  open(next);
  EXPECT_TRUE(next.actions().ActionHideSysPatch.checked());
  EXPECT_FALSE(next.actions().ActionHideScr.checked());
  EXPECT_EQ(SendMessageA(next.programPage().ckbHidePatch.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

}  // namespace
