#include "uninstall/Ownership.h"

#include <set>
#include <string_view>

#include "sys/BackupFiles.h"
#include "uninstall/ProtectedFolders.h"

namespace uninstall {
namespace {

std::vector<std::string> Split(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', start)) {
    if (at > start) parts.push_back(path.substr(start, at - start));
    start = at + 1;
  }
  if (start < path.size()) parts.push_back(path.substr(start));
  return parts;
}

bool Inside(const std::string& inner, const std::string& outer) {
  return inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0 &&
         inner[outer.size()] == '\\';
}

bool SameOrInside(const std::string& inner, const std::string& outer) {
  return inner == outer || Inside(inner, outer);
}

// `text` names `path` as a whole: the path is not part of a longer name on either side.
bool NamesPath(const std::string& text, const std::string& path) {
  if (path.empty()) return false;
  constexpr std::string_view kBefore = "\\ \"'=:;,";
  constexpr std::string_view kAfter = "\\ \"';,";
  for (size_t at = text.find(path); at != std::string::npos; at = text.find(path, at + 1)) {
    const size_t end = at + path.size();
    const bool startOk = at == 0 || kBefore.find(text[at - 1]) != std::string_view::npos;
    const bool endOk = end == text.size() || kAfter.find(text[end]) != std::string_view::npos;
    if (startOk && endOk) return true;
  }
  return false;
}

// Whether the other program can see the key at all: a program of one view of HKLM's
// software key never writes the other view's keys by their names.
bool VisibleTo(const FoundKey& key, const std::string& identity, const InstalledEntry& other) {
  if (key.root != HKEY_LOCAL_MACHINE || other.root != HKEY_LOCAL_MACHINE) return true;
  if (other.view == sys::RegView::Default) return true;
  const bool keyIn32 = identity.find("\\WOW6432NODE\\") != std::string::npos;
  return keyIn32 == (other.view == sys::RegView::Wow32);
}

bool IsProgramName(const std::string& upperName, const InstalledEntry& other) {
  return !upperName.empty() && (upperName == sys::UpperCase(other.keyName) ||
                                upperName == sys::UpperCase(other.displayName));
}

// The upper-case names of every key below `key`.
void CollectSubKeyNames(const sys::RegKey& key, std::set<std::string>& names) {
  for (const std::string& sub : key.subKeys()) {
    names.insert(sys::UpperCase(sub));
    CollectSubKeyNames(key.child(sub), names);
  }
}

std::string OwnerOf(const FoundKey& key, const std::set<std::string>& below,
                    const std::vector<InstalledEntry>& others) {
  const std::string identity =
      key.identity.empty() ? sys::UpperCase(key.text) : sys::UpperCase(key.identity);
  const std::vector<std::string> parts = Split(sys::UpperCase(key.path));
  // What another program's entry could call the key: its path below the root, and the
  // text the tree shows (the 32-bit view's keys under WOW6432Node).
  const std::string upperPath = sys::UpperCase(key.path);
  const size_t rootEnd = key.text.find('\\');
  const std::string shownPath =
      rootEnd == std::string::npos ? std::string() : sys::UpperCase(key.text.substr(rootEnd + 1));
  for (const InstalledEntry& other : others) {
    if (!other.keyIdentity.empty() &&
        (SameOrInside(identity, other.keyIdentity) || Inside(other.keyIdentity, identity)))
      return other.displayName;
    if (VisibleTo(key, identity, other)) {
      for (const std::string& part : parts)  // the key's own name too: a twin's settings
        if (IsProgramName(part, other)) return other.displayName;
      if (below.count(sys::UpperCase(other.keyName)) ||
          below.count(sys::UpperCase(other.displayName)))
        return other.displayName;
    }
    for (const std::string& text : other.texts)
      if (NamesPath(text, upperPath) || NamesPath(text, shownPath)) return other.displayName;
  }
  return std::string();
}

void MarkFolderNodes(FileEntry& node,
                     const std::vector<std::pair<std::string, std::string>>& claims) {
  if (node.folder || node.link) {
    const std::string folder = NormalisedFolder(node.path);
    for (const auto& [claimed, name] : claims) {
      // A link is claimed when a claimed folder lies behind it: removing the link
      // would cut the other program off from it.
      // An entry that claims a drive, Program Files or the like claims nothing that
      // can be told apart; the guard keeps those folders anyway. Asked last: telling
      // costs opening the folder.
      if ((claimed == folder || (node.link && Inside(claimed, folder))) &&
          !IsProtectedFolder(claimed)) {
        node.owner = name;
        return;  // everything below stays unticked with it
      }
    }
  }
  for (FileEntry& child : node.children) MarkFolderNodes(child, claims);
}

}  // namespace

std::string KeyOwner(const FoundKey& key, const std::vector<InstalledEntry>& others) {
  std::set<std::string> below;
  if (key.root) CollectSubKeyNames(sys::RegKey(key.root, key.path, key.view), below);
  return OwnerOf(key, below, others);
}

void MarkOwnedKeys(std::vector<FoundKey>& found, const std::vector<InstalledEntry>& others) {
  for (FoundKey& key : found) key.owner = KeyOwner(key, others);
}

void MarkOwnedFolders(std::vector<FileEntry>& tree, const std::vector<InstalledEntry>& others) {
  std::vector<std::pair<std::string, std::string>> claims;
  for (const InstalledEntry& other : others)
    for (const std::string& folder : other.folders) claims.emplace_back(folder, other.displayName);
  for (FileEntry& root : tree) {
    const std::string folder = NormalisedFolder(root.path);
    for (const auto& [claimed, name] : claims) {
      // The install folder is another program's too, or lies inside one of its folders.
      if (!folder.empty() && SameOrInside(folder, claimed) && !IsProtectedFolder(claimed)) {
        root.owner = name;
        break;
      }
    }
    if (root.owner.empty())
      for (FileEntry& child : root.children) MarkFolderNodes(child, claims);
  }
}

}  // namespace uninstall
