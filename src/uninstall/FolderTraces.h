// Folders of the user's and the machine's application data that the program left.
#pragma once

#include <string>
#include <vector>

#include "uninstall/LeftoverScan.h"
#include "uninstall/TraceSearch.h"

namespace uninstall {

// The roots searched: %APPDATA%, %LOCALAPPDATA%, %LOCALAPPDATA%\Programs, LocalLow and
// %PROGRAMDATA%, each once, those that exist.
std::vector<std::string> DataFolderRoots();

// In each root: folders named after the program, with their trees, and in the
// publisher's folder those named after it; the publisher's folder itself (holding
// them) when it holds nothing else and no other installed program of that publisher
// remains. Folders that are, or lie in, an install folder are left to its tree; a
// folder holding one stays whole, the install folder inside it.
void FindDataFolders(const TraceSearch& search, std::vector<FileEntry>& found);

}  // namespace uninstall
