#include "main/frmRemovedPrograms.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "toolkit/DialogFrame.h"
#include "toolkit/WindowPlace.h"
#include "ui/DialogSkin.h"
#include "ui/LanguageTable.h"
#include "uninstall/WaitingThread.h"

namespace forms {
namespace {

using ui::LangText;

constexpr int kMargin = 9;
constexpr int kButtonWidth = 89;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;
constexpr int kInfoHeight = 32;

}  // namespace

TRemovedProgramsForm::TRemovedProgramsForm(std::vector<uninstall::SavedScan> scans)
    : scans_(std::move(scans)) {}

TRemovedProgramsForm::~TRemovedProgramsForm() {
  destroy();
}

bool TRemovedProgramsForm::Create(HWND owner) {
  owner_ = owner;
  if (!create(tk::DialogParams("TRemovedProgramsForm", LangText(ui::IDS_REMOVEDFORM_Title), owner,
                               kClientWidth, kClientHeight)))
    return false;
  HWND self = hwnd();
  const int width = kClientWidth - 2 * kMargin;
  // Two lines high, wrapped at word breaks.
  lblInfo = tk::Control::Create(self, "STATIC", kIdRemovedInfo, "", SS_LEFT | SS_NOPREFIX, kMargin,
                                kMargin, width, kInfoHeight);
  const int listTop = kMargin + kInfoHeight + 4;
  const int buttonTop = kClientHeight - kMargin - kButtonHeight;
  tk::ListViewOptions options;
  options.mode = tk::ListViewMode::Report;
  options.fullRowSelect = true;
  options.showSelectionAlways = true;
  options.sortHeader = false;  // the rows keep their order: newest first
  if (!lsvRemovedPrograms.create(self, kIdRemovedList,
                                 {kMargin, listTop, kMargin + width, buttonTop - 8}, options))
    return false;
  SetWindowLongW(lsvRemovedPrograms.hwnd(), GWL_STYLE,
                 GetWindowLongW(lsvRemovedPrograms.hwnd(), GWL_STYLE) | WS_TABSTOP);
  lsvRemovedPrograms.addColumn(LangText(ui::IDS_REMOVEDFORM_COLUMN_Program), 280);
  lsvRemovedPrograms.addColumn(LangText(ui::IDS_REMOVEDFORM_COLUMN_Removed), width - 280 - 24);
  int x = kClientWidth - kMargin - 3 * kButtonWidth - 2 * kButtonGap;
  for (auto [button, id] :
       {std::pair{&btnScan, int{kIdRemovedScan}}, std::pair{&btnForget, int{kIdRemovedForget}},
        std::pair{&btnClose, int{IDCANCEL}}}) {
    *button = tk::Control::Create(self, "BUTTON", id, "", BS_PUSHBUTTON | WS_TABSTOP, x, buttonTop,
                                  kButtonWidth, kButtonHeight);
    x += kButtonWidth + kButtonGap;
  }
  if (!lblInfo || !btnScan || !btnForget || !btnClose) return false;
  lsvRemovedPrograms.onItemChanged = [this](const tk::ListItemChange& change) {
    if (change.selectionChanged) updateButtons();
  };
  // A double click on a row scans it, as the button does.
  lsvRemovedPrograms.onActivate = [this](const tk::ListItemActivation& activation) {
    if (activation.code == NM_DBLCLK && activation.item >= 0) btnScanClick();
  };
  fillList();
  applyTexts();
  ui::SkinDialog(self);
  return true;
}

void TRemovedProgramsForm::fillList() {
  auto hold = lsvRemovedPrograms.beginUpdate();
  lsvRemovedPrograms.deleteAll();
  for (size_t i = 0; i < scans_.size(); ++i) {
    const uninstall::UninstallTarget& target = scans_[i].target;
    tk::ListRow row;
    // An entry without a display name is known by its key name.
    row.caption = target.displayName.empty() ? target.keyName : target.displayName;
    row.subItems.push_back(uninstall::SavedTimeText(scans_[i].savedUtc));
    row.data = static_cast<LPARAM>(i);
    lsvRemovedPrograms.insertRow(row);
  }
  if (lsvRemovedPrograms.count() > 0) lsvRemovedPrograms.selectOnly(0);
  updateButtons();
}

void TRemovedProgramsForm::applyTexts() {
  setText(LangText(ui::IDS_REMOVEDFORM_Title));
  lblInfo.setText(LangText(ui::IDS_REMOVEDFORM_LABEL_Info));
  lsvRemovedPrograms.setColumnCaption(0, LangText(ui::IDS_REMOVEDFORM_COLUMN_Program));
  lsvRemovedPrograms.setColumnCaption(1, LangText(ui::IDS_REMOVEDFORM_COLUMN_Removed));
  btnScan.setText(LangText(ui::IDS_REMOVEDFORM_BUTTON_Scan));
  btnForget.setText(LangText(ui::IDS_REMOVEDFORM_BUTTON_Forget));
  btnClose.setText(LangText(ui::IDS_REMOVEDFORM_BUTTON_Close));
}

void TRemovedProgramsForm::updateButtons() {
  const bool chosen = scanOfRow(lsvRemovedPrograms.selectedIndex()) != nullptr;
  btnScan.setEnabled(chosen);
  btnForget.setEnabled(chosen);
}

int TRemovedProgramsForm::ShowModal() {
  if (!hwnd()) return -1;
  applyTexts();
  tk::CentreOver(hwnd(), owner_);
  lsvRemovedPrograms.control().focus();
  return showModal(owner_);
}

const uninstall::SavedScan* TRemovedProgramsForm::scanOfRow(int row) const {
  if (row < 0 || row >= lsvRemovedPrograms.count()) return nullptr;
  const LPARAM index = lsvRemovedPrograms.itemData(row);
  if (index < 0 || static_cast<size_t>(index) >= scans_.size()) return nullptr;
  return &scans_[static_cast<size_t>(index)];
}

void TRemovedProgramsForm::btnScanClick() {
  const uninstall::SavedScan* scan = scanOfRow(lsvRemovedPrograms.selectedIndex());
  if (!scan || !onScan) return;
  uninstall::UninstallTarget target = scan->target;
  // The program may have been installed again since: then nothing found is offered
  // ticked, as after an uninstall that did not happen.
  target.uninstalled = !uninstall::UninstallEntryRemains(target);
  try {
    onScan(target, hwnd());
  } catch (const std::exception&) {
    // The list stays as it is; the user may try again or close it.
  }
}

void TRemovedProgramsForm::btnForgetClick() {
  const int row = lsvRemovedPrograms.selectedIndex();
  const uninstall::SavedScan* scan = scanOfRow(row);
  if (!scan) return;
  // Only the record goes; a file that would not go keeps its row, to be seen again.
  if (!uninstall::DeleteSavedScan(*scan)) return;
  lsvRemovedPrograms.deleteRow(row);
  const int next = std::min(row, lsvRemovedPrograms.count() - 1);
  if (next >= 0) lsvRemovedPrograms.selectOnly(next);
  updateButtons();
}

void TRemovedProgramsForm::btnCloseClick() {
  endModal(IDCANCEL);
}

bool TRemovedProgramsForm::onCommand(WORD id, WORD code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kIdRemovedScan:
      btnScanClick();
      return true;
    case kIdRemovedForget:
      btnForgetClick();
      return true;
    case IDCANCEL:
      btnCloseClick();
      return true;
  }
  return false;
}

}  // namespace forms
