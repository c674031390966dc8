#include "rostrel/core/Usage.h"

#include <shlobj.h>

#include <cstring>

#include "rostrel/core/ProgramRules.h"
#include "rostrel/core/RegValues.h"
#include "sys/Handles.h"
#include "sys/Registry.h"

namespace rostrel {
namespace {

constexpr size_t kRecordSize = 72;
constexpr size_t kRunsOffset = 4;
constexpr size_t kLastRunOffset = 60;

// {6D809377-6AF0-444B-8957-A3773F02200E}: not answered for 32-bit callers.
constexpr GUID kProgramFilesX64 = {
    0x6D809377, 0x6AF0, 0x444B, {0x89, 0x57, 0xA3, 0x77, 0x3F, 0x02, 0x20, 0x0E}};
// {6365D5A7-0F0D-45E5-87F6-0DA56B6A4F7D}
constexpr GUID kProgramFilesCommonX64 = {
    0x6365D5A7, 0x0F0D, 0x45E5, {0x87, 0xF6, 0x0D, 0xA5, 0x6B, 0x6A, 0x4F, 0x7D}};

std::wstring EnvironmentValue(const wchar_t* name) {
  wchar_t buffer[MAX_PATH];
  DWORD len = GetEnvironmentVariableW(name, buffer, MAX_PATH);
  return len > 0 && len < MAX_PATH ? std::wstring(buffer, len) : std::wstring();
}

std::wstring KnownFolderPath(const GUID& id) {
  if (IsEqualGUID(id, kProgramFilesX64)) return EnvironmentValue(L"ProgramW6432");
  if (IsEqualGUID(id, kProgramFilesCommonX64)) return EnvironmentValue(L"CommonProgramW6432");
  PWSTR path = nullptr;
  std::wstring result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path)) && path)
    result = path;
  CoTaskMemFree(path);
  return result;
}

bool IsFullPath(std::wstring_view path) {
  return (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') || path.rfind(L"\\\\", 0) == 0;
}

std::wstring WithBackslash(std::wstring path) {
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}

}  // namespace

std::wstring Rot13(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out) {
    if (c >= L'a' && c <= L'z')
      c = L'a' + (c - L'a' + 13) % 26;
    else if (c >= L'A' && c <= L'Z')
      c = L'A' + (c - L'A' + 13) % 26;
  }
  return out;
}

std::wstring ResolveKnownFolder(std::wstring_view path) {
  if (path.size() < 38 || path.front() != L'{' || path[37] != L'}') return std::wstring(path);
  std::wstring idText(path.substr(0, 38));
  GUID id;
  if (FAILED(CLSIDFromString(idText.c_str(), &id))) return std::wstring(path);
  std::wstring folder = KnownFolderPath(id);
  if (folder.empty()) return std::wstring(path);
  std::wstring_view rest = path.substr(38);
  if (!rest.empty() && rest.front() == L'\\') rest.remove_prefix(1);
  return WithBackslash(folder) + std::wstring(rest);
}

std::optional<UsageRecord> DecodeUserAssist(std::wstring_view valueName, const std::string& data) {
  if (data.size() != kRecordSize) return std::nullopt;
  std::wstring path = ResolveKnownFolder(Rot13(valueName));
  if (!IsFullPath(path)) return std::nullopt;
  UsageRecord record;
  record.path = Folded(path);
  std::memcpy(&record.runs, data.data() + kRunsOffset, sizeof record.runs);
  std::memcpy(&record.lastRun, data.data() + kLastRunOffset, sizeof record.lastRun);
  return record;
}

std::vector<UsageRecord> ReadUserAssist() {
  std::vector<UsageRecord> records;
  sys::Registry reg(HKEY_CURRENT_USER, KEY_READ);
  if (!reg.openKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist"))
    return records;
  for (const auto& guid : reg.keyNames()) {
    sys::UniqueKey count;
    std::wstring sub(guid.begin(), guid.end());  // "{...}": plain ASCII
    if (OpenForReading(reg.currentKey(), sub + L"\\Count", 0, count.put()) != ERROR_SUCCESS)
      continue;
    RegValues values;
    ReadAllValues(count.get(), values);
    for (const auto& value : values) {
      if (auto record = DecodeUserAssist(value.name, value.data)) records.push_back(*record);
    }
  }
  return records;
}

UserAssistStamp ReadUserAssistStamp() {
  UserAssistStamp stamp;
  sys::Registry reg(HKEY_CURRENT_USER, KEY_READ);
  if (!reg.openKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist"))
    return stamp;
  for (const auto& guid : reg.keyNames()) {
    sys::UniqueKey count;
    std::wstring sub(guid.begin(), guid.end());  // "{...}": plain ASCII
    if (OpenForReading(reg.currentKey(), sub + L"\\Count", 0, count.put()) != ERROR_SUCCESS)
      continue;
    FILETIME written{};
    if (RegQueryInfoKeyW(count.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS)
      continue;
    stamp.emplace_back(
        sub, (static_cast<ULONGLONG>(written.dwHighDateTime) << 32) | written.dwLowDateTime);
  }
  return stamp;
}

Usage UsageInFolder(const std::vector<UsageRecord>& records, const std::wstring& folder) {
  Usage usage;
  if (folder.empty()) return usage;
  std::wstring prefix = WithBackslash(Folded(folder));
  for (const auto& record : records) {
    if (record.path.compare(0, prefix.size(), prefix) != 0) continue;
    ULONG sum = usage.runs + record.runs;
    usage.runs = sum < usage.runs ? ULONG_MAX : sum;  // saturate rather than wrap
    if (CompareFileTime(&record.lastRun, &usage.lastRun) > 0) usage.lastRun = record.lastRun;
  }
  return usage;
}

}  // namespace rostrel
