// The main window's popup menus as data: which action each item runs, in order.
// They are built again whenever the language changes, with the table's texts.
#include "main/MenuIcons.h"
#include "main/frmMain.h"
#include "ui/LanguageTable.h"

namespace forms {

using ui::LangText;

void TMainForm::buildMenus() {
  MainActions& a = actions_;

  pmFile.clear();
  pmFile.addAction(a.ActionAddNew, LangText(ui::IDS_MAINFORM_MENU_FILE_NewProgram),
                   kIconNewProgram);
  pmFile.addSeparator();
  pmFile.addAction(a.ActionExportReg, LangText(ui::IDS_MAINFORM_MENU_FILE_ExportRegInfo),
                   kIconExport);
  pmFile.addAction(a.ActionReloadReg, LangText(ui::IDS_MAINFORM_MENU_FILE_ReloadRegInfo),
                   kIconImport);
  pmFile.addAction(a.ActionCreateBackup, LangText(ui::IDS_MAINFORM_MENU_FILE_CreateBackup),
                   kIconBackup);
  pmFile.addAction(a.ActionExporetList, LangText(ui::IDS_MAINFORM_MENU_FILE_ExportPrmList),
                   kIconNewProgram);
  pmFile.addSeparator();
  pmFile.addAction(a.ActionExit, LangText(ui::IDS_MAINFORM_MENU_FILE_Exit), kIconExit);

  pmView.clear();
  pmView.addAction(a.ActionGrid, LangText(ui::IDS_MAINFORM_MENU_VIEW_Grid), kIconGrid);
  pmView.addAction(a.ActionInfoTips, LangText(ui::IDS_MAINFORM_MENU_VIEW_Tips), kIconTips);
  pmView.addSeparator();
  pmView.addAction(a.ActionViewIcon, LangText(ui::IDS_MAINFORM_MENU_VIEW_Icon), kIconViewIcon);
  pmView.addAction(a.ActionViewList, LangText(ui::IDS_MAINFORM_MENU_VIEW_List), kIconViewList);
  pmView.addAction(a.ActionViewReport, LangText(ui::IDS_MAINFORM_MENU_VIEW_Report),
                   kIconViewReport);
  pmView.addSeparator();
  pmView.addAction(a.ActionRefresh, LangText(ui::IDS_MAINFORM_MENU_VIEW_Refresh), kIconRefresh);
  pmView.addSubmenu(LangText(ui::IDS_MAINFORM_MENU_VIEW_Languages), languagesSubmenu_.get(),
                    kIconGlobe);
  pmView.addSubmenu(LangText(ui::IDS_MAINFORM_MENU_VIEW_Skins), skinsSubmenu_.get(), kIconViewIcon);

  pmTools.clear();
  pmTools.addAction(a.ActionComment, LangText(ui::IDS_MAINFORM_MENU_TOOLS_CommentEntry),
                    kIconComment);
  pmTools.addAction(a.ActionRegedit, LangText(ui::IDS_MAINFORM_MENU_TOOLS_Regedit), kIconGear);
  pmTools.addAction(a.ActionScanRemoved, LangText(ui::IDS_MAINFORM_MENU_TOOLS_ScanRemoved),
                    kIconTrash);
  pmTools.addSeparator();
  pmTools.addAction(a.ActionWinUpdate, LangText(ui::IDS_MAINFORM_MENU_TOOLS_WindowsUpdate),
                    kIconRefresh);
  pmTools.addAction(a.ActionWinServices, LangText(ui::IDS_MAINFORM_MENU_TOOLS_WindowsServices),
                    kIconGear);
  pmTools.addAction(a.ActionWinComponents, LangText(ui::IDS_MAINFORM_MENU_TOOLS_WindowsComponents),
                    kIconGear);

  pmHelp.clear();
  pmHelp.addAction(a.ActionHelpContent, LangText(ui::IDS_MAINFORM_MENU_HELP_HelpContent),
                   kIconHelp);
  pmHelp.addSeparator();
  pmHelp.addAction(a.ActionOnlineRes, LangText(ui::IDS_MAINFORM_MENU_HELP_OnlineRes), kIconGlobe);
  pmHelp.addAction(a.ActionContact, LangText(ui::IDS_MAINFORM_MENU_HELP_Contact), kIconMail);
  pmHelp.addSeparator();
  pmHelp.addAction(a.ActionAbout, LangText(ui::IDS_MAINFORM_MENU_HELP_About), kIconTips);

  for (tk::PopupMenu* menu : menusWithIcons()) {
    menu->setImages(menuIcons_.get());
    menu->rebuild();
  }
}

std::array<tk::PopupMenu*, 6> TMainForm::menusWithIcons() {
  return {&pmFile,
          &pmView,
          &pmTools,
          &pmHelp,
          &programPage_.pmPLRightClick,
          &startupPage_.pmSLRightClick};
}

void TMainForm::makeMenuIcons() {
  tk::UniqueImageList icons = LoadMenuIcons(MenuIconInkFor(tk::MenuColoursSet()));
  // The menus let go of the old pictures before they are destroyed.
  for (tk::PopupMenu* menu : menusWithIcons()) menu->setImages(icons.get());
  menuIcons_ = std::move(icons);
}

}  // namespace forms
