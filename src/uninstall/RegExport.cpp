#include "uninstall/RegExport.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "sys/BackupFiles.h"
#include "sys/Files.h"
#include "sys/Handles.h"

namespace uninstall {
namespace {

constexpr char kLineBreak[] = "\r\n";
// The editor wraps a hex list once a line reaches this many characters.
constexpr size_t kHexLineLimit = 76;

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

// A line break inside a name would end its line early: no registry file holds it.
bool FileCanHoldName(std::string_view name) {
  return name.find_first_of("\r\n") == std::string_view::npos;
}

// UTF-16 unit `i` of raw string data.
unsigned Unit(const std::string& data, size_t i) {
  return static_cast<unsigned char>(data[2 * i]) |
         (static_cast<unsigned>(static_cast<unsigned char>(data[2 * i + 1])) << 8);
}

// Data that a quoted string gives back exactly on import: whole UTF-16 units ending in
// one terminator, with no NUL, line break or unpaired surrogate before it. Anything
// else is written as hex(1), which restores the bytes as they are.
bool PlainString(const std::string& data) {
  if (data.size() < 2 || data.size() % 2 != 0) return false;
  const size_t units = data.size() / 2;
  if (Unit(data, units - 1) != 0) return false;
  for (size_t i = 0; i + 1 < units; ++i) {
    const unsigned u = Unit(data, i);
    if (u == 0 || u == '\r' || u == '\n') return false;
    if (u >= 0xD800 && u < 0xDC00) {
      if (i + 2 >= units) return false;
      const unsigned low = Unit(data, i + 1);
      if (low < 0xDC00 || low >= 0xE000) return false;
      ++i;
    } else if (u >= 0xDC00 && u < 0xE000) {
      return false;
    }
  }
  return true;
}

std::string HexList(const std::string& prefix, const std::string& data, size_t nameLength) {
  std::string out = prefix;
  size_t column = nameLength + 1 + prefix.size();  // the name, "=" and the prefix
  char byte[4];
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(byte, sizeof(byte), "%02x", static_cast<unsigned char>(data[i]));
    out += byte;
    column += 2;
    if (i + 1 < data.size()) {
      out += ',';
      ++column;
      if (column > kHexLineLimit) {
        out += "\\\r\n  ";
        column = 2;
      }
    }
  }
  return out;
}

std::string KeyLine(const std::string& rootName, const std::string& path) {
  return "[" + rootName + "\\" + path + "]" + kLineBreak;
}

// Appends the key `key` with its values and, below it, every subkey; `shown` is its
// path as the file names it. False when any part of it cannot be read.
bool ExportKey(const sys::RegKey& key, const std::string& rootName, const std::string& shown,
               std::string& out) {
  if (!FileCanHoldName(shown)) return false;
  sys::UniqueKey opened;
  if (key.open(KEY_READ, opened) != ERROR_SUCCESS) return false;
  LONG rc = ERROR_SUCCESS;
  const std::vector<sys::RegValue> values = sys::ReadValues(opened.get(), &rc);
  if (rc != ERROR_SUCCESS) return false;
  out += KeyLine(rootName, shown);
  for (const sys::RegValue& value : values) {
    if (!FileCanHoldName(value.name)) return false;
    out += RegValueLine(value) + kLineBreak;
  }
  out += kLineBreak;
  const std::vector<std::string> subKeys = sys::SubKeyNames(opened.get(), &rc);
  if (rc != ERROR_SUCCESS) return false;
  for (const std::string& sub : subKeys)
    if (!ExportKey(key.child(sub), rootName, shown + "\\" + sub, out)) return false;
  return true;
}

const std::string& ShownPath(const RegExportItem& item) {
  return item.shownPath.empty() ? item.keyPath : item.shownPath;
}

// Appends one value in its key's section. False when it exists and cannot be read.
bool ExportValue(const RegExportItem& item, std::string& out) {
  if (!FileCanHoldName(ShownPath(item)) || !FileCanHoldName(item.valueName)) return false;
  sys::UniqueKey key;
  LONG rc = sys::RegKey(item.root, item.keyPath, item.view).open(KEY_QUERY_VALUE, key);
  if (rc == ERROR_FILE_NOT_FOUND) return true;  // gone with its key: nothing to keep
  if (rc != ERROR_SUCCESS) return false;
  std::optional<sys::RegValue> value = sys::ReadValue(key.get(), item.valueName, &rc);
  if (!value) return rc == ERROR_FILE_NOT_FOUND;
  out += KeyLine(item.rootName, ShownPath(item)) + RegValueLine(*value) + kLineBreak + kLineBreak;
  return true;
}

}  // namespace

std::string RegValueData(DWORD type, const std::string& data, size_t nameLength) {
  if (type == REG_SZ && PlainString(data)) {
    sys::RegValue value;
    value.type = REG_SZ;
    value.data = data;
    return Quoted(value.text());
  }
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

std::string RegValueLine(const sys::RegValue& value) {
  const std::string name = value.name.empty() ? "@" : Quoted(value.name);
  return name + "=" + RegValueData(value.type, value.data, sys::Utf16Length(name));
}

std::optional<std::string> RegExportText(const std::vector<RegExportItem>& items) {
  std::string out = std::string(kRegFileHeader) + kLineBreak + kLineBreak;
  for (const RegExportItem& item : items) {
    if (!item.wholeKey) {
      if (!ExportValue(item, out)) return std::nullopt;
      continue;
    }
    sys::UniqueKey probe;
    const sys::RegKey key(item.root, item.keyPath, item.view);
    LONG rc = key.open(KEY_READ, probe);
    if (rc == ERROR_FILE_NOT_FOUND) continue;  // already gone: nothing to keep
    probe.reset();
    if (!ExportKey(key, item.rootName, ShownPath(item), out)) return std::nullopt;
  }
  return out;
}

std::string SafeFileNamePart(const std::string& programName) {
  std::string safe;
  for (char c : programName)
    safe += std::string_view("\\/:*?\"<>|").find(c) == std::string_view::npos &&
                    static_cast<unsigned char>(c) >= 32
                ? c
                : '_';
  return safe.empty() ? std::string("Registry") : safe;
}

std::string WriteRegBackup(const std::string& folder, const std::string& programName,
                           const std::vector<RegExportItem>& items) {
  if (!sys::ForceDirectories(folder)) return std::string();
  const std::optional<std::string> text = RegExportText(items);
  if (!text) return std::string();
  const std::string bytes = sys::Utf16LeFileBytes(*text);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof(stamp), "%04u%02u%02u_%02u%02u%02u", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond);
  const std::string base =
      sys::IncludeTrailingBackslash(folder) + SafeFileNamePart(programName) + "_" + stamp;
  for (int n = 1; n < 1000; ++n) {
    std::string path = base + (n == 1 ? "" : "_" + std::to_string(n)) + ".reg";
    // Created new: an earlier backup is never overwritten.
    const DWORD rc = sys::WriteNewFile(path, bytes);
    if (rc == ERROR_SUCCESS) return path;
    if (rc != ERROR_FILE_EXISTS && rc != ERROR_ALREADY_EXISTS) return std::string();
  }
  return std::string();
}

}  // namespace uninstall
