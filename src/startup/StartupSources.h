// Reading what starts with Windows: the Run family of registry keys with their
// parking keys, and the per-user and all-users start-up folders.
//
// Keys are opened for reading only, so a user without administrator rights still
// sees the machine's entries. On 64-bit Windows the machine's keys are read in both
// views, each key once: the native view's, then the 32-bit view's by their WOW6432Node
// names (a key that both views share has no such name and is read once). An entry that
// Windows' own start-up settings switched off (StartupApproved.h) is read unticked.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "startup/StartupRow.h"

namespace startup {

// Appends the rows of the Run-family keys under `root` (HKEY_CURRENT_USER: the six of
// kRunKeyPaths; HKEY_LOCAL_MACHINE: MachineRunKeyPaths), key by key: each key's values
// ticked unless Windows switched them off, then the values of its parking key unticked
// with the same Location. A key that does not open contributes nothing, nor does its
// parking key. Values whose data is not text (REG_SZ or REG_EXPAND_SZ, taken
// unexpanded) are skipped; the rest of the key and the root are still read.
void ReadRunKeys(HKEY root, std::vector<StartupRow>& rows);

// Appends the entries of the per-user start-up folder, then the all-users one: every
// file and sub-folder except hidden ones and names that begin with ".", ticked unless
// Windows switched them off, with the full path as Command and the folder (ending
// with "\") as Location.
void ReadStartupFolders(std::vector<StartupRow>& rows);

// The file system path of a shell special folder (CSIDL_STARTUP, CSIDL_COMMON_STARTUP,
// ...) as the shell gives it, without a final "\"; "" when the shell has none.
std::string GetSpecialFolderPath(int csidl);

// Every source in order: HKEY_CURRENT_USER's keys, HKEY_LOCAL_MACHINE's keys (native
// view, then 32-bit view), the start-up folders.
std::vector<StartupRow> ReadStartupRows();

}  // namespace startup
