// Reading what starts with Windows: the Run family of registry keys with their
// parking keys, and the per-user and all-users start-up folders.
//
// Keys are opened for reading only, so a user without administrator rights still
// sees the machine's entries. A 32-bit program reads the 32-bit view of
// HKEY_LOCAL_MACHINE\SOFTWARE on a 64-bit system; that is the view listed here and
// the one every change is written to.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "startup/StartupRow.h"

namespace startup {

// Appends the rows of the six Run-family keys under `root` (HKEY_CURRENT_USER or
// HKEY_LOCAL_MACHINE), key by key in the order of kRunKeyPaths: each key's values
// ticked, then the values of its parking key unticked with the same Location. A key
// that does not open contributes nothing, nor does its parking key. Values whose data
// is not text (REG_SZ or REG_EXPAND_SZ, taken unexpanded) are skipped; the rest of the
// key and the root are still read.
void ReadRunKeys(HKEY root, std::vector<StartupRow>& rows);

// Appends the entries of the per-user start-up folder, then the all-users one: every
// file and sub-folder except hidden ones and names that begin with ".", ticked, with
// the full path as Command and the folder (ending with "\") as Location.
void ReadStartupFolders(std::vector<StartupRow>& rows);

// The file system path of a shell special folder (CSIDL_STARTUP, CSIDL_COMMON_STARTUP,
// ...) as the shell gives it, without a final "\"; "" when the shell has none.
std::string GetSpecialFolderPath(int csidl);

// Every source in order: HKEY_CURRENT_USER's keys, HKEY_LOCAL_MACHINE's keys, the
// start-up folders.
std::vector<StartupRow> ReadStartupRows();

}  // namespace startup
