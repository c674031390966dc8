// Icons as indexes into the shell's system image list (shared by its small and
// large lists), the way list views of files show them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace rostrel {

struct IconLocation {
  std::wstring path;
  int index = 0;  // ExtractIcon's meaning: >= 0 a position, < 0 a resource id
};

// A DisplayIcon value: an optionally quoted path, optionally followed by ",index";
// environment variables expanded. nullopt for an empty text.
std::optional<IconLocation> ParseIconLocation(std::wstring_view text);

// Expands %VARIABLES%; the text itself when nothing needs expanding.
std::wstring ExpandEnvironment(const std::wstring& text);

// The program file that a command line starts: the quoted part when it begins with
// a quote, else the shortest prefix ending at a blank that names an existing file
// (bare names are looked up along the search path, ".exe" added). "" when none.
std::wstring CommandFile(std::wstring_view commandLine);

// System image list indexes, each icon source looked up once. The program list
// keeps one cache for all its loadings: an icon file that did not change keeps its
// index, and every look-up costs the shell a read of the file.
class IconCache {
 public:
  // The index of the icon at `location`; nullopt when the file has no such icon.
  std::optional<int> indexOf(const IconLocation& location);
  // The shell's icon for applications in general.
  int generic();
  // Forgets the sources that had no icon: a program installed since may have
  // brought the file.
  void forgetMisses();

 private:
  std::map<std::wstring, std::optional<int>> known_;
  std::optional<int> generic_;
};

}  // namespace rostrel
