// The process-wide skin table: the bounds and picture names of the main window's
// controls (and a few of other windows) and the colours of its texts, by their SK_
// key, with built-in defaults.
// Loading, writing and applying live in multiSkins.h.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "ui/SkinEntries.h"

namespace ui {

constexpr char kMainForm[] = "MainForm";
constexpr char kRegistryForm[] = "RegistryForm";
// The text colours of the main window's controls (SkinColours.h).
constexpr char kColors[] = "Colors";

// The entries' ids, in file order; kSkinEntryCount ends the list.
enum SkinId : int {
#define PRUNAXIS_SKIN_ID(id, ...) id,
  PRUNAXIS_SKIN_ENTRIES(PRUNAXIS_SKIN_ID)
#undef PRUNAXIS_SKIN_ID
      kSkinEntryCount
};

struct SkinEntry {
  const char* key;
  const char* section;
  const char* defaultValue;
};

// The built-in entries in file order.
const std::array<SkinEntry, kSkinEntryCount>& SkinEntries();

class TSkinTable {
 public:
  TSkinTable() { resetToDefaults(); }

  const std::string& value(SkinId id) const { return values_[Index(id)]; }
  void setValue(SkinId id, std::string value) { values_[Index(id)] = std::move(value); }
  void resetToDefaults();

 private:
  static std::size_t Index(SkinId id) {
    return static_cast<std::size_t>(id) < kSkinEntryCount ? static_cast<std::size_t>(id) : 0;
  }
  std::array<std::string, kSkinEntryCount> values_;
};

// The one table of the process.
TSkinTable& SkinTable();

inline const std::string& SkinValue(SkinId id) {
  return SkinTable().value(id);
}

// Built-in values that no skin key carries: the main window's title picture.
constexpr char kTitleBounds[] = "351, 81, 287, 17";
constexpr char kTitlePicture[] = "Title.png";

}  // namespace ui
