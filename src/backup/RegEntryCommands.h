// One program's uninstall entry handed to the system's registry editor: export the
// entry to a registry file of the user's choice, import a registry file again, and
// open the editor at the entry's key. The program never reads or writes the
// registry files itself; the editor does, as a process of its own that the program
// does not wait for (it reports its failures itself, and under some systems it
// never reports at all: check the file or the registry afterwards).
//
// The Execute* functions are the main window's commands. Each takes the index
// that the selected program row holds (-1 when no program row is selected), shows
// no message of its own, swallows component errors, and hands back the editor's
// process (empty when it was not started) for callers that want to watch it; the
// main window just lets the handle go, which leaves the editor running.
#pragma once

#include <windows.h>

#include <string>

#include "inventory/RostrelLib_TLB.h"
#include "settings/Settings.h"
#include "sys/Handles.h"

namespace backup {

// The machine-wide uninstall key as the registry editor names it.
inline constexpr char kMachineUninstallPath[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
// Where the registry editor keeps the key it shows at start ("LastKey"), below
// HKEY_CURRENT_USER.
inline constexpr char kRegeditSettingsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
inline constexpr char kRegFileFilter[] = "Registration Files(*.reg)|*.reg";

// " /e \"file\" \"key\"": the editor's parameters for exporting `keyPath` to `file`.
std::string ExportParameters(const std::string& file, const std::string& keyPath);
// " \"file\"": the editor's parameters for importing `file` (no silent switch, so
// the editor may ask the user before it imports).
std::string ImportParameters(const std::string& file);

// The registry editor in the Windows folder, named in full so that no copy in the
// program's or the current folder is started instead. On 64-bit Windows this is
// the 64-bit editor, which sees the registry as the component's paths name it;
// Wine starts its 32-bit editor for a 32-bit caller, which reaches the entries of
// 32-bit installers (WOW6432Node) but not those of the system's own view.
std::string RegeditPath();

// The entry's key as the registry editor names it: the component's own path for
// the entry (the registry view or the user's key it came from), or the machine-wide
// uninstall key + `keyName` when the component cannot say.
std::string EntryKeyPath(inventory::TProgramList& programs, ULONG index,
                         const std::string& keyName);

// Writes "LastKey" = `keyPath` under kRegeditSettingsKey, creating the key when the
// user has never run the editor. False when it cannot be written.
bool WriteRegeditLastKey(const std::string& keyPath);

// Starts the registry editor with `parameters` ("" for none), owned by `owner`,
// shown normally, in the program's current folder. Empty when it did not start.
sys::UniqueHandle StartRegedit(HWND owner, const std::string& parameters);

// Export Registry Info: proposes "<key name>.reg" (in RegBackupDir when that folder
// exists), asks for the file with the save dialog (no overwrite question) and
// starts the editor's export of the entry into the chosen file.
sys::UniqueHandle ExecuteExportReg(HWND owner, const settings::TSettings& settings,
                                   inventory::TProgramList& programs, int componentIndex);
// Reload Registry Info: asks for a registry file with the open dialog (starting in
// RegBackupDir when it exists) and starts the editor's import of it. The program
// list is not refreshed afterwards.
sys::UniqueHandle ExecuteReloadReg(HWND owner, const settings::TSettings& settings);
// Registry Editor: points the editor's "LastKey" at the entry and starts it.
sys::UniqueHandle ExecuteRegedit(HWND owner, inventory::TProgramList& programs, int componentIndex);

}  // namespace backup
