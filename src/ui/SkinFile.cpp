#include "ui/SkinFile.h"

#include "sys/IniFile.h"
#include "ui/IniSource.h"

namespace ui {

bool ReadSkinFromFile(TSkinTable& table, const std::string& path) {
  // Held open while the keys are read; a file that cannot be opened is a read failure.
  IniSource ini(path);
  if (!ini.ok()) return false;
  const auto& entries = SkinEntries();
  for (size_t i = 0; i < entries.size(); ++i) {
    auto id = static_cast<SkinId>(i);
    table.setValue(id, ini.readString(entries[i].section, entries[i].key, table.value(id)));
  }
  return true;
}

bool WriteSkinToFile(const TSkinTable& table, const std::string& path) {
  sys::IniFile ini(path);
  const auto& entries = SkinEntries();
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!ini.writeString(entries[i].section, entries[i].key, table.value(static_cast<SkinId>(i))))
      return false;
  }
  return true;
}

}  // namespace ui
