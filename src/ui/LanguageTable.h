// The process-wide language table: every user-visible text by its IDS_ key,
// with a built-in English default and the current text that the language file
// supplied. The loading, writing and menu logic lives in multiLangs.h.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "ui/LanguageEntries.h"

namespace ui {

// The entries' ids, in file order; kLanguageEntryCount ends the list.
enum LangId : int {
#define PRUNAXIS_LANG_ID(id, ...) id,
  PRUNAXIS_LANGUAGE_ENTRIES(PRUNAXIS_LANG_ID, PRUNAXIS_LANG_ID, PRUNAXIS_LANG_ID)
#undef PRUNAXIS_LANG_ID
      kLanguageEntryCount
};

struct LanguageEntry {
  const char* key;         // as read, trailing blanks included
  const char* writtenKey;  // as the template writes it (the same but for one entry)
  const char* defaultText;
  bool lineBreaks;  // "#13" in the file stands for a line break
};

// The built-in entries in file order.
const std::array<LanguageEntry, kLanguageEntryCount>& LanguageEntries();

class TLanguageTable {
 public:
  TLanguageTable() { resetToDefaults(); }

  const std::string& text(LangId id) const { return texts_[Index(id)]; }
  void setText(LangId id, std::string text) { texts_[Index(id)] = std::move(text); }
  void resetToDefaults();

 private:
  static std::size_t Index(LangId id) {
    return static_cast<std::size_t>(id) < kLanguageEntryCount ? static_cast<std::size_t>(id) : 0;
  }
  std::array<std::string, kLanguageEntryCount> texts_;
};

// The one table of the process, used by every window on the GUI thread.
TLanguageTable& LanguageTable();

// Shorthand for the current text of an entry.
inline const std::string& LangText(LangId id) {
  return LanguageTable().text(id);
}

}  // namespace ui
