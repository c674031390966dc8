// The program keeps text as UTF-8 in std::string; the system speaks UTF-16. These
// convert at the boundary, and only code in sys/ and toolkit/ calls them.
//
// The conversion is exact both ways for everything the system can hold: a UTF-16
// string with an unpaired surrogate (which file and registry names may carry) is
// kept as the surrogate's own three-byte sequence, so that a name read, shown and
// handed back reaches the same object.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace sys {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// A NUL-terminated wide string (nullptr reads as empty).
std::string NarrowZ(const wchar_t* wide);

// Text in the ANSI code page, for files whose stored format is ANSI.
std::string Utf8FromAnsi(std::string_view ansi);
// `utf8` in the ANSI code page; false (and "?" for what is missing) when the code
// page cannot hold every character.
bool AnsiFromUtf8(std::string_view utf8, std::string& out);

// Null-terminated wide copy for a call that takes LPCWSTR, kept alive by the caller.
class WideArg {
 public:
  explicit WideArg(std::string_view utf8) : text_(Widen(utf8)) {}
  const wchar_t* c_str() const { return text_.c_str(); }
  operator const wchar_t*() const { return text_.c_str(); }

 private:
  std::wstring text_;
};

}  // namespace sys
