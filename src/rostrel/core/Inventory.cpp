#include "rostrel/core/Inventory.h"

#include "rostrel/core/FolderSize.h"
#include "rostrel/core/ProgramRules.h"

namespace rostrel {

Inventory::Inventory(std::vector<UninstallSource> sources)
    : sources_(std::move(sources)), entries_(LoadEntries(sources_)) {}

EntryPtr Inventory::reread(const std::wstring& keyName, ProgramSource preferred) const {
  for (const auto& source : sources_) {
    if (source.id != preferred) continue;
    if (auto entry = ReadEntry(source, keyName)) return entry;
  }
  for (const auto& source : sources_) {
    if (source.id == preferred) continue;
    if (auto entry = ReadEntry(source, keyName)) return entry;
  }
  return nullptr;
}

int Inventory::iconIndex(const ProgramEntry& entry) {
  if (entry.iconIndex) return *entry.iconIndex;
  std::optional<int> index;
  if (auto location = ParseIconLocation(entry.text(L"DisplayIcon")))
    index = icons_.indexOf(*location);
  if (!index) {
    std::wstring uninstaller = CommandFile(entry.text(L"UninstallString"));
    if (!uninstaller.empty()) index = icons_.indexOf({uninstaller, 0});
  }
  entry.iconIndex = index ? *index : icons_.generic();
  return *entry.iconIndex;
}

double Inventory::size(const ProgramEntry& entry) {
  if (auto kilobytes = DwordOf(entry.values, L"EstimatedSize"); kilobytes && *kilobytes > 0)
    return static_cast<double>(*kilobytes) * 1024.0;
  auto folder = ProgramFolder(entry.text(L"InstallLocation"));
  if (!folder) return 0;
  std::wstring key = Folded(*folder);
  auto it = folderSizes_.find(key);
  if (it == folderSizes_.end()) it = folderSizes_.emplace(key, FolderSize(*folder)).first;
  return static_cast<double>(it->second);
}

Usage Inventory::usage(const ProgramEntry& entry) {
  auto folder = ProgramFolder(entry.text(L"InstallLocation"));
  if (!folder) return Usage{};
  if (!usage_) usage_ = ReadUserAssist();
  return UsageInFolder(*usage_, *folder);
}

}  // namespace rostrel
