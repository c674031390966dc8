// Writing the startup page's rows back to the system: Apply and Delete Entry.
//
// A registry entry is enabled while its value is in its Run key and parked while it
// is in the Run key's parking sub-key; Apply moves values between the two, and only
// for rows whose tick differs from where the system holds the entry. A move takes
// the value exactly as stored (name, type and bytes, read from the source when
// Apply runs), copies first and removes the source only after the copy is written,
// so a failure never loses the entry. A move takes along only the value the row
// stands for: a value of the same name but with other text at the other place is
// another entry and stays.
#pragma once

#include <vector>

#include "startup/StartupRow.h"

namespace startup {

// Applies one row whose tick changed (TickChanged); any other row is not touched:
// - registry row under HKCU or HKLM whose key opens: ticked puts the value into the
//   Run key, unticked puts it into the parking key (created on first use);
// - registry row under another root, or whose key does not open: left alone;
// - start-up folder row: unticked moves its file to the Recycle Bin (never a
//   permanent delete); a file that is gone or cannot be moved is skipped.
// What was applied becomes the row's stored state (shared with the list's copy).
// False when a registry write or delete failed; what was done before stays done.
bool ApplyStartupRow(const StartupRow& row);

// Applies every row from the first to the last and stops at the first failure
// (false); rows before it have been applied.
bool ApplyStartupRows(const std::vector<StartupRow>& rows);

// Deletes the entry for good, whatever its tick: a registry row's value goes from the
// Run key and from its parking key; a start-up folder row's file is deleted (not
// recycled; a file that cannot be deleted is skipped). False when a registry delete
// failed. The caller removes the row from its list either way.
bool DeleteStartupEntry(const StartupRow& row);

// The file operation behind unticked start-up folder entries: moves `path` (a file or
// folder, full path) to the Recycle Bin without asking or showing progress. False when
// it is missing or the shell refused.
bool MoveToRecycleBin(const std::string& path);

}  // namespace startup
