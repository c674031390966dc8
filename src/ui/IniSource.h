// The language and skin files as the loaders read them, whatever their encoding: a
// file in the ANSI code page or in UTF-16LE with a byte-order mark is read through
// the system's profile functions (which decode both), a UTF-8 file with a
// byte-order mark is parsed here, since not every Windows version decodes it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sys/FileHold.h"
#include "sys/IniFile.h"
#include "ui/IniText.h"

namespace ui {

class IniSource {
 public:
  // Opens `path` and holds it open (not deletable) while this object lives, so
  // that every read sees the same file.
  explicit IniSource(const std::string& path);

  // False when the file could not be opened or read.
  bool ok() const { return ok_; }
  // True when the file is read here rather than by the profile functions (the
  // result is the same under Wine, which decodes UTF-8 itself; Windows may not).
  bool parsedHere() const { return utf8_.has_value(); }
  std::string readString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;

 private:
  sys::FileHold hold_;
  sys::IniFile profile_;
  std::optional<IniText> utf8_;
  bool ok_ = false;
};

}  // namespace ui
