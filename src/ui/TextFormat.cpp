#include "ui/TextFormat.h"

#include <cstring>

namespace ui {
namespace {

bool IsControlOrBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

// Length of the placeholder that starts at pattern[at] (a '%'), or 0 when the
// characters there are not one.
size_t PlaceholderLength(std::string_view pattern, size_t at) {
  size_t i = at + 1;
  auto more = [&] { return i < pattern.size(); };
  // Flags; a blank is not taken as one, so that prose such as "100% done" is
  // never read as a placeholder.
  while (more() && pattern[i] != '\0' && std::strchr("-+#0", pattern[i])) ++i;
  while (more() && pattern[i] >= '0' && pattern[i] <= '9') ++i;
  if (more() && pattern[i] == '.') {
    ++i;
    while (more() && pattern[i] >= '0' && pattern[i] <= '9') ++i;
  }
  // Length modifiers, including the Microsoft I, I32 and I64 forms.
  while (more()) {
    char c = pattern[i];
    if (c == 'h' || c == 'l' || c == 'L' || c == 'q' || c == 'j' || c == 'z' || c == 't') {
      ++i;
    } else if (c == 'I') {
      ++i;
      if (pattern.substr(i, 2) == "32" || pattern.substr(i, 2) == "64") i += 2;
    } else {
      break;
    }
  }
  if (!more() || pattern[i] == '\0' || !std::strchr("diouxXeEfFgGaAcsp", pattern[i])) return 0;
  return i + 1 - at;
}

template <typename Iter>
std::string Format(std::string_view pattern, Iter next, Iter end) {
  std::string out;
  out.reserve(pattern.size() + 32);
  size_t i = 0;
  while (i < pattern.size()) {
    size_t percent = pattern.find('%', i);
    if (percent == std::string_view::npos) {
      out.append(pattern.substr(i));
      break;
    }
    out.append(pattern.substr(i, percent - i));
    if (percent + 1 < pattern.size() && pattern[percent + 1] == '%') {
      out += '%';
      i = percent + 2;
      continue;
    }
    size_t length = PlaceholderLength(pattern, percent);
    if (length == 0) {
      out += '%';
      i = percent + 1;
      continue;
    }
    if (next != end) {
      out.append(*next);
      ++next;
    } else {
      out.append(pattern.substr(percent, length));
    }
    i = percent + length;
  }
  return out;
}

}  // namespace

std::string TrimControl(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsControlOrBlank(text[first])) ++first;
  while (last > first && IsControlOrBlank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

std::string ConvertLineBreaks(std::string_view text, LineBreakDirection direction) {
  std::string trimmed = TrimControl(text);
  std::string out;
  out.reserve(trimmed.size() + 16);
  if (direction == LineBreakDirection::Reading) {
    for (size_t i = 0; i < trimmed.size();) {
      if (trimmed.compare(i, 3, "#13") == 0) {
        out += "\r\n";
        i += 3;
      } else {
        out += trimmed[i++];
      }
    }
    return out;
  }
  // Writing: CR LF pairs first, then the lone LFs and CRs that remain.
  for (size_t i = 0; i < trimmed.size();) {
    if (trimmed[i] == '\r' && i + 1 < trimmed.size() && trimmed[i + 1] == '\n') {
      out += "#13";
      i += 2;
    } else if (trimmed[i] == '\n' || trimmed[i] == '\r') {
      out += "#13";
      ++i;
    } else {
      out += trimmed[i++];
    }
  }
  return out;
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string> args) {
  return Format(pattern, args.begin(), args.end());
}

std::string FormatText(std::string_view pattern, const std::vector<std::string>& args) {
  return Format(pattern, args.begin(), args.end());
}

}  // namespace ui
