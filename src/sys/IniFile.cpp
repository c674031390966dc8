#include "sys/IniFile.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "sys/Text.h"

namespace sys {
namespace {

// The profile functions truncate silently; grow until the answer fits. They decode an
// ANSI file through the ANSI code page and read a UTF-16LE file (with its byte-order
// mark) as it is, so both kinds of stored file keep working.
std::string ProfileString(const std::string* section, const std::string* key,
                          const std::string& fallback, const std::string& path, bool multiString) {
  std::wstring s = section ? Widen(*section) : std::wstring();
  std::wstring k = key ? Widen(*key) : std::wstring();
  std::wstring f = Widen(fallback);
  std::wstring p = Widen(path);
  std::vector<wchar_t> buffer(512);
  for (;;) {
    DWORD got = GetPrivateProfileStringW(section ? s.c_str() : nullptr, key ? k.c_str() : nullptr,
                                         f.c_str(), buffer.data(), buffer.size(), p.c_str());
    DWORD slack = multiString ? 2 : 1;
    if (got + slack < buffer.size() || buffer.size() >= (1u << 24))
      return Narrow(std::wstring_view(buffer.data(), got));
    buffer.resize(buffer.size() * 4);
  }
}

bool WriteProfile(const std::string& section, const std::string* key, const std::string* value,
                  const std::string& path) {
  std::wstring s = Widen(section);
  std::wstring k = key ? Widen(*key) : std::wstring();
  std::wstring v = value ? Widen(*value) : std::wstring();
  return WritePrivateProfileStringW(s.c_str(), key ? k.c_str() : nullptr,
                                    value ? v.c_str() : nullptr, Widen(path).c_str()) != FALSE;
}

std::vector<std::string> SplitMultiString(const std::string& list) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) items.emplace_back(list.substr(start, end - start));
    start = end + 1;
  }
  return items;
}

}  // namespace

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  std::string s(section), k(key), f(fallback);
  return ProfileString(&s, &k, f, path_, false);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int fallback) const {
  std::string text = readString(section, key, "");
  if (text.empty()) return fallback;
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(text.c_str(), &end, 0);
  while (end && (*end == ' ' || *end == '\t')) ++end;
  if (errno != 0 || end == text.c_str() || (end && *end != '\0')) return fallback;
  return static_cast<int>(value);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const {
  return readInteger(section, key, fallback ? 1 : 0) != 0;
}

std::vector<std::string> IniFile::sectionKeys(std::string_view section) const {
  std::string s(section);
  return SplitMultiString(ProfileString(&s, nullptr, "", path_, true));
}

bool IniFile::sectionExists(std::string_view section) const {
  std::wstring s = Widen(section);
  std::string names = ProfileString(nullptr, nullptr, "", path_, true);
  for (const auto& name : SplitMultiString(names))
    if (lstrcmpiW(Widen(name).c_str(), s.c_str()) == 0) return true;
  return false;
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  std::string s(section), k(key), v(value);
  return WriteProfile(s, &k, &v, path_);
}

bool IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
  return writeString(section, key, std::to_string(value));
}

bool IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
  return writeString(section, key, value ? "1" : "0");
}

bool IniFile::deleteKey(std::string_view section, std::string_view key) {
  std::string s(section), k(key);
  return WriteProfile(s, &k, nullptr, path_);
}

}  // namespace sys
