// The backup's progress window: a fixed-size box with the skin's picture, a label
// and a bar, no buttons. Its timer starts the backup shortly after it opens and
// then follows the exports; it closes itself at the end (or by its close box).
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

#include "backup/BackupRun.h"
#include "settings/Settings.h"
#include "toolkit/Control.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/Window.h"
#include "ui/Picture.h"

namespace backup {

// The File menu's Create Backup command: asks first (Yes / No, information icon),
// then shows the progress window modally over `owner` and frees it when it closes.
void ExecuteCreateBackup(HWND owner, const settings::TSettings& settings);

class TProgressForm : public tk::Window {
 public:
  static constexpr int kClientWidth = 391;
  static constexpr int kClientHeight = 182;
  static constexpr UINT_PTR TimerBackup = 1;
  static constexpr UINT kIdleInterval = 100;  // waiting for the run to start
  static constexpr UINT kRunInterval = 25;    // following the running exports

  // The exports go to the settings' RegBackupDir; the picture comes from their
  // Skins\.
  explicit TProgressForm(const settings::TSettings& settings) : settings_(settings) {}
  ~TProgressForm() override;

  // Creates the window hidden and centred on `owner`, switches TimerBackup on and
  // makes sure that RegBackupDir exists.
  bool Create(HWND owner);
  // Sets the texts and the background picture; called before the window shows.
  void FormShow();
  // A tick of TimerBackup: starts the run when there is something to back up, then
  // follows it; at its end reports the outcome and closes the window.
  void RunBackup();

  // How the exports are started; tests may count or fail them.
  EditorStarter startEditor = StartRegistryEditor;
  std::size_t maxRunning = BackupRun::kDefaultMaxRunning;

  // What the last run left: finished exports and the entries not saved.
  const BackupRun* run() const { return run_.get(); }

  tk::Control lblInfo;
  tk::ProgressBar ProgressBar;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void onTimer(UINT_PTR id) override;

 private:
  void setPosition(int position);
  void finishRun();
  void closeForm(int result);
  void paint();

  const settings::TSettings& settings_;
  std::unique_ptr<BackupRun> run_;
  ui::Picture ImageBK;
  bool reporting_ = false;
};

}  // namespace backup
