#include "main/UninstallCommands.h"

#include <exception>

#include "settings/Product.h"
#include "inventory/ProgramRowData.h"
#include "main/ProgramListLogic.h"
#include "main/frmRemovedPrograms.h"
#include "sys/Process.h"
#include "toolkit/MessageBox.h"
#include "ui/LanguageTable.h"
#include "ui/TextFormat.h"
#include "uninstall/InstallFolder.h"
#include "uninstall/SavedScans.h"
#include "uninstall/ScreenSaverRemoval.h"
#include "uninstall/frmScanRemains.h"

namespace forms {
namespace {

using ui::LangText;

constexpr UINT kQuestionFlags = MB_YESNO | MB_ICONWARNING;

}  // namespace

UninstallEntryPlace EntryPlaceOfSource(LONG source, bool wow64) {
  switch (source) {
    case 0:
      return {HKEY_LOCAL_MACHINE, wow64 ? sys::RegView::Wow64 : sys::RegView::Default};
    case 1:
      return {HKEY_LOCAL_MACHINE, sys::RegView::Wow32};
    case 2:
      return {HKEY_CURRENT_USER, sys::RegView::Default};
    default:
      return {};
  }
}

std::string MessageText(const std::string& text) {
  if (text.find("#13") == std::string::npos) return text;
  return ui::ConvertLineBreaks(text, ui::LineBreakDirection::Reading);
}

UninstallCommands::UninstallCommands(inventory::TProgramList& programs, ProgramListPage& page,
                                     MainActions& actions, const settings::TSettings& settings)
    : startRunner(&uninstall::TWaitingThread::Start),
      programs_(programs),
      page_(page),
      actions_(actions),
      settings_(settings) {}

void UninstallCommands::bind(HWND mainWindow) {
  mainWindow_ = mainWindow;
  actions_.ActionUninstall.setOnExecute([this] { ActionUninstallExecute(); });
  actions_.ActionDeleteScr.setOnExecute([this] { ActionDeleteScrExecute(); });
  actions_.ActionScanRemoved.setOnExecute([this] { ActionScanRemovedExecute(); });
}

void UninstallCommands::ActionUninstallExecute() {
  try {
    tk::ListView& list = page_.lsvProgramList;
    const int item = list.selectedIndex();
    if (item < 0) return;
    const LPARAM data = list.itemData(item);
    if (inventory::RowKind(data) == inventory::ProgramRowKind::ScreenSaver) {
      ActionDeleteScrExecute();
      return;
    }
    const ULONG index = inventory::RowIndex(data);
    inventory::TProgramItem program = programs_.GetProgram(index);
    if (!program) return;
    // The runner carries the program it was started for: the scan that follows its
    // report looks for this program, whatever is selected by then, and the runner
    // looks in the entry's own place whether the entry went.
    uninstall::UninstallTarget target;
    target.keyName = program.GetRegistryKeyName();
    // One spelling of the folder for the scan, the guard and the removal alike.
    target.installDir = uninstall::NormaliseInstallFolder(program.GetInstallLocation());
    target.displayName = program.GetDisplayName();
    const UninstallEntryPlace place =
        EntryPlaceOfSource(programs_.GetProgramSource(index), sys::RunningUnderWow64());
    target.entryRoot = place.root;
    target.entryView = place.view;
    // The leftover search needs what the entry says now: afterwards it is gone.
    uninstall::CaptureScanInputs(target);
    // Kept, so that the scan can be run again after a restart; a record that cannot
    // be written does not stand in the uninstall's way.
    uninstall::SaveScanInputs(settings_.paths().ScanBackupDir, target);
    if (startRunner) startRunner(program.GetUninstallString(), std::move(target), mainWindow_);
  } catch (const std::exception&) {
    // The command ends silently; the uninstaller was not started.
  }
}

void UninstallCommands::ActionDeleteScrExecute() {
  try {
    tk::ListView& list = page_.lsvProgramList;
    const int item = list.selectedIndex();
    if (item < 0) return;
    // Only a screen saver row holds a screen saver's index.
    const LPARAM data = list.itemData(item);
    if (inventory::RowKind(data) != inventory::ProgramRowKind::ScreenSaver) return;
    const std::string fileName = programs_.GetScreenSaverFileName(inventory::RowIndex(data));
    const std::string folder = list.itemText(item, 2);
    if (tk::ShowMessageBox(mainWindow_, MessageText(LangText(ui::IDS_MESSAGEBOX_WARNING_DeleteScr)),
                           settings::kAppTitle, kQuestionFlags) != IDYES)
      return;
    // The file goes into Back up\scr\ under a free name; it is never deleted without
    // that copy.
    uninstall::RemoveScreenSaver(folder, fileName, settings_.paths().ScrBackupDir);
    page_.RefreshProgramList();
  } catch (const std::exception&) {
    // What was done stays done; nothing is reported.
  }
}

void UninstallCommands::ActionScanRemovedExecute() {
  try {
    std::vector<uninstall::SavedScan> removed =
        uninstall::RemovedPrograms(uninstall::LoadSavedScans(settings_.paths().ScanBackupDir));
    if (removed.empty()) {
      tk::ShowMessageBox(mainWindow_,
                         MessageText(LangText(ui::IDS_MESSAGEBOX_WARNING_NoRemovedPrograms)),
                         settings::kAppTitle, MB_OK);
      return;
    }
    TRemovedProgramsForm form(std::move(removed));
    form.onScan = [this](const uninstall::UninstallTarget& target, HWND owner) {
      ScanRemains(target, owner);
    };
    if (!form.Create(mainWindow_)) return;
    if (onRemovedFormCreated) onRemovedFormCreated(form);
    form.ShowModal();
  } catch (const std::exception&) {
    // The command ends; nothing was changed by it.
  }
}

void UninstallCommands::UninstallFinished(WPARAM wParam, LPARAM lParam) {
  // The runner's data lives only while this handler runs: keep a copy.
  uninstall::UninstallFinished report;
  if (const uninstall::UninstallFinished* finished = uninstall::FinishedFromLParam(lParam))
    report = *finished;
  report.started = wParam == 1;
  // The runner waits in SendMessage for this answer: release it before the prompt
  // and the scan window run their modal loops, so that it does not stay blocked
  // meanwhile and the scan's calls are not made inside another thread's send.
  ReplyMessage(0);  // nothing to release when the call came from this thread
  pendingReports_.push_back(std::move(report));
  // A second runner's report arrives inside the modal loop of the first one's prompt
  // or scan window: it is queued and handled once that window has closed, so scan
  // windows never nest.
  if (handlingReports_) return;
  handlingReports_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{handlingReports_};
  // Reports left when the main window has gone are dropped with it.
  while (!pendingReports_.empty() && (!mainWindow_ || IsWindow(mainWindow_))) {
    uninstall::UninstallFinished next = std::move(pendingReports_.front());
    pendingReports_.pop_front();
    HandleReport(next);
  }
}

void UninstallCommands::HandleReport(const uninstall::UninstallFinished& report) {
  // A program whose entry is still there seems not uninstalled: the scan then offers
  // what it finds unticked, and the question says so.
  ui::LangId question = ui::IDS_MESSAGEBOX_WARNING_UninstallFailed;
  if (report.started) {
    question = report.target.uninstalled ? ui::IDS_MESSAGEBOX_WARNING_ScanRemains
                                         : ui::IDS_MESSAGEBOX_WARNING_UninstallNotDone;
  }
  if (tk::ShowMessageBox(mainWindow_, MessageText(LangText(question)), settings::kAppTitle,
                         kQuestionFlags) != IDYES)
    return;
  ScanRemains(report.target);
}

void UninstallCommands::ScanRemains(const uninstall::UninstallTarget& target, HWND owner) {
  try {
    TScanForm form(settings_, target);
    if (form.Create(owner ? owner : mainWindow_)) {
      if (onScanFormCreated) onScanFormCreated(form);
      form.ShowModal();
    }
  } catch (const std::exception&) {
    // The list is refreshed all the same.
  }
  page_.RefreshShowingErrors();
}

}  // namespace forms
