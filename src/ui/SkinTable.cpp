#include "ui/SkinTable.h"

namespace ui {

const std::array<SkinEntry, kSkinEntryCount>& SkinEntries() {
#define PRUNAXIS_SKIN(id, section, value, target) SkinEntry{#id, section, value},
  static constexpr std::array<SkinEntry, kSkinEntryCount> kEntries{
      {PRUNAXIS_SKIN_ENTRIES(PRUNAXIS_SKIN)}};
#undef PRUNAXIS_SKIN
  return kEntries;
}

void TSkinTable::resetToDefaults() {
  const auto& entries = SkinEntries();
  for (std::size_t i = 0; i < entries.size(); ++i) values_[i] = entries[i].defaultValue;
}

TSkinTable& SkinTable() {
  static TSkinTable table;
  return table;
}

}  // namespace ui
