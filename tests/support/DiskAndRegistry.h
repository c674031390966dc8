// The test prefix's registry and disk for before-and-after checks: both SOFTWARE
// roots and a folder as sets of lines, and the small raw writes that set a test up
// (read and written with the bare API, never with the code under test).
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace testing_support {

// Every key and value (with type and data) below both SOFTWARE roots, one line each.
std::set<std::string> SnapshotRegistry();
// The same with HKLM's software key in both views of 64-bit Windows, labelled "HKLM64"
// and "HKLM32" (on 32-bit Windows both show the one registry).
std::set<std::string> SnapshotEveryView();
// The folder and everything in it, one full path each; links are listed, not entered.
std::set<std::string> SnapshotDisk(const std::string& folder);
// What is in `a` and not in `b`.
std::set<std::string> Minus(const std::set<std::string>& a, const std::set<std::string>& b);

// True when a file or folder is at `path`.
bool PathExists(const std::string& path);
// A small text file, its attributes set afterwards.
void WriteTextFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
// A junction `link` -> `target`; false when the file system cannot make one.
bool MakeJunction(const std::string& link, const std::string& target);
// A link `link` -> folder `target`, shown to programs as a folder with the reparse-point
// attribute: a junction where the file system makes one, else (under Wine, whose file
// systems make none) a Unix symbolic link, which Wine shows the same way. Wine 8
// resolves such a link in every call, even one that asks for the link itself, so no
// Windows program can remove it there. None (with the last error set) when neither
// could be made.
enum class FolderLink { None, Junction, UnixSymlink };
FolderLink MakeDirectoryLink(const std::string& link, const std::string& target);
// Removes a link that MakeDirectoryLink made, of either kind, for a test's clean-up.
bool RemoveDirectoryLink(const std::string& link);

// Creates the key (when missing) with a string value "v" of each name ("" is the
// default value).
void CreateKey(HKEY root, const std::string& path, const std::vector<std::string>& values = {});
bool KeyExists(HKEY root, const std::string& path);

// How the leftover scan shows a key that a 32-bit program wrote at `path` below
// `root`: "HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\..." for HKLM's software keys on
// 64-bit Windows, else the root's name and the path as given.
std::string ShownKeyText(HKEY root, const std::string& path);

}  // namespace testing_support
