#include "main/ProgramListPage.h"

#include <exception>
#include <utility>
#include <vector>

#include "settings/Product.h"
#include "toolkit/ImageLists.h"
#include "toolkit/MessageBox.h"
#include "main/MenuIcons.h"
#include "main/SidePanelLook.h"
#include "sys/Shell.h"
#include "ui/LanguageTable.h"
#include "ui/SkinTable.h"

namespace forms {
namespace {

using ui::LangText;

}  // namespace

ProgramListPage::ProgramListPage(inventory::TProgramList& programs, MainActions& actions,
                                 settings::TSettings& settings)
    : programs_(programs), actions_(actions), settings_(settings) {
  openFolder = [](const std::string& folder) { sys::ShellOpen(nullptr, "Open", folder); };
}

bool ProgramListPage::create(HWND page, HWND statusHost) {
  parent_ = page;
  owner_ = GetAncestor(page, GA_ROOT);
  SearchStart = 0;
  SizePanelShown = true;

  if (!sidePanel.create(page, {0, 0, kSidePanelWidth, kPageHeight}, kIdSidePanel)) return false;
  createSidePanel();
  sidePanel.onToggle = [this](bool) { SizePanelPLHotSpotClick(); };

  tk::ListViewOptions options;
  options.mode = tk::ListViewMode::Report;
  options.fullRowSelect = true;
  options.showSelectionAlways = true;
  options.ownerData = true;  // a thousand rows fill with one message
  RECT listBounds{kSidePanelWidth, 0, kSidePanelWidth + kListWidth, kPageHeight};
  if (!lsvProgramList.create(page, kIdProgramList, listBounds, options)) return false;
  lsvProgramList.attachSystemImageLists();
  // Icons come when their rows are drawn: the list shows every name at once, and
  // only the rows that the user sees wait for the shell to read their icon files.
  lsvProgramList.setImagesOnDemand(
      [this](int item) { return RowImage(programs_, lsvProgramList.itemData(item)); },
      tk::SystemIconIndex("program.exe"));
  lsvProgramList.addColumn(LangText(ui::IDS_LISTVIEW_COLUMNS_Descriptions), 200);
  lsvProgramList.addColumn(LangText(ui::IDS_LISTVIEW_COLUMNS_Publisher), 160);
  lsvProgramList.addColumn(LangText(ui::IDS_LISTVIEW_COLUMNS_Directory), 360);
  lsvProgramList.setLinkColumn(2, kLinkColour);
  lsvProgramList.setItemTips([this](int item) { return lsvProgramListInfoTip(item); });
  lsvProgramList.setItemTipsEnabled(true);
  lsvProgramList.onItemChanged = [this](const tk::ListItemChange& change) {
    if (change.selectionChanged) lsvProgramListSelectItem(change.item);
  };
  lsvProgramList.onColumnClick = [this](int column) { lsvProgramListColumnClick(column); };
  lsvProgramList.onActivate = [this](const tk::ListItemActivation& activation) {
    lsvProgramListMouseDown(activation.code, activation.item);
  };
  lsvProgramList.onLinkClick = [this](int item) { openDirectoryOf(item); };

  createStatusLine(statusHost);
  bindCommands();
  return true;
}

void ProgramListPage::SizePanelPLHotSpotClick() {
  // The panel has just collapsed or come back: the list takes the room it gives up.
  if (PlaceListBesideSidePanel(lsvProgramList.hwnd(), SizePanelShown,
                               ui::SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_FullPos,
                               ui::SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_Pos, owner_))
    SizePanelShown = !SizePanelShown;
}

void ProgramListPage::createSidePanel() {
  tk::Panel& host = sidePanel.content();
  SetSidePanelLook(host, imgPanelP);
  CreateSideButton(btnUninstall, host.hwnd(), kIdUninstallButton, kSideMargin, 16,
                   LangText(ui::IDS_SIDEBAR_BUTTON_Uninstall));
  CreateSideButton(btnShowDetails, host.hwnd(), kIdShowDetailsButton, kSideMargin, 64,
                   LangText(ui::IDS_SIDEBAR_BUTTON_SHOWDETAILS));
  CreateSideButton(btnRefresh, host.hwnd(), kIdRefreshButton, kSideMargin, 112,
                   LangText(ui::IDS_SIDEBAR_BUTTON_Refresh));

  // The search group holds its controls: the skin places them inside it.
  grbSearch.create(host.hwnd(), {kSideMargin, 168, kSideMargin + 138, 168 + 137}, kIdSearchGroup);
  SetSideGroupLook(grbSearch, imgPanelP);
  grbSearch.setText(LangText(ui::IDS_SIDEBAR_GROUPBOX_TITLE_Search));
  HWND group = grbSearch.hwnd();
  lblSearchTitle =
      tk::Control::Create(group, "STATIC", kIdSearchTitle,
                          LangText(ui::IDS_SIDEBAR_GROUPBOX_LABEL_Info), SS_LEFT, 0, 22, 137, 43);
  txtSearchInfo = tk::Control::Create(group, "EDIT", kIdSearchInfo, "", ES_AUTOHSCROLL | WS_TABSTOP,
                                      0, 67, 127, 21, WS_EX_CLIENTEDGE);
  CreateSideButton(btnSearch, group, kIdSearchButton, 0, 99,
                   LangText(ui::IDS_SIDEBAR_GROUPBOX_BUTTON_Search));
  ckbHidePatch = tk::CheckBox::Create(host.hwnd(), kIdHidePatch,
                                      LangText(ui::IDS_SIDEBAR_CHECKBOX_HideSysPatch), kSideMargin,
                                      316, 128, 26);
  ckbHideScr =
      tk::CheckBox::Create(host.hwnd(), kIdHideScr, LangText(ui::IDS_SIDEBAR_CHECKBOX_HideScr),
                           kSideMargin, 343, 128, 26);
}

void ProgramListPage::createStatusLine(HWND host) {
  const int top = 1;
  lblPrograms.create(host, kIdPrograms, 4, top, 16, LangText(ui::IDS_STATUSBAR_LABEL_Programs));
  lblProgramCounts.create(host, kIdProgramCounts, 0, top, 16);
  lblProgramCounts.placeAfter(lblPrograms.hwnd(), 5);
  lblRegName.create(host, kIdRegName, 0, top, 16, LangText(ui::IDS_STATUSBAR_LABEL_RegistryName));
  lblRegistryName.create(host, kIdRegistryName, 0, top, 16);
  lblProgramURL.create(host, kIdProgramUrl, 0, top, 16);
  lblProgramURL.setCaption("");
  lblProgramURL.setTarget("");
  lblProgramURL.setHoverColour(GetSysColor(COLOR_BTNFACE));
  lblProgramURL.setLinkColour(RGB(0, 255, 255));
  lblRegName.setVisible(false);
  lblRegistryName.setVisible(false);
  ShowWindow(lblProgramURL.hwnd(), SW_HIDE);
}

void ProgramListPage::bindCommands() {
  MainActions& a = actions_;
  a.ActionUninstall.setCaption(LangText(ui::IDS_SIDEBAR_BUTTON_Uninstall));
  a.ActionDeleteScr.setCaption(LangText(ui::IDS_SIDEBAR_BUTTON_DeleteScr));
  a.ActionShowDetails.bindControl(btnShowDetails.hwnd());
  a.ActionRefresh.bindControl(btnRefresh.hwnd());
  a.ActionRefresh.setShortcut(tk::Shortcut{VK_F5});
  a.ActionSearch.bindControl(btnSearch.hwnd());
  a.ActionHideSysPatch.bindControl(ckbHidePatch.hwnd());
  a.ActionHideScr.bindControl(ckbHideScr.hwnd());

  a.ActionRefresh.setOnExecute([this] { RefreshShowingErrors(); });
  a.ActionSearch.setOnExecute([this] { Search(); });
  a.ActionHideSysPatch.setOnExecute([this] {
    toggleHideOption(actions_.ActionHideSysPatch, settings_.hideSysPatch(),
                     &settings::TSettings::setHideSysPatch);
  });
  a.ActionHideScr.setOnExecute([this] {
    toggleHideOption(actions_.ActionHideScr, settings_.hideScreenSaver(),
                     &settings::TSettings::setHideScreenSaver);
  });
  a.ActionViewIcon.setOnExecute([this] { SetViewStyle(tk::ListViewMode::Icon); });
  a.ActionViewList.setOnExecute([this] { SetViewStyle(tk::ListViewMode::List); });
  a.ActionViewReport.setOnExecute([this] { SetViewStyle(tk::ListViewMode::Report); });

  a.ActionViewReport.setChecked(true);
  a.ActionHideSysPatch.setChecked(settings_.hideSysPatch());
  a.ActionHideScr.setChecked(settings_.hideScreenSaver());

  bindUninstallTo(a.ActionUninstall);
  // Nothing is selected yet: the entry commands wait for the first selection.
  a.ActionUninstall.setEnabled(false);
  a.ActionDeleteScr.setEnabled(false);
  setEntryCommandsEnabled(false);
}

void ProgramListPage::bindUninstallTo(tk::Action& action) {
  action.bindControl(btnUninstall.hwnd());
  if (uninstallBinding_ == &action) return;
  uninstallBinding_ = &action;
  MainActions& a = actions_;
  pmPLRightClick.clear();
  pmPLRightClick.addAction(action, {}, kIconTrash);  // mItemUninstall
  pmPLRightClick.addAction(a.ActionComment, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_CommentEntry),
                           kIconComment);
  pmPLRightClick.addAction(a.ActionRegedit, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_RegistryEditor),
                           kIconGear);
  pmPLRightClick.addAction(a.ActionExportReg, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo),
                           kIconExport);
  pmPLRightClick.addAction(a.ActionShowDetails, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_ShowDetails),
                           kIconDetails);
  pmPLRightClick.addSeparator();
  tk::PopupMenu& view = pmPLRightClick.addSubmenu(LangText(ui::IDS_LISTVIEW_RIGHTCLICK_View));
  view.addAction(a.ActionViewIcon, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_ViewIcon), kIconViewIcon);
  view.addAction(a.ActionViewList, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_ViewList), kIconViewList);
  view.addAction(a.ActionViewReport, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_ViewReport),
                 kIconViewReport);
  pmPLRightClick.rebuild();
}

void ProgramListPage::setEntryCommandsEnabled(bool enabled) {
  actions_.ActionShowDetails.setEnabled(enabled);
  actions_.ActionExportReg.setEnabled(enabled);
  actions_.ActionComment.setEnabled(enabled);
  actions_.ActionRegedit.setEnabled(enabled);
}

void ProgramListPage::RefreshProgramList() {
  SysPatchCount = 0;
  FillOptions options;
  options.hideSysPatch = settings_.hideSysPatch();
  options.hideScreenSaver = settings_.hideScreenSaver();
  options.screenSaverWord = LangText(ui::IDS_MAINFORM_ScreenSaver);
  FillResult result;
  // The list keeps its rows itself: they are gathered here and handed over in one
  // go, also the ones read before a component error.
  std::vector<tk::ListRow> rows;
  // Repainting resumes when the guard goes, also when the component fails.
  auto hold = lsvProgramList.beginUpdate();
  try {
    FillProgramRows(
        programs_, options, result, [this] { lsvProgramList.deleteAll(); },
        [&rows](const ProgramRow& row) {
          rows.push_back(
              {row.caption, {row.publisher, row.directory}, tk::kImageOnDemand, row.data});
        });
  } catch (...) {
    lsvProgramList.appendRows(std::move(rows));
    SysPatchCount = result.sysPatchCount;
    if (onProgramListRefilled) onProgramListRefilled();
    throw;
  }
  lsvProgramList.appendRows(std::move(rows));
  SysPatchCount = result.sysPatchCount;
  if (onProgramListRefilled) onProgramListRefilled();
  if (!result.complete) return;
  ProgramCountText = ProgramCountsText(
      result.programCount + result.screenSaverCount, SysPatchCount, result.screenSaverCount,
      LangText(ui::IDS_MAINFORM_MENU_TOOLS_WindowsUpdate), LangText(ui::IDS_MAINFORM_ScreenSaver));
  lblProgramCounts.placeAfter(lblPrograms.hwnd(), 5);
  lblProgramCounts.setText(ProgramCountText);
}

void ProgramListPage::RefreshShowingErrors() {
  try {
    RefreshProgramList();
  } catch (const std::exception& error) {
    tk::ShowExceptionMessage(owner_, error);
  }
}

bool ProgramListPage::selectedIsScreenSaver() const {
  int item = lsvProgramList.selectedIndex();
  return item >= 0 && inventory::RowKind(lsvProgramList.itemData(item)) ==
                          inventory::ProgramRowKind::ScreenSaver;
}

void ProgramListPage::lsvProgramListSelectItem(int item) {
  MainActions& a = actions_;
  a.ActionUninstall.setEnabled(true);
  a.ActionDeleteScr.setEnabled(true);
  lblProgramURL.setCaption("");
  if (item < 0 || item >= lsvProgramList.count()) return;
  const LPARAM data = lsvProgramList.itemData(item);
  if (inventory::RowKind(data) == inventory::ProgramRowKind::ScreenSaver) {
    ShowWindow(lblProgramURL.hwnd(), SW_HIDE);
    lblRegName.setVisible(false);
    lblRegistryName.setVisible(false);
    setEntryCommandsEnabled(false);
    bindUninstallTo(a.ActionDeleteScr);
    return;
  }
  setEntryCommandsEnabled(true);
  bindUninstallTo(a.ActionUninstall);
  try {
    inventory::TProgramItem program = programs_.GetProgram(inventory::RowIndex(data));
    if (!program) return;
    ShowWindow(lblProgramURL.hwnd(), SW_SHOW);
    lblRegName.setVisible(true);
    lblRegistryName.setVisible(true);
    std::string keyName = program.GetRegistryKeyName();
    lblRegistryName.setText(keyName);
    lblRegistryName.setHint(keyName);
    layoutStatusLine();
    std::string link =
        FirstLink(program.GetAboutLink(), program.GetHelpLink(), program.GetUpdateLink());
    if (!link.empty()) {
      lblProgramURL.setCaption(link);
      lblProgramURL.setTarget(link);
      lblProgramURL.setHint(link);
    }
  } catch (const std::exception&) {
    // A program that cannot be read leaves the status line as it is.
  }
}

void ProgramListPage::layoutStatusLine() {
  lblProgramCounts.placeAfter(lblPrograms.hwnd(), 5);
  lblRegName.placeAfter(lblProgramCounts.hwnd(), 10);
  lblRegistryName.placeAfter(lblRegName.hwnd(), 5);
  RECT name = lblRegistryName.bounds();
  RECT url{};
  GetWindowRect(lblProgramURL.hwnd(), &url);
  MoveWindow(lblProgramURL.hwnd(), name.right + 10, name.top, url.right - url.left,
             url.bottom - url.top, TRUE);
}

std::string ProgramListPage::lsvProgramListInfoTip(int item) {
  if (item < 0 || item >= lsvProgramList.count()) return std::string();
  return RowTipText(programs_, lsvProgramList.itemData(item));
}

void ProgramListPage::lsvProgramListColumnClick(int column) {
  SortColumn = column;
  const bool ascending = SortAscending;
  // The texts are read before the sort and the rows told apart by their position
  // then: Wine's list reads rows by index while it is still moving them, so a
  // comparison that asks the control for texts sees rows half-sorted.
  const int count = lsvProgramList.count();
  std::vector<std::string> texts;
  std::vector<LPARAM> data;
  texts.reserve(static_cast<size_t>(count));
  data.reserve(static_cast<size_t>(count));
  for (int row = 0; row < count; ++row) {
    texts.push_back(lsvProgramList.itemText(row, column));
    data.push_back(lsvProgramList.itemData(row));
    lsvProgramList.setItemData(row, row);
  }
  lsvProgramList.sortByData([&texts, column, ascending](LPARAM a, LPARAM b) {
    return CompareListTexts(column, texts[static_cast<size_t>(a)], texts[static_cast<size_t>(b)],
                            ascending);
  });
  for (int row = 0; row < count; ++row) {
    auto position = static_cast<size_t>(lsvProgramList.itemData(row));
    lsvProgramList.setItemData(row, position < data.size() ? data[position] : 0);
  }
  SortAscending = !SortAscending;
}

void ProgramListPage::lsvProgramListMouseDown(UINT code, int item) {
  if (code == NM_RCLICK || code == NM_CLICK) SearchStart = 0;
  if (code == NM_RCLICK && lsvProgramList.selectedIndex() >= 0) {
    POINT at{};
    GetCursorPos(&at);
    pmPLRightClick.showAt(owner_, at.x, at.y);
  } else if (code == NM_DBLCLK && item >= 0) {
    // The row's own remover: a screen saver row must never reach the uninstaller
    // with its screen saver index taken for a program index.
    if (uninstallBinding_) uninstallBinding_->execute();
  }
}

void ProgramListPage::openDirectoryOf(int item) {
  const tk::ListViewMode mode = lsvProgramList.mode();
  if (mode != tk::ListViewMode::Report && mode != tk::ListViewMode::SmallIcon) return;
  if (item < 0 || item != lsvProgramList.selectedIndex()) return;
  std::string folder = lsvProgramList.itemText(item, 2);
  if (folder.empty() || !openFolder) return;
  try {
    openFolder(folder);
  } catch (const std::exception&) {
    // Opening the folder is a convenience; a failure is not reported.
  }
}

int ProgramListPage::Search() {
  const std::string text = txtSearchInfo.text();
  if (text.empty()) return -1;
  std::vector<std::string> captions;
  const int count = lsvProgramList.count();
  captions.reserve(static_cast<size_t>(count));
  for (int row = 0; row < count; ++row) captions.push_back(lsvProgramList.itemText(row, 0));
  const int hit = FindProgramRow(captions, SearchStart, text);
  if (hit < 0) return -1;
  lsvProgramList.selectOnly(hit);
  lsvProgramList.control().focus();
  if (hit == 0) {
    lsvProgramList.scroll(0, -100000);
  } else {
    lsvProgramList.scroll(0, lsvProgramList.itemRect(hit - 1).top);
  }
  return hit;
}

void ProgramListPage::SetViewStyle(tk::ListViewMode mode) {
  lsvProgramList.setMode(mode);
  actions_.ActionViewIcon.setChecked(mode == tk::ListViewMode::Icon);
  actions_.ActionViewList.setChecked(mode == tk::ListViewMode::List);
  actions_.ActionViewReport.setChecked(mode == tk::ListViewMode::Report);
}

void ProgramListPage::toggleHideOption(tk::Action& action, bool now,
                                       bool (settings::TSettings::*set)(bool)) {
  // From the check box the action already holds the box's new state; from a menu
  // it still holds the old one. The option decides, so both end inverted once.
  // A value that cannot be written still holds for this run.
  (settings_.*set)(!now);
  action.setChecked(!now);
  RefreshShowingErrors();
}

bool ProgramListPage::translateKey(const MSG& msg) {
  if (msg.hwnd != txtSearchInfo.hwnd() || msg.wParam != VK_RETURN) return false;
  if (msg.message == WM_KEYDOWN) actions_.ActionSearch.execute();
  // The edit box would beep at the Enter key (and at its character) otherwise.
  return msg.message == WM_KEYDOWN || msg.message == WM_CHAR;
}

bool ProgramListPage::handleCommand(WORD id, WORD code, HWND) {
  if (id == kIdSearchInfo && code == EN_CHANGE) {
    txtSearchInfoChange();
    return true;
  }
  return false;
}

void ProgramListPage::addTextTargets(ui::TMainWindowTextTargets& texts) {
  for (int column = 0; column < 3; ++column) {
    texts.programListColumns[column] = ui::ListColumnTextSetter(lsvProgramList.hwnd(), column);
  }
  texts.lblPrograms = [this](const std::string& text) {
    lblPrograms.setText(text);
    lblProgramCounts.placeAfter(lblPrograms.hwnd(), 5);
  };
  texts.lblRegName = [this](const std::string& text) { lblRegName.setText(text); };
  texts.btnShowDetails = ui::WindowTextSetter(btnShowDetails.hwnd());
  texts.btnRefresh = ui::WindowTextSetter(btnRefresh.hwnd());
  texts.grbSearch = [this](const std::string& text) {
    grbSearch.setText(text);
    InvalidateRect(grbSearch.hwnd(), nullptr, TRUE);
  };
  texts.lblSearchTitle = ui::WindowTextSetter(lblSearchTitle.hwnd());
  texts.btnSearch = ui::WindowTextSetter(btnSearch.hwnd());
  texts.ckbHidePatch = ui::WindowTextSetter(ckbHidePatch.hwnd());
  texts.ckbHideScr = ui::WindowTextSetter(ckbHideScr.hwnd());
  // The Uninstall button's caption follows its command (Uninstall or Delete).
  texts.btnUninstall = [this](const std::string&) {
    actions_.ActionUninstall.setCaption(LangText(ui::IDS_SIDEBAR_BUTTON_Uninstall));
    actions_.ActionDeleteScr.setCaption(LangText(ui::IDS_SIDEBAR_BUTTON_DeleteScr));
  };
}

}  // namespace forms
