#include "ui/LanguageTable.h"

namespace ui {

const std::array<LanguageEntry, kLanguageEntryCount>& LanguageEntries() {
#define PRUNAXIS_LANG(id, key, text) LanguageEntry{key, key, text, false},
#define PRUNAXIS_LANG_LB(id, key, text) LanguageEntry{key, key, text, true},
#define PRUNAXIS_LANG_AS(id, key, written, text) LanguageEntry{key, written, text, false},
  static constexpr std::array<LanguageEntry, kLanguageEntryCount> kEntries{
      {PRUNAXIS_LANGUAGE_ENTRIES(PRUNAXIS_LANG, PRUNAXIS_LANG_LB, PRUNAXIS_LANG_AS)}};
#undef PRUNAXIS_LANG
#undef PRUNAXIS_LANG_LB
#undef PRUNAXIS_LANG_AS
  return kEntries;
}

void TLanguageTable::resetToDefaults() {
  const auto& entries = LanguageEntries();
  for (std::size_t i = 0; i < entries.size(); ++i) texts_[i] = entries[i].defaultText;
}

TLanguageTable& LanguageTable() {
  static TLanguageTable table;
  return table;
}

}  // namespace ui
