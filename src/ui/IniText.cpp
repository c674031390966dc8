#include "ui/IniText.h"

namespace ui {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Names are ASCII in every file we read; other bytes compare as they are.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

IniText::IniText(std::string_view text) {
  std::string section;
  bool inSection = false;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      section = Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
      inSection = true;
      continue;
    }
    size_t equals = line.find('=');
    if (!inSection || equals == std::string_view::npos) continue;
    lines_.push_back(Line{section, std::string(Trim(line.substr(0, equals))),
                          std::string(Unquoted(Trim(line.substr(equals + 1))))});
  }
}

std::optional<std::string> IniText::find(std::string_view section, std::string_view key) const {
  section = Trim(section);
  key = Trim(key);
  for (const Line& line : lines_)
    if (SameName(line.section, section) && SameName(line.key, key)) return line.value;
  return std::nullopt;
}

}  // namespace ui
