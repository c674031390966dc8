#include "main/UninstallCommands.h"

#include <exception>

#include "app/globals.h"
#include "main/ProgramListLogic.h"
#include "toolkit/MessageBox.h"
#include "ui/LanguageTable.h"
#include "ui/TextFormat.h"
#include "uninstall/ScreenSaverRemoval.h"
#include "uninstall/frmScanRemains.h"

namespace forms {
namespace {

using ui::LangText;

constexpr UINT kQuestionFlags = MB_YESNO | MB_ICONWARNING;

}  // namespace

std::string MessageText(const std::string& text) {
  if (text.find("#13") == std::string::npos) return text;
  return ui::ConvertLineBreaks(text, ui::LineBreakDirection::Reading);
}

UninstallCommands::UninstallCommands(inventory::TProgramList& programs, ProgramListPage& page,
                                     MainActions& actions)
    : startRunner(&uninstall::TWaitingThread::Start),
      programs_(programs),
      page_(page),
      actions_(actions) {}

void UninstallCommands::bind(HWND mainWindow) {
  mainWindow_ = mainWindow;
  actions_.ActionUninstall.setOnExecute([this] { ActionUninstallExecute(); });
  actions_.ActionDeleteScr.setOnExecute([this] { ActionDeleteScrExecute(); });
}

void UninstallCommands::ActionUninstallExecute() {
  try {
    tk::ListView& list = page_.lsvProgramList;
    const int item = list.selectedIndex();
    if (item < 0) return;
    if (IsScreenSaverRow(list.itemText(item, 0))) {
      ActionDeleteScrExecute();
      return;
    }
    inventory::TProgramItem program = programs_.GetProgram(static_cast<ULONG>(list.itemData(item)));
    if (!program) return;
    // The runner carries the program it was started for: the scan that follows its
    // report looks for this program, whatever is selected by then.
    uninstall::UninstallTarget target{program.GetRegistryKeyName(), program.GetInstallLocation()};
    if (startRunner) startRunner(program.GetUninstallString(), std::move(target), mainWindow_);
  } catch (const std::exception&) {
    // The command ends silently; the uninstaller was not started.
  }
}

void UninstallCommands::ActionDeleteScrExecute() {
  try {
    tk::ListView& list = page_.lsvProgramList;
    const int item = list.selectedIndex();
    // Only a screen saver row holds a screen saver's index.
    if (item < 0 || !IsScreenSaverRow(list.itemText(item, 0))) return;
    const std::string fileName =
        programs_.GetScreenSaverFileName(static_cast<ULONG>(list.itemData(item)));
    const std::string folder = list.itemText(item, 2);
    if (tk::ShowMessageBox(mainWindow_, MessageText(LangText(ui::IDS_MESSAGEBOX_WARNING_DeleteScr)),
                           app::kAppTitle, kQuestionFlags) != IDYES)
      return;
    // The file goes into Back up\scr\ under a free name; it is never deleted without
    // that copy.
    uninstall::RemoveScreenSaver(folder, fileName, app::AppPaths.ScrBackupDir);
    page_.RefreshProgramList();
  } catch (const std::exception&) {
    // What was done stays done; nothing is reported.
  }
}

void UninstallCommands::UninstallFinished(WPARAM wParam, LPARAM lParam) {
  // The runner's data lives only while this handler runs: keep a copy.
  uninstall::UninstallTarget target;
  if (const uninstall::UninstallFinished* finished = uninstall::FinishedFromLParam(lParam))
    target = finished->target;
  // The runner waits in SendMessage for this answer: release it before the prompt
  // and the scan window run their modal loops, so that it does not stay blocked
  // meanwhile and the scan's calls are not made inside another thread's send.
  ReplyMessage(0);  // nothing to release when the call came from this thread
  const ui::LangId question = wParam == 1 ? ui::IDS_MESSAGEBOX_WARNING_ScanRemains
                                          : ui::IDS_MESSAGEBOX_WARNING_UninstallFailed;
  if (tk::ShowMessageBox(mainWindow_, MessageText(LangText(question)), app::kAppTitle,
                         kQuestionFlags) != IDYES)
    return;
  ScanRemains(target);
}

void UninstallCommands::ScanRemains(const uninstall::UninstallTarget& target) {
  try {
    TScanForm form(target);
    if (form.Create(mainWindow_)) {
      if (onScanFormCreated) onScanFormCreated(form);
      form.ShowModal();
    }
  } catch (const std::exception&) {
    // The list is refreshed all the same.
  }
  page_.RefreshShowingErrors();
}

}  // namespace forms
