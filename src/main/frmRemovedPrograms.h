// The removed programs window: the programs uninstalled earlier whose scan inputs
// were saved, with the moment each uninstall started. Scan looks for the chosen
// one's leftovers again, as right after its uninstall; Forget deletes its saved
// record and nothing else. Created for one showing and freed when it closes.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/ListView.h"
#include "toolkit/Window.h"
#include "uninstall/SavedScans.h"

namespace forms {

// Control ids of the window (Close is the dialog's cancel id, so that Escape reaches it).
enum RemovedProgramsId : int {
  kIdRemovedInfo = 700,
  kIdRemovedList,
  kIdRemovedScan,
  kIdRemovedForget,
};

class TRemovedProgramsForm : public tk::Window {
 public:
  static constexpr int kClientWidth = 472;
  static constexpr int kClientHeight = 320;

  // `scans`: the records to list, as they are to be shown (newest first).
  explicit TRemovedProgramsForm(std::vector<uninstall::SavedScan> scans);
  ~TRemovedProgramsForm() override;

  // Creates the window hidden, owned by `owner`, with one row per record.
  bool Create(HWND owner);
  // Labels the window from the language table, centres it on its owner and shows it
  // modally until it closes.
  int ShowModal();

  // Handlers, named after their controls.
  void btnScanClick();
  void btnForgetClick();
  void btnCloseClick();

  // Runs the scan for the chosen program, whose `uninstalled` says whether its entry
  // is still gone now; `owner` is this window.
  std::function<void(const uninstall::UninstallTarget& target, HWND owner)> onScan;

  // The record behind a row, or nullptr.
  const uninstall::SavedScan* scanOfRow(int row) const;

  tk::Control lblInfo, btnScan, btnForget, btnClose;
  tk::ListView lsvRemovedPrograms;

 protected:
  bool onCommand(WORD id, WORD code, HWND control) override;

 private:
  void applyTexts();
  void fillList();
  void updateButtons();

  std::vector<uninstall::SavedScan> scans_;  // row data indexes this; never reordered
  HWND owner_ = nullptr;
};

}  // namespace forms
