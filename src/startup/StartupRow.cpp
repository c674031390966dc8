#include "startup/StartupRow.h"

#include <algorithm>
#include <cctype>

namespace startup {
namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

StartupRow ReadRow(std::string name, bool enabled, std::string command, std::string location) {
  StartupRow row{std::move(name), enabled, std::move(command), std::move(location)};
  row.stored = std::make_shared<StoredState>(StoredState{enabled});
  return row;
}

bool TickChanged(const StartupRow& row) {
  return !row.stored || row.stored->enabled != row.enabled;
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
