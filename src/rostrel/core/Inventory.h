// One loading of the installed programs: the entries found by LoadPrograms and
// what is worked out about them on request (icons, folder sizes, usage), kept
// until the next LoadPrograms. Items share it, so an item handed out before a
// reload stays valid and keeps answering from the loading it came from.
//
// Nothing is worked out while the entries are read: a list shows names at once and
// asks for each icon when it draws the row. A new loading takes over what the one
// before it worked out for entries that did not change since (same key, same values,
// same write time), so that a refresh pays only for what is new.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rostrel/core/Icons.h"
#include "rostrel/core/Uninstall.h"
#include "rostrel/core/Usage.h"

namespace rostrel {

// Whether two readings of an entry are the same: same source and key, same write
// time and the same values with the same data.
bool SameEntry(const ProgramEntry& a, const ProgramEntry& b);

class Inventory {
 public:
  // An empty inventory (nothing loaded yet).
  Inventory();
  // Reads every listed entry of `sources`. Icons come from `icons`, which the
  // program list keeps across loadings; what `previous` worked out about entries
  // that are unchanged in this reading is taken over.
  Inventory(std::vector<UninstallSource> sources, std::shared_ptr<IconCache> icons,
            const Inventory* previous = nullptr);

  const std::vector<EntryPtr>& entries() const { return entries_; }
  const std::vector<UninstallSource>& sources() const { return sources_; }

  // Reads the entry `keyName` afresh, looking first in the source `preferred`,
  // then in the others; nullptr when no source has it.
  EntryPtr reread(const std::wstring& keyName, ProgramSource preferred) const;

  int iconIndex(const ProgramEntry& entry);
  // Bytes: EstimatedSize when present, else the install folder's size; 0 when
  // neither is known.
  double size(const ProgramEntry& entry);
  Usage usage(const ProgramEntry& entry);

 private:
  void takeOver(const Inventory& previous);

  // A folder's size as measured, with the folder's own write time then. One taken
  // over from the loading before is checked against the folder on first use: a
  // file added or removed at its top level means measuring again.
  struct FolderMeasure {
    ULONGLONG bytes = 0;
    std::optional<ULONGLONG> written;
    bool takenOver = false;
  };
  using UsageRecords = std::shared_ptr<const std::vector<UsageRecord>>;

  std::vector<UninstallSource> sources_;
  std::vector<EntryPtr> entries_;
  std::shared_ptr<IconCache> icons_;
  std::map<std::wstring, FolderMeasure> folderSizes_;  // by folded folder path
  // The shell's records of started programs, read on first use; the ones of the
  // loading before are used again while the record keys are as they were then.
  UsageRecords usage_;
  UserAssistStamp usageStamp_;
  UsageRecords previousUsage_;
  UserAssistStamp previousUsageStamp_;
};

}  // namespace rostrel
