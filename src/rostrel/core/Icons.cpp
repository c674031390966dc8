#include "rostrel/core/Icons.h"

#include <windows.h>
#include <shellapi.h>

#include "rostrel/core/ProgramRules.h"

namespace rostrel {
namespace {

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
  return text;
}

bool IsFile(const std::wstring& path) {
  DWORD attrs = GetFileAttributesW(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool HasFolder(std::wstring_view path) {
  return path.find_first_of(L"\\/:") != std::wstring_view::npos;
}

std::wstring Searched(const std::wstring& name) {
  wchar_t found[MAX_PATH];
  DWORD len = SearchPathW(nullptr, name.c_str(), L".exe", MAX_PATH, found, nullptr);
  if (len == 0 || len >= MAX_PATH || !IsFile(found)) return std::wstring();
  return found;
}

std::wstring ExistingFile(const std::wstring& candidate) {
  if (candidate.empty()) return std::wstring();
  if (HasFolder(candidate)) {
    if (IsFile(candidate)) return candidate;
    if (IsFile(candidate + L".exe")) return candidate + L".exe";
    return std::wstring();
  }
  return Searched(candidate);
}

// Shell_GetCachedImageIndexW: by name where exported, else by its old ordinal.
using CachedImageIndexFn = int(WINAPI*)(LPCWSTR, int, UINT);
CachedImageIndexFn CachedImageIndex() {
  static const CachedImageIndexFn fn = [] {
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (!shell) return CachedImageIndexFn(nullptr);
    FARPROC proc = GetProcAddress(shell, "Shell_GetCachedImageIndexW");
    // An ordinal goes in the low word of the name pointer.
    if (!proc) proc = GetProcAddress(shell, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(72)));
    return reinterpret_cast<CachedImageIndexFn>(reinterpret_cast<void*>(proc));
  }();
  return fn;
}

}  // namespace

std::wstring ExpandEnvironment(const std::wstring& text) {
  if (text.find(L'%') == std::wstring::npos) return text;
  DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::wstring out(needed, L'\0');
  DWORD got = ExpandEnvironmentStringsW(text.c_str(), out.data(), needed);
  if (got == 0 || got > needed) return text;
  out.resize(got - 1);
  return out;
}

std::optional<IconLocation> ParseIconLocation(std::wstring_view text) {
  text = Trimmed(text);
  if (text.empty()) return std::nullopt;
  IconLocation location;
  std::wstring_view path = text;
  std::wstring_view rest;
  if (text.front() == L'"') {
    size_t close = text.find(L'"', 1);
    path = close == std::wstring_view::npos ? text.substr(1) : text.substr(1, close - 1);
    rest = close == std::wstring_view::npos ? std::wstring_view() : text.substr(close + 1);
    rest = Trimmed(rest);
    if (!rest.empty() && rest.front() == L',') rest.remove_prefix(1);
  } else if (size_t comma = text.rfind(L','); comma != std::wstring_view::npos) {
    std::wstring_view number = Trimmed(text.substr(comma + 1));
    size_t digits = !number.empty() && number.front() == L'-' ? 1 : 0;
    bool numeric = number.size() > digits;
    for (size_t i = digits; i < number.size(); ++i) numeric = numeric && iswdigit(number[i]);
    if (numeric) {
      path = Trimmed(text.substr(0, comma));
      rest = number;
    }
  }
  rest = Trimmed(rest);
  if (!rest.empty()) {
    bool negative = rest.front() == L'-';
    long value = 0;
    for (size_t i = negative ? 1 : 0; i < rest.size() && iswdigit(rest[i]); ++i) {
      value = value * 10 + (rest[i] - L'0');
      if (value > 0x7FFFFFF) break;  // no icon index is anywhere near this
    }
    location.index = static_cast<int>(negative ? -value : value);
  }
  location.path = ExpandEnvironment(std::wstring(Trimmed(path)));
  if (location.path.empty()) return std::nullopt;
  return location;
}

std::wstring CommandFile(std::wstring_view commandLine) {
  std::wstring expanded = ExpandEnvironment(std::wstring(Trimmed(commandLine)));
  std::wstring_view text = expanded;
  if (text.empty()) return std::wstring();
  if (text.front() == L'"') {
    size_t close = text.find(L'"', 1);
    std::wstring quoted(close == std::wstring_view::npos ? text.substr(1)
                                                         : text.substr(1, close - 1));
    return ExistingFile(quoted);
  }
  // Like CreateProcess: try each blank as the end of the file name, shortest first.
  for (size_t end = text.find(L' ');; end = text.find(L' ', end + 1)) {
    std::wstring candidate(text.substr(0, end));
    if (std::wstring found = ExistingFile(candidate); !found.empty()) return found;
    if (end == std::wstring_view::npos) break;
  }
  return std::wstring();
}

std::optional<int> IconCache::indexOf(const IconLocation& location) {
  std::wstring key = Folded(location.path) + L"," + std::to_wstring(location.index);
  if (auto it = known_.find(key); it != known_.end()) return it->second;
  // The shell's icon cache takes a file and an icon index and reads the icon from the
  // file itself (also through the "Sysnative" alias, which the shell's namespace does
  // not parse). Files without icons of their own (documents, some programs) get the
  // icon of their type from the file information call.
  std::optional<int> result;
  if (CachedImageIndexFn fn = CachedImageIndex(); fn && generic() >= 0) {  // sets the list up
    int index = fn(location.path.c_str(), location.index, 0);
    if (index >= 0) result = index;
  }
  if (!result) {
    SHFILEINFOW info{};
    if (SHGetFileInfoW(location.path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX))
      result = info.iIcon;
  }
  known_.emplace(std::move(key), result);
  return result;
}

void IconCache::forgetMisses() {
  std::erase_if(known_, [](const auto& source) { return !source.second; });
}

int IconCache::generic() {
  if (!generic_) {
    SHFILEINFOW info{};
    generic_ = SHGetFileInfoW(L"program.exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                              SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES)
                   ? info.iIcon
                   : 0;
  }
  return *generic_;
}

}  // namespace rostrel
