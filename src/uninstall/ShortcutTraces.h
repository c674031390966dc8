// Shortcuts the program's setup made: in the Start menu (the user's and everyone's)
// and on the desktop (the user's and the public one).
#pragma once

#include <string>
#include <vector>

#include "uninstall/LeftoverScan.h"
#include "uninstall/TraceSearch.h"

namespace uninstall {

// The shortcuts (*.lnk) whose target lies in an install folder, each a file of its
// own; a Start menu folder that holds nothing but such shortcuts (and folders like it,
// and its desktop.ini) is listed as a whole instead. Desktops are looked at without
// their folders. Initialises COM on the calling thread for as long as it runs (any
// thread will do; one already in COM keeps its apartment).
void FindShortcuts(const TraceSearch& search, std::vector<FileEntry>& found);

// Whether `name` is a shortcut file's name ("*.lnk", any letter case).
bool IsShortcutName(const std::string& name);

}  // namespace uninstall
