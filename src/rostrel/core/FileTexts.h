// Texts that a program file carries in its resources.
#pragma once

#include <string>

namespace rostrel {

struct FileTexts {
  std::wstring title;        // string resource 1 (a screen saver's name)
  std::wstring description;  // version resource: FileDescription
  std::wstring company;      // version resource: CompanyName
  std::wstring version;      // version resource: FileVersion
};

// Reads the texts of `path` without running any of its code. Missing parts stay "".
FileTexts ReadFileTexts(const std::wstring& path);

}  // namespace rostrel
