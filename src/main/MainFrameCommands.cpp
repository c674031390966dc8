// The commands that belong to the frame itself: window, tabs, view options, the
// skin switch, the Windows tools, help and the maker's addresses.
#include "main/frmMain.h"

#include "settings/Product.h"
#include "backup/frmProgress.h"
#include "main/frmAbout.h"
#include "reports/frmPrintPage.h"
#include "sys/RunDialog.h"
#include "ui/LanguageTable.h"

namespace forms {
namespace {

constexpr UINT kRunDialogFlags = 2;

// The program page's own commands (its view modes, the entry export) show only
// while its tab is active.
void ShowProgramPageCommands(MainActions& a, bool visible) {
  for (tk::Action* action :
       {&a.ActionViewIcon, &a.ActionViewList, &a.ActionViewReport, &a.ActionExportReg}) {
    action->setVisible(visible);
  }
}

}  // namespace

void TMainForm::bindFrameCommands() {
  MainActions& a = actions_;
  a.ActionHelpContent.setShortcut(tk::Shortcut{VK_F1});
  a.ActionInfoTips.setChecked(true);
  a.ActionGrid.setChecked(false);
  btnProgramList.SetEnabled(false);

  a.ActionMin.bindControl(btnMin.hwnd());
  a.ActionHelpContent.bindControl(btnHelpContent.hwnd());
  a.ActionExit.bindControl(btnClose.hwnd());
  a.ActionTabProgramList.bindControl(btnProgramList.hwnd());
  a.ActionTabStartupItems.bindControl(btnStartupItemList.hwnd());
  a.ActionTabProgramList.setEnabled(false);  // the program list is the first page

  a.ActionMin.setOnExecute([this] { ShowWindow(hwnd(), SW_MINIMIZE); });
  a.ActionExit.setOnExecute([this] { Exit(); });
  a.ActionGrid.setOnExecute([this] {
    actions_.ActionGrid.setChecked(!actions_.ActionGrid.checked());
    programPage_.lsvProgramList.setGridLines(actions_.ActionGrid.checked());
    startupPage_.lsvStartupList.setGridLines(actions_.ActionGrid.checked());
  });
  a.ActionInfoTips.setOnExecute([this] {
    actions_.ActionInfoTips.setChecked(!actions_.ActionInfoTips.checked());
    programPage_.lsvProgramList.setItemTipsEnabled(actions_.ActionInfoTips.checked());
  });
  a.ActionAddNew.setOnExecute(
      [this] { runDialog(hwnd(), ui::LangText(ui::IDS_MAINFORM_MENU_FILE_NewProgram)); });
  a.ActionWinServices.setOnExecute([this] { shellOpen(hwnd(), "Services.msc", ""); });
  a.ActionWinComponents.setOnExecute([this] { shellOpen(hwnd(), "control.exe", "Appwiz.cpl ,2"); });
  a.ActionWinUpdate.setOnExecute([this] { shellOpen(hwnd(), "control.exe", "Appwiz.cpl ,1"); });
  a.ActionHelpContent.setOnExecute([this] { shellOpen(nullptr, settings_.paths().HelpFile, ""); });
  a.ActionOnlineRes.setOnExecute([this] { shellOpen(nullptr, settings::kMakerWebAddress, ""); });
  a.ActionContact.setOnExecute(
      [this] { shellOpen(nullptr, std::string("mailto:") + settings::kSupportMailAddress, ""); });
  // Refresh (F5, both pages' menus) refreshes the list of the page that shows.
  a.ActionRefresh.setOnExecute([this] {
    if (PageControl.activeIndex() == 1)
      startupPage_.RefreshStartupList();
    else
      programPage_.RefreshShowingErrors();
  });
  a.ActionCreateBackup.setOnExecute([this] { backup::ExecuteCreateBackup(hwnd(), settings_); });
  a.ActionExporetList.setOnExecute([this] {
    reports::ExecuteExportList(hwnd(), programPage_.lblProgramCounts.text(),
                               reports::ShownCaptions(programPage_.lsvProgramList));
  });
  a.ActionAbout.setOnExecute([this] { ShowAboutForm(hwnd(), settings_); });
  a.ActionTabProgramList.setOnExecute([this] { ActionTabProgramListExecute(); });
  a.ActionTabStartupItems.setOnExecute([this] { ActionTabStartupItemsExecute(); });

  runDialog = [](HWND owner, const std::string& title) {
    HICON icon = reinterpret_cast<HICON>(SendMessageW(owner, WM_GETICON, ICON_SMALL, 0));
    // Failures of the dialog are not the user's concern.
    sys::ShowRunDialog(owner, icon, title, kRunDialogFlags);
  };
}

void TMainForm::bindSkinsMenu() {
  skinsSubmenu_.reset(CreatePopupMenu());
  skinsMenu_.onSkinSwitched = [this] {
    applySkin();
    // Every control shows the new pictures and colours now, not when it next paints.
    RedrawWindow(hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  };
  skinsMenu_.BuildSkinsMenu(skinsSubmenu_.get());
}

void TMainForm::ActionTabProgramListExecute() {
  PageControl.setActive(0);
  ProgramListPage& p = programPage_;
  p.lblPrograms.setText(ui::LangText(ui::IDS_STATUSBAR_LABEL_Programs));
  p.lblProgramCounts.setText(p.ProgramCountText);
  p.lblProgramCounts.placeAfter(p.lblPrograms.hwnd(), 5);
  actions_.ActionTabProgramList.setEnabled(false);
  actions_.ActionTabStartupItems.setEnabled(true);
  p.lblProgramCounts.setVisible(true);
  p.lblPrograms.setVisible(true);
  ShowProgramPageCommands(actions_, true);
}

void TMainForm::ActionTabStartupItemsExecute() {
  startupPage_.ActivatePage();  // reloads the list, takes the all-enabled flag from it
  PageControl.setActive(1);
  ProgramListPage& p = programPage_;
  ShowWindow(p.lblProgramURL.hwnd(), SW_HIDE);
  p.lblRegName.setVisible(false);
  p.lblRegistryName.setVisible(false);
  p.lblProgramCounts.setVisible(false);
  p.lblPrograms.setVisible(false);
  ShowProgramPageCommands(actions_, false);
  actions_.ActionDelete.setEnabled(false);
  actions_.ActionTabStartupItems.setEnabled(false);
  actions_.ActionTabProgramList.setEnabled(true);
  actions_.ActionComment.setEnabled(false);
  actions_.ActionRegedit.setEnabled(false);
}

}  // namespace forms
