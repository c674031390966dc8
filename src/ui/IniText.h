// An INI file's text parsed in memory, for the files that the system's profile
// functions cannot read everywhere (UTF-8). Look-ups follow those functions: section
// and key names are matched without regard to case and with the blanks around them
// dropped, a value loses the blanks around it and one pair of enclosing quotes, and
// the first occurrence of a key wins.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class IniText {
 public:
  // `text` is the file's text without its byte-order mark; lines end in LF or CR LF.
  explicit IniText(std::string_view text);

  std::optional<std::string> find(std::string_view section, std::string_view key) const;

 private:
  struct Line {
    std::string section;
    std::string key;
    std::string value;
  };
  std::vector<Line> lines_;
};

}  // namespace ui
