// The scan inputs of every program whose uninstall was started, kept as one small
// INI file per program in "Back up\scans\", so that its leftovers can be looked for
// again later, after a restart, with what its entry said before it went.
//
// A record is bound to its program's entry: the same place (root and view) and key
// name keep one file, the last saved. Files that are not records (broken, foreign,
// of another format) are passed over when loading; nothing here ever throws.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "uninstall/UninstallTarget.h"

namespace uninstall {

struct SavedScan {
  UninstallTarget target;
  SYSTEMTIME savedUtc{};  // when the uninstall was started, in UTC
  // The files that hold this program's record, the one it was read from first; more
  // than one only when copies were put into the folder by hand.
  std::vector<std::string> files;
};

// The shortest file name budget SavedScanFileName works with.
inline constexpr size_t kMinRecordNameChars = 40;

// The file name (no folder) of the program's record: plain ASCII, at most
// `maxChars` (at least kMinRecordNameChars) characters, the same for every spelling
// of the key name that names the same key (case), different for different programs.
std::string SavedScanFileName(const UninstallTarget& target, size_t maxChars = MAX_PATH);

// Saves `target` into `folder` (created when missing) as saved at `savedUtc`,
// replacing the program's earlier record. False when there is nothing to save (no
// key name, no folder, a root other than HKLM or HKCU) or the file could not be
// written; an earlier record then stays as it was, as far as it can.
bool SaveScanInputs(const std::string& folder, const UninstallTarget& target,
                    const SYSTEMTIME& savedUtc) noexcept;
// The same, saved now.
bool SaveScanInputs(const std::string& folder, const UninstallTarget& target) noexcept;

// The records in `folder`, newest first, one per program (the newest where there
// are copies). A missing or unreadable folder gives none.
std::vector<SavedScan> LoadSavedScans(const std::string& folder) noexcept;

// Deletes the record's files. True when none of them is there afterwards.
bool DeleteSavedScan(const SavedScan& scan) noexcept;

// The records whose uninstall entries are gone, with `uninstalled` set. The others
// are programs still installed (their uninstall did not happen): left out.
std::vector<SavedScan> RemovedPrograms(std::vector<SavedScan> scans);

// The saved moment in the user's locale: short date and time.
std::string SavedTimeText(const SYSTEMTIME& utc);

// A value as the record stores it: one line, nothing at either end that the profile
// functions would trim or take for quotes; and back. Unknown escapes read as they
// stand.
std::string EscapeRecordValue(std::string_view text);
std::string UnescapeRecordValue(std::string_view text);

}  // namespace uninstall
