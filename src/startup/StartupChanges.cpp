#include "startup/StartupChanges.h"

#include <shellapi.h>

#include <optional>

#include "sys/Registry.h"

namespace startup {
namespace {

// Changes ask for write access; reading them back needs query rights as well.
constexpr REGSAM kChangeAccess = KEY_READ | KEY_WRITE;

// The type of the open key's value `name` when it is text and reads `text`.
std::optional<DWORD> MatchingTextType(const sys::Registry& reg, const std::string& name,
                                      const std::string& text) {
  DWORD type = reg.valueType(name);
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::optional<std::string> value = reg.readString(name);
  if (!value || *value != text) return std::nullopt;
  return type;
}

bool WriteText(sys::Registry& reg, const std::string& name, const std::string& text, DWORD type) {
  return type == REG_EXPAND_SZ ? reg.writeExpandString(name, text) : reg.writeString(name, text);
}

// A value that is already gone is no failure.
bool DeleteIfPresent(sys::Registry& reg, const std::string& name) {
  return reg.deleteValue(name) || reg.lastError() == ERROR_FILE_NOT_FOUND;
}

std::string ParkingPath(const RowSource& source) {
  return "\\" + source.keyPath + "\\" + kParkingKeyName;
}

bool EnableValue(const StartupRow& row, const RowSource& source, sys::Registry& run) {
  sys::Registry parking(source.root, kChangeAccess);
  bool parkingOpen = parking.openKey(ParkingPath(source), false);
  std::optional<DWORD> inRun = MatchingTextType(run, row.name, row.command);
  std::optional<DWORD> parked;
  if (parkingOpen) parked = MatchingTextType(parking, row.name, row.command);
  DWORD type = inRun ? *inRun : parked.value_or(REG_SZ);
  if (!WriteText(run, row.name, row.command, type)) return false;
  return !parked || DeleteIfPresent(parking, row.name);
}

bool ParkValue(const StartupRow& row, const RowSource& source, sys::Registry& run) {
  sys::Registry parking(source.root, kChangeAccess);
  // Without a parking key the entry cannot be disabled; it stays enabled.
  if (!parking.openKey(ParkingPath(source), true)) return false;
  std::optional<DWORD> inRun = MatchingTextType(run, row.name, row.command);
  std::optional<DWORD> parked = MatchingTextType(parking, row.name, row.command);
  DWORD type = parked ? *parked : inRun.value_or(REG_SZ);
  if (!WriteText(parking, row.name, row.command, type)) return false;
  return !inRun || DeleteIfPresent(run, row.name);
}

}  // namespace

bool MoveToRecycleBin(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  // The shell takes a list of paths ended by an empty one: this NUL and c_str()'s.
  std::string from = path;
  from.push_back('\0');
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags =
      static_cast<FILEOP_FLAGS>(FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI);
  return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted &&
         GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool ApplyStartupRow(const StartupRow& row) {
  RowSource source = DecodeLocation(row.location);
  if (!source.registry) {
    if (!row.enabled) MoveToRecycleBin(row.command);
    return true;
  }
  if (!source.root) return true;
  sys::Registry run(source.root, kChangeAccess);
  if (!run.openKey("\\" + source.keyPath, false)) return true;
  return row.enabled ? EnableValue(row, source, run) : ParkValue(row, source, run);
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
    DeleteFileA(row.command.c_str());
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
