// The commands on the selected program's entry: details, export, re-import, the
// registry editor jump and the comment. Each finds the entry again by the index
// its row holds and does nothing without a selected program.
#include "backup/RegEntryCommands.h"
#include "main/frmMain.h"
#include "reports/frmComment.h"

namespace forms {

int TMainForm::SelectedProgramIndex() {
  const int row = programPage_.lsvProgramList.selectedIndex();
  if (row < 0 || programPage_.selectedIsScreenSaver()) return -1;
  return static_cast<int>(programPage_.lsvProgramList.itemData(row));
}

void TMainForm::bindEntryCommands() {
  DetailsForm.Create(hwnd());
  // The details window's program box follows every refill of the list.
  programPage_.onProgramListRefilled = [this] {
    DetailsForm.SetProgramsFrom(programPage_.lsvProgramList);
  };
  DetailsForm.programImageOf = [this](ULONG index) {
    return RowImage(ProgramList, inventory::MakeRowData(inventory::ProgramRowKind::Program, index));
  };
  MainActions& a = actions_;
  a.ActionShowDetails.setOnExecute([this] {
    const int index = SelectedProgramIndex();
    if (index < 0) return;
    DetailsForm.ShowProgramDetails(static_cast<ULONG>(index));
    DetailsForm.ShowModalFor(hwnd());
  });
  // The registry editor keeps running on its own; its process is not waited for.
  a.ActionExportReg.setOnExecute(
      [this] { backup::ExecuteExportReg(hwnd(), settings_, ProgramList, SelectedProgramIndex()); });
  a.ActionReloadReg.setOnExecute([this] { backup::ExecuteReloadReg(hwnd(), settings_); });
  a.ActionRegedit.setOnExecute(
      [this] { backup::ExecuteRegedit(hwnd(), ProgramList, SelectedProgramIndex()); });
  a.ActionComment.setOnExecute(
      [this] { ExecuteComment(hwnd(), ProgramList, SelectedProgramIndex()); });
}

}  // namespace forms
