// Folders that the leftover scan never lists and removal never deletes, whatever an
// uninstall entry claims as its install folder.
#pragma once

#include <string>
#include <vector>

namespace uninstall {

// True for a drive or share root, the Windows folder and everything below it, the
// Program Files and Common Files roots of both views, ProgramData, the user profile and
// its known folders, the public folders, and every ancestor of any of these. Also true
// for an empty or relative path, which names nothing that can be checked.
bool IsProtectedFolder(const std::string& path);

// The folders that IsProtectedFolder guards, normalised (full, upper case, no final
// backslash).
const std::vector<std::string>& ProtectedFolderList();

// Full path, upper case, without a final backslash ("" when `path` is not absolute).
std::string NormalisedFolder(const std::string& path);

}  // namespace uninstall
