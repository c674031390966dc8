#include "ui/LanguageFile.h"

#include "sys/IniFile.h"
#include "ui/IniSource.h"
#include "ui/TextFormat.h"

namespace ui {

bool ReadLanguageFromFile(TLanguageTable& table, const std::string& path) {
  // Held open while the keys are read; a file that cannot be opened is a read failure.
  IniSource ini(path);
  if (!ini.ok()) return false;
  const auto& entries = LanguageEntries();
  for (size_t i = 0; i < entries.size(); ++i) {
    auto id = static_cast<LangId>(i);
    std::string text = ini.readString(kLanguageSection, entries[i].key, table.text(id));
    if (entries[i].lineBreaks) text = ConvertLineBreaks(text, LineBreakDirection::Reading);
    table.setText(id, std::move(text));
  }
  return true;
}

bool WriteLanguageToFile(const TLanguageTable& table, const std::string& path) {
  sys::IniFile ini(path);
  const auto& entries = LanguageEntries();
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string& text = table.text(static_cast<LangId>(i));
    bool ok = entries[i].lineBreaks
                  ? ini.writeString(kLanguageSection, entries[i].writtenKey,
                                    ConvertLineBreaks(text, LineBreakDirection::Writing))
                  : ini.writeString(kLanguageSection, entries[i].writtenKey, text);
    if (!ok) return false;
  }
  return true;
}

std::string ReadLanguageName(const std::string& path) {
  IniSource ini(path);
  if (!ini.ok()) return std::string();
  return TrimControl(ini.readString(kLanguageSection, kLanguageNameKey, ""));
}

}  // namespace ui
