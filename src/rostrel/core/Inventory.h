// One loading of the installed programs: the entries found by LoadPrograms and
// what is worked out about them on request (icons, folder sizes, usage), kept
// until the next LoadPrograms. Items share it, so an item handed out before a
// reload stays valid and keeps answering from the loading it came from.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rostrel/core/Icons.h"
#include "rostrel/core/Uninstall.h"
#include "rostrel/core/Usage.h"

namespace rostrel {

class Inventory {
 public:
  // An empty inventory (nothing loaded yet).
  Inventory() = default;
  // Reads every listed entry of `sources`.
  explicit Inventory(std::vector<UninstallSource> sources);

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
  std::vector<UninstallSource> sources_;
  std::vector<EntryPtr> entries_;
  IconCache icons_;
  std::map<std::wstring, ULONGLONG> folderSizes_;  // by folded folder path
  std::optional<std::vector<UsageRecord>> usage_;
};

}  // namespace rostrel
