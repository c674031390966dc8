#include "inventory/frmDetails.h"

#include <commctrl.h>

#include <exception>

#include "toolkit/DialogFrame.h"
#include "toolkit/IconComboBox.h"
#include "toolkit/ImageLists.h"
#include "toolkit/TabItems.h"
#include "toolkit/WindowPlace.h"
#include "ui/DialogSkin.h"
#include "ui/LanguageTable.h"

namespace forms {
namespace {

using ui::LangText;

constexpr int kMargin = 8;
constexpr int kBoxTop = 8;
constexpr int kBoxItemHeight = 18;
constexpr int kBoxVisibleEntries = 8;
constexpr int kPagesTop = 40;

}  // namespace

TDetailsForm::~TDetailsForm() {
  destroy();
}

bool TDetailsForm::Create(HWND owner) {
  if (hwnd()) return true;
  if (!create(tk::DialogParams("TDetailsForm", LangText(ui::IDS_DETAILSFORM_Title), owner,
                               kClientWidth, kClientHeight)))
    return false;

  lblPrograms = tk::Control::Create(hwnd(), "STATIC", kIdDetailsLabelPrograms,
                                    LangText(ui::IDS_DETAILSFORM_LABEL_Programs),
                                    SS_LEFT | SS_NOPREFIX, kMargin, kBoxTop + 4, 72, 16);
  const int boxLeft = kMargin + 76;
  // A drop-down list's height includes its open list: room for eight entries.
  cmbPrograms = tk::Control::Create(hwnd(), tk::kComboBoxExClass, kIdDetailsPrograms, "",
                                    CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, boxLeft, kBoxTop,
                                    kClientWidth - kMargin - boxLeft,
                                    24 + kBoxVisibleEntries * kBoxItemHeight);
  if (!cmbPrograms) return false;
  cmbPrograms.send(CB_SETMINVISIBLE, kBoxVisibleEntries);
  CmbImageList = tk::GetSystemImageLists().small;
  if (CmbImageList) {
    cmbPrograms.send(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(CmbImageList));
  }
  createPages();
  ui::SkinDialog(hwnd());
  return true;
}

void TDetailsForm::createPages() {
  const int width = kClientWidth - 2 * kMargin;
  const int height = kClientHeight - kPagesTop - kMargin;
  pcProgramDetails =
      tk::Control::Create(hwnd(), tk::kTabControlClass, kIdDetailsPages, "",
                          WS_CLIPSIBLINGS | WS_TABSTOP, kMargin, kPagesTop, width, height);
  for (ui::LangId title :
       {ui::IDS_DETAILSFORM_TABSHEETPP_TITLE, ui::IDS_DETAILSFORM_TABSHEETRV_TITLE}) {
    tk::AppendTab(pcProgramDetails.hwnd(), LangText(title));
  }
  // The pages' lists lie over the tab control's display area.
  RECT area{0, 0, width, height};
  pcProgramDetails.send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  OffsetRect(&area, kMargin, kPagesTop);

  tk::ListViewOptions options;
  options.mode = tk::ListViewMode::Report;
  options.fullRowSelect = true;
  options.showSelectionAlways = true;
  options.sortHeader = false;  // neither list sorts
  lsvProgramInfo.create(hwnd(), kIdDetailsProgramInfo, area, options);
  lsvProgramInfo.addColumn(LangText(ui::IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Name), 100);
  lsvProgramInfo.addColumn(LangText(ui::IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Value), 240);
  lsvRegistryInfo.create(hwnd(), kIdDetailsRegistryInfo, area, options);
  lsvRegistryInfo.addColumn(LangText(ui::IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Key), 160);
  lsvRegistryInfo.addColumn(LangText(ui::IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Value), 240);
  for (HWND list : {lsvProgramInfo.hwnd(), lsvRegistryInfo.hwnd()}) {
    SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ShowPage(kPageProgramInfo);
}

void TDetailsForm::FormShow() {
  setText(LangText(ui::IDS_DETAILSFORM_Title));
  lsvProgramInfo.setColumnCaption(0,
                                  LangText(ui::IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Name));
  lsvProgramInfo.setColumnCaption(1,
                                  LangText(ui::IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Value));
  lsvRegistryInfo.setColumnCaption(0,
                                   LangText(ui::IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Key));
  lsvRegistryInfo.setColumnCaption(1,
                                   LangText(ui::IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Value));
  lblPrograms.setText(LangText(ui::IDS_DETAILSFORM_LABEL_Programs));
  tk::SetTabText(pcProgramDetails.hwnd(), kPageProgramInfo,
                 LangText(ui::IDS_DETAILSFORM_TABSHEETPP_TITLE));
  tk::SetTabText(pcProgramDetails.hwnd(), kPageRegistryInfo,
                 LangText(ui::IDS_DETAILSFORM_TABSHEETRV_TITLE));
}

int TDetailsForm::ShowModalFor(HWND owner) {
  if (!hwnd()) return -1;
  takePendingPrograms();
  FormShow();
  tk::CentreOver(hwnd(), owner);
  return showModal(owner);
}

void TDetailsForm::ShowPage(int page) {
  if (page != kPageProgramInfo && page != kPageRegistryInfo) return;
  if (static_cast<int>(pcProgramDetails.send(TCM_GETCURSEL)) != page)
    pcProgramDetails.send(TCM_SETCURSEL, static_cast<WPARAM>(page));
  lsvProgramInfo.control().setVisible(page == kPageProgramInfo);
  lsvRegistryInfo.control().setVisible(page == kPageRegistryInfo);
}

int TDetailsForm::activePage() const {
  return static_cast<int>(pcProgramDetails.send(TCM_GETCURSEL));
}

void TDetailsForm::SetPrograms(const std::vector<inventory::ProgramBoxEntry>& entries) {
  pendingPrograms_.reset();
  putPrograms(entries);
}

void TDetailsForm::putPrograms(const std::vector<inventory::ProgramBoxEntry>& entries) const {
  if (!cmbPrograms) return;
  auto hold = tk::RedrawGuard(cmbPrograms.hwnd());
  cmbPrograms.send(CB_RESETCONTENT);
  for (const inventory::ProgramBoxEntry& entry : entries) {
    tk::InsertComboBoxExItem(cmbPrograms.hwnd(), -1, entry.text,
                             entry.image >= 0 ? entry.image : I_IMAGECALLBACK, entry.data);
  }
}

void TDetailsForm::SetProgramsFrom(const tk::ListView& mainList) {
  std::vector<inventory::ListedRow> rows;
  const int count = mainList.count();
  rows.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    rows.push_back({mainList.itemText(i, 0), mainList.itemData(i), mainList.itemImage(i)});
  }
  pendingPrograms_ = inventory::ProgramBoxEntries(rows);
}

void TDetailsForm::takePendingPrograms() const {
  if (!pendingPrograms_) return;
  const std::vector<inventory::ProgramBoxEntry> entries = std::move(*pendingPrograms_);
  pendingPrograms_.reset();
  putPrograms(entries);
}

int TDetailsForm::programCount() const {
  takePendingPrograms();
  LRESULT n = cmbPrograms.send(CB_GETCOUNT);
  return n == CB_ERR ? 0 : static_cast<int>(n);
}

std::string TDetailsForm::programText(int position) const {
  takePendingPrograms();
  return tk::ComboBoxExItemText(cmbPrograms.hwnd(), position);
}

LPARAM TDetailsForm::programData(int position) const {
  takePendingPrograms();
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_LPARAM;
  item.iItem = position;
  if (!cmbPrograms.send(CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.lParam;
}

int TDetailsForm::programImage(int position) const {
  takePendingPrograms();
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_IMAGE;
  item.iItem = position;
  if (!cmbPrograms.send(CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iImage;
}

int TDetailsForm::selectedProgram() const {
  takePendingPrograms();
  LRESULT selected = cmbPrograms.send(CB_GETCURSEL);
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

void TDetailsForm::PutRows(tk::ListView& list, const std::vector<inventory::DetailRow>& rows) {
  for (const inventory::DetailRow& row : rows) {
    tk::ListRow listRow;
    listRow.caption = row.name;
    listRow.subItems = {row.value};
    list.insertRow(listRow);
  }
}

void TDetailsForm::ShowProgramDetails(ULONG index) {
  inventory::TProgramItem item;
  try {
    item = programs_.GetProgram(index);
  } catch (const std::exception&) {
    return;
  }
  if (!item) return;  // the previous program stays on view
  try {
    item.SetRegistryKeyName(item.GetRegistryKeyName());
  } catch (const std::exception&) {
    return;
  }

  std::vector<LPARAM> data;
  const int count = programCount();
  data.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) data.push_back(programData(i));
  cmbPrograms.send(CB_SETCURSEL, static_cast<WPARAM>(inventory::ProgramBoxPosition(data, index)));

  // Both pages are emptied first, so that a fill that stops early never shows one
  // program's properties beside another program's registry values.
  auto holdInfo = lsvProgramInfo.beginUpdate();
  auto holdRegistry = lsvRegistryInfo.beginUpdate();
  lsvProgramInfo.deleteAll();
  lsvRegistryInfo.deleteAll();
  std::vector<inventory::DetailRow> rows;
  try {
    inventory::ReadPropertyRows(item, inventory::LocaleDecimalSeparator(), rows);
  } catch (const std::exception&) {
    PutRows(lsvProgramInfo, rows);
    return;
  }
  PutRows(lsvProgramInfo, rows);
  rows.clear();
  try {
    inventory::ReadRegistryRows(item, rows);
  } catch (const std::exception&) {
    // The values read so far are shown.
  }
  PutRows(lsvRegistryInfo, rows);
}

void TDetailsForm::cmbProgramsChange() {
  const int selected = selectedProgram();
  if (selected < 0) return;
  const LPARAM data = programData(selected);
  if (data < 0) return;
  ShowProgramDetails(static_cast<ULONG>(data));
}

bool TDetailsForm::onCommand(WORD id, WORD code, HWND control) {
  if (code == CBN_SELCHANGE &&
      (id == kIdDetailsPrograms || (control && control == cmbPrograms.hwnd()))) {
    cmbProgramsChange();
    return true;
  }
  return false;
}

LRESULT TDetailsForm::onNotify(NMHDR* header, bool* handled) {
  *handled = false;
  if (header->hwndFrom == pcProgramDetails.hwnd() && header->code == TCN_SELCHANGE) {
    ShowPage(activePage());
    *handled = true;
  }
  if (header->hwndFrom == cmbPrograms.hwnd() && header->code == CBEN_GETDISPINFOW) {
    COMBOBOXEXITEMW& item = reinterpret_cast<NMCOMBOBOXEXW*>(header)->ceItem;
    if (item.mask & (CBEIF_IMAGE | CBEIF_SELECTEDIMAGE)) {
      int image = programImageOf && item.lParam >= 0
                      ? programImageOf(static_cast<ULONG>(item.lParam))
                      : I_IMAGENONE;
      item.iImage = item.iSelectedImage = image >= 0 ? image : I_IMAGENONE;
      item.mask |= CBEIF_DI_SETITEM;
    }
    *handled = true;
  }
  return 0;
}

}  // namespace forms
