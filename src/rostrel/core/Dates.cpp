#include "rostrel/core/Dates.h"

namespace rostrel {
namespace {

bool ReadNumber(std::wstring_view text, size_t& pos, size_t digits, WORD& out) {
  if (pos + digits > text.size()) return false;
  unsigned value = 0;
  for (size_t i = 0; i < digits; ++i) {
    wchar_t c = text[pos + i];
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + (c - L'0');
  }
  pos += digits;
  out = static_cast<WORD>(value);
  return true;
}

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::wstring ShortDate(const SYSTEMTIME& date) {
  wchar_t buffer[128];
  int len = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer,
                           static_cast<int>(std::size(buffer)));
  if (len <= 0) return std::wstring();
  return std::wstring(buffer, len - 1);
}

std::wstring ShortDateOfFileTime(const FILETIME& utc) {
  if (utc.dwLowDateTime == 0 && utc.dwHighDateTime == 0) return std::wstring();
  SYSTEMTIME universal, local;
  if (!FileTimeToSystemTime(&utc, &universal)) return std::wstring();
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) local = universal;
  return ShortDate(local);
}

std::optional<SYSTEMTIME> ParseInstallDate(std::wstring_view text) {
  text = Trimmed(text);
  SYSTEMTIME date{};
  size_t pos = 0;
  if (!ReadNumber(text, pos, 4, date.wYear)) return std::nullopt;
  wchar_t separator = pos < text.size() ? text[pos] : L'\0';
  bool separated = separator == L'-' || separator == L'/';
  if (separated) ++pos;
  if (!ReadNumber(text, pos, 2, date.wMonth)) return std::nullopt;
  if (separated) {
    if (pos >= text.size() || text[pos] != separator) return std::nullopt;
    ++pos;
  }
  if (!ReadNumber(text, pos, 2, date.wDay) || pos != text.size()) return std::nullopt;
  static constexpr WORD kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (date.wYear < 1601 || date.wMonth < 1 || date.wMonth > 12 || date.wDay < 1)
    return std::nullopt;
  bool leap = (date.wYear % 4 == 0 && date.wYear % 100 != 0) || date.wYear % 400 == 0;
  WORD days = kDays[date.wMonth - 1] + (date.wMonth == 2 && leap ? 1 : 0);
  if (date.wDay > days) return std::nullopt;
  return date;
}

}  // namespace rostrel
