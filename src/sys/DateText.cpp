#include "sys/DateText.h"

#include "sys/Text.h"

namespace sys {
namespace {

// Runs a formatting call twice: once for the size it needs, once into the buffer.
template <typename Call>
std::string Formatted(Call call) {
  const int size = call(nullptr, 0);
  if (size <= 0) return std::string();
  std::wstring text(static_cast<size_t>(size), L'\0');
  const int written = call(text.data(), size);
  if (written <= 0) return std::string();
  text.resize(static_cast<size_t>(written) - 1);  // the count includes the NUL
  return Narrow(text);
}

}  // namespace

std::string LocaleInfoText(LCTYPE type) {
  return Formatted([type](wchar_t* buffer, int size) {
    return GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, size);
  });
}

std::string DateText(const SYSTEMTIME& time, DWORD flags) {
  return Formatted([&time, flags](wchar_t* buffer, int size) {
    return GetDateFormatW(LOCALE_USER_DEFAULT, flags, &time, nullptr, buffer, size);
  });
}

std::string TimeText(const SYSTEMTIME& time, DWORD flags) {
  return Formatted([&time, flags](wchar_t* buffer, int size) {
    return GetTimeFormatW(LOCALE_USER_DEFAULT, flags, &time, nullptr, buffer, size);
  });
}

}  // namespace sys
