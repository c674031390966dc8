// Reading and writing the language table from and to a language file: an INI
// file with one section "Language", one key per entry, stored in the ANSI code page
// (as the template is written) or in UTF-16LE or UTF-8 with a byte-order mark.
#pragma once

#include <string>

#include "ui/LanguageTable.h"

namespace ui {

constexpr char kLanguageSection[] = "Language";
// An optional key beside the table's: the language's own name for the Languages
// menu ("Русский" in Russian.ini), for a file whose name the user's system may
// not be able to spell. Not part of the table, so the template never has it.
constexpr char kLanguageNameKey[] = "LanguageName";

// Reads every entry of `table` from `path` in table order, each with its current
// text as the default; line-break entries are converted. False (with the
// entries not yet read left as they were) when the file cannot be read.
bool ReadLanguageFromFile(TLanguageTable& table, const std::string& path);

// Writes every entry's current text into `path` in table order, line-break
// entries with "#13" markers. Stops and returns false at the first failed write.
bool WriteLanguageToFile(const TLanguageTable& table, const std::string& path);

// The LanguageName of the file at `path`, trimmed; "" when it has none or cannot be read.
std::string ReadLanguageName(const std::string& path);

}  // namespace ui
