// The version texts of an executable or library file, read through the Windows
// version API (its wide form, so every text arrives whole as UTF-8). Stateless: every call loads
// the file's resource afresh.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace startup {

// Filled by ReadFileInfo; the caller owns it and hands it in empty.
struct TFileInfo {
  std::string CompanyName;
  std::string FileDescription;
  std::string FileVersion;
  std::string InternalName;
  std::string LegalCopyright;
  std::string LegalTrademarks;
  std::string OriginalFileName;
  std::string ProductName;
  std::string ProductVersion;
  std::string Comments;
  VS_FIXEDFILEINFO FixedInfo{};
  std::string ExtraValue;
};

// Reads the version resource of `fileName` (used as given: no quotes stripped, no
// search path). `extraKey`, when not empty, names one more string entry that goes
// into ExtraValue.
//
// True when the file carries a sound version resource; the strings come from the
// first language/code-page pair of its translation list, and a resource without
// that list gives true with empty texts. False, with `info` untouched, when the
// file is missing, unreadable, has no version resource or a malformed one.
bool ReadFileInfo(const std::string& fileName, TFileInfo& info, const std::string& extraKey);

// True when the version block that the version API loaded into `data` (`size`
// bytes, the size it asked for) nests soundly: every block, key, value and child the
// API may walk lies inside the resource, and the room the API needs for its
// converted copies of the texts lies inside the buffer. Blocks that fail this are
// never queried.
bool IsSoundVersionBlock(const void* data, std::size_t size);

// "\StringFileInfo\040904B0\" for language 0x0409 and code page 0x04B0.
std::string StringTablePrefix(WORD language, WORD codePage);

}  // namespace startup
