// Reading and writing the language table from and to a language file: an INI
// file with one section "Language", one key per entry.
#pragma once

#include <string>

#include "ui/LanguageTable.h"

namespace ui {

constexpr char kLanguageSection[] = "Language";

// Reads every entry of `table` from `path` in table order, each with its current
// text as the default; line-break entries are converted. False (with the
// entries not yet read left as they were) when the file cannot be read.
bool ReadLanguageFromFile(TLanguageTable& table, const std::string& path);

// Writes every entry's current text into `path` in table order, line-break
// entries with "#13" markers. Stops and returns false at the first failed write.
bool WriteLanguageToFile(const TLanguageTable& table, const std::string& path);

}  // namespace ui
