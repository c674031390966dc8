#include "startup/StartupChanges.h"

#include <optional>

#include "sys/FileOps.h"
#include "sys/Registry.h"

namespace startup {
namespace {

// Changes ask for write access; reading them back needs query rights as well.
constexpr REGSAM kChangeAccess = KEY_READ | KEY_WRITE;

// The value of `key` that the row stands for: a text value of the row's name whose
// text is the row's command. A value of that name with other text is another entry.
std::optional<sys::RegValue> RowValue(HKEY key, const StartupRow& row) {
  std::optional<sys::RegValue> value = sys::ReadValue(key, row.name);
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return std::nullopt;
  if (value->text() != row.command) return std::nullopt;
  return value;
}

// A value that is already gone is no failure.
bool DeleteIfPresent(sys::Registry& reg, const std::string& name) {
  return reg.deleteValue(name) || reg.lastError() == ERROR_FILE_NOT_FOUND;
}

// Moves the row's value from `from` (not open: nothing there) to `to` exactly as
// stored: name, type and bytes. The source goes only after the copy is written, so
// a failure never loses the entry. When the source no longer holds the row's value,
// the row's command is written as a string, unless the target already holds it.
bool MoveRowValue(const StartupRow& row, sys::Registry* from, sys::Registry& to) {
  std::optional<sys::RegValue> value;
  if (from) value = RowValue(from->currentKey(), row);
  if (!value) {
    if (RowValue(to.currentKey(), row)) return true;
    return sys::WriteValue(to.currentKey(), sys::RegValue::FromText(row.name, row.command)) ==
           ERROR_SUCCESS;
  }
  if (sys::WriteValue(to.currentKey(), *value) != ERROR_SUCCESS) return false;
  return DeleteIfPresent(*from, row.name);
}

std::string ParkingPath(const RowSource& source) {
  return "\\" + source.keyPath + "\\" + kParkingKeyName;
}

bool EnableValue(const StartupRow& row, const RowSource& source, sys::Registry& run) {
  sys::Registry parking(source.root, kChangeAccess);
  bool parkingOpen = parking.openKey(ParkingPath(source), false);
  return MoveRowValue(row, parkingOpen ? &parking : nullptr, run);
}

bool ParkValue(const StartupRow& row, const RowSource& source, sys::Registry& run) {
  sys::Registry parking(source.root, kChangeAccess);
  // Without a parking key the entry cannot be disabled; it stays enabled.
  if (!parking.openKey(ParkingPath(source), true)) return false;
  return MoveRowValue(row, &run, parking);
}

void Stored(const StartupRow& row) {
  if (row.stored) row.stored->enabled = row.enabled;
}

}  // namespace

bool MoveToRecycleBin(const std::string& path) {
  if (!sys::PathExists(path)) return false;
  return sys::MoveToRecycleBin(path);
}

bool ApplyStartupRow(const StartupRow& row) {
  if (!TickChanged(row)) return true;
  RowSource source = DecodeLocation(row.location);
  if (!source.registry) {
    // A file that could not be moved is still there: the next Apply tries again.
    if (!row.enabled && !MoveToRecycleBin(row.command)) return true;
    Stored(row);
    return true;
  }
  if (!source.root) return true;
  sys::Registry run(source.root, kChangeAccess);
  if (!run.openKey("\\" + source.keyPath, false)) return true;
  if (!(row.enabled ? EnableValue(row, source, run) : ParkValue(row, source, run))) return false;
  Stored(row);
  return true;
}

bool ApplyStartupRows(const std::vector<StartupRow>& rows) {
  for (const StartupRow& row : rows) {
    if (!ApplyStartupRow(row)) return false;
  }
  return true;
}

bool DeleteStartupEntry(const StartupRow& row) {
  RowSource source = DecodeLocation(row.location);
  if (!source.registry) {
    sys::DeleteFileExact(row.command);
    return true;
  }
  if (!source.root) return true;
  sys::Registry reg(source.root, kChangeAccess);
  if (!reg.openKey("\\" + source.keyPath, false)) return true;
  if (!DeleteIfPresent(reg, row.name)) return false;
  if (!reg.openKey(kParkingKeyName, false)) return true;
  return DeleteIfPresent(reg, row.name);
}

}  // namespace startup
