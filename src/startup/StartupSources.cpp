#include "startup/StartupSources.h"

#include <shlobj.h>

#include "sys/FileOps.h"
#include "sys/Files.h"
#include "sys/Registry.h"
#include "sys/Shell.h"

namespace startup {
namespace {

// Appends one row per text value of `key`, its data as stored (unexpanded, up to the
// first NUL); values of other types are no entries.
void AppendTextValues(HKEY key, bool enabled, const std::string& location,
                      std::vector<StartupRow>& rows) {
  for (const sys::RegValue& value : sys::ReadValues(key)) {
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) continue;
    rows.push_back(ReadRow(value.name, enabled, value.text(), location));
  }
}

}  // namespace

void ReadRunKeys(HKEY root, std::vector<StartupRow>& rows) {
  sys::Registry reg(root, KEY_READ);
  for (const char* path : kRunKeyPaths) {
    if (!reg.openKey(std::string("\\") + path, false)) continue;
    std::string location = RegistryLocation(root, path);
    AppendTextValues(reg.currentKey(), true, location, rows);
    if (reg.openKey(kParkingKeyName, false))
      AppendTextValues(reg.currentKey(), false, location, rows);
    reg.closeKey();
  }
}

std::string GetSpecialFolderPath(int csidl) {
  return sys::SpecialFolderPath(csidl);
}

void ReadStartupFolders(std::vector<StartupRow>& rows) {
  for (int csidl : {CSIDL_STARTUP, CSIDL_COMMON_STARTUP}) {
    std::string folder = GetSpecialFolderPath(csidl);
    if (folder.empty()) continue;
    folder = sys::IncludeTrailingBackslash(folder);
    for (const sys::FolderEntry& entry : sys::ListFolder(folder)) {
      if (entry.attributes & FILE_ATTRIBUTE_HIDDEN) continue;
      if (entry.name.empty() || entry.name[0] == '.') continue;
      rows.push_back(ReadRow(entry.name, true, folder + entry.name, folder));
    }
  }
}

std::vector<StartupRow> ReadStartupRows() {
  std::vector<StartupRow> rows;
  ReadRunKeys(HKEY_CURRENT_USER, rows);
  ReadRunKeys(HKEY_LOCAL_MACHINE, rows);
  ReadStartupFolders(rows);
  return rows;
}

}  // namespace startup
