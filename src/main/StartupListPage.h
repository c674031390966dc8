// The startup page of the main window: the list of what starts with Windows (the
// Run-family keys with their parked entries, then both start-up folders), its side
// panel with Disable All / Enable All, Delete Entry, Apply and the selected entry's
// version information, and the list's context menu. The main window owns the page
// and the actions; the page binds its controls to those actions and sets the
// handlers of the commands that it carries out itself (Apply, Disable All / Enable
// All, Delete Entry, Add Entry).
#pragma once

#include <windows.h>

#include <vector>

#include "main/MainCommands.h"
#include "startup/StartupRow.h"
#include "toolkit/Control.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/SidePanel.h"
#include "ui/ArButton.h"
#include "ui/Picture.h"
#include "ui/multiLangs.h"
#include "ui/multiSkins.h"

namespace forms {

// Control ids of the page.
enum StartupPageId : int {
  kIdStartupList = 400,
  kIdStartupSidePanel,
  kIdSelectAllButton,
  kIdDeleteButton,
  kIdApplyButton,
  kIdItemInfoGroup,
  kIdPublisherLabel,
  kIdPublisherValue,
  kIdVersionLabel,
  kIdVersionValue,
  kIdDescriptionLabel,
  kIdDescriptionValue,
  kIdDisabledInValue,
};

class StartupListPage {
 public:
  explicit StartupListPage(MainActions& actions);
  StartupListPage(const StartupListPage&) = delete;
  StartupListPage& operator=(const StartupListPage&) = delete;

  // Creates the controls on `parent` inside `bounds` (the parent's client
  // coordinates; the main window gives its startup tab page, {0, 0, kSidePanelWidth
  // + kListWidth, kPageHeight}), hidden unless `visible`: the side panel on the
  // left, the list filling the rest. Makes the columns and the context menu and
  // binds the commands. The list stays empty until RefreshStartupList.
  bool create(HWND parent, const RECT& bounds, bool visible = false);
  // Fits the side panel and the list into `bounds`, for a host that sizes the page
  // itself (the skin places them otherwise).
  void layout(const RECT& bounds);
  void show(bool visible);
  bool visible() const { return lsvStartupList.control().visible(); }
  // Whether the item information box is shown (its own flag, not its parents').
  bool itemInfoShown() const;
  // Whether the box shows where the selected entry is held disabled (lblDisabledIn).
  bool disabledSourceShown() const;
  // After the side panel's hot spot collapsed or restored it: the list takes the
  // skin's full or normal place, and the shown flag flips. A bad skin value is
  // reported with the toolkit's error message and leaves the flag.
  void SizePanelSIHotSpotClick();

  // Empties the list and reads every source anew, with repainting suspended.
  // Ticks that were not applied are lost.
  void RefreshStartupList();
  // The page's share of showing it (the Startup Items tab command): the list is
  // read anew, the page shown, the all-enabled flag and the Disable All / Enable
  // All caption taken from the rows, and Delete Entry disabled until the next
  // selection change.
  void ActivatePage();
  // Sets the all-enabled flag from the rows' ticks (the last row decides; an empty
  // list leaves it) and the button's caption to match.
  void UpdateAllEnabledFromRows();

  // Command work, as the actions run it.
  void ActionApplyExecute();
  void ActionSelectAllExecute();
  void ActionDeleteExecute();
  void ActionAddItemExecute();

  // Handlers, named after their controls.
  void lsvStartupListSelectItem(int item);
  void lsvStartupListMouseDown(UINT code);

  // The rows as they stand: full name, command and location as read, with the
  // list's current ticks, in list order.
  std::vector<startup::StartupRow> currentRows() const;
  startup::StartupRow rowAt(int item) const;

  // The page's texts for the main window's labelling, and its skinned controls.
  void addTextTargets(ui::TMainWindowTextTargets& texts);
  void addSkinTargets(ui::TMainSkinTargets& skin);

  // Which way Disable All / Enable All works next: true while the rows count as
  // ticked and the button reads "Disable All", false with "Enable All".
  bool AllEnabled = true;
  // Whether the side panel is shown (flipped by its hot spot).
  bool SizePanelShown = true;

  // Controls, named as the window names them.
  tk::ListView lsvStartupList;
  tk::SidePanel sidePanel;  // SizePanelSI
  ui::TArButton btnSelectAll, btnDelete, btnApply;
  tk::Panel grbItemInfo;  // the group's labels are its children
  tk::Control lblPublisher, lblPublisherValue, lblVersion, lblVersionValue, lblDes, lblDescription;
  // Below the description while the selected entry is disabled: where (parking key, or
  // Windows' own start-up switch). The box grows by its height while it shows.
  tk::Control lblDisabledIn;
  ui::Picture imgPanelS;  // the side bar's background picture
  tk::PopupMenu pmSLRightClick;

 private:
  void createSidePanel();
  void bindCommands();
  void setSelectAllCaption();
  void showDisabledSource(const startup::StartupRow& row);
  HWND ownerWindow() const;

  MainActions& actions_;
  HWND parent_ = nullptr;
  RECT bounds_{};
  // The rows as read, by the index each list row carries as its data. The list
  // view shows them but may cut long texts; changes are written from these.
  std::vector<startup::StartupRow> rows_;
  bool filling_ = false;
};

}  // namespace forms
