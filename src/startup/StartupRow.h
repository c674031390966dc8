// One start-up entry as the startup page holds it, and what its texts say about
// where it comes from. Changes are written back from its name, tick, command and
// location, and only for rows whose tick differs from what the system holds.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "startup/VersionInfo.h"
#include "sys/Registry.h"

namespace startup {

// Why the system does not start a listed entry.
enum class DisabledBy {
  Nothing,  // enabled: in its Run key or start-up folder, and Windows runs it
  Parking,  // parked in its Run key's parking sub-key (this program's way)
  // In its Run key or start-up folder, but switched off in Windows' own start-up
  // settings (Task Manager, Settings > Apps > Startup): see StartupApproved.h.
  StartupApproved,
};

// Where the system holds a listed entry. Written when the entry is read and whenever
// Apply changes it.
struct StoredState {
  DisabledBy disabledBy = DisabledBy::Nothing;
  bool enabled() const { return disabledBy == DisabledBy::Nothing; }
};

struct StartupRow {
  StartupRow() = default;
  StartupRow(std::string name, bool enabled, std::string command, std::string location)
      : name(std::move(name)),
        enabled(enabled),
        command(std::move(command)),
        location(std::move(location)) {}

  // The registry value's name, or the start-up folder file's name with its extension.
  std::string name;
  // Ticked: a value in a Run key, or a start-up folder file, that Windows runs.
  // Unticked: a value parked in the Run key's parking sub-key, or an entry that
  // Windows' own start-up settings switched off.
  bool enabled = true;
  // The value's text as stored (unexpanded), or the file's full path.
  std::string command;
  // "HKCU\<key path>" or "HKLM\<key path>" of the Run key (a parked entry carries the
  // key it returns to), or the start-up folder's path ending with "\". A machine key
  // of the 32-bit view on 64-bit Windows is named as the system names it there:
  // "HKLM\SOFTWARE\WOW6432Node\Microsoft\...".
  std::string location;
  // The entry's state in the system, shared by every copy of a row that was read,
  // so that what Apply did reaches the list's own copy too. Null for a row that was
  // not read from the system: Apply then writes its tick as it stands.
  std::shared_ptr<StoredState> stored;

  // Rows are equal by what they show; `stored` is bookkeeping.
  bool operator==(const StartupRow& other) const {
    return name == other.name && enabled == other.enabled && command == other.command &&
           location == other.location;
  }
};

// A row as read from the system: ticked exactly when nothing disables it.
StartupRow ReadRow(std::string name, DisabledBy disabledBy, std::string command,
                   std::string location);
// True when Apply has something to do for the row: its tick differs from the stored
// state, or it has none.
bool TickChanged(const StartupRow& row);
// Why the system does not start the row's entry as last read or applied; for a row
// that was not read, what its tick says (unticked: parked).
DisabledBy StoredDisabledBy(const StartupRow& row);

// The sub-key of a Run key that holds its disabled entries: one string value per
// entry, named like the entry, holding its command.
inline constexpr char kParkingKeyName[] = "Run_Disable";

// The Run family, in reading order; read under HKEY_CURRENT_USER, then
// HKEY_LOCAL_MACHINE.
inline constexpr const char* kRunKeyPaths[] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
};
// The key that new entries are added to.
inline constexpr const char* kRunKeyPath = kRunKeyPaths[0];

// True on 64-bit Windows, where this 32-bit program sees HKEY_LOCAL_MACHINE\SOFTWARE
// in two views: the native one, and the 32-bit one that the native view holds below
// SOFTWARE\WOW6432Node.
bool HasTwoMachineViews();
// "SOFTWARE\Microsoft\..." -> "SOFTWARE\WOW6432Node\Microsoft\...": the 32-bit view's
// key as the native view names it.
std::string Wow32KeyPath(std::string_view keyPath);
// The machine's Run-family keys in reading order, as the native view names them: the
// six keys, then on 64-bit Windows the six of the 32-bit view.
std::vector<std::string> MachineRunKeyPaths();

// The view a root's keys are opened in: HKLM's in the native one, HKCU's software key
// is one for both views.
sys::RegView RootView(HKEY root);

// "HKCU" for HKEY_CURRENT_USER, "HKLM" for HKEY_LOCAL_MACHINE, "" for other roots.
std::string RootAbbreviation(HKEY root);
// The Location text of a registry entry: abbreviation, "\", key path.
std::string RegistryLocation(HKEY root, std::string_view keyPath);

// Where a row's entry lives, read back from its Location text alone:
// - a registry entry exactly when the text contains "CurrentVersion" (any case);
// - its root from the first four characters, exactly "HKCU" or "HKLM"; any other
//   abbreviation leaves `root` null and the entry is never touched in the registry;
// - its key path from the sixth character on;
// - its view: HKLM's keys are named as the native view names them (a 32-bit view key
//   by its WOW6432Node path), so they are opened in the native view; HKCU's software
//   key is one for both views.
// Every other row is a start-up folder entry whose command is its file's path.
struct RowSource {
  bool registry = false;
  HKEY root = nullptr;
  std::string keyPath;
  sys::RegView view = sys::RegView::Default;
};
RowSource DecodeLocation(std::string_view location);

// The file whose version information describes a row: the command up to its first
// "/" (switches such as /min dropped), with every double quote removed. Nothing else
// is cleaned: other arguments and environment references stay.
std::string VersionLookupPath(std::string_view command);
// The version information for the row's program; nullopt when there is none, and
// the item information box is then hidden.
std::optional<TFileInfo> ReadRowFileInfo(const StartupRow& row);

// Disable All / Enable All. With `allEnabled` true every row is unticked, otherwise
// every row is ticked; returns the flag's new value (which way the button works next).
bool ToggleAllRows(std::vector<StartupRow>& rows, bool allEnabled);
// The all-enabled flag after the page is shown: each row in list order sets it from
// its tick, so the last row prevails; `current` when there are no rows.
bool AllEnabledFlagFromRows(const std::vector<StartupRow>& rows, bool current);

}  // namespace startup
