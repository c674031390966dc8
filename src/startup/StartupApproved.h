// Windows' own switch for start-up entries (Windows 8 and later): Task Manager's
// Startup tab and Settings > Apps > Startup leave an entry where it is and keep its
// state in a value of the same name below Explorer\StartupApproved:
//   Run            the HKCU or HKLM (native view) Run key's values
//   Run32          the 32-bit view's Run key's values (kept in the native view)
//   StartupFolder  the per-user (HKCU) or all-users (HKLM) start-up folder's files
// Each value is REG_BINARY: a 4-byte flag, then the FILETIME when it was switched off.
// The entry is off while the flag's low bit is set (03, 07); clear (02, 06, 00) or no
// value at all means on. Other Run-family keys have no such switch.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "startup/StartupRow.h"
#include "sys/Registry.h"

namespace startup {

inline constexpr char kApprovedKeyPath[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";

// The key that holds Windows' switch for the entries of a Run-family key (`keyPath` as
// a row's source names it), or of a start-up folder (its path, with or without the
// final "\"); nullopt for keys and folders that Windows keeps no switch for.
std::optional<sys::RegKey> ApprovedKeyForRunKey(HKEY root, std::string_view keyPath);
std::optional<sys::RegKey> ApprovedKeyForFolder(std::string_view folder);
std::optional<sys::RegKey> ApprovedKeyFor(const StartupRow& row);

// True when the value switches its entry off.
bool IsSwitchedOff(const sys::RegValue& value);
// The names whose entries `key` switches off; empty when the key is missing.
std::vector<std::string> SwitchedOffNames(const sys::RegKey& key);
// Whether `name` is among `names`, compared as the registry compares names.
bool HasName(const std::vector<std::string>& names, std::string_view name);

// The value that switches the entry back on as Windows' own tools write it: flag 02,
// zero time.
sys::RegValue SwitchedOnValue(std::string name);

// Switches the row's entry back on when Windows holds it switched off; anything else
// (no such switch, no value, a value that is on) stays. False when the write failed.
bool SwitchOn(const StartupRow& row);
// Deletes the row's value in Windows' switch, so that an entry of that name comes back
// on; a value that is not there is no failure.
bool ForgetSwitch(const StartupRow& row);

// "HKCU\Software\...\StartupApproved\Run": the key as a Location names it.
std::string ApprovedLocation(const sys::RegKey& key);

// Where the system holds the row's entry disabled, as last read or applied: the
// parking key of a parked registry row, Windows' switch key of an entry switched off
// there; "" for enabled rows and for start-up folder files sent to the bin.
std::string DisabledSourceLocation(const StartupRow& row);
// A long location cut to fit the item information: the root, "...", and the last
// three parts ("HKCU\...\Explorer\StartupApproved\Run"); shorter ones stay whole.
std::string ShortLocation(std::string_view location);

}  // namespace startup
