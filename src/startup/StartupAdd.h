// Adding an existing file to what starts at log-on: a value in a Run key or a
// shortcut in a start-up folder.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace startup {

// The places an entry can be added to, by the index of the add dialog's list (never
// by its translated text).
enum class AddSection : int {
  StartupFolderCurrentUser = 0,  // a shortcut in CSIDL_STARTUP
  StartupFolderAllUsers = 1,     // a shortcut in CSIDL_COMMON_STARTUP
  RunCurrentUser = 2,            // a value in HKCU's Run key (the dialog's default)
  RunLocalMachine = 3,           // a value in HKLM's Run key
};

enum class AddStatus {
  Added,
  // The Run key does not open for writing or the shell names no start-up folder:
  // nothing was written and nothing is to be said.
  SourceUnavailable,
  // Writing failed after the place was found; `error` says why.
  Failed,
};

struct AddOutcome {
  AddStatus status = AddStatus::Added;
  HRESULT error = S_OK;
};

// "D:\Tools\Sync Tool.exe" -> "Sync Tool": the file name without its extension (a
// name that is nothing but an extension is kept whole).
std::string RunValueNameFor(std::string_view target);
// "D:\Tools\sync.exe" -> "sync.lnk"; "D:\Tools\sync" -> "sync.lnk".
std::string ShortcutFileNameFor(std::string_view target);

// Writes the Run value of `root` (HKEY_CURRENT_USER, or HKEY_LOCAL_MACHINE in its
// native view on 64-bit Windows): named
// RunValueNameFor(target), holding `target` unchanged and unquoted, REG_SZ. The key is
// opened, never created; an existing value of that name is overwritten.
AddOutcome AddRunValue(HKEY root, const std::string& target);

// Saves `folder`\ShortcutFileNameFor(target), a shortcut to `target` that starts in
// the target's folder (with its final "\"). The folder is created when missing.
AddOutcome AddStartupShortcut(const std::string& folder, const std::string& target);

// Adds `target` to `section`. The caller has checked that `target` is an existing
// file; shortcuts need COM initialised on the calling thread.
AddOutcome AddStartupEntry(AddSection section, const std::string& target);

}  // namespace startup
