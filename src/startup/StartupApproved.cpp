#include "startup/StartupApproved.h"

#include <shlobj.h>

#include <algorithm>

#include "sys/FileOps.h"
#include "sys/Files.h"
#include "sys/Shell.h"

namespace startup {
namespace {

// Registry names compare without regard to case, character by character.
bool SameName(std::string_view a, std::string_view b) {
  return sys::SameFileName(a, b);
}

sys::RegKey Approved(HKEY root, const char* name) {
  // On 64-bit Windows the machine's switches live in the native view only, also those
  // of the 32-bit view's Run key.
  return sys::RegKey(root, std::string(kApprovedKeyPath) + "\\" + name, RootView(root));
}

}  // namespace

std::optional<sys::RegKey> ApprovedKeyForRunKey(HKEY root, std::string_view keyPath) {
  if (root != HKEY_CURRENT_USER && root != HKEY_LOCAL_MACHINE) return std::nullopt;
  if (SameName(keyPath, kRunKeyPath)) return Approved(root, "Run");
  if (root == HKEY_LOCAL_MACHINE && HasTwoMachineViews() &&
      SameName(keyPath, Wow32KeyPath(kRunKeyPath)))
    return Approved(root, "Run32");
  return std::nullopt;
}

std::optional<sys::RegKey> ApprovedKeyForFolder(std::string_view folder) {
  const std::string path = sys::ExcludeTrailingBackslash(folder);
  if (path.empty()) return std::nullopt;
  if (SameName(path, sys::SpecialFolderPath(CSIDL_STARTUP)))
    return Approved(HKEY_CURRENT_USER, "StartupFolder");
  if (SameName(path, sys::SpecialFolderPath(CSIDL_COMMON_STARTUP)))
    return Approved(HKEY_LOCAL_MACHINE, "StartupFolder");
  return std::nullopt;
}

std::optional<sys::RegKey> ApprovedKeyFor(const StartupRow& row) {
  RowSource source = DecodeLocation(row.location);
  if (!source.registry) return ApprovedKeyForFolder(row.location);
  if (!source.root) return std::nullopt;
  return ApprovedKeyForRunKey(source.root, source.keyPath);
}

bool IsSwitchedOff(const sys::RegValue& value) {
  return value.type == REG_BINARY && value.data.size() >= 4 && (value.data[0] & 1) != 0;
}

std::vector<std::string> SwitchedOffNames(const sys::RegKey& key) {
  std::vector<std::string> names;
  for (const sys::RegValue& value : key.values()) {
    if (IsSwitchedOff(value)) names.push_back(value.name);
  }
  return names;
}

bool HasName(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& candidate) { return SameName(candidate, name); });
}

sys::RegValue SwitchedOnValue(std::string name) {
  sys::RegValue value;
  value.name = std::move(name);
  value.type = REG_BINARY;
  value.data.assign(12, '\0');
  value.data[0] = '\x02';
  return value;
}

bool SwitchOn(const StartupRow& row) {
  std::optional<sys::RegKey> key = ApprovedKeyFor(row);
  if (!key) return true;
  std::optional<sys::RegValue> value = key->readValue(row.name);
  if (!value || !IsSwitchedOff(*value)) return true;
  return key->writeValue(SwitchedOnValue(row.name)) == ERROR_SUCCESS;
}

bool ForgetSwitch(const StartupRow& row) {
  std::optional<sys::RegKey> key = ApprovedKeyFor(row);
  if (!key) return true;
  LONG rc = key->deleteValue(row.name);
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

std::string ApprovedLocation(const sys::RegKey& key) {
  return RegistryLocation(key.root(), key.path());
}

std::string DisabledSourceLocation(const StartupRow& row) {
  RowSource source = DecodeLocation(row.location);
  switch (StoredDisabledBy(row)) {
    case DisabledBy::Nothing:
      break;
    case DisabledBy::Parking:
      if (source.registry && source.root)
        return RegistryLocation(source.root, source.keyPath + "\\" + kParkingKeyName);
      break;
    case DisabledBy::StartupApproved:
      if (std::optional<sys::RegKey> key = ApprovedKeyFor(row)) return ApprovedLocation(*key);
      break;
  }
  return std::string();
}

std::string ShortLocation(std::string_view location) {
  constexpr int kKeptParts = 3;
  std::size_t root = location.find('\\');
  std::size_t cut = location.size();
  for (int part = 0; part < kKeptParts && cut != std::string_view::npos && cut > 0; ++part)
    cut = location.rfind('\\', cut - 1);
  if (root == std::string_view::npos || cut == std::string_view::npos || cut <= root)
    return std::string(location);
  return std::string(location.substr(0, root)) + "\\..." + std::string(location.substr(cut));
}

}  // namespace startup
