// Writing the startup page's rows back to the system: Apply and Delete Entry.
//
// A registry entry is enabled while its value is in its Run key and parked while it
// is in the Run key's parking sub-key; Apply moves values between the two, and only
// for rows whose tick differs from where the system holds the entry. A move takes
// the value exactly as stored (name, type and bytes, read from the source when
// Apply runs), copies first and removes the source only after the copy is written,
// so a failure never loses the entry. A move takes along only the value the row
// stands for, and never overwrites another entry: when the place it goes to holds a
// value of that name with other data, both stay where they are and the row is kept.
//
// Windows' own switch (StartupApproved.h) is kept in step: enabling a row switches
// its entry back on as Windows does, parking one forgets the switch, so that the
// entry comes back on; a row switched off there that stays unticked is not touched.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "startup/StartupRow.h"

namespace startup {

// What Apply did with one row.
enum class ApplyOutcome {
  Done,    // applied, or nothing to do
  Failed,  // a registry write or delete failed; what was done before stays done
  // Left as it is, for the user to be told:
  KeptNameTaken,    // where it was to go holds another entry of its name
  KeptNotRecycled,  // the Recycle Bin would not take the file
};

// Applies one row whose tick changed (TickChanged); any other row is not touched:
// - registry row under HKCU or HKLM whose key opens: ticked puts the value into the
//   Run key (if it was parked) and switches it on; unticked puts it into the parking
//   key (created on first use) and forgets its switch;
// - registry row under another root, or whose key does not open: left alone;
// - start-up folder row: ticked switches the file on; unticked moves the file to the
//   Recycle Bin and forgets its switch, or keeps it where it is when the bin would
//   not take it (never a permanent delete); a file that is gone is passed over.
// What was applied becomes the row's stored state (shared with the list's copy).
ApplyOutcome ApplyStartupRow(const StartupRow& row);

// A row that Apply left as it was, by its index in the rows given.
struct KeptRow {
  std::size_t index = 0;
  StartupRow row;
  ApplyOutcome why = ApplyOutcome::KeptNameTaken;
};

// Applies every row from the first to the last and stops at the first failure
// (false); rows before it have been applied. Kept rows are collected in `kept`
// (when given) and Apply goes on with the next row.
bool ApplyStartupRows(const std::vector<StartupRow>& rows, std::vector<KeptRow>* kept = nullptr);

// The message that names the kept rows and why each stayed. It is fixed, not
// translated.
std::string KeptRowsMessage(const std::vector<KeptRow>& kept);

// Deletes the row's own entry for good, whatever its tick: a registry row's value
// goes from the key that holds it (the parking key for a parked row, the Run key
// otherwise, with Windows' switch for it), and only while it is the row's value (its
// name with the row's command): a same-named entry at the other place stays. A
// start-up folder row's file is deleted (not recycled; a file that cannot be deleted
// is skipped) and its switch forgotten. False when a registry delete failed. The
// caller removes the row from its list either way.
bool DeleteStartupEntry(const StartupRow& row);

}  // namespace startup
