#include "rostrel/core/Inventory.h"

#include <set>
#include <utility>

#include "rostrel/core/FolderSize.h"
#include "rostrel/core/ProgramRules.h"

namespace rostrel {

bool SameEntry(const ProgramEntry& a, const ProgramEntry& b) {
  if (a.source != b.source || a.keyName != b.keyName) return false;
  if (CompareFileTime(&a.lastWrite, &b.lastWrite) != 0) return false;
  if (a.values.size() != b.values.size()) return false;
  for (size_t i = 0; i < a.values.size(); ++i) {
    const RegValue& x = a.values[i];
    const RegValue& y = b.values[i];
    if (x.type != y.type || x.name != y.name || x.data != y.data) return false;
  }
  return true;
}

Inventory::Inventory() : icons_(std::make_shared<IconCache>()) {}

Inventory::Inventory(std::vector<UninstallSource> sources, std::shared_ptr<IconCache> icons,
                     const Inventory* previous)
    : sources_(std::move(sources)),
      entries_(LoadEntries(sources_)),
      icons_(icons ? std::move(icons) : std::make_shared<IconCache>()) {
  if (previous) takeOver(*previous);
}

void Inventory::takeOver(const Inventory& previous) {
  std::map<std::pair<ProgramSource, std::wstring>, const ProgramEntry*> before;
  for (const auto& entry : previous.entries_) {
    before.emplace(std::make_pair(entry->source, entry->keyName), entry.get());
  }
  std::optional<int> generic;
  // Folders of entries that are new or changed are measured again, also where an
  // unchanged entry shares them: the change may well be an update in that folder.
  std::set<std::wstring> keptFolders, changedFolders;
  for (const auto& entry : entries_) {
    auto old = before.find(std::make_pair(entry->source, entry->keyName));
    const bool same = old != before.end() && SameEntry(*old->second, *entry);
    auto folder = ProgramFolder(entry->text(L"InstallLocation"));
    if (folder) (same ? keptFolders : changedFolders).insert(Folded(*folder));
    if (!same || !old->second->iconIndex) continue;
    // The generic icon stood in for a file that was missing: it is looked for again.
    if (!generic) generic = icons_->generic();
    if (*old->second->iconIndex != *generic) entry->iconIndex = old->second->iconIndex;
  }
  for (const auto& folder : keptFolders) {
    if (changedFolders.count(folder)) continue;
    auto measured = previous.folderSizes_.find(folder);
    if (measured == previous.folderSizes_.end()) continue;
    FolderMeasure measure = measured->second;
    measure.takenOver = true;
    folderSizes_.emplace(folder, measure);
  }
  previousUsage_ = previous.usage_ ? previous.usage_ : previous.previousUsage_;
  previousUsageStamp_ = previous.usage_ ? previous.usageStamp_ : previous.previousUsageStamp_;
}

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
    index = icons_->indexOf(*location);
  if (!index) {
    std::wstring uninstaller = CommandFile(entry.text(L"UninstallString"));
    if (!uninstaller.empty()) index = icons_->indexOf({uninstaller, 0});
  }
  entry.iconIndex = index ? *index : icons_->generic();
  return *entry.iconIndex;
}

double Inventory::size(const ProgramEntry& entry) {
  if (auto kilobytes = DwordOf(entry.values, L"EstimatedSize"); kilobytes && *kilobytes > 0)
    return static_cast<double>(*kilobytes) * 1024.0;
  auto folder = ProgramFolder(entry.text(L"InstallLocation"));
  if (!folder) return 0;
  std::wstring key = Folded(*folder);
  auto it = folderSizes_.find(key);
  if (it != folderSizes_.end() && it->second.takenOver) {
    if (it->second.written && FolderWriteTime(*folder) == it->second.written) {
      it->second.takenOver = false;
    } else {
      folderSizes_.erase(it);
      it = folderSizes_.end();
    }
  }
  if (it == folderSizes_.end()) {
    FolderMeasure measure;
    // Taken before the walk: a file added meanwhile shows at the next loading.
    measure.written = FolderWriteTime(*folder);
    measure.bytes = FolderSize(*folder);
    it = folderSizes_.emplace(key, measure).first;
  }
  return static_cast<double>(it->second.bytes);
}

Usage Inventory::usage(const ProgramEntry& entry) {
  auto folder = ProgramFolder(entry.text(L"InstallLocation"));
  if (!folder) return Usage{};
  if (!usage_) {
    // The stamp first: records written after it make the next stamp differ.
    usageStamp_ = ReadUserAssistStamp();
    if (previousUsage_ && usageStamp_ == previousUsageStamp_) {
      usage_ = previousUsage_;
    } else {
      usage_ = std::make_shared<const std::vector<UsageRecord>>(ReadUserAssist());
    }
    previousUsage_.reset();
    previousUsageStamp_.clear();
  }
  return UsageInFolder(*usage_, *folder);
}

}  // namespace rostrel
