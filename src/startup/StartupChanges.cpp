#include "startup/StartupChanges.h"

#include <optional>

#include "startup/StartupApproved.h"
#include "ui/LanguageTable.h"
#include "sys/FileOps.h"
#include "sys/Registry.h"

namespace startup {
namespace {

// Changes ask for write access; reading them back needs query rights as well.
constexpr REGSAM kChangeAccess = KEY_READ | KEY_WRITE;

bool IsText(const sys::RegValue& value) {
  return value.type == REG_SZ || value.type == REG_EXPAND_SZ;
}

// The value of `key` that the row stands for: a text value of the row's name whose
// text is the row's command. A value of that name with other data is another entry.
std::optional<sys::RegValue> RowValue(HKEY key, const StartupRow& row) {
  std::optional<sys::RegValue> value = sys::ReadValue(key, row.name);
  if (!value || !IsText(*value) || value->text() != row.command) return std::nullopt;
  return value;
}

// A value that is already gone is no failure.
bool DeleteIfPresent(sys::Registry& reg, const std::string& name) {
  return reg.deleteValue(name) || reg.lastError() == ERROR_FILE_NOT_FOUND;
}

sys::Registry ChangeRegistry(const RowSource& source) {
  sys::Registry reg(source.root, kChangeAccess);
  reg.setView(source.view);
  return reg;
}

// Moves the row's value from `from` (not open: nothing there) to `to` exactly as
// stored: name, type and bytes. The source goes only after the copy is written, so
// a failure never loses the entry. When the source no longer holds the row's value,
// the row's command is written as a string, unless the target already holds it.
// A target that holds another entry of the row's name is never overwritten.
ApplyOutcome MoveRowValue(const StartupRow& row, sys::Registry* from, sys::Registry& to) {
  std::optional<sys::RegValue> value;
  if (from) value = RowValue(from->currentKey(), row);
  const bool taken = sys::ReadValue(to.currentKey(), row.name).has_value();
  const bool holdsRow = taken && RowValue(to.currentKey(), row).has_value();
  if (taken && !holdsRow) return ApplyOutcome::KeptNameTaken;
  if (!value) {
    if (holdsRow) return ApplyOutcome::Done;
    value = sys::RegValue::FromText(row.name, row.command);
    from = nullptr;
  }
  if (sys::WriteValue(to.currentKey(), *value) != ERROR_SUCCESS) return ApplyOutcome::Failed;
  if (from && !DeleteIfPresent(*from, row.name)) return ApplyOutcome::Failed;
  return ApplyOutcome::Done;
}

std::string ParkingPath(const RowSource& source) {
  return "\\" + source.keyPath + "\\" + kParkingKeyName;
}

void Stored(const StartupRow& row, DisabledBy disabledBy) {
  if (row.stored) row.stored->disabledBy = disabledBy;
}

ApplyOutcome ApplyRegistryRow(const StartupRow& row, const RowSource& source) {
  sys::Registry run = ChangeRegistry(source);
  if (!run.openKey("\\" + source.keyPath, false)) return ApplyOutcome::Done;
  sys::Registry parking = ChangeRegistry(source);
  ApplyOutcome outcome;
  if (row.enabled) {
    bool parkingOpen = parking.openKey(ParkingPath(source), false);
    outcome = MoveRowValue(row, parkingOpen ? &parking : nullptr, run);
    if (outcome == ApplyOutcome::Done && !SwitchOn(row)) outcome = ApplyOutcome::Failed;
  } else {
    // Without a parking key the entry cannot be disabled; it stays enabled.
    if (!parking.openKey(ParkingPath(source), true)) return ApplyOutcome::Failed;
    outcome = MoveRowValue(row, &run, parking);
    // A switch left behind would turn off the entry when it comes back.
    if (outcome == ApplyOutcome::Done && !ForgetSwitch(row)) outcome = ApplyOutcome::Failed;
  }
  if (outcome == ApplyOutcome::Done)
    Stored(row, row.enabled ? DisabledBy::Nothing : DisabledBy::Parking);
  return outcome;
}

ApplyOutcome ApplyFolderRow(const StartupRow& row) {
  if (row.enabled) {
    if (!SwitchOn(row)) return ApplyOutcome::Failed;
    Stored(row, DisabledBy::Nothing);
    return ApplyOutcome::Done;
  }
  switch (sys::RecycleOrKeep(row.command)) {
    case sys::RecycleResult::Recycled:
      ForgetSwitch(row);  // the file is in the bin either way
      Stored(row, DisabledBy::Parking);
      return ApplyOutcome::Done;
    case sys::RecycleResult::Missing:
      return ApplyOutcome::Done;
    case sys::RecycleResult::Kept:
      break;
  }
  return ApplyOutcome::KeptNotRecycled;
}

std::string Reason(const KeptRow& kept) {
  if (kept.why == ApplyOutcome::KeptNotRecycled)
    return ui::LangText(ui::IDS_MESSAGEBOX_WARNING_StartupKeptRecycle);
  if (kept.row.enabled) return ui::LangText(ui::IDS_MESSAGEBOX_WARNING_StartupKeptEnabled);
  return ui::LangText(ui::IDS_MESSAGEBOX_WARNING_StartupKeptParked);
}

}  // namespace

ApplyOutcome ApplyStartupRow(const StartupRow& row) {
  if (!TickChanged(row)) return ApplyOutcome::Done;
  RowSource source = DecodeLocation(row.location);
  if (!source.registry) return ApplyFolderRow(row);
  if (!source.root) return ApplyOutcome::Done;
  return ApplyRegistryRow(row, source);
}

bool ApplyStartupRows(const std::vector<StartupRow>& rows, std::vector<KeptRow>* kept) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ApplyOutcome outcome = ApplyStartupRow(rows[i]);
    if (outcome == ApplyOutcome::Failed) return false;
    if (outcome != ApplyOutcome::Done && kept) kept->push_back({i, rows[i], outcome});
  }
  return true;
}

std::string KeptRowsMessage(const std::vector<KeptRow>& kept) {
  std::string text = ui::LangText(ui::IDS_MESSAGEBOX_WARNING_StartupKept) + "\r\n";
  for (const KeptRow& row : kept)
    text += "\r\n" + row.row.name + " (" + row.row.location + "): " + Reason(row);
  return text;
}

bool DeleteStartupEntry(const StartupRow& row) {
  RowSource source = DecodeLocation(row.location);
  if (!source.registry) {
    if (sys::DeleteFileExact(row.command)) ForgetSwitch(row);
    return true;
  }
  if (!source.root) return true;
  sys::Registry reg = ChangeRegistry(source);
  if (!reg.openKey("\\" + source.keyPath, false)) return true;
  const bool parked = StoredDisabledBy(row) == DisabledBy::Parking;
  if (parked && !reg.openKey(kParkingKeyName, false)) return true;
  // Gone already, or another entry of that name by now: nothing of the row's to delete.
  if (!RowValue(reg.currentKey(), row)) return true;
  if (!DeleteIfPresent(reg, row.name)) return false;
  // Windows' switch belongs to the Run key's entry; a parked one has none.
  if (!parked) ForgetSwitch(row);
  return true;
}

}  // namespace startup
