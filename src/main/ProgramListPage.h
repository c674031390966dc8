// The program page of the main window: the program list, the side panel with the
// entry commands, the search box and the hide options, the status line's labels
// and the list's context menu. The main window owns the page, the component
// client and the actions; the page binds its controls to those actions and sets
// the handlers of the commands that it carries out itself.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "inventory/RostrelLib_TLB.h"
#include "main/MainCommands.h"
#include "main/ProgramListLogic.h"
#include "settings/Settings.h"
#include "toolkit/CheckBox.h"
#include "toolkit/LinkLabel.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/SidePanel.h"
#include "toolkit/StatusLabel.h"
#include "ui/ArButton.h"
#include "ui/Picture.h"
#include "ui/multiLangs.h"

namespace forms {

// Control ids of the page.
enum ProgramPageId : int {
  kIdProgramList = 300,
  kIdSearchInfo,
  kIdShowDetailsButton,
  kIdUninstallButton,
  kIdRefreshButton,
  kIdSearchButton,
  kIdHidePatch,
  kIdHideScr,
  kIdSearchGroup,
  kIdSearchTitle,
  kIdPrograms,
  kIdProgramCounts,
  kIdRegName,
  kIdRegistryName,
  kIdProgramUrl,
  kIdSidePanel,
};

class ProgramListPage {
 public:
  // The design colour of the list's address column (a skin may give another).
  static constexpr COLORREF kLinkColour = RGB(0, 0, 255);

  // The hide options are read from and written to `settings`, which must outlive
  // the page.
  ProgramListPage(inventory::TProgramList& programs, MainActions& actions,
                  settings::TSettings& settings);
  ProgramListPage(const ProgramListPage&) = delete;
  ProgramListPage& operator=(const ProgramListPage&) = delete;

  // Creates the controls on the page window `page` and the status line's labels on
  // `statusHost`, the columns and image lists, binds the commands, and leaves the
  // entry commands disabled until the first selection.
  bool create(HWND page, HWND statusHost);

  // Refills the list from the component with repainting suspended. Component
  // errors pass through; the rows added before stay.
  void RefreshProgramList();
  // The command that Refresh / F5 and the hide options run: the refill, with a
  // component error shown in the application's error box.
  void RefreshShowingErrors();

  // Handlers, named after their controls.
  void lsvProgramListSelectItem(int item);
  std::string lsvProgramListInfoTip(int item);
  void lsvProgramListColumnClick(int column);
  void lsvProgramListMouseDown(UINT code, int item);
  void txtSearchInfoChange() { SearchStart = 0; }
  // Runs the search command's work; returns the row found or -1.
  int Search();
  void SetViewStyle(tk::ListViewMode mode);
  // After the side panel's hot spot collapsed or restored it: the list takes the
  // skin's full or normal place, and the shown flag flips.
  void SizePanelPLHotSpotClick();

  // Find Next is the search box's default button: Enter in the box runs the search.
  // True when the key message was consumed.
  bool translateKey(const MSG& msg);
  // Notifications that are no commands (the search box's changes). True when handled.
  bool handleCommand(WORD id, WORD code, HWND control);
  // The page's texts for the main window's labelling.
  void addTextTargets(ui::TMainWindowTextTargets& texts);
  // Lays the status line out from left to right, each label after the right edge
  // of the one before: the counts 5 pixels after "Programs:", the registry name's
  // label 10 after the counts, the name 5 after its label, the address 10 after
  // the name. Run when a selection or new texts change the labels' widths.
  void layoutStatusLine();

  // Whether the selected row is a screen saver's, by the kind its data holds.
  bool selectedIsScreenSaver() const;

  // Opens a folder with the shell; tests replace it.
  std::function<void(const std::string& folder)> openFolder;
  // Runs after every refill of the list, also one that a component error ended
  // (the rows added so far are in the list): the details window's program box
  // follows the list from here.
  std::function<void()> onProgramListRefilled;

  // State of the page, kept for the whole run (main thread only).
  unsigned SearchStart = 0;
  bool SizePanelShown = true;
  bool SortAscending = true;
  int SortColumn = 0;
  ULONG SysPatchCount = 0;
  std::string ProgramCountText;

  // Controls, named as the window names them.
  tk::ListView lsvProgramList;
  tk::SidePanel sidePanel;
  ui::TArButton btnUninstall, btnShowDetails, btnRefresh;
  tk::Panel grbSearch;
  tk::Control lblSearchTitle, txtSearchInfo;
  ui::TArButton btnSearch;
  ui::Picture imgPanelP;  // the side bar's background picture
  tk::CheckBox ckbHidePatch, ckbHideScr;
  tk::StatusLabel lblPrograms, lblProgramCounts, lblRegName, lblRegistryName;
  tk::LinkLabel lblProgramURL;
  tk::PopupMenu pmPLRightClick;

 private:
  void createSidePanel();
  void createStatusLine(HWND host);
  void bindCommands();
  // Binds btnUninstall and the context menu's first item to `action` and rebuilds
  // the context menu around it.
  void bindUninstallTo(tk::Action& action);
  void setEntryCommandsEnabled(bool enabled);
  // Inverts an option through `set` (which writes it), checks `action` to match
  // and refills the list.
  void toggleHideOption(tk::Action& action, bool now, bool (settings::TSettings::*set)(bool));
  void openDirectoryOf(int item);

  inventory::TProgramList& programs_;
  MainActions& actions_;
  settings::TSettings& settings_;
  HWND parent_ = nullptr;
  HWND owner_ = nullptr;  // the top-level window: menus and messages belong to it
  tk::Action* uninstallBinding_ = nullptr;
};

}  // namespace forms
