// How often and when the user ran a program, from the shell's own record of
// started programs (HKCU\...\Explorer\UserAssist\{guid}\Count). The shell keeps
// one value per started file: its ROT13-encoded path (a leading known-folder id
// such as "{7C5A40EF-...}" standing for that folder) and a 72-byte record with the
// run count at offset 4 and the last run time (FILETIME) at offset 60.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rostrel {

inline constexpr wchar_t kUserAssistKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist";

struct UsageRecord {
  std::wstring path;  // lower-cased full path of the started file
  ULONG runs = 0;
  FILETIME lastRun{};
};

std::wstring Rot13(std::wstring_view text);

// A known-folder id at the start of `path` replaced by the folder's path.
std::wstring ResolveKnownFolder(std::wstring_view path);

// One UserAssist value; nullopt for entries that are not a started file
// (session counters, application ids, short records).
std::optional<UsageRecord> DecodeUserAssist(std::wstring_view valueName, const std::string& data);

// Every file record of the current user.
std::vector<UsageRecord> ReadUserAssist();

// Each record key's name and last write time, in listing order: while the stamp
// stays the same, so do the records.
using UserAssistStamp = std::vector<std::pair<std::wstring, ULONGLONG>>;
UserAssistStamp ReadUserAssistStamp();

struct Usage {
  ULONG runs = 0;
  FILETIME lastRun{};
};
// Runs of the files inside `folder` (and its sub-folders) summed, with the latest run.
Usage UsageInFolder(const std::vector<UsageRecord>& records, const std::wstring& folder);

}  // namespace rostrel
