#include "startup/StartupRow.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace startup {
namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

StartupRow ReadRow(std::string name, DisabledBy disabledBy, std::string command,
                   std::string location) {
  StartupRow row{std::move(name), disabledBy == DisabledBy::Nothing, std::move(command),
                 std::move(location)};
  row.stored = std::make_shared<StoredState>(StoredState{disabledBy});
  return row;
}

bool TickChanged(const StartupRow& row) {
  return !row.stored || row.stored->enabled() != row.enabled;
}

DisabledBy StoredDisabledBy(const StartupRow& row) {
  if (row.stored) return row.stored->disabledBy;
  return row.enabled ? DisabledBy::Nothing : DisabledBy::Parking;
}

bool HasTwoMachineViews() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string Wow32KeyPath(std::string_view keyPath) {
  constexpr std::string_view kSoftware = "SOFTWARE\\";
  if (Upper(keyPath.substr(0, kSoftware.size())) != kSoftware) return std::string(keyPath);
  return std::string(keyPath.substr(0, kSoftware.size())) + "WOW6432Node\\" +
         std::string(keyPath.substr(kSoftware.size()));
}

std::vector<std::string> MachineRunKeyPaths() {
  std::vector<std::string> paths(std::begin(kRunKeyPaths), std::end(kRunKeyPaths));
  if (HasTwoMachineViews()) {
    for (const char* path : kRunKeyPaths) paths.push_back(Wow32KeyPath(path));
  }
  return paths;
}

sys::RegView RootView(HKEY root) {
  // 32-bit Windows ignores the flag: it has the one view.
  return root == HKEY_LOCAL_MACHINE ? sys::RegView::Wow64 : sys::RegView::Default;
}

std::string RootAbbreviation(HKEY root) {
  if (root == HKEY_CURRENT_USER) return "HKCU";
  if (root == HKEY_LOCAL_MACHINE) return "HKLM";
  return std::string();
}

std::string RegistryLocation(HKEY root, std::string_view keyPath) {
  return RootAbbreviation(root) + "\\" + std::string(keyPath);
}

RowSource DecodeLocation(std::string_view location) {
  RowSource source;
  source.registry = Upper(location).find("CURRENTVERSION") != std::string::npos;
  if (!source.registry) return source;
  std::string_view abbreviation = location.substr(0, 4);
  if (abbreviation == "HKCU") source.root = HKEY_CURRENT_USER;
  if (abbreviation == "HKLM") source.root = HKEY_LOCAL_MACHINE;
  source.view = RootView(source.root);
  if (location.size() > 5) source.keyPath = std::string(location.substr(5));
  return source;
}

std::string VersionLookupPath(std::string_view command) {
  std::string path(command.substr(0, command.find('/')));
  path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
  return path;
}

std::optional<TFileInfo> ReadRowFileInfo(const StartupRow& row) {
  TFileInfo info;
  if (!ReadFileInfo(VersionLookupPath(row.command), info, std::string())) return std::nullopt;
  return info;
}

bool ToggleAllRows(std::vector<StartupRow>& rows, bool allEnabled) {
  for (StartupRow& row : rows) row.enabled = !allEnabled;
  return !allEnabled;
}

bool AllEnabledFlagFromRows(const std::vector<StartupRow>& rows, bool current) {
  return rows.empty() ? current : rows.back().enabled;
}

}  // namespace startup
