// Small text helpers shared by the language and skin tables: trimming, the
// line-break markers of language files, and a formatter that fills the
// placeholders of a translated text without ever trusting it as a printf format.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// Removes leading and trailing characters with codes 0 to 32.
std::string TrimControl(std::string_view text);

enum class LineBreakDirection {
  Reading,  // file -> table: "#13" becomes CR LF
  Writing,  // table -> file: CR LF, then lone LF, then lone CR become "#13"
};
// Trims first (codes 0 to 32), then converts in the given direction.
std::string ConvertLineBreaks(std::string_view text, LineBreakDirection direction);

// Fills the printf-style placeholders of `pattern` from left to right with
// `args`, which the caller has already turned into text. A placeholder is "%"
// with optional flags (-+#0, not a blank), width, precision and length, ending in one of
// "diouxXeEfFgGaAcsp"; flags, width and precision are ignored, since the value
// is text already. "%%" gives "%". A placeholder without a value left stays in
// the text as written; surplus values are dropped; a "%" that starts no
// placeholder is kept literally. No argument is ever read beyond `args`.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string> args);
std::string FormatText(std::string_view pattern, const std::vector<std::string>& args);

}  // namespace ui
