// The leftover scan window: shortly after it opens it searches the registry for keys
// that bear the uninstalled program's key name and lists what is left in its install
// folder, in two trees with tick boxes; Delete removes what stays ticked. The main
// window creates it for one showing and frees it when it closes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "toolkit/Control.h"
#include "toolkit/TickTreeView.h"
#include "toolkit/Window.h"
#include "uninstall/InstalledEntries.h"
#include "uninstall/LeftoverRemoval.h"
#include "uninstall/ScanTrees.h"
#include "uninstall/WaitingThread.h"

namespace forms {

// Control ids of the window (Cancel is the dialog id, so that Escape reaches it).
enum ScanFormId : int {
  kIdScanLabel = 600,
  kIdScanInfo,
  kIdRegInfoLeft,
  kIdScanRegInfo,
  kIdFileLeft,
  kIdScanFiles,
  kIdScanDelete,
};

class TScanForm : public tk::Window {
 public:
  static constexpr int kClientWidth = 563;
  static constexpr int kClientHeight = 453;
  static constexpr UINT_PTR kTimerStartScan = 1;
  static constexpr UINT kStartScanDelayMs = 200;
  // How often the progress label follows the scan and the window repaints.
  static constexpr DWORD kProgressIntervalMs = 50;

  // `target` is the program that was uninstalled, as captured when its uninstall
  // started: its key name is searched for and its install folder listed. Delete
  // keeps its registry backup in the settings' RegBackupDir.
  TScanForm(const settings::TSettings& settings, uninstall::UninstallTarget target);
  ~TScanForm() override;

  // Creates the window hidden, owned by `owner`, and switches TimerStartScan on.
  bool Create(HWND owner);
  // Labels the window, centres it on its owner and shows it modally until it closes.
  int ShowModal();

  // The scan driver, run by the first tick of TimerStartScan.
  void StartScan();
  // The scan's two parts, for StartScan and for measuring them with the window live.
  void ScanRegistryPasses();
  void ScanFiles();

  // Handlers, named after their controls.
  void btnDeleteClick();
  void btnCancelClick();
  void tvScanRegInfoMouseDown(HTREEITEM node);
  void tvScanFilesMouseDown(HTREEITEM node);

  const uninstall::UninstallTarget& target() const { return target_; }
  bool scanning() const { return scanning_; }
  bool scanned() const { return scanned_; }
  // The registry file written by the last Delete ("" when none was needed or possible).
  const std::string& lastBackupFile() const { return lastBackupFile_; }
  // How many ticked items the last Delete could not remove.
  size_t lastFailedCount() const { return lastFailedCount_; }
  // How many ticked folders the last Delete kept because they still held something.
  size_t lastKeptCount() const { return lastKeptCount_; }

  tk::Control lblScaning, lblScanInfo, lblRegInfoLeft, lblFileLeft, btnDelete, btnCancel;
  tk::TickTreeView tvScanRegInfo, tvScanFiles;

 protected:
  bool onCommand(WORD id, WORD code, HWND control) override;
  void onTimer(UINT_PTR id) override;
  bool onClose() override;

 private:
  void createControls();
  void applyTexts();
  void showProgress(const std::string& path);
  const std::vector<uninstall::InstalledEntry>& otherPrograms();

  const settings::TSettings& settings_;
  const uninstall::UninstallTarget target_;
  // The exact objects behind both trees' nodes.
  uninstall::LeftoverNodes nodes_;
  HWND owner_ = nullptr;
  bool scanning_ = false;
  bool scanned_ = false;
  DWORD lastProgress_ = 0;
  std::string lastBackupFile_;
  size_t lastFailedCount_ = 0;
  size_t lastKeptCount_ = 0;
  std::optional<std::vector<uninstall::InstalledEntry>> others_;
};

}  // namespace forms
