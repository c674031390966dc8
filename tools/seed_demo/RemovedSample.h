// The demo's removed program: "Sample Paint" was uninstalled some time ago, and its
// uninstaller left traces behind. Its scan record makes Tools > Scan Leftovers of
// Removed Programs list it, and a scan from there finds what is left.
#pragma once

#include <string>

#include "uninstall/UninstallTarget.h"

namespace demo {

inline constexpr char kRemovedName[] = "Sample Paint";
inline constexpr char kRemovedPublisher[] = "Brushwood Studio";

// The program as its uninstall entry described it before it went.
uninstall::UninstallTarget RemovedSampleTarget();

// Lays down what the program left (its settings key below HKCU\Software\<publisher>,
// its folder in %APPDATA%\<publisher>, its install folder with one file still in it)
// and saves its scan record into `scansFolder`, replacing an earlier one. It has no uninstall
// entry, so it counts as removed. Running it again gives the same state. "" on success, else what
// went wrong.
std::string SeedRemovedSample(const std::string& scansFolder);

}  // namespace demo
