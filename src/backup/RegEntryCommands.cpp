#include "backup/RegEntryCommands.h"

#include <shellapi.h>

#include <exception>
#include <optional>

#include "sys/FileOps.h"
#include "sys/Files.h"
#include "sys/Process.h"
#include "sys/Registry.h"
#include "toolkit/FileDialog.h"

namespace backup {
namespace {

constexpr char kRegExtension[] = "reg";

tk::FileDialogRequest RegFileRequest(HWND owner, const std::string& backupDir, bool save) {
  tk::FileDialogRequest request;
  request.owner = owner;
  request.save = save;
  request.filter = kRegFileFilter;
  if (sys::DirectoryExists(backupDir)) request.initialDir = backupDir;
  // The save dialog has no overwrite question: the chosen name goes to the editor
  // as it is. The open dialog only offers files that exist, so that the editor is
  // never sent after a name that was mistyped. Neither moves the process's current
  // folder: the chosen path goes to the editor whole, and a folder the user browsed
  // to must not become where programs named without a folder are looked for.
  request.flags = (save ? OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING
                        : OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING) |
                  OFN_NOCHANGEDIR;
  return request;
}

// Runs `start` (index, item -> the editor's process) for the program at
// `componentIndex`, the index that the selected row holds (-1 when none). No
// program there, or a failing component, dialog or shell, starts nothing: an empty
// handle.
template <typename Start>
sys::UniqueHandle StartForProgram(inventory::TProgramList& programs, int componentIndex,
                                  Start start) {
  if (componentIndex < 0) return sys::UniqueHandle();
  try {
    const auto index = static_cast<ULONG>(componentIndex);
    inventory::TProgramItem item = programs.GetProgram(index);
    if (!item) return sys::UniqueHandle();
    return start(index, item);
  } catch (const std::exception&) {
    return sys::UniqueHandle();
  }
}

}  // namespace

std::string ExportParameters(const std::string& file, const std::string& keyPath) {
  return " /e \"" + file + "\" \"" + keyPath + "\"";
}

std::string ImportParameters(const std::string& file) {
  return " \"" + file + "\"";
}

std::string RegeditPath() {
  const std::string windows = sys::WindowsDirectory();
  if (windows.empty()) return "regedit.exe";
  return sys::IncludeTrailingBackslash(windows) + "regedit.exe";
}

std::string EntryKeyPath(inventory::TProgramList& programs, ULONG index,
                         const std::string& keyName) {
  try {
    std::string path = programs.GetProgramRegistryPath(index);
    if (!path.empty()) return path;
  } catch (const std::exception&) {
    // A component without the operation: the machine-wide key is the best guess.
  }
  return kMachineUninstallPath + keyName;
}

bool WriteRegeditLastKey(const std::string& keyPath) {
  sys::Registry reg(HKEY_CURRENT_USER, KEY_ALL_ACCESS);
  if (!reg.openKey(std::string("\\") + kRegeditSettingsKey, true)) return false;
  return reg.writeString("LastKey", keyPath);
}

sys::UniqueHandle StartRegedit(HWND owner, const std::string& parameters) {
  sys::ShellStart request;
  request.owner = owner;
  request.verb = "open";
  request.file = RegeditPath();
  request.parameters = parameters;  // "" passes none
  // No folder: the editor inherits the program's current folder.
  request.show = SW_SHOW;
  sys::UniqueHandle process;
  sys::ShellStartProcess(request, process);
  return process;
}

sys::UniqueHandle ExecuteExportReg(HWND owner, const settings::TSettings& settings,
                                   inventory::TProgramList& programs, int componentIndex) {
  return StartForProgram(programs, componentIndex, [&](ULONG index, inventory::TProgramItem& item) {
    const std::string keyName = item.GetRegistryKeyName();
    tk::FileDialogRequest request = RegFileRequest(owner, settings.paths().RegBackupDir, true);
    request.fileName = keyName + "." + kRegExtension;
    request.defaultExt = kRegExtension;
    std::optional<std::string> file = tk::ShowFileDialog(request);
    if (!file || file->empty()) return sys::UniqueHandle();
    // The whole chosen path goes to the editor: the export lands in the folder that
    // the user chose whatever the program's current folder is.
    return StartRegedit(owner, ExportParameters(*file, EntryKeyPath(programs, index, keyName)));
  });
}

sys::UniqueHandle ExecuteReloadReg(HWND owner, const settings::TSettings& settings) {
  try {
    std::optional<std::string> file =
        tk::ShowFileDialog(RegFileRequest(owner, settings.paths().RegBackupDir, false));
    if (!file || file->empty()) return sys::UniqueHandle();
    return StartRegedit(owner, ImportParameters(*file));
  } catch (const std::exception&) {
    return sys::UniqueHandle();
  }
}

sys::UniqueHandle ExecuteRegedit(HWND owner, inventory::TProgramList& programs,
                                 int componentIndex) {
  return StartForProgram(programs, componentIndex, [&](ULONG index, inventory::TProgramItem& item) {
    const std::string keyPath = EntryKeyPath(programs, index, item.GetRegistryKeyName());
    if (!WriteRegeditLastKey(keyPath)) return sys::UniqueHandle();
    return StartRegedit(owner, std::string());
  });
}

}  // namespace backup
