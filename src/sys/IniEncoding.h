// The encodings an INI file may be stored in, and the one change of encoding the
// program makes: an ANSI file that must hold text outside the ANSI code page is
// rewritten as UTF-16LE, which the profile functions then keep.
#pragma once

#include <string>
#include <string_view>

namespace sys {

enum class TextEncoding {
  Ansi,     // no byte-order mark: the ANSI code page, as files always were
  Utf8,     // EF BB BF
  Utf16Le,  // FF FE
};

// By the byte-order mark at the start of `bytes`.
TextEncoding DetectTextEncoding(std::string_view bytes);
// `bytes` without its byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view bytes);

// Rewrites the INI file `path` as UTF-16LE with a byte-order mark, the text kept
// character for character (an ANSI file is decoded through the ANSI code page, a
// UTF-8 one as UTF-8); a missing file is created empty in that form. True when the
// file is UTF-16LE afterwards, also when it already was.
bool ConvertIniToUtf16(const std::string& path);

}  // namespace sys
