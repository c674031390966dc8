#include "ui/Bounds.h"

#include <climits>

#include "ui/TextFormat.h"

namespace ui {

std::vector<std::string> SplitText(std::string_view text, std::string_view separator,
                                   bool trimPieces) {
  std::vector<std::string> pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  for (size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator)) {
    std::string_view piece = text.substr(0, at);
    pieces.push_back(trimPieces ? TrimControl(piece) : std::string(piece));
    text.remove_prefix(at + separator.size());
  }
  pieces.emplace_back(text);
  return pieces;
}

int ParseInteger(std::string_view text) {
  std::string_view s = text;
  auto blank = [](char c) { return c == ' ' || (static_cast<unsigned char>(c) < 32); };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) throw BoundsError("'" + std::string(text) + "' is not a valid integer value");
  long long value = 0;
  for (char c : s) {
    if (c < '0' || c > '9')
      throw BoundsError("'" + std::string(text) + "' is not a valid integer value");
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT_MAX) + 1)
      throw BoundsError("'" + std::string(text) + "' is out of range");
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN)
    throw BoundsError("'" + std::string(text) + "' is out of range");
  return static_cast<int>(value);
}

bool ParseBounds(std::string_view text, Bounds& out) {
  std::vector<std::string> parts = SplitText(text, ",", true);
  if (parts.size() < 4) return false;
  Bounds parsed;
  parsed.left = ParseInteger(parts[0]);
  parsed.top = ParseInteger(parts[1]);
  parsed.width = ParseInteger(parts[2]);
  parsed.height = ParseInteger(parts[3]);
  out = parsed;
  return true;
}

bool SetBoundsFromText(HWND control, std::string_view text) {
  if (text.empty()) return false;
  Bounds b;
  if (!ParseBounds(text, b)) return false;
  if (control)
    SetWindowPos(control, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

}  // namespace ui
