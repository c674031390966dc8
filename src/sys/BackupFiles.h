// Text and file calls that the backup and leftover modules need beside FileOps:
// registry files as the system's editor writes them (UTF-16LE with a byte order
// mark), case-blind comparison and upper-casing over UTF-8, and files that are
// created new and written whole or not at all.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sys {

// The UTF-16LE bytes of `utf8`, after the byte order mark FF FE.
std::string Utf16LeFileBytes(std::string_view utf8);
// A registry file's text as UTF-8: UTF-16LE when it starts with FF FE (an odd last
// byte is dropped), otherwise the ANSI code page of older files.
std::string TextOfRegFile(std::string_view bytes);
// How many UTF-16 units `utf8` takes (columns, as the system's editor counts them).
std::size_t Utf16Length(std::string_view utf8);

// Upper case as the system folds file and key names, not only for ASCII letters.
std::string UpperCase(std::string_view utf8);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// Creates `path` (never replacing a file) and writes `bytes` to it. ERROR_SUCCESS, or
// the error; a file that could not be written whole is removed again.
DWORD WriteNewFile(std::string_view path, std::string_view bytes);
// The last write time of a file; nothing for a folder or when nothing is there.
std::optional<FILETIME> FileLastWriteTime(std::string_view path);

}  // namespace sys
