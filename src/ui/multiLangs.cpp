#include "ui/multiLangs.h"

#include <exception>

#include "settings/Product.h"
#include "sys/FileOps.h"
#include "sys/Files.h"
#include "toolkit/ControlText.h"
#include "toolkit/MenuText.h"
#include "toolkit/MessageBox.h"
#include "toolkit/WinText.h"
#include "ui/LanguageFile.h"

namespace ui {
namespace {

bool EndsWithIni(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext == ".ini";
}

void Apply(const TextSetter& setter, LangId id) {
  if (setter) setter(LangText(id));
}

}  // namespace

bool WriteLanguageDefaults(const settings::TSettings& settings) {
  return WriteLanguageToFile(LanguageTable(), settings.paths().LanguageFilePath);
}

bool LoadLanguageTable(const settings::TSettings& settings) {
  const std::string& path = settings.paths().LanguageFilePath;
  if (!sys::FileExists(path) && !WriteLanguageDefaults(settings)) {
    tk::ShowMessageBox(nullptr, FormatText(LangText(IDS_MESSAGEBOX_WARNING_SaveFileFailed), {path}),
                       settings::kAppTitle, MB_OK | MB_ICONERROR);
    return false;
  }
  return ReadLanguageFromFile(LanguageTable(), path);
}

std::string LanguageDisplayName(const std::string& fileName) {
  std::string name = fileName.substr(0, fileName.find('.'));
  // A name that starts with "." would give an empty, unclickable item.
  if (name.empty() && EndsWithIni(fileName)) name = fileName.substr(0, fileName.size() - 4);
  return name;
}

std::vector<std::string> ListLanguageFiles(const std::string& langsDir) {
  std::vector<std::string> files;
  for (const sys::FolderEntry& entry : sys::ListFolderMatching(langsDir, "*.ini")) {
    if (entry.isFolder()) continue;
    // "*.ini" also matches names whose short form ends in .INI ("x.ini.bak").
    if (!EndsWithIni(entry.name)) continue;
    files.push_back(entry.name);
  }
  return files;
}

void TLanguagesMenu::BuildLanguagesMenu(HMENU submenu) {
  menu_ = submenu;
  items_.clear();
  if (!menu_) return;
  const settings::TPaths& paths = settings_.paths();
  std::string current = sys::ExtractFileName(paths.LanguageFilePath);
  for (const std::string& file : ListLanguageFiles(paths.LangsDir)) {
    if (items_.size() >= capacity_) break;
    // A file may name its language itself (in its own script); otherwise the
    // file name says it.
    std::string name = ReadLanguageName(paths.LangsDir + file);
    if (name.empty()) name = LanguageDisplayName(file);
    Item item{firstId_ + static_cast<UINT>(items_.size()), file, std::move(name)};
    // The caption is shown as it is: "&" is not an accelerator marker here.
    std::string caption;
    for (char c : item.caption) {
      caption += c;
      if (c == '&') caption += '&';
    }
    UINT flags = MF_STRING;
    if (sys::SameFileName(file, current)) flags |= MF_CHECKED;
    if (!toolkit::AppendMenuItemUtf8(menu_, flags, item.commandId, caption)) continue;
    items_.push_back(std::move(item));
  }
}

void TLanguagesMenu::checkOnly(UINT commandId) {
  for (const Item& item : items_)
    CheckMenuItem(menu_, item.commandId,
                  MF_BYCOMMAND | (item.commandId == commandId ? MF_CHECKED : MF_UNCHECKED));
}

void TLanguagesMenu::SwitchLanguage(const Item& item) {
  try {
    if (!sys::FileExists(settings_.paths().LangsDir + item.fileName)) return;
    checkOnly(item.commandId);
    // A choice that cannot be remembered still applies for this run.
    settings_.useLanguageFile(item.fileName);
    LoadLanguageTable(settings_);
    if (onLanguageSwitched) onLanguageSwitched();
  } catch (const std::exception&) {
    // A failed switch leaves whatever it had done so far; nothing to tell the user.
  }
}

bool TLanguagesMenu::handleCommand(UINT commandId) {
  for (const Item& item : items_) {
    if (item.commandId == commandId) {
      Item chosen = item;  // the handler may rebuild the menu
      SwitchLanguage(chosen);
      return true;
    }
  }
  return false;
}

TextSetter WindowTextSetter(HWND window) {
  if (!window) return {};
  return [window](const std::string& text) { toolkit::SetWindowTextUtf8(window, text); };
}

TextSetter MenuItemTextSetter(HMENU menu, UINT item, bool byPosition) {
  if (!menu) return {};
  return [menu, item, byPosition](const std::string& text) {
    toolkit::SetMenuItemTextUtf8(menu, item, byPosition, text);
  };
}

TextSetter ListColumnTextSetter(HWND listView, int column) {
  if (!listView) return {};
  return [listView, column](const std::string& text) {
    toolkit::SetListColumnTextUtf8(listView, column, text);
  };
}

void ApplyMainWindowTexts(const TMainWindowTextTargets& t) {
  Apply(t.btnFile, IDS_MAINFORM_MENU_File);
  Apply(t.mItemAddProgram, IDS_MAINFORM_MENU_FILE_NewProgram);
  Apply(t.mItemExportRegInfo, IDS_MAINFORM_MENU_FILE_ExportRegInfo);
  Apply(t.mItemReloadReg, IDS_MAINFORM_MENU_FILE_ReloadRegInfo);
  Apply(t.mItemBackup, IDS_MAINFORM_MENU_FILE_CreateBackup);
  Apply(t.mItemExportList, IDS_MAINFORM_MENU_FILE_ExportPrmList);
  Apply(t.mItemExit, IDS_MAINFORM_MENU_FILE_Exit);

  Apply(t.btnView, IDS_MAINFORM_MENU_View);
  Apply(t.mItemGrid, IDS_MAINFORM_MENU_VIEW_Grid);
  Apply(t.mItemInfoTips, IDS_MAINFORM_MENU_VIEW_Tips);
  Apply(t.mItemViewIcon, IDS_MAINFORM_MENU_VIEW_Icon);
  Apply(t.mItemViewList, IDS_MAINFORM_MENU_VIEW_List);
  Apply(t.mItemViewReport, IDS_MAINFORM_MENU_VIEW_Report);
  Apply(t.mItemRefresh, IDS_MAINFORM_MENU_VIEW_Refresh);
  Apply(t.mItemLanguages, IDS_MAINFORM_MENU_VIEW_Languages);

  Apply(t.btnTools, IDS_MAINFORM_MENU_Tools);
  Apply(t.mItemRegedit, IDS_MAINFORM_MENU_TOOLS_Regedit);
  Apply(t.mItemComment, IDS_MAINFORM_MENU_TOOLS_CommentEntry);
  Apply(t.mItemUpdates, IDS_MAINFORM_MENU_TOOLS_WindowsUpdate);
  Apply(t.mItemServices, IDS_MAINFORM_MENU_TOOLS_WindowsServices);
  Apply(t.mItemComponents, IDS_MAINFORM_MENU_TOOLS_WindowsComponents);

  Apply(t.btnHelp, IDS_MAINFORM_MENU_Help);
  Apply(t.mItemHelpContent, IDS_MAINFORM_MENU_HELP_HelpContent);
  Apply(t.mItemOnlineRes, IDS_MAINFORM_MENU_HELP_OnlineRes);
  Apply(t.mItemContact, IDS_MAINFORM_MENU_HELP_Contact);
  Apply(t.mItemAbout, IDS_MAINFORM_MENU_HELP_About);

  Apply(t.btnProgramList, IDS_PAGECONTROL_TABSHEETPL_Title);
  Apply(t.programListColumns[0], IDS_LISTVIEW_COLUMNS_Descriptions);
  Apply(t.programListColumns[1], IDS_LISTVIEW_COLUMNS_Publisher);
  Apply(t.programListColumns[2], IDS_LISTVIEW_COLUMNS_Directory);
  Apply(t.mItemUninstall, IDS_LISTVIEW_RIGHTCLICK_Uninstall);
  Apply(t.mItemAddComments, IDS_LISTVIEW_RIGHTCLICK_CommentEntry);
  Apply(t.mItemEditEntryReg, IDS_LISTVIEW_RIGHTCLICK_RegistryEditor);
  Apply(t.mItemExportReg, IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo);
  Apply(t.mItemShowDetails, IDS_LISTVIEW_RIGHTCLICK_ShowDetails);
  Apply(t.mItemView, IDS_LISTVIEW_RIGHTCLICK_View);
  Apply(t.mItemIcon, IDS_LISTVIEW_RIGHTCLICK_ViewIcon);
  Apply(t.mItemList, IDS_LISTVIEW_RIGHTCLICK_ViewList);
  Apply(t.mItemReport, IDS_LISTVIEW_RIGHTCLICK_ViewReport);
  Apply(t.lblPrograms, IDS_STATUSBAR_LABEL_Programs);
  Apply(t.lblRegName, IDS_STATUSBAR_LABEL_RegistryName);
  Apply(t.btnUninstall, IDS_SIDEBAR_BUTTON_Uninstall);
  Apply(t.btnShowDetails, IDS_SIDEBAR_BUTTON_SHOWDETAILS);
  Apply(t.btnRefresh, IDS_SIDEBAR_BUTTON_Refresh);
  Apply(t.grbSearch, IDS_SIDEBAR_GROUPBOX_TITLE_Search);
  Apply(t.lblSearchTitle, IDS_SIDEBAR_GROUPBOX_LABEL_Info);
  Apply(t.btnSearch, IDS_SIDEBAR_GROUPBOX_BUTTON_Search);
  Apply(t.ckbHidePatch, IDS_SIDEBAR_CHECKBOX_HideSysPatch);
  Apply(t.ckbHideScr, IDS_SIDEBAR_CHECKBOX_HideScr);

  Apply(t.btnStartupItemList, IDS_PAGECONTROL_TABSHEETSIL_Title);
  Apply(t.startupListColumns[0], IDS_LISTVIEW_COLUMNS_StatrupItem);
  Apply(t.startupListColumns[1], IDS_LISTVIEW_COLUMNS_Command);
  Apply(t.startupListColumns[2], IDS_LISTVIEW_COLUMNS_Location);
  Apply(t.mItemAddEntry, IDS_LISTVIEW_RIGHTCLICK_AddItem);
  Apply(t.mItemDeleteEntry, IDS_LISTVIEW_RIGHTCLICK_DeleteItem);
  Apply(t.mItemRefreshSI, IDS_LISTVIEW_RIGHTCLICK_Refresh);
  // Always "Disable All" here; the Enable/Disable All command switches it later.
  Apply(t.btnSelectAll, IDS_SIDEBAR_BUTTON_UnSelectAll);
  Apply(t.btnDelete, IDS_SIDEBAR_BUTTON_Delete);
  Apply(t.btnApply, IDS_SIDEBAR_BUTTON_Apply);
  Apply(t.grbItemInfo, IDS_SIDEBAR_GROUPBOX_TITLE_ItemInfo);
  Apply(t.lblPublisher, IDS_SIDEBAR_GROUPBOX_LABEL_Publisher);
  Apply(t.lblVersion, IDS_SIDEBAR_GROUPBOX_LABEL_Version);
  Apply(t.lblDes, IDS_SIDEBAR_GROUPBOX_LABEL_Description);
}

}  // namespace ui
