// The leftover scan window: shortly after it opens it searches, on a worker thread,
// for what the uninstalled program left in the registry and on disk, showing the
// path it is at; the findings fill two trees with tick boxes, each node showing
// how sure the search is (a picture, explained by the legend, and the reasons in
// its tip). Only the safe findings start ticked; Delete removes what is ticked.
// Cancel (or Escape) during the search ends it and lists what was found until
// then. The main window creates it for one showing and frees it when it closes.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "sys/Handles.h"
#include "toolkit/Control.h"
#include "toolkit/TickTreeView.h"
#include "toolkit/Window.h"
#include "uninstall/LeftoverRemoval.h"
#include "uninstall/ScanThread.h"
#include "uninstall/ScanTrees.h"

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
  kIdLegendImage,                       // three pictures, Safe, Likely, Doubtful
  kIdLegendLabel = kIdLegendImage + 3,  // and their three labels
};

class TScanForm : public tk::Window {
 public:
  static constexpr int kClientWidth = 563;
  static constexpr int kClientHeight = 461;
  static constexpr UINT_PTR kTimerStartScan = 1;
  static constexpr UINT kStartScanDelayMs = 200;
  static constexpr int kGradeCount = 3;

  // `target` is the program that was uninstalled, as captured when its uninstall
  // started. `search` stands in for the leftover search (FindLeftovers when empty).
  // Delete keeps its registry backup in the settings' RegBackupDir.
  TScanForm(const settings::TSettings& settings, uninstall::UninstallTarget target,
            uninstall::LeftoverSearchFn search = {});
  ~TScanForm() override;

  // Creates the window hidden, owned by `owner`, and switches TimerStartScan on.
  bool Create(HWND owner);
  // Labels the window, centres it on its owner and shows it modally until it closes.
  int ShowModal();

  // Starts the search on its thread; run by the first tick of TimerStartScan.
  void StartScan();
  // Ends a running search early; its findings so far are listed when it has ended.
  void CancelScan();

  // Handlers, named after their controls.
  void btnDeleteClick();
  void btnCancelClick();
  void tvScanRegInfoMouseDown(HTREEITEM node);
  void tvScanFilesMouseDown(HTREEITEM node);

  const uninstall::UninstallTarget& target() const { return target_; }
  bool scanning() const { return scanning_; }
  bool scanned() const { return scanned_; }
  // Whether the last search ended because it was cancelled.
  bool cancelled() const { return cancelled_; }
  // The registry file written by the last Delete ("" when none was needed or possible).
  const std::string& lastBackupFile() const { return lastBackupFile_; }
  // How many ticked items the last Delete could not remove.
  size_t lastFailedCount() const { return lastFailedCount_; }
  // How many ticked folders the last Delete kept because they still held something.
  size_t lastKeptCount() const { return lastKeptCount_; }

  // Told each progress report of the search, after the label shows it.
  std::function<void(const std::string& path)> onScanProgress;

  tk::Control lblScaning, lblScanInfo, lblRegInfoLeft, lblFileLeft, btnDelete, btnCancel;
  tk::TickTreeView tvScanRegInfo, tvScanFiles;
  // The legend: one picture and one label per grade, in the order of uninstall::Grade.
  std::array<tk::Control, kGradeCount> imgLegend, lblLegend;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool onCommand(WORD id, WORD code, HWND control) override;
  void onTimer(UINT_PTR id) override;
  bool onClose() override;
  void onDestroy() override;

 private:
  void createControls();
  void createLegend();
  void applyTexts();
  void scanProgress();
  void scanFinished();
  void showFindings(uninstall::ScanFindings findings);
  void stopScan();

  const settings::TSettings& settings_;
  const uninstall::UninstallTarget target_;
  const uninstall::LeftoverSearchFn search_;
  std::unique_ptr<uninstall::TScanThread> scan_;
  // The exact objects behind both trees' nodes.
  uninstall::LeftoverNodes nodes_;
  std::array<sys::UniqueIcon, kGradeCount> legendIcons_;
  HWND owner_ = nullptr;
  bool scanning_ = false;
  bool scanned_ = false;
  bool cancelled_ = false;
  std::string lastBackupFile_;
  size_t lastFailedCount_ = 0;
  size_t lastKeptCount_ = 0;
};

}  // namespace forms
