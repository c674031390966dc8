// Dates as the component hands them out: in the user's short date format.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace rostrel {

// The calendar date in the user's short date format; "" for an invalid date.
std::wstring ShortDate(const SYSTEMTIME& date);
// A UTC file time as a local date in the user's short date format; "" for zero.
std::wstring ShortDateOfFileTime(const FILETIME& utc);

// An uninstall entry's InstallDate: "YYYYMMDD", also with "-" or "/" between the
// parts. nullopt when the text is no valid date.
std::optional<SYSTEMTIME> ParseInstallDate(std::wstring_view text);

}  // namespace rostrel
