#include "startup/StartupSources.h"

#include <shlobj.h>

#include <iterator>
#include <optional>

#include "startup/StartupApproved.h"
#include "sys/FileOps.h"
#include "sys/Files.h"
#include "sys/Registry.h"
#include "sys/Shell.h"

namespace startup {
namespace {

// Appends one row per text value of `key`, its data as stored (unexpanded, up to the
// first NUL); values of other types are no entries. `switchedOff` names the values
// that Windows switched off; a parked row is unticked whatever it says.
void AppendTextValues(HKEY key, bool parked, const std::string& location,
                      const std::vector<std::string>& switchedOff, std::vector<StartupRow>& rows) {
  for (const sys::RegValue& value : sys::ReadValues(key)) {
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) continue;
    DisabledBy disabledBy = parked                             ? DisabledBy::Parking
                            : HasName(switchedOff, value.name) ? DisabledBy::StartupApproved
                                                               : DisabledBy::Nothing;
    rows.push_back(ReadRow(value.name, disabledBy, value.text(), location));
  }
}

std::vector<std::string> SwitchedOffNamesOf(const std::optional<sys::RegKey>& approved) {
  return approved ? SwitchedOffNames(*approved) : std::vector<std::string>();
}

}  // namespace

void ReadRunKeys(HKEY root, std::vector<StartupRow>& rows) {
  std::vector<std::string> paths(std::begin(kRunKeyPaths), std::end(kRunKeyPaths));
  if (root == HKEY_LOCAL_MACHINE) paths = MachineRunKeyPaths();
  sys::Registry reg(root, KEY_READ);
  reg.setView(RootView(root));
  for (const std::string& path : paths) {
    if (!reg.openKey("\\" + path, false)) continue;
    std::string location = RegistryLocation(root, path);
    std::vector<std::string> switchedOff = SwitchedOffNamesOf(ApprovedKeyForRunKey(root, path));
    AppendTextValues(reg.currentKey(), false, location, switchedOff, rows);
    if (reg.openKey(kParkingKeyName, false))
      AppendTextValues(reg.currentKey(), true, location, {}, rows);
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
    std::vector<std::string> switchedOff = SwitchedOffNamesOf(ApprovedKeyForFolder(folder));
    for (const sys::FolderEntry& entry : sys::ListFolder(folder)) {
      if (entry.attributes & FILE_ATTRIBUTE_HIDDEN) continue;
      if (entry.name.empty() || entry.name[0] == '.') continue;
      DisabledBy disabledBy =
          HasName(switchedOff, entry.name) ? DisabledBy::StartupApproved : DisabledBy::Nothing;
      rows.push_back(ReadRow(entry.name, disabledBy, folder + entry.name, folder));
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
