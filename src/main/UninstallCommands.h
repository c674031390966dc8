// The program page's removal commands: Uninstall starts the selected program's own
// uninstaller on a runner thread, Delete removes a selected screen saver (keeping a
// copy), and the runner's report leads to the leftover scan. The main window owns
// the object, binds it once its page exists and hands it WM_UNINSTALL_FINISHED.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "inventory/RostrelLib_TLB.h"
#include "main/MainCommands.h"
#include "main/ProgramListPage.h"
#include "settings/Settings.h"
#include "sys/Registry.h"
#include "uninstall/WaitingThread.h"

namespace forms {

class TScanForm;
class TRemovedProgramsForm;

class UninstallCommands {
 public:
  // Starts one runner; false when no thread could be made.
  using RunnerStart = std::function<bool(std::string commandLine, uninstall::UninstallTarget target,
                                         HWND notifyWindow)>;

  // Screen savers are kept in the settings' ScrBackupDir, the scan window's
  // registry backups in their RegBackupDir.
  UninstallCommands(inventory::TProgramList& programs, ProgramListPage& page, MainActions& actions,
                    const settings::TSettings& settings);
  UninstallCommands(const UninstallCommands&) = delete;
  UninstallCommands& operator=(const UninstallCommands&) = delete;

  // Sets the execute handlers of ActionUninstall, ActionDeleteScr and
  // ActionScanRemoved. `mainWindow`
  // receives the runners' reports and owns the windows and boxes shown here.
  void bind(HWND mainWindow);

  // Handlers of the actions. Uninstall saves the program's scan inputs into
  // Back up\scans\ before its uninstaller starts; ScanRemoved lists the saved
  // programs whose entries are gone, to scan one of them again.
  void ActionUninstallExecute();
  void ActionDeleteScrExecute();
  void ActionScanRemovedExecute();

  // The handler of WM_UNINSTALL_FINISHED: asks whether to look for leftovers and on
  // Yes opens the scan window for the program the runner carries. A report that
  // arrives while another one's prompt or scan window is up waits for it to close.
  void UninstallFinished(WPARAM wParam, LPARAM lParam);
  // Shows the scan window for `target` modally over `owner` (the main window when
  // null), then refreshes the program list.
  void ScanRemains(const uninstall::UninstallTarget& target, HWND owner = nullptr);

  // How runners are started; TWaitingThread::Start unless a test replaces it.
  RunnerStart startRunner;
  // Called with the scan window once it exists, before it is shown (tests drive it).
  std::function<void(TScanForm& form)> onScanFormCreated;
  // Called with the removed programs window once it exists, before it is shown.
  std::function<void(TRemovedProgramsForm& form)> onRemovedFormCreated;

 private:
  // The prompt of one report, and on Yes its scan window.
  void HandleReport(const uninstall::UninstallFinished& report);

  inventory::TProgramList& programs_;
  ProgramListPage& page_;
  MainActions& actions_;
  const settings::TSettings& settings_;
  HWND mainWindow_ = nullptr;
  // Reports not handled yet, and whether one is being handled (main thread only).
  std::deque<uninstall::UninstallFinished> pendingReports_;
  bool handlingReports_ = false;
};

// Where a program's uninstall entry lies, from the component's source of it: 0 HKLM
// in the native view, 1 HKLM in the 32-bit view, 2 HKCU. The native view of a 32-bit
// program under WOW64 is the 64-bit one. An unknown source is taken for HKLM as the
// program sees it by default.
struct UninstallEntryPlace {
  HKEY root = HKEY_LOCAL_MACHINE;
  sys::RegView view = sys::RegView::Default;
};
UninstallEntryPlace EntryPlaceOfSource(LONG source, bool wow64);

// A language text for a message box: the "#13" markers of the built-in defaults
// become line breaks, as they do when the text comes from a language file.
std::string MessageText(const std::string& text);

}  // namespace forms
