// The user's locale settings and date and time formats as UTF-8 text.
#pragma once

#include <windows.h>

#include <string>

namespace sys {

// One LOCALE_ value of the user's default locale ("" when the system has none).
std::string LocaleInfoText(LCTYPE type);
// `time` in the user's date format (`flags`: DATE_SHORTDATE, DATE_LONGDATE, ...).
std::string DateText(const SYSTEMTIME& time, DWORD flags);
// `time` in the user's time format (`flags`: 0 for the long format, TIME_NOSECONDS...).
std::string TimeText(const SYSTEMTIME& time, DWORD flags);

}  // namespace sys
