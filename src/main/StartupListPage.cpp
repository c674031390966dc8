#include "main/StartupListPage.h"

#include <exception>
#include <optional>

#include "main/MenuIcons.h"
#include "settings/Product.h"
#include "main/SidePanelLook.h"
#include "startup/StartupApproved.h"
#include "startup/StartupChanges.h"
#include "startup/StartupSources.h"
#include "startup/frmAddItem.h"
#include "toolkit/MessageBox.h"
#include "ui/Bounds.h"
#include "ui/LanguageTable.h"
#include "ui/SkinTable.h"
#include "ui/TextFormat.h"

namespace forms {
namespace {

using ui::LangText;

// The line that says where a disabled entry is held: three lines of the side panel's
// font, below what the skin gives the item information box.
constexpr int kDisabledInHeight = 40;

// The box's height as the skin places it (the page's own when the value is bad).
int SkinGroupHeight(int fallback) {
  ui::Bounds bounds;
  try {
    if (ui::ParseBounds(ui::SkinValue(ui::SK_MAINFORM_PAGE2_GROUPBOX_grbItemInfo_Pos), bounds))
      return bounds.height;
  } catch (const ui::BoundsError&) {
  }
  return fallback;
}

}  // namespace

StartupListPage::StartupListPage(MainActions& actions) : actions_(actions) {}

bool StartupListPage::create(HWND parent, const RECT& bounds, bool visible) {
  parent_ = parent;
  bounds_ = bounds;
  AllEnabled = true;
  SizePanelShown = true;
  if (!sidePanel.create(parent,
                        {bounds.left, bounds.top, bounds.left + kSidePanelWidth, bounds.bottom},
                        kIdStartupSidePanel))
    return false;
  createSidePanel();
  sidePanel.onToggle = [this](bool) { SizePanelSIHotSpotClick(); };

  tk::ListViewOptions options;
  options.mode = tk::ListViewMode::Report;
  options.checkBoxes = true;
  options.multiSelect = true;
  options.fullRowSelect = true;
  options.showSelectionAlways = true;
  options.sortHeader = false;  // rows stay in reading order
  RECT listBounds{bounds.left + kSidePanelWidth, bounds.top, bounds.right, bounds.bottom};
  if (!lsvStartupList.create(parent, kIdStartupList, listBounds, options)) return false;
  lsvStartupList.addColumn(LangText(ui::IDS_LISTVIEW_COLUMNS_StatrupItem), 130);
  lsvStartupList.addColumn(LangText(ui::IDS_LISTVIEW_COLUMNS_Command), 240);
  lsvStartupList.addColumn(LangText(ui::IDS_LISTVIEW_COLUMNS_Location), 360);
  lsvStartupList.onItemChanged = [this](const tk::ListItemChange& change) {
    if (change.selectionChanged && !filling_) lsvStartupListSelectItem(change.item);
  };
  lsvStartupList.onActivate = [this](const tk::ListItemActivation& activation) {
    lsvStartupListMouseDown(activation.code);
  };

  bindCommands();
  show(visible);
  return true;
}

void StartupListPage::createSidePanel() {
  tk::Panel& host = sidePanel.content();
  SetSidePanelLook(host, imgPanelS);
  CreateSideButton(btnSelectAll, host.hwnd(), kIdSelectAllButton, kSideMargin, 16,
                   LangText(ui::IDS_SIDEBAR_BUTTON_UnSelectAll));
  CreateSideButton(btnDelete, host.hwnd(), kIdDeleteButton, kSideMargin, 64,
                   LangText(ui::IDS_SIDEBAR_BUTTON_Delete), true);
  CreateSideButton(btnApply, host.hwnd(), kIdApplyButton, kSideMargin, 112,
                   LangText(ui::IDS_SIDEBAR_BUTTON_Apply));

  // The group holds its labels: the skin places them inside it. Hidden until the
  // first selection.
  grbItemInfo.create(host.hwnd(), {kSideMargin, 168, kSideMargin + 137, 168 + 185},
                     kIdItemInfoGroup, false);
  SetSideGroupLook(grbItemInfo, imgPanelS);
  grbItemInfo.setText(LangText(ui::IDS_SIDEBAR_GROUPBOX_TITLE_ItemInfo));
  HWND group = grbItemInfo.hwnd();
  // Captions on one line each; the values have a fixed size and wrap at words.
  auto label = [&](int id, const std::string& text, int left, int top, int width, int height) {
    return tk::Control::Create(group, "STATIC", id, text, SS_LEFT | SS_NOPREFIX, left, top, width,
                               height);
  };
  lblPublisher =
      label(kIdPublisherLabel, LangText(ui::IDS_SIDEBAR_GROUPBOX_LABEL_Publisher), 5, 25, 64, 13);
  lblPublisherValue = label(kIdPublisherValue, "", 5, 42, 121, 31);
  lblVersion =
      label(kIdVersionLabel, LangText(ui::IDS_SIDEBAR_GROUPBOX_LABEL_Version), 5, 76, 55, 13);
  lblVersionValue = label(kIdVersionValue, "", 8, 92, 121, 31);
  lblDes = label(kIdDescriptionLabel, LangText(ui::IDS_SIDEBAR_GROUPBOX_LABEL_Description), 5, 125,
                 76, 13);
  lblDescription = label(kIdDescriptionValue, "", 5, 141, 121, 42);
  // Locations hold no blanks: they break where the line ends, as in an edit field.
  lblDisabledIn =
      tk::Control::Create(group, "STATIC", kIdDisabledInValue, "",
                          SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 5, 183, 127, kDisabledInHeight);
  lblDisabledIn.setVisible(false);
}

void StartupListPage::bindCommands() {
  MainActions& a = actions_;
  a.ActionSelectAll.bindControl(btnSelectAll.hwnd());
  a.ActionDelete.bindControl(btnDelete.hwnd());
  a.ActionApply.bindControl(btnApply.hwnd());
  a.ActionApply.setOnExecute([this] { ActionApplyExecute(); });
  a.ActionSelectAll.setOnExecute([this] { ActionSelectAllExecute(); });
  a.ActionDelete.setOnExecute([this] { ActionDeleteExecute(); });
  a.ActionAddItem.setOnExecute([this] { ActionAddItemExecute(); });

  pmSLRightClick.clear();
  pmSLRightClick.addAction(a.ActionAddItem, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_AddItem),
                           kIconAdd);
  // A plain item with the command's id: it runs Delete Entry, but is enabled by the
  // selection when the menu opens, apart from the side panel's button.
  pmSLRightClick.addItem(LangText(ui::IDS_LISTVIEW_RIGHTCLICK_DeleteItem), a.ActionDelete.id(),
                         kIconTrash);
  pmSLRightClick.addAction(a.ActionRefresh, LangText(ui::IDS_LISTVIEW_RIGHTCLICK_Refresh),
                           kIconRefresh);

  setSelectAllCaption();
  // Delete Entry waits for the first selection change.
  a.ActionDelete.setEnabled(false);
}

void StartupListPage::layout(const RECT& bounds) {
  bounds_ = bounds;
  const int height = bounds.bottom - bounds.top;
  const int side = sidePanel.collapsed() ? sidePanel.barWidth() : kSidePanelWidth;
  sidePanel.setBounds(bounds.left, bounds.top, side, height);
  lsvStartupList.control().setBounds(bounds.left + side, bounds.top,
                                     bounds.right - bounds.left - side, height);
}

void StartupListPage::SizePanelSIHotSpotClick() {
  // The panel has just collapsed or come back: the list takes the room it gives up.
  if (PlaceListBesideSidePanel(lsvStartupList.hwnd(), SizePanelShown,
                               ui::SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_FullPos,
                               ui::SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_Pos, ownerWindow()))
    SizePanelShown = !SizePanelShown;
}

void StartupListPage::show(bool visible) {
  const int cmd = visible ? SW_SHOW : SW_HIDE;
  ShowWindow(sidePanel.hwnd(), cmd);
  ShowWindow(lsvStartupList.hwnd(), cmd);
}

bool StartupListPage::itemInfoShown() const {
  return (GetWindowLongW(grbItemInfo.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool StartupListPage::disabledSourceShown() const {
  return lblDisabledIn.visible();
}

void StartupListPage::showDisabledSource(const startup::StartupRow& row) {
  const std::string where = startup::DisabledSourceLocation(row);
  const bool shown = !where.empty();
  lblDisabledIn.setText(shown ? ui::FormatText(LangText(ui::IDS_SIDEBAR_GROUPBOX_LABEL_DisabledIn),
                                               {startup::ShortLocation(where)})
                              : std::string());
  // The skin may have placed the box anew since: the line goes below its height.
  RECT box = grbItemInfo.bounds();
  const int height =
      SkinGroupHeight(box.bottom - box.top - (disabledSourceShown() ? kDisabledInHeight : 0));
  RECT line = lblDisabledIn.bounds();
  lblDisabledIn.setBounds(line.left, height - 2, line.right - line.left, kDisabledInHeight);
  grbItemInfo.setBounds(box.left, box.top, box.right - box.left,
                        height + (shown ? kDisabledInHeight : 0));
  lblDisabledIn.setVisible(shown);
}

HWND StartupListPage::ownerWindow() const {
  HWND root = GetAncestor(parent_, GA_ROOT);
  return root ? root : parent_;
}

void StartupListPage::RefreshStartupList() {
  std::vector<startup::StartupRow> rows = startup::ReadStartupRows();
  // Repainting resumes when the guard goes.
  auto hold = lsvStartupList.beginUpdate();
  // No selection handler runs for the rows that go and come.
  struct FillingScope {
    bool& flag;
    ~FillingScope() { flag = false; }
  } filling{filling_ = true};
  lsvStartupList.deleteAll();
  rows_ = std::move(rows);
  for (size_t i = 0; i < rows_.size(); ++i) {
    const startup::StartupRow& row = rows_[i];
    tk::ListRow listRow;
    listRow.caption = row.name;
    listRow.subItems = {row.command, row.location};
    listRow.data = static_cast<LPARAM>(i);
    listRow.checked = row.enabled;
    lsvStartupList.insertRow(listRow);  // a parked row stays unticked
  }
}

void StartupListPage::ActivatePage() {
  RefreshStartupList();
  show(true);
  UpdateAllEnabledFromRows();
  actions_.ActionDelete.setEnabled(false);
}

startup::StartupRow StartupListPage::rowAt(int item) const {
  startup::StartupRow row;
  if (item < 0 || item >= lsvStartupList.count()) return row;
  const auto index = static_cast<size_t>(lsvStartupList.itemData(item));
  if (index >= rows_.size()) return row;
  row = rows_[index];
  row.enabled = lsvStartupList.checked(item);
  return row;
}

std::vector<startup::StartupRow> StartupListPage::currentRows() const {
  std::vector<startup::StartupRow> rows;
  const int count = lsvStartupList.count();
  rows.reserve(static_cast<size_t>(count));
  for (int item = 0; item < count; ++item) rows.push_back(rowAt(item));
  return rows;
}

void StartupListPage::UpdateAllEnabledFromRows() {
  AllEnabled = startup::AllEnabledFlagFromRows(currentRows(), AllEnabled);
  setSelectAllCaption();
}

void StartupListPage::setSelectAllCaption() {
  // Flag and caption always agree: the caption names what the button does next.
  btnSelectAll.SetCaption(
      LangText(AllEnabled ? ui::IDS_SIDEBAR_BUTTON_UnSelectAll : ui::IDS_SIDEBAR_BUTTON_SelectAll));
}

void StartupListPage::ActionApplyExecute() {
  std::vector<startup::KeptRow> kept;
  try {
    // Every row goes in; only those whose tick differs from where the entry is stored
    // are changed. The first failure ends the run and what was written before it
    // stays; it is not reported. The list is not read again.
    startup::ApplyStartupRows(currentRows(), &kept);
  } catch (const std::exception&) {
  }
  if (kept.empty()) return;
  // Rows left as they were show what the system still holds, and the user is told.
  for (const startup::KeptRow& row : kept) {
    bool enabled = row.row.stored ? row.row.stored->enabled() : !row.row.enabled;
    lsvStartupList.setChecked(static_cast<int>(row.index), enabled);
  }
  tk::ShowMessageBox(ownerWindow(), startup::KeptRowsMessage(kept), settings::kAppTitle,
                     MB_OK | MB_ICONWARNING);
}

void StartupListPage::ActionSelectAllExecute() {
  std::vector<startup::StartupRow> rows = currentRows();
  AllEnabled = startup::ToggleAllRows(rows, AllEnabled);
  for (int item = 0; item < static_cast<int>(rows.size()); ++item)
    lsvStartupList.setChecked(item, rows[static_cast<size_t>(item)].enabled);
  setSelectAllCaption();
}

void StartupListPage::ActionDeleteExecute() {
  if (tk::ShowMessageBox(ownerWindow(), LangText(ui::IDS_MESSAGEBOX_WARNING_DeleteStartupEntry),
                         settings::kAppTitle, MB_YESNO | MB_ICONWARNING) != IDYES)
    return;
  try {
    for (int item = lsvStartupList.count() - 1; item >= 0; --item) {
      if (!lsvStartupList.isSelected(item)) continue;
      // A registry delete that fails ends the command; its row stays listed.
      if (!startup::DeleteStartupEntry(rowAt(item))) return;
      lsvStartupList.deleteRow(item);
    }
  } catch (const std::exception&) {
    // Delete Entry reports nothing; rows handled before stay removed.
  }
}

void StartupListPage::ActionAddItemExecute() {
  int result = IDCANCEL;
  {
    TAddItemForm form;
    if (!form.Create(ownerWindow())) return;
    result = form.Execute();
  }
  if (result == IDOK) RefreshStartupList();
}

void StartupListPage::lsvStartupListSelectItem(int item) {
  ShowWindow(grbItemInfo.hwnd(), SW_SHOW);
  actions_.ActionDelete.setEnabled(true);
  if (item < 0 || item >= lsvStartupList.count()) return;
  try {
    const startup::StartupRow row = rowAt(item);
    std::optional<startup::TFileInfo> info = startup::ReadRowFileInfo(row);
    showDisabledSource(row);
    // A disabled entry keeps the box for where it is held, even without version texts.
    if (!info && !disabledSourceShown()) {
      ShowWindow(grbItemInfo.hwnd(), SW_HIDE);
      return;
    }
    lblPublisherValue.setText(info ? info->CompanyName : std::string());
    lblVersionValue.setText(info ? info->FileVersion : std::string());
    lblDescription.setText(info ? info->FileDescription : std::string());
  } catch (const std::exception&) {
    // The box keeps what it showed.
  }
}

void StartupListPage::lsvStartupListMouseDown(UINT code) {
  if (code != NM_RCLICK) return;
  pmSLRightClick.setItemEnabled(actions_.ActionDelete.id(), lsvStartupList.selectedCount() > 0);
  POINT at{};
  GetCursorPos(&at);
  pmSLRightClick.showAt(ownerWindow(), at.x, at.y);
}

void StartupListPage::addTextTargets(ui::TMainWindowTextTargets& texts) {
  for (int column = 0; column < 3; ++column)
    texts.startupListColumns[column] = ui::ListColumnTextSetter(lsvStartupList.hwnd(), column);
  auto menuItem = [this](UINT id) {
    return [this, id](const std::string& text) { pmSLRightClick.setItemCaption(id, text); };
  };
  texts.mItemAddEntry = menuItem(actions_.ActionAddItem.id());
  texts.mItemDeleteEntry = menuItem(actions_.ActionDelete.id());
  texts.mItemRefreshSI = menuItem(actions_.ActionRefresh.id());
  // The button names what it does next, whatever the table hands in.
  texts.btnSelectAll = [this](const std::string&) { setSelectAllCaption(); };
  texts.btnDelete = ui::WindowTextSetter(btnDelete.hwnd());
  texts.btnApply = ui::WindowTextSetter(btnApply.hwnd());
  texts.grbItemInfo = [this](const std::string& text) {
    grbItemInfo.setText(text);
    InvalidateRect(grbItemInfo.hwnd(), nullptr, TRUE);  // the title is painted
  };
  texts.lblPublisher = ui::WindowTextSetter(lblPublisher.hwnd());
  texts.lblVersion = ui::WindowTextSetter(lblVersion.hwnd());
  texts.lblDes = ui::WindowTextSetter(lblDes.hwnd());
}

void StartupListPage::addSkinTargets(ui::TMainSkinTargets& skin) {
  skin.lsvStartupList = lsvStartupList.hwnd();
  skin.SizePanelSI = sidePanel.hwnd();
  skin.imgPanelS.window = sidePanel.content().hwnd();
  skin.imgPanelS.setPicture = [this](ui::Picture&& picture) {
    imgPanelS = std::move(picture);
    InvalidateRect(sidePanel.content().hwnd(), nullptr, TRUE);
  };
  skin.grbItemInfo = grbItemInfo.hwnd();
  skin.lblPublisher = lblPublisher.hwnd();
  skin.lblPublisherValue = lblPublisherValue.hwnd();
  skin.lblVersion = lblVersion.hwnd();
  skin.lblVersionValue = lblVersionValue.hwnd();
  skin.lblDes = lblDes.hwnd();
  skin.lblDescription = lblDescription.hwnd();
  skin.btnSelectAll = &btnSelectAll;
  skin.btnDelete = &btnDelete;
  skin.btnApply = &btnApply;
}

}  // namespace forms
