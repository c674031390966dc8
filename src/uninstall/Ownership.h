// Whether a leftover the scan found belongs to another installed program as well.
// Such findings stay listed, so that the user sees them, but are never offered
// ticked: an uninstaller must not take another program's settings or files with it.
#pragma once

#include <string>
#include <vector>

#include "uninstall/InstalledEntries.h"
#include "uninstall/LeftoverScan.h"

namespace uninstall {

// The other program that a found key belongs to, or "" when none claims it. A key
// belongs to another program when it is (or lies in, or holds) that program's
// uninstall entry; when a key above it, or one below it, bears that program's key or
// display name; when its name is that program's key name (the twin of the other
// view, whose settings the two share); or when that program's entry names its path.
std::string KeyOwner(const FoundKey& key, const std::vector<InstalledEntry>& others);

// Sets `owner` on every found key that belongs to another program.
void MarkOwnedKeys(std::vector<FoundKey>& found, const std::vector<InstalledEntry>& others);

// Sets `owner` on the file tree's nodes that another program claims: the install
// folder itself when it is, or lies in, a folder another program claims; below it,
// every folder or link that is, or leads to, such a folder.
void MarkOwnedFolders(std::vector<FileEntry>& tree, const std::vector<InstalledEntry>& others);

}  // namespace uninstall
