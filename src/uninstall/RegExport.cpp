#include "uninstall/RegExport.h"

#include <cstdio>
#include <cstring>

#include "sys/Files.h"
#include "sys/Handles.h"

namespace uninstall {
namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

// Text that a quoted REGEDIT4 string can carry: no line breaks, no NULs inside.
bool PlainString(const std::string& data) {
  if (data.empty() || data.back() != '\0') return false;
  for (size_t i = 0; i + 1 < data.size(); ++i)
    if (data[i] == '\0' || data[i] == '\r' || data[i] == '\n') return false;
  return true;
}

std::string HexList(const std::string& prefix, const std::string& data, size_t nameLength) {
  std::string out = prefix;
  size_t column = nameLength + 1 + prefix.size();
  char byte[4];
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(byte, sizeof(byte), "%02x", static_cast<unsigned char>(data[i]));
    out += byte;
    column += 2;
    if (i + 1 < data.size()) {
      out += ',';
      ++column;
      if (column > 76) {
        out += "\\\r\n  ";
        column = 2;
      }
    }
  }
  return out;
}

struct Value {
  std::string name;
  DWORD type = REG_NONE;
  std::string data;
};

bool ReadValue(HKEY key, const std::string& name, Value& out) {
  DWORD type = 0, size = 0;
  const char* n = name.empty() ? nullptr : name.c_str();
  if (RegQueryValueExA(key, n, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  std::string data(size, '\0');
  if (RegQueryValueExA(key, n, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return false;
  data.resize(size);
  out = {name, type, std::move(data)};
  return true;
}

std::string ValueLine(const Value& value) {
  std::string name = value.name.empty() ? "@" : Quoted(value.name);
  return name + "=" + RegValueData(value.type, value.data, name.size()) + "\r\n";
}

std::vector<std::string> ValueNamesOf(HKEY key) {
  std::vector<std::string> names;
  std::string name(16384, '\0');
  for (DWORD i = 0;; ++i) {
    DWORD len = static_cast<DWORD>(name.size());
    if (RegEnumValueA(key, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    names.emplace_back(name.data(), len);
  }
  return names;
}

std::vector<std::string> SubKeysOf(HKEY key) {
  std::vector<std::string> names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof(name);
    if (RegEnumKeyExA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(name, len);
  }
  return names;
}

void ExportKey(HKEY root, const std::string& rootName, const std::string& path, std::string& out) {
  sys::UniqueKey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
  out += "[" + rootName + "\\" + path + "]\r\n";
  for (const std::string& name : ValueNamesOf(key.get())) {
    Value value;
    if (ReadValue(key.get(), name, value)) out += ValueLine(value);
  }
  out += "\r\n";
  for (const std::string& sub : SubKeysOf(key.get()))
    ExportKey(root, rootName, path + "\\" + sub, out);
}

}  // namespace

std::string RegValueData(DWORD type, const std::string& data, size_t nameLength) {
  if (type == REG_SZ && PlainString(data)) return Quoted(data.substr(0, data.size() - 1));
  if (type == REG_DWORD && data.size() == 4) {
    DWORD number = 0;
    memcpy(&number, data.data(), 4);
    char text[16];
    std::snprintf(text, sizeof(text), "dword:%08lx", static_cast<unsigned long>(number));
    return text;
  }
  if (type == REG_BINARY) return HexList("hex:", data, nameLength);
  char prefix[24];
  std::snprintf(prefix, sizeof(prefix), "hex(%lx):", static_cast<unsigned long>(type));
  return HexList(prefix, data, nameLength);
}

std::string RegExportText(const std::vector<RegExportItem>& items) {
  std::string out = "REGEDIT4\r\n\r\n";
  for (const RegExportItem& item : items) {
    if (item.wholeKey) {
      ExportKey(item.root, item.rootName, item.keyPath, out);
      continue;
    }
    sys::UniqueKey key;
    if (RegOpenKeyExA(item.root, item.keyPath.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
      continue;
    Value value;
    if (!ReadValue(key.get(), item.valueName, value)) continue;
    out += "[" + item.rootName + "\\" + item.keyPath + "]\r\n" + ValueLine(value) + "\r\n";
  }
  return out;
}

std::string WriteRegBackup(const std::string& folder, const std::string& programName,
                           const std::vector<RegExportItem>& items) {
  if (!sys::ForceDirectories(folder)) return std::string();
  std::string safe;
  for (char c : programName)
    safe += std::string("\\/:*?\"<>|").find(c) == std::string::npos &&
                    static_cast<unsigned char>(c) >= 32
                ? c
                : '_';
  if (safe.empty()) safe = "Registry";
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof(stamp), "%04u%02u%02u_%02u%02u%02u", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond);
  const std::string base = sys::IncludeTrailingBackslash(folder) + safe + "_" + stamp;
  const std::string text = RegExportText(items);
  for (int n = 1; n < 1000; ++n) {
    std::string path = base + (n == 1 ? "" : "_" + std::to_string(n)) + ".reg";
    // CREATE_NEW: an earlier backup is never overwritten.
    sys::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS) continue;
      return std::string();
    }
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size()) {
      file.reset();
      DeleteFileA(path.c_str());
      return std::string();
    }
    return path;
  }
  return std::string();
}

}  // namespace uninstall
