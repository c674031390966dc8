#include "uninstall/ShortcutTraces.h"

#include <shlobj.h>

#include "sys/BackupFiles.h"
#include "sys/ComInit.h"
#include "sys/FileOps.h"
#include "sys/ShellLink.h"
#include "sys/Shell.h"
#include "uninstall/ProtectedFolders.h"

namespace uninstall {
namespace {

std::string Stem(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

FileEntry Shortcut(const TraceSearch& search, const std::string& path, const std::string& name) {
  FileEntry entry;
  entry.path = path;
  AddReason(entry.evidence, Reason::PointsIntoInstall);
  search.addNameReasons(entry.evidence, Stem(name));
  return entry;
}

bool LeadsIn(const TraceSearch& search, const std::string& path) {
  const std::string target = sys::ShellLinkTarget(path);
  return !target.empty() && search.liesInInstall(target);
}

struct FolderHits {
  std::vector<FileEntry> hits;  // the program's shortcuts and folders, as listed
  bool onlyHits = false;        // the folder holds nothing else
};

// The program's shortcuts in a Start menu folder and the folders below it.
FolderHits SearchMenuFolder(const TraceSearch& search, const std::string& folder) {
  FolderHits result;
  const std::vector<sys::FolderEntry> entries = sys::ListFolder(folder);
  bool onlyHits = true, anyHit = false;
  std::vector<FileEntry> settings;  // desktop.ini: the folder's, goes with it
  for (const sys::FolderEntry& entry : entries) {
    const std::string path = folder + "\\" + entry.name;
    if (!search.examine(path)) return result;
    if (entry.isFolder()) {
      if (entry.isLink()) {
        onlyHits = false;
        continue;
      }
      FolderHits inner = SearchMenuFolder(search, path);
      if (search.stopped()) {
        for (FileEntry& hit : inner.hits) result.hits.push_back(std::move(hit));
        return result;
      }
      // The Start menu's own folders (Programs, Startup) are never the program's.
      if (inner.onlyHits && !IsProtectedFolder(path)) {
        FileEntry holder;
        holder.path = path;
        holder.folder = true;
        AddReason(holder.evidence, Reason::PointsIntoInstall);
        search.addNameReasons(holder.evidence, entry.name);
        holder.children = std::move(inner.hits);
        result.hits.push_back(std::move(holder));
        anyHit = true;
      } else {
        onlyHits = false;
        anyHit = anyHit || !inner.hits.empty();
        for (FileEntry& hit : inner.hits) result.hits.push_back(std::move(hit));
      }
    } else if (IsShortcutName(entry.name) && LeadsIn(search, path)) {
      result.hits.push_back(Shortcut(search, path, entry.name));
      anyHit = true;
    } else if (sys::SameFileName(entry.name, "desktop.ini")) {
      FileEntry ini;
      ini.path = path;
      AddReason(ini.evidence, Reason::PointsIntoInstall);
      AddReason(ini.evidence, Reason::NoNameMatch);
      settings.push_back(std::move(ini));
    } else {
      onlyHits = false;
    }
  }
  result.onlyHits = onlyHits && anyHit;
  if (result.onlyHits)
    for (FileEntry& ini : settings) result.hits.push_back(std::move(ini));
  return result;
}

}  // namespace

bool IsShortcutName(const std::string& name) {
  return name.size() > 4 && sys::UpperCase(name.substr(name.size() - 4)) == ".LNK";
}

void FindShortcuts(const TraceSearch& search, std::vector<FileEntry>& found) {
  if (search.installFolders().empty()) return;
  const sys::ComApartment apartment;
  std::vector<std::string> seen;
  auto fresh = [&seen](const std::string& folder) {
    const std::string name = NormalisedFolder(folder);
    if (folder.empty() || name.empty()) return false;
    for (const std::string& known : seen)
      if (known == name) return false;
    seen.push_back(name);
    return true;
  };
  for (int menu : {CSIDL_STARTMENU, CSIDL_COMMON_STARTMENU}) {
    const std::string folder = sys::SpecialFolderPath(menu);
    if (!fresh(folder)) continue;
    // The Start menu itself is never listed, only what it holds of the program.
    for (FileEntry& hit : SearchMenuFolder(search, folder).hits) found.push_back(std::move(hit));
    if (search.stopped()) return;
  }
  for (int desktop : {CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY}) {
    const std::string folder = sys::SpecialFolderPath(desktop);
    if (!fresh(folder)) continue;
    for (const sys::FolderEntry& entry : sys::ListFolder(folder)) {
      const std::string path = folder + "\\" + entry.name;
      if (!search.examine(path)) return;
      if (!entry.isFolder() && IsShortcutName(entry.name) && LeadsIn(search, path))
        found.push_back(Shortcut(search, path, entry.name));
    }
  }
}

}  // namespace uninstall
