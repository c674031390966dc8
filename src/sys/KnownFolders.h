// The shell's known folders by id, and all of them at once through its known-folder
// manager. Paths come without a trailing backslash and also for folders that do not
// exist yet (they are where the shell would create them).
#pragma once

#include <windows.h>
#include <shtypes.h>

#include <string>
#include <vector>

namespace sys {

// One known folder's path; "" when it has none in the file system (or no such
// folder is defined here).
std::string KnownFolderPath(REFKNOWNFOLDERID id);

// The path of every known folder that has one in the file system; empty when the
// known-folder manager cannot be created (systems before Vista).
std::vector<std::string> AllKnownFolderPaths();

}  // namespace sys
