// A file held open for reading while its contents are used: others may still read
// and write it, but nobody can delete or rename it until the hold ends, so every
// read made meanwhile sees the same file.
#pragma once

#include <string>
#include <string_view>

#include "sys/Handles.h"

namespace sys {

class FileHold {
 public:
  // Opens the existing file `path` (UTF-8); check with operator bool.
  explicit FileHold(std::string_view path);

  explicit operator bool() const { return static_cast<bool>(file_); }
  // The whole file from its start. False when it cannot be read.
  bool readAll(std::string& out) const;

 private:
  UniqueHandle file_;
};

}  // namespace sys
