// The program's languages: loading the language table from the current language
// file (writing the template when it is missing), the Languages submenu and the
// switch between language files, and the labelling of the main window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "ui/LanguageTable.h"
#include "ui/TextFormat.h"

namespace ui {

// Loads the table from the settings' LanguageFilePath, writing the file from the
// current texts first when it does not exist; when that fails, says so in a
// message box and keeps the texts. True when every key was read.
bool LoadLanguageTable(const settings::TSettings& settings);
// Writes the current texts into the settings' LanguageFilePath. False on any
// failed write.
bool WriteLanguageDefaults(const settings::TSettings& settings);

// The menu caption of a language file without a LanguageName: its name up to
// the first ".".
std::string LanguageDisplayName(const std::string& fileName);
// The language files in `langsDir` (which ends with a backslash), as the
// directory listing returns them: files only, names ending in ".ini".
std::vector<std::string> ListLanguageFiles(const std::string& langsDir);

// The Languages submenu. Each item remembers the file it was made from, so that
// a name such as "Chinese.Simplified.ini" (shown as "Chinese") switches to that
// very file. The owner routes WM_COMMAND ids here through handleCommand().
class TLanguagesMenu {
 public:
  struct Item {
    UINT commandId;
    std::string fileName;
    std::string caption;
  };

  // Command ids firstCommandId .. firstCommandId + capacity - 1 are reserved for
  // the items; files beyond the capacity are not listed. A switch goes through
  // `settings`, which must outlive the menu.
  TLanguagesMenu(settings::TSettings& settings, UINT firstCommandId, UINT capacity)
      : settings_(settings), firstId_(firstCommandId), capacity_(capacity) {}

  // Fills `submenu` (owned by the window's menu) with one item per language
  // file of the settings' LangsDir, captioned with the file's LanguageName or
  // else its LanguageDisplayName, and checks the current one.
  void BuildLanguagesMenu(HMENU submenu);
  // Click handler of every item: makes the item's file the current language in
  // the settings (which record it as LanguageFile), reloads the table and runs
  // onLanguageSwitched. A file that has gone since the menu was built is ignored.
  void SwitchLanguage(const Item& item);
  // True when `commandId` belongs to a language item (the switch has then run).
  bool handleCommand(UINT commandId);

  // Run after a switch has reloaded the table, to relabel the main window and
  // re-flow its status bar.
  std::function<void()> onLanguageSwitched;

  const std::vector<Item>& items() const { return items_; }
  HMENU menu() const { return menu_; }

 private:
  void checkOnly(UINT commandId);

  settings::TSettings& settings_;
  UINT firstId_;
  UINT capacity_;
  HMENU menu_ = nullptr;
  std::vector<Item> items_;
};

// Puts a text into one control of the main window; empty for a control the
// window does not have.
using TextSetter = std::function<void(const std::string&)>;

TextSetter WindowTextSetter(HWND window);
// A menu item by command id, or by position when `byPosition`.
TextSetter MenuItemTextSetter(HMENU menu, UINT item, bool byPosition = false);
TextSetter ListColumnTextSetter(HWND listView, int column);

// The labelled controls of the main window, named as the window names them.
struct TMainWindowTextTargets {
  TextSetter btnFile;
  TextSetter mItemAddProgram, mItemExportRegInfo, mItemReloadReg, mItemBackup, mItemExportList,
      mItemExit;
  TextSetter btnView;
  TextSetter mItemGrid, mItemInfoTips, mItemViewIcon, mItemViewList, mItemViewReport, mItemRefresh,
      mItemLanguages;
  TextSetter btnTools;
  TextSetter mItemRegedit, mItemComment, mItemUpdates, mItemServices, mItemComponents;
  TextSetter btnHelp;
  TextSetter mItemHelpContent, mItemOnlineRes, mItemContact, mItemAbout;
  TextSetter btnProgramList;
  TextSetter programListColumns[3];
  TextSetter mItemUninstall, mItemAddComments, mItemEditEntryReg, mItemExportReg, mItemShowDetails,
      mItemView, mItemIcon, mItemList, mItemReport;
  TextSetter lblPrograms, lblRegName;
  TextSetter btnUninstall, btnShowDetails, btnRefresh;
  TextSetter grbSearch, lblSearchTitle, btnSearch;
  TextSetter ckbHidePatch, ckbHideScr;
  TextSetter btnStartupItemList;
  TextSetter startupListColumns[3];
  TextSetter mItemAddEntry, mItemDeleteEntry, mItemRefreshSI;
  TextSetter btnSelectAll, btnDelete, btnApply;
  TextSetter grbItemInfo, lblPublisher, lblVersion, lblDes;
};

// Labels the main window from the table, control by control in a fixed order.
void ApplyMainWindowTexts(const TMainWindowTextTargets& targets);

}  // namespace ui
