#include "ui/IniSource.h"

#include "sys/IniEncoding.h"

namespace ui {

IniSource::IniSource(const std::string& path) : hold_(path), profile_(path) {
  std::string bytes;
  if (!hold_ || !hold_.readAll(bytes)) return;
  if (sys::DetectTextEncoding(bytes) == sys::TextEncoding::Utf8)
    utf8_.emplace(sys::WithoutByteOrderMark(bytes));
  ok_ = true;
}

std::string IniSource::readString(std::string_view section, std::string_view key,
                                  std::string_view fallback) const {
  if (!utf8_) return profile_.readString(section, key, fallback);
  std::optional<std::string> value = utf8_->find(section, key);
  return value ? *value : std::string(fallback);
}

}  // namespace ui
