// An INI file read and written key by key through the system's profile functions,
// so that every write reaches the disk at once and nothing is cached here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sys {

class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  std::string readString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Any integer the file holds; `fallback` when the key is missing or not a number.
  int readInteger(std::string_view section, std::string_view key, int fallback) const;
  // Non-zero integers are true.
  bool readBool(std::string_view section, std::string_view key, bool fallback) const;
  std::vector<std::string> sectionKeys(std::string_view section) const;
  bool sectionExists(std::string_view section) const;

  // Each write returns false when the file could not be written.
  bool writeString(std::string_view section, std::string_view key, std::string_view value);
  bool writeInteger(std::string_view section, std::string_view key, int value);
  bool writeBool(std::string_view section, std::string_view key, bool value);
  bool deleteKey(std::string_view section, std::string_view key);

 private:
  std::string path_;
};

}  // namespace sys
