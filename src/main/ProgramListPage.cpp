#include "main/ProgramListPage.h"

#include <shellapi.h>

#include <exception>

#include "app/Config.h"
#include "app/globals.h"
#include "toolkit/MessageBox.h"
#include "ui/LanguageTable.h"

namespace forms {
namespace {

using ui::LangText;

constexpr int kButtonHeight = 26;
constexpr int kMargin = 8;

}  // namespace

ProgramListPage::ProgramListPage(inventory::TProgramList& programs, MainActions& actions)
    : programs_(programs), actions_(actions) {
  openFolder = [](const std::string& folder) {
    ShellExecuteA(nullptr, "Open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  };
}

bool ProgramListPage::create(HWND parent, HMENU viewMenu) {
  parent_ = parent;
  SearchStart = 0;
  RECT client{};
  GetClientRect(parent, &client);
  const int statusTop = client.bottom - kStatusHeight;

  if (!sidePanel.create(parent, {0, 0, kSidePanelWidth, statusTop}, kIdSidePanel)) return false;
  createSidePanel();
  sidePanel.onToggle = [this](bool) {
    RECT area{};
    GetClientRect(parent_, &area);
    layout(area.right, area.bottom);  // the list takes the room the panel gives up
  };

  tk::ListViewOptions options;
  options.mode = tk::ListViewMode::Report;
  options.fullRowSelect = true;
  options.showSelectionAlways = true;
  RECT listBounds{kSidePanelWidth, 0, client.right, statusTop};
  if (!lsvProgramList.create(parent, kIdProgramList, listBounds, options)) return false;
  lsvProgramList.attachSystemImageLists();
  lsvProgramList.addColumn(LangText(ui::IDS_LISTVIEW_COLUMNS_Descriptions), 200);
  lsvProgramList.addColumn(LangText(ui::IDS_LISTVIEW_COLUMNS_Publisher), 160);
  lsvProgramList.addColumn(LangText(ui::IDS_LISTVIEW_COLUMNS_Directory), 360);
  lsvProgramList.setLinkColumn(2, RGB(0, 0, 255));
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

  createStatusLine(statusTop + 3);
  bindCommands(viewMenu);
  return true;
}

void ProgramListPage::createSidePanel() {
  HWND host = sidePanel.content().hwnd();
  const int width = kSidePanelWidth - tk::SidePanel::kDefaultBarWidth - 2 * kMargin;
  int y = kMargin;
  auto button = [&](int id, ui::LangId text) {
    tk::Control made =
        tk::Control::Create(host, "BUTTON", id, LangText(text), BS_PUSHBUTTON | WS_TABSTOP, kMargin,
                            y, width, kButtonHeight);
    y += kButtonHeight + 6;
    return made;
  };
  btnUninstall = button(kIdUninstallButton, ui::IDS_SIDEBAR_BUTTON_Uninstall);
  btnShowDetails = button(kIdShowDetailsButton, ui::IDS_SIDEBAR_BUTTON_SHOWDETAILS);
  btnRefresh = button(kIdRefreshButton, ui::IDS_SIDEBAR_BUTTON_Refresh);

  y += 6;
  const int groupTop = y;
  grbSearch = tk::Control::Create(host, "BUTTON", kIdSearchGroup,
                                  LangText(ui::IDS_SIDEBAR_GROUPBOX_TITLE_Search), BS_GROUPBOX,
                                  kMargin, groupTop, width, 130);
  lblSearchTitle = tk::Control::Create(host, "STATIC", kIdSearchTitle,
                                       LangText(ui::IDS_SIDEBAR_GROUPBOX_LABEL_Info), SS_LEFT,
                                       kMargin + 6, groupTop + 18, width - 12, 32);
  txtSearchInfo = tk::Control::Create(host, "EDIT", kIdSearchInfo, "", ES_AUTOHSCROLL | WS_TABSTOP,
                                      kMargin + 6, groupTop + 54, width - 12, 22, WS_EX_CLIENTEDGE);
  btnSearch = tk::Control::Create(
      host, "BUTTON", kIdSearchButton, LangText(ui::IDS_SIDEBAR_GROUPBOX_BUTTON_Search),
      BS_DEFPUSHBUTTON | WS_TABSTOP, kMargin + 6, groupTop + 88, width - 12, kButtonHeight);
  y = groupTop + 140;
  ckbHidePatch = tk::CheckBox::Create(
      host, kIdHidePatch, LangText(ui::IDS_SIDEBAR_CHECKBOX_HideSysPatch), kMargin, y, width, 20);
  ckbHideScr = tk::CheckBox::Create(host, kIdHideScr, LangText(ui::IDS_SIDEBAR_CHECKBOX_HideScr),
                                    kMargin, y + 24, width, 20);
}

void ProgramListPage::createStatusLine(int top) {
  lblPrograms.create(parent_, kIdPrograms, 4, top, 16, LangText(ui::IDS_STATUSBAR_LABEL_Programs));
  lblProgramCounts.create(parent_, kIdProgramCounts, 0, top, 16);
  lblProgramCounts.placeAfter(lblPrograms.hwnd(), 5);
  lblRegName.create(parent_, kIdRegName, 0, top, 16,
                    LangText(ui::IDS_STATUSBAR_LABEL_RegistryName));
  lblRegistryName.create(parent_, kIdRegistryName, 0, top, 16);
  lblProgramURL.create(parent_, kIdProgramUrl, 0, top, 16);
  lblProgramURL.setCaption("");
  lblProgramURL.setTarget("");
  lblProgramURL.setHoverColour(GetSysColor(COLOR_BTNFACE));
  lblProgramURL.setLinkColour(RGB(0, 255, 255));
  lblRegName.setVisible(false);
  lblRegistryName.setVisible(false);
  ShowWindow(lblProgramURL.hwnd(), SW_HIDE);
}

void ProgramListPage::bindCommands(HMENU viewMenu) {
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
    toggleHideOption(actions_.ActionHideSysPatch, app::HideSysPatch, app::WriteHideSysPatch);
  });
  a.ActionHideScr.setOnExecute([this] {
    toggleHideOption(actions_.ActionHideScr, app::HideScreenSaver, app::WriteHideScreenSaver);
  });
  a.ActionViewIcon.setOnExecute([this] { SetViewStyle(tk::ListViewMode::Icon); });
  a.ActionViewList.setOnExecute([this] { SetViewStyle(tk::ListViewMode::List); });
  a.ActionViewReport.setOnExecute([this] { SetViewStyle(tk::ListViewMode::Report); });

  if (viewMenu) {
    AppendMenuA(viewMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(viewMenu, MF_STRING, a.ActionViewIcon.id(),
                LangText(ui::IDS_MAINFORM_MENU_VIEW_Icon).c_str());
    AppendMenuA(viewMenu, MF_STRING, a.ActionViewList.id(),
                LangText(ui::IDS_MAINFORM_MENU_VIEW_List).c_str());
    AppendMenuA(viewMenu, MF_STRING, a.ActionViewReport.id(),
                LangText(ui::IDS_MAINFORM_MENU_VIEW_Report).c_str());
    AppendMenuA(viewMenu, MF_STRING, a.ActionRefresh.id(),
                (LangText(ui::IDS_MAINFORM_MENU_VIEW_Refresh) + "\tF5").c_str());
    a.ActionViewIcon.bindMenuItem(viewMenu);
    a.ActionViewList.bindMenuItem(viewMenu);
    a.ActionViewReport.bindMenuItem(viewMenu);
    a.ActionRefresh.bindMenuItem(viewMenu);
  }
  a.ActionViewReport.setChecked(true);
  a.ActionHideSysPatch.setChecked(app::HideSysPatch);
  a.ActionHideScr.setChecked(app::HideScreenSaver);

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
  pmPLRightClick.addAction(action);  // mItemUninstall
  pmPLRightClick.addAction(a.ActionComment, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_CommentEntry));
  pmPLRightClick.addAction(a.ActionRegedit, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_RegistryEditor));
  pmPLRightClick.addAction(a.ActionExportReg, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo));
  pmPLRightClick.addAction(a.ActionShowDetails, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_ShowDetails));
  pmPLRightClick.addSeparator();
  tk::PopupMenu& view = pmPLRightClick.addSubmenu(LangText(ui::IDS_LISTVIEW_RIGHTCLICK_View));
  view.addAction(a.ActionViewIcon, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_ViewIcon));
  view.addAction(a.ActionViewList, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_ViewList));
  view.addAction(a.ActionViewReport, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_ViewReport));
  pmPLRightClick.rebuild();
}

void ProgramListPage::setEntryCommandsEnabled(bool enabled) {
  actions_.ActionShowDetails.setEnabled(enabled);
  actions_.ActionExportReg.setEnabled(enabled);
  actions_.ActionComment.setEnabled(enabled);
  actions_.ActionRegedit.setEnabled(enabled);
}

void ProgramListPage::layout(int width, int height) {
  const int statusTop = height - kStatusHeight;
  int sideWidth = sidePanel.collapsed() ? sidePanel.barWidth() : kSidePanelWidth;
  sidePanel.setBounds(0, 0, sideWidth, statusTop);
  lsvProgramList.control().setBounds(sideWidth, 0, width - sideWidth, statusTop);
  for (HWND label : {lblPrograms.hwnd(), lblProgramCounts.hwnd(), lblRegName.hwnd(),
                     lblRegistryName.hwnd(), lblProgramURL.hwnd()}) {
    RECT r{};
    GetWindowRect(label, &r);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&r), 2);
    MoveWindow(label, r.left, statusTop + 3, r.right - r.left, r.bottom - r.top, TRUE);
  }
}

void ProgramListPage::RefreshProgramList() {
  SysPatchCount = 0;
  FillOptions options;
  options.hideSysPatch = app::HideSysPatch;
  options.hideScreenSaver = app::HideScreenSaver;
  options.screenSaverWord = LangText(ui::IDS_MAINFORM_ScreenSaver);
  FillResult result;
  // Repainting resumes when the guard goes, also when the component fails.
  auto hold = lsvProgramList.beginUpdate();
  try {
    FillProgramRows(
        programs_, options, result, [this] { lsvProgramList.deleteAll(); },
        [this](const ProgramRow& row) {
          tk::ListRow listRow;
          listRow.caption = row.caption;
          listRow.subItems = {row.publisher, row.directory};
          listRow.image = row.image;
          listRow.data = row.data;
          lsvProgramList.insertRow(listRow);
        });
  } catch (...) {
    SysPatchCount = result.sysPatchCount;
    throw;
  }
  SysPatchCount = result.sysPatchCount;
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
    tk::ShowExceptionMessage(parent_, error);
  }
}

bool ProgramListPage::selectedIsScreenSaver() const {
  int item = lsvProgramList.selectedIndex();
  return item >= 0 && IsScreenSaverRow(lsvProgramList.itemText(item, 0));
}

void ProgramListPage::lsvProgramListSelectItem(int item) {
  MainActions& a = actions_;
  a.ActionUninstall.setEnabled(true);
  a.ActionDeleteScr.setEnabled(true);
  lblProgramURL.setCaption("");
  if (item < 0 || item >= lsvProgramList.count()) return;
  if (IsScreenSaverRow(lsvProgramList.itemText(item, 0))) {
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
    inventory::TProgramItem program =
        programs_.GetProgram(static_cast<ULONG>(lsvProgramList.itemData(item)));
    if (!program) return;
    ShowWindow(lblProgramURL.hwnd(), SW_SHOW);
    lblRegName.setVisible(true);
    lblRegistryName.setVisible(true);
    lblProgramCounts.placeAfter(lblPrograms.hwnd(), 5);
    lblRegName.placeAfter(lblProgramCounts.hwnd(), 10);
    std::string keyName = program.GetRegistryKeyName();
    lblRegistryName.setText(keyName);
    lblRegistryName.setHint(keyName);
    lblRegistryName.placeAfter(lblRegName.hwnd(), 5);
    RECT name = lblRegistryName.bounds();
    RECT url{};
    GetWindowRect(lblProgramURL.hwnd(), &url);
    MoveWindow(lblProgramURL.hwnd(), name.right + 10, name.top, url.right - url.left,
               url.bottom - url.top, TRUE);
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

std::string ProgramListPage::lsvProgramListInfoTip(int item) {
  if (item < 0 || item >= lsvProgramList.count()) return std::string();
  return RowTipText(programs_, lsvProgramList.itemText(item, 0), lsvProgramList.itemData(item));
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
    pmPLRightClick.showAt(parent_, at.x, at.y);
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

void ProgramListPage::toggleHideOption(tk::Action& action, bool& option, bool (*write)(bool)) {
  // From the check box the action already holds the box's new state; from a menu
  // it still holds the old one. The option decides, so both end inverted once.
  option = !option;
  action.setChecked(option);
  write(option);
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
  texts.grbSearch = ui::WindowTextSetter(grbSearch.hwnd());
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
