#include "uninstall/InstalledEntries.h"

#include "sys/BackupFiles.h"
#include "sys/FileOps.h"
#include "sys/Process.h"
#include "uninstall/InstallFolder.h"
#include "uninstall/ProtectedFolders.h"

namespace uninstall {
namespace {

struct EntrySource {
  HKEY root;
  sys::RegView view;
};

std::vector<EntrySource> EntrySources() {
  std::vector<EntrySource> sources;
  for (sys::RegView view : sys::MachineSoftwareViews())
    sources.push_back({HKEY_LOCAL_MACHINE, view});
  sources.push_back({HKEY_CURRENT_USER, sys::RegView::Default});
  return sources;
}

bool SameSource(const EntrySource& source, const UninstallTarget& target) {
  if (source.root != target.entryRoot) return false;
  // A target captured without a view came from the one view this process sees.
  if (source.root != HKEY_LOCAL_MACHINE) return true;
  const sys::RegView targetView =
      target.entryView == sys::RegView::Default && sys::RunningUnderWow64() ? sys::RegView::Wow32
                                                                            : target.entryView;
  return source.view == targetView;
}

void AddFolder(std::vector<std::string>& folders, const std::string& raw) {
  std::string folder = NormalisedFolder(NormaliseInstallFolder(raw));
  if (!folder.empty()) folders.push_back(std::move(folder));
}

InstalledEntry ReadEntry(const sys::RegKey& key, const EntrySource& source,
                         const std::string& keyName) {
  InstalledEntry entry;
  entry.root = source.root;
  entry.view = source.view;
  entry.keyName = keyName;
  entry.keyIdentity = KeyIdentity(key.root(), key.path(), key.view());
  for (const sys::RegValue& value : key.values()) {
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ && value.type != REG_MULTI_SZ) continue;
    const std::string text = value.text();
    if (sys::SameFileName(value.name, "DisplayName")) entry.displayName = text;
    if (sys::SameFileName(value.name, "Publisher")) entry.publisher = text;
    if (sys::SameFileName(value.name, "InstallLocation")) AddFolder(entry.folders, text);
    if (sys::SameFileName(value.name, "DisplayIcon") ||
        sys::SameFileName(value.name, "UninstallString") ||
        sys::SameFileName(value.name, "QuietUninstallString"))
      AddFolder(entry.folders, CommandFolder(text));
    if (!text.empty()) entry.texts.push_back(sys::UpperCase(text));
  }
  if (entry.displayName.empty()) entry.displayName = keyName;
  return entry;
}

// A program file's path at the start of a command: up to the end of its quotes, or
// up to the first ".exe"-like extension followed by a blank, a comma or the end.
std::string LeadingFile(const std::string& command) {
  size_t start = command.find_first_not_of(" \t");
  if (start == std::string::npos) return std::string();
  if (command[start] == '"') {
    const size_t end = command.find('"', start + 1);
    if (end == std::string::npos) return command.substr(start + 1);
    return command.substr(start + 1, end - start - 1);
  }
  const std::string upper = sys::UpperCase(command);
  for (const char* extension : {".EXE", ".DLL", ".ICO", ".BAT", ".CMD", ".COM", ".MSI"}) {
    for (size_t at = upper.find(extension, start); at != std::string::npos;
         at = upper.find(extension, at + 1)) {
      const size_t end = at + 4;
      if (end == upper.size() || upper[end] == ' ' || upper[end] == ',' || upper[end] == '\t')
        return command.substr(start, end - start);
    }
  }
  // A bare icon reference "C:\A\b.ico,0" or a path without extension.
  const size_t comma = command.rfind(',');
  return command.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
}

}  // namespace

std::string CommandFolder(const std::string& command) {
  const std::string file = LeadingFile(command);
  const size_t slash = file.find_last_of("\\/");
  if (slash == std::string::npos || slash == 0) return std::string();
  return file.substr(0, slash == 2 && file[1] == ':' ? slash + 1 : slash);
}

std::string KeyIdentity(HKEY root, const std::string& path, sys::RegView view) {
  sys::UniqueKey key;
  if (sys::RegKey(root, path, view).open(KEY_QUERY_VALUE, key) != ERROR_SUCCESS)
    return std::string();
  if (root == HKEY_LOCAL_MACHINE) {
    if (std::string name = sys::MachineKeyPath(key.get()); !name.empty())
      return sys::UpperCase(name);
  }
  std::string name = sys::RootKeyName(root) + "\\" + path;
  if (root == HKEY_LOCAL_MACHINE && view != sys::RegView::Default)
    name += view == sys::RegView::Wow32 ? " (32-bit)" : " (64-bit)";
  return sys::UpperCase(name);
}

std::vector<InstalledEntry> ReadOtherEntries(const UninstallTarget& target) {
  std::vector<InstalledEntry> entries;
  for (const EntrySource& source : EntrySources()) {
    const sys::RegKey uninstall(source.root, kUninstallKeyPath, source.view);
    for (const std::string& name : uninstall.subKeys()) {
      if (SameSource(source, target) && name == target.keyName) continue;
      entries.push_back(ReadEntry(uninstall.child(name), source, name));
    }
  }
  return entries;
}

}  // namespace uninstall
