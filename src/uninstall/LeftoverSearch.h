// The whole leftover search for one uninstalled program, without a window: every
// place searched, each finding graded by its evidence. It may run on a worker
// thread: it reads the registry and the disk and changes nothing.
#pragma once

#include <atomic>
#include <vector>

#include "uninstall/InstalledEntries.h"
#include "uninstall/LeftoverScan.h"
#include "uninstall/UninstallTarget.h"

namespace uninstall {

struct ScanFindings {
  std::vector<FoundKey> keys;
  // Top-level folders and files, the install folder's tree first.
  std::vector<FileEntry> files;
  // True when the search stopped at the caller's request: what it found until then
  // is here, and nothing else was looked at.
  bool cancelled = false;
};

// Searches for what `target` left, judging ownership against `others` (the entries
// still installed). `progress` hears each path examined (on the calling thread);
// `cancel`, when given and set, ends the search at the next path.
ScanFindings FindLeftovers(const UninstallTarget& target, const std::vector<InstalledEntry>& others,
                           const ScanProgress& progress = {},
                           const std::atomic<bool>* cancel = nullptr);

}  // namespace uninstall
