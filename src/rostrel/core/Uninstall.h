// Where installed programs come from: the uninstall key of the machine (in both
// registry views on 64-bit Windows) and of the current user.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rostrel/core/Interfaces.h"
#include "rostrel/core/RegValues.h"

namespace rostrel {

inline constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct UninstallSource {
  ProgramSource id;
  HKEY root;
  REGSAM view;  // KEY_WOW64_64KEY, KEY_WOW64_32KEY or 0
};

// True when this 32-bit process runs on 64-bit Windows.
bool IsWow64();

// The sources of this machine in listing order: HKLM (native view), HKLM's 32-bit
// view when running on 64-bit Windows, HKCU.
std::vector<UninstallSource> UninstallSources();

// One uninstall entry as read from its key.
struct ProgramEntry {
  ProgramSource source = kSourceMachine;
  std::wstring keyName;
  FILETIME lastWrite{};
  RegValues values;
  bool systemPatch = false;
  // The system image list index, worked out on first request.
  mutable std::optional<int> iconIndex;

  std::wstring text(std::wstring_view valueName) const { return StringOf(values, valueName); }
  std::wstring displayName() const { return text(L"DisplayName"); }
};
using EntryPtr = std::shared_ptr<const ProgramEntry>;

// Reads the entry `keyName` below an open uninstall key; nullptr when it does not open.
std::shared_ptr<ProgramEntry> ReadEntry(HKEY uninstallKey, const UninstallSource& source,
                                        const std::wstring& keyName);
// The same, opening the source's uninstall key first.
std::shared_ptr<ProgramEntry> ReadEntry(const UninstallSource& source, const std::wstring& keyName);

// Every listed entry of `sources`, without view duplicates, sorted.
std::vector<EntryPtr> LoadEntries(const std::vector<UninstallSource>& sources);

// Drops entries of the 32-bit view that repeat a native-view entry: same key name
// (ignoring case), same display name and same uninstall string.
void RemoveViewDuplicates(std::vector<EntryPtr>& entries);
// By display name (else key name) ignoring case; ties by key name, then by source.
void SortEntries(std::vector<EntryPtr>& entries);

// The entry's key as the registry editor names it, e.g.
// "HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\Microsoft\...\Uninstall\Name".
std::wstring RegistryPathOf(ProgramSource source, const std::wstring& keyName);

}  // namespace rostrel
