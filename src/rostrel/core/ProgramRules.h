// The rules that decide which uninstall entries are programs, which of them are
// system patches, and in which order they are listed. Plain data in, answers out.
#pragma once

#include <string>
#include <string_view>

#include "rostrel/core/RegValues.h"

namespace rostrel {

// An entry is listed when it has a DisplayName or an UninstallString (non-empty
// strings) and is not marked SystemComponent = 1.
bool IsListedEntry(const RegValues& values);

// "KB" (any case) followed by one or more digits and nothing else.
bool IsKbKeyName(std::wstring_view keyName);

// A ParentKeyName value, a ReleaseType of "Security Update", "Update", "Hotfix",
// "Update Rollup" or "Service Pack" (ignoring case), or a key name like "KB123456".
bool IsSystemPatch(std::wstring_view keyName, const RegValues& values);

// The text a program is sorted by: its display name, else its key name.
std::wstring SortName(std::wstring_view displayName, std::wstring_view keyName);

// <0, 0, >0 comparing two sort names, ignoring case, in the user's locale.
int CompareNames(std::wstring_view a, std::wstring_view b);

// Lower-cased copy, for lookups that ignore case.
std::wstring Folded(std::wstring_view text);

}  // namespace rostrel
