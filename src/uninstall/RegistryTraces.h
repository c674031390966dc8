// Registry places the leftover search looks at beside the four passes by key name:
// settings keys named after the program and its publisher, the places that start
// it, and the classes that open files with it.
#pragma once

#include <vector>

#include "uninstall/LeftoverScan.h"
#include "uninstall/TraceSearch.h"

namespace uninstall {

// Below HKCU\Software and HKLM\SOFTWARE (each view): keys named after the program,
// and in a publisher's key the keys named after it; the publisher's key itself when
// it holds nothing else and no other installed program of that publisher remains.
void FindSettingsKeys(const TraceSearch& search, std::vector<FoundKey>& found);

// App Paths entries whose program or path lies in the install folder, and the Run and
// RunOnce values whose command does (only those values: a Run key is never the
// program's), of the user and of the machine in each view.
void FindLaunchKeys(const TraceSearch& search, std::vector<FoundKey>& found);

// In the user's and the machine's classes: Applications\<exe> of the program's files
// or with a command leading into the install folder, the file types whose open
// command does, and the extensions that name those types (only the values that name
// them, when an extension holds anything else).
void FindClassKeys(const TraceSearch& search, std::vector<FoundKey>& found);

}  // namespace uninstall
