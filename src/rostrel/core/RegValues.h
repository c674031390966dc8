// The values of one registry key, read in one pass with their raw data, and the
// texts the component makes of them. The component speaks UTF-16, so keys are
// read through the wide registry API.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rostrel {

struct RegValue {
  std::wstring name;
  DWORD type = REG_NONE;
  std::string data;  // the bytes as stored, never assumed to be terminated
};
using RegValues = std::vector<RegValue>;

// Reads every value of `key`. `lastWrite` (optional) receives the key's last write
// time. Returns a Win32 error code; on failure `out` holds what was read so far.
LONG ReadAllValues(HKEY key, RegValues& out, FILETIME* lastWrite = nullptr);

// The value called `name`, ignoring case, or nullptr.
const RegValue* FindValue(const RegValues& values, std::wstring_view name);

// REG_SZ and REG_EXPAND_SZ data as stored (unexpanded), up to the first NUL or the
// data's end; nullopt for other types.
std::optional<std::wstring> StringData(const RegValue& value);
// REG_DWORD data of exactly four bytes; nullopt otherwise.
std::optional<DWORD> DwordData(const RegValue& value);

// Convenience lookups: the string (or "" when missing or of another type), the DWORD.
std::wstring StringOf(const RegValues& values, std::wstring_view name);
std::optional<DWORD> DwordOf(const RegValues& values, std::wstring_view name);

// The data as one line of text: strings as stored, numbers in decimal, multi-strings
// joined by blanks, anything else (binary, odd sizes, unknown types) as hex bytes
// "0a 1b 2c".
std::wstring ValueDataText(const RegValue& value);

// Opens `subKey` of `parent` for reading in the view that `view` selects
// (KEY_WOW64_64KEY, KEY_WOW64_32KEY or 0). Returns a Win32 error code.
LONG OpenForReading(HKEY parent, const std::wstring& subKey, REGSAM view, HKEY* out);

}  // namespace rostrel
