#include "sys/IniFile.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace sys {
namespace {

// GetPrivateProfileStringA truncates silently; grow until the answer fits.
std::string ProfileString(const char* section, const char* key, const char* fallback,
                          const std::string& path, bool multiString) {
  std::vector<char> buffer(512);
  for (;;) {
    DWORD got = GetPrivateProfileStringA(section, key, fallback, buffer.data(), buffer.size(),
                                         path.c_str());
    DWORD slack = multiString ? 2 : 1;
    if (got + slack < buffer.size()) return std::string(buffer.data(), got);
    if (buffer.size() >= (1u << 24)) return std::string(buffer.data(), got);
    buffer.resize(buffer.size() * 4);
  }
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
  return ProfileString(s.c_str(), k.c_str(), f.c_str(), path_, false);
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
  return SplitMultiString(ProfileString(s.c_str(), nullptr, "", path_, true));
}

bool IniFile::sectionExists(std::string_view section) const {
  std::string s(section);
  std::string names = ProfileString(nullptr, nullptr, "", path_, true);
  for (const auto& name : SplitMultiString(names))
    if (lstrcmpiA(name.c_str(), s.c_str()) == 0) return true;
  return false;
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  std::string s(section), k(key), v(value);
  return WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), path_.c_str()) != FALSE;
}

bool IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
  return writeString(section, key, std::to_string(value));
}

bool IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
  return writeString(section, key, value ? "1" : "0");
}

bool IniFile::deleteKey(std::string_view section, std::string_view key) {
  std::string s(section), k(key);
  return WritePrivateProfileStringA(s.c_str(), k.c_str(), nullptr, path_.c_str()) != FALSE;
}

}  // namespace sys
