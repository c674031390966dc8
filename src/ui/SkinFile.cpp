#include "ui/SkinFile.h"

#include <windows.h>

#include "sys/Handles.h"
#include "sys/IniFile.h"

namespace ui {

bool ReadSkinFromFile(TSkinTable& table, const std::string& path) {
  // Held open (and not deletable) while the keys are read; a file that cannot
  // be opened is a read failure.
  sys::UniqueHandle hold(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!hold) return false;
  sys::IniFile ini(path);
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
