#include "rostrel/core/RegValues.h"

#include <algorithm>
#include <cstring>

namespace rostrel {
namespace {

std::wstring WideFromBytes(const std::string& bytes) {
  size_t chars = bytes.size() / sizeof(wchar_t);  // an odd last byte is no character
  std::wstring text(chars, L'\0');
  if (chars) std::memcpy(text.data(), bytes.data(), chars * sizeof(wchar_t));
  return text;
}

std::wstring HexBytes(const std::string& bytes) {
  static const wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring text;
  text.reserve(bytes.size() * 3);
  for (size_t i = 0; i < bytes.size(); ++i) {
    auto b = static_cast<unsigned char>(bytes[i]);
    if (i) text += L' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  return text;
}

}  // namespace

LONG ReadAllValues(HKEY key, RegValues& out, FILETIME* lastWrite) {
  out.clear();
  DWORD count = 0, maxName = 0, maxData = 0;
  FILETIME written{};
  LONG rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                             &maxName, &maxData, nullptr, &written);
  if (rc != ERROR_SUCCESS) return rc;
  if (lastWrite) *lastWrite = written;
  out.reserve(count);
  std::wstring name(maxName + 2, L'\0');
  std::string data(maxData + 2, '\0');
  int retries = 0;
  for (DWORD i = 0;;) {
    DWORD nameLen = static_cast<DWORD>(name.size());
    DWORD dataLen = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    rc = RegEnumValueW(key, i, name.data(), &nameLen, nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &dataLen);
    if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (rc == ERROR_MORE_DATA && retries++ < 8) {
      // A value grew since the key was queried: make room and read it again.
      DWORD newName = 0, newData = 0;
      RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &newName,
                       &newData, nullptr, nullptr);
      name.resize(std::max<size_t>(name.size() * 2, newName + 2));
      data.resize(std::max<size_t>(data.size() * 2, newData + 2));
      continue;
    }
    if (rc != ERROR_SUCCESS) return rc;
    RegValue value;
    value.name.assign(name.data(), nameLen);
    value.type = type;
    value.data.assign(data.data(), std::min<size_t>(dataLen, data.size()));
    out.push_back(std::move(value));
    ++i;
  }
}

const RegValue* FindValue(const RegValues& values, std::wstring_view name) {
  for (const auto& value : values) {
    if (CompareStringOrdinal(value.name.data(), static_cast<int>(value.name.size()), name.data(),
                             static_cast<int>(name.size()), TRUE) == CSTR_EQUAL)
      return &value;
  }
  return nullptr;
}

std::optional<std::wstring> StringData(const RegValue& value) {
  if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return std::nullopt;
  std::wstring text = WideFromBytes(value.data);
  if (auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
  return text;
}

std::optional<DWORD> DwordData(const RegValue& value) {
  if (value.type != REG_DWORD || value.data.size() != sizeof(DWORD)) return std::nullopt;
  DWORD number = 0;
  std::memcpy(&number, value.data.data(), sizeof number);
  return number;
}

std::wstring StringOf(const RegValues& values, std::wstring_view name) {
  const RegValue* value = FindValue(values, name);
  if (!value) return std::wstring();
  return StringData(*value).value_or(std::wstring());
}

std::optional<DWORD> DwordOf(const RegValues& values, std::wstring_view name) {
  const RegValue* value = FindValue(values, name);
  if (!value) return std::nullopt;
  return DwordData(*value);
}

std::wstring ValueDataText(const RegValue& value) {
  switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return *StringData(value);
    case REG_MULTI_SZ: {
      std::wstring all = WideFromBytes(value.data);
      std::wstring joined;
      size_t start = 0;
      while (start < all.size()) {
        size_t end = all.find(L'\0', start);
        if (end == std::wstring::npos) end = all.size();
        if (end == start) break;  // the empty string that ends the list
        if (!joined.empty()) joined += L' ';
        joined.append(all, start, end - start);
        start = end + 1;
      }
      return joined;
    }
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
      if (value.data.size() == 4) {
        auto* b = reinterpret_cast<const unsigned char*>(value.data.data());
        unsigned long number =
            value.type == REG_DWORD
                ? b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<unsigned long>(b[3]) << 24)
                : b[3] | (b[2] << 8) | (b[1] << 16) | (static_cast<unsigned long>(b[0]) << 24);
        return std::to_wstring(number);
      }
      break;
    case REG_QWORD:
      if (value.data.size() == 8) {
        unsigned long long number = 0;
        std::memcpy(&number, value.data.data(), sizeof number);
        return std::to_wstring(number);
      }
      break;
    default:
      break;
  }
  return HexBytes(value.data);
}

LONG OpenForReading(HKEY parent, const std::wstring& subKey, REGSAM view, HKEY* out) {
  *out = nullptr;
  return RegOpenKeyExW(parent, subKey.c_str(), 0, KEY_READ | view, out);
}

}  // namespace rostrel
