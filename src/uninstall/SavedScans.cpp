#include "uninstall/SavedScans.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>

#include "sys/BackupFiles.h"
#include "sys/DateText.h"
#include "sys/FileOps.h"
#include "sys/Files.h"
#include "sys/IniEncoding.h"
#include "sys/IniFile.h"
#include "uninstall/WaitingThread.h"

namespace uninstall {
namespace {

constexpr char kSection[] = "Scan";
constexpr char kFormat[] = "1";
constexpr char kExtension[] = ".ini";
constexpr char kTempExtension[] = ".tmp";
// Long enough to read at a glance, short enough for deep settings folders.
constexpr size_t kMaxRecordName = 120;
// A record is a few hundred bytes; anything far larger is no record, and the profile
// functions would only spend time on it.
constexpr ULONGLONG kMaxRecordBytes = 256 * 1024;
// Characters a file name keeps as they are; everything else is written as %XX.
constexpr char kPlainNameChars[] = " -_.()[]{}+,;=!#$&'@~^`";

const char* RootTag(HKEY root) {
  if (root == HKEY_LOCAL_MACHINE) return "HKLM";
  if (root == HKEY_CURRENT_USER) return "HKCU";
  return nullptr;
}

const char* ViewTag(sys::RegView view) {
  switch (view) {
    case sys::RegView::Wow32:
      return "32";
    case sys::RegView::Wow64:
      return "64";
    case sys::RegView::Default:
      break;
  }
  return "";
}

const char* ViewName(sys::RegView view) {
  switch (view) {
    case sys::RegView::Wow32:
      return "Wow32";
    case sys::RegView::Wow64:
      return "Wow64";
    case sys::RegView::Default:
      break;
  }
  return "Default";
}

std::optional<sys::RegView> ViewOfName(std::string_view name) {
  if (name == "Default") return sys::RegView::Default;
  if (name == "Wow32") return sys::RegView::Wow32;
  if (name == "Wow64") return sys::RegView::Wow64;
  return std::nullopt;
}

std::optional<HKEY> RootOfName(std::string_view name) {
  if (name == "HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
  if (name == "HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
  return std::nullopt;
}

// The entry a record stands for: place and key name, case folded as the registry
// folds it.
std::string Identity(const UninstallTarget& target) {
  const char* root = RootTag(target.entryRoot);
  return std::string(root ? root : "?") + ViewTag(target.entryView) + "\\" +
         sys::UpperCase(target.keyName);
}

uint64_t Fnv1a(std::string_view text) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

char HexDigit(unsigned value) {
  return "0123456789ABCDEF"[value & 15];
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsContinuationByte(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

std::string TimeStamp(const SYSTEMTIME& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", t.wYear, t.wMonth, t.wDay,
                t.wHour, t.wMinute, t.wSecond);
  return text;
}

// "YYYY-MM-DDTHH:MM:SSZ", a real moment; nothing else.
std::optional<SYSTEMTIME> ParseTimeStamp(std::string_view text) {
  static constexpr char kShape[] = "####-##-##T##:##:##Z";
  if (text.size() != std::strlen(kShape)) return std::nullopt;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == '#' ? !digit : text[i] != kShape[i]) return std::nullopt;
  }
  auto number = [&text](size_t at, size_t length) {
    WORD value = 0;
    for (size_t i = at; i < at + length; ++i) value = static_cast<WORD>(value * 10 + text[i] - '0');
    return value;
  };
  SYSTEMTIME t{};
  t.wYear = number(0, 4);
  t.wMonth = number(5, 2);
  t.wDay = number(8, 2);
  t.wHour = number(11, 2);
  t.wMinute = number(14, 2);
  t.wSecond = number(17, 2);
  FILETIME check{};
  if (!SystemTimeToFileTime(&t, &check)) return std::nullopt;
  // Back from the file time: the day of the week filled in, the fields checked.
  SYSTEMTIME whole{};
  if (!FileTimeToSystemTime(&check, &whole)) return std::nullopt;
  return whole;
}

ULONGLONG Ticks(const SYSTEMTIME& t) {
  FILETIME time{};
  if (!SystemTimeToFileTime(&t, &time)) return 0;
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool WriteRecord(sys::IniFile& ini, const UninstallTarget& target, const SYSTEMTIME& savedUtc) {
  auto put = [&ini](const char* key, std::string_view value) {
    return ini.writeString(kSection, key, EscapeRecordValue(value));
  };
  bool ok = put("Format", kFormat);
  ok = ok && put("Saved", TimeStamp(savedUtc));
  ok = ok && put("Root", sys::RootKeyName(target.entryRoot));
  ok = ok && put("View", ViewName(target.entryView));
  ok = ok && put("KeyName", target.keyName);
  ok = ok && put("DisplayName", target.displayName);
  ok = ok && put("Publisher", target.publisher);
  ok = ok && put("InstallDir", target.installDir);
  ok = ok && put("DisplayIcon", target.displayIcon);
  ok = ok && put("UninstallString", target.uninstallString);
  ok = ok && put("ProductCode", target.productCode);
  ok = ok && put("Uninstalled", target.uninstalled ? "1" : "0");
  ok = ok && put("Executables", std::to_string(target.executables.size()));
  for (size_t i = 0; ok && i < target.executables.size(); ++i)
    ok = put(("Executable" + std::to_string(i + 1)).c_str(), target.executables[i]);
  return ok;
}

std::optional<SavedScan> ReadRecord(const std::string& path) {
  const sys::IniFile ini(path);
  auto get = [&ini](std::string_view key) {
    return UnescapeRecordValue(ini.readString(kSection, key, ""));
  };
  if (get("Format") != kFormat) return std::nullopt;
  const std::optional<SYSTEMTIME> saved = ParseTimeStamp(get("Saved"));
  const std::optional<HKEY> root = RootOfName(get("Root"));
  const std::optional<sys::RegView> view = ViewOfName(get("View"));
  SavedScan scan;
  UninstallTarget& t = scan.target;
  t.keyName = get("KeyName");
  // A key name never holds a backslash: such a record would name another key.
  if (!saved || !root || !view || t.keyName.empty() || t.keyName.find('\\') != std::string::npos)
    return std::nullopt;
  scan.savedUtc = *saved;
  t.entryRoot = *root;
  t.entryView = *view;
  t.displayName = get("DisplayName");
  t.publisher = get("Publisher");
  t.installDir = get("InstallDir");
  t.displayIcon = get("DisplayIcon");
  t.uninstallString = get("UninstallString");
  t.productCode = get("ProductCode");
  t.uninstalled = get("Uninstalled") != "0";
  // The count as written, but never more than the keys the section really has.
  const int count = ini.readInteger(kSection, "Executables", 0);
  const size_t keys = ini.sectionKeys(kSection).size();
  for (size_t i = 1; count > 0 && i <= static_cast<size_t>(count) && i <= keys; ++i) {
    std::string name = get("Executable" + std::to_string(i));
    if (!name.empty()) t.executables.push_back(std::move(name));
  }
  scan.files.push_back(path);
  return scan;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  for (size_t i = 0; i < end.size(); ++i) {
    char c = text[text.size() - end.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != end[i]) return false;
  }
  return true;
}

}  // namespace

std::string EscapeRecordValue(std::string_view text) {
  // The first and the last character, whole, are escaped when the profile functions
  // could take them for blanks to trim (spaces, and non-ASCII spaces among the
  // non-ASCII characters).
  size_t headEnd = 0;
  if (!text.empty()) {
    headEnd = 1;
    while (headEnd < text.size() && IsContinuationByte(static_cast<unsigned char>(text[headEnd])))
      ++headEnd;
  }
  size_t tailStart = text.size();
  while (tailStart > 0) {
    --tailStart;
    if (!IsContinuationByte(static_cast<unsigned char>(text[tailStart]))) break;
  }
  std::string out;
  out.reserve(text.size() + 8);
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const bool atEnd = i < headEnd || i >= tailStart;
    switch (c) {
      case '\\':
        out += "\\\\";
        continue;
      case '\r':
        out += "\\r";
        continue;
      case '\n':
        out += "\\n";
        continue;
      case '\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    if (c < 0x20 || c == 0x7F || c == '"' || c == '\'' || (atEnd && (c == ' ' || c >= 0x80))) {
      out += "\\x";
      out += HexDigit(c >> 4);
      out += HexDigit(c);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string UnescapeRecordValue(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 >= text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[i + 1];
    if (next == '\\' || next == 'r' || next == 'n' || next == 't') {
      out += next == '\\' ? '\\' : next == 'r' ? '\r' : next == 'n' ? '\n' : '\t';
      ++i;
    } else if (next == 'x' && i + 3 < text.size() && HexValue(text[i + 2]) >= 0 &&
               HexValue(text[i + 3]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string SavedScanFileName(const UninstallTarget& target, size_t maxChars) {
  maxChars = std::max(maxChars, kMinRecordNameChars);
  const char* root = RootTag(target.entryRoot);
  const std::string prefix = std::string(root ? root : "XX") + ViewTag(target.entryView) + "_";
  const std::string folded = sys::UpperCase(target.keyName);
  std::string encoded;
  for (unsigned char c : folded) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       (c != 0 && std::strchr(kPlainNameChars, c));
    if (plain) {
      encoded += static_cast<char>(c);
    } else {
      encoded += '%';
      encoded += HexDigit(c >> 4);
      encoded += HexDigit(c);
    }
  }
  const size_t fixed = prefix.size() + std::strlen(kExtension);
  if (fixed + encoded.size() <= maxChars) return prefix + encoded + kExtension;
  // Too long: the start of the name, and a hash of all of it to keep names apart.
  char hash[20];
  std::snprintf(hash, sizeof hash, "~%016llX",
                static_cast<unsigned long long>(Fnv1a(Identity(target))));
  size_t keep = maxChars - fixed - std::strlen(hash);
  // Never half of a %XX.
  if (keep >= 1 && encoded[keep - 1] == '%')
    keep -= 1;
  else if (keep >= 2 && encoded[keep - 2] == '%')
    keep -= 2;
  return prefix + encoded.substr(0, keep) + hash + kExtension;
}

bool SaveScanInputs(const std::string& folder, const UninstallTarget& target,
                    const SYSTEMTIME& savedUtc) noexcept {
  try {
    if (folder.empty() || target.keyName.empty() || !RootTag(target.entryRoot)) return false;
    const std::string dir = sys::IncludeTrailingBackslash(folder);
    if (dir.size() + kMinRecordNameChars >= MAX_PATH) return false;
    if (!sys::ForceDirectories(dir)) return false;
    const size_t room = std::min<size_t>(kMaxRecordName, MAX_PATH - 1 - dir.size());
    const std::string name = SavedScanFileName(target, room);
    const std::string path = dir + name;
    // Written whole under another name first: a record is never half there.
    const std::string temp = path.substr(0, path.size() - std::strlen(kExtension)) + kTempExtension;
    sys::DeleteFileExact(temp);  // what an interrupted save left
    // UTF-16 from the start, so that names in any script are kept as they are.
    sys::IniFile ini(temp);
    if (!sys::ConvertIniToUtf16(temp) || !WriteRecord(ini, target, savedUtc)) {
      sys::DeleteFileExact(temp);
      return false;
    }
    if ((sys::PathExists(path) && !sys::DeleteFileExact(path)) || !sys::MoveFileExact(temp, path)) {
      sys::DeleteFileExact(temp);
      return false;
    }
    return true;
  } catch (...) {
    return false;
  }
}

bool SaveScanInputs(const std::string& folder, const UninstallTarget& target) noexcept {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  now.wMilliseconds = 0;
  return SaveScanInputs(folder, target, now);
}

std::vector<SavedScan> LoadSavedScans(const std::string& folder) noexcept {
  std::vector<SavedScan> scans;
  try {
    if (folder.empty()) return scans;
    const std::string dir = sys::IncludeTrailingBackslash(folder);
    std::map<std::string, size_t> byIdentity;
    for (const sys::FolderEntry& entry : sys::ListFolder(dir)) {
      if (entry.isFolder() || entry.isLink() || entry.size > kMaxRecordBytes ||
          !EndsWithIgnoringCase(entry.name, kExtension))
        continue;
      std::optional<SavedScan> scan = ReadRecord(dir + entry.name);
      if (!scan) continue;
      const std::string identity = Identity(scan->target);
      const auto known = byIdentity.find(identity);
      if (known == byIdentity.end()) {
        byIdentity.emplace(identity, scans.size());
        scans.push_back(std::move(*scan));
        continue;
      }
      // A copy of the same program's record: the newest speaks, all are its files.
      SavedScan& kept = scans[known->second];
      if (Ticks(scan->savedUtc) > Ticks(kept.savedUtc)) {
        for (std::string& file : kept.files) scan->files.push_back(std::move(file));
        kept = std::move(*scan);
      } else {
        kept.files.push_back(std::move(scan->files.front()));
      }
    }
    std::stable_sort(scans.begin(), scans.end(), [](const SavedScan& a, const SavedScan& b) {
      return Ticks(a.savedUtc) > Ticks(b.savedUtc);
    });
  } catch (...) {
    // What was read stays; the rest of the folder is passed over.
  }
  return scans;
}

bool DeleteSavedScan(const SavedScan& scan) noexcept {
  bool gone = true;
  try {
    for (const std::string& file : scan.files) {
      if (sys::FileExists(file)) sys::DeleteFileExact(file);
      if (sys::PathExists(file)) gone = false;
    }
  } catch (...) {
    return false;
  }
  return gone;
}

std::vector<SavedScan> RemovedPrograms(std::vector<SavedScan> scans) {
  std::vector<SavedScan> removed;
  for (SavedScan& scan : scans) {
    if (UninstallEntryRemains(scan.target)) continue;
    scan.target.uninstalled = true;
    removed.push_back(std::move(scan));
  }
  return removed;
}

std::string SavedTimeText(const SYSTEMTIME& utc) {
  SYSTEMTIME local{};
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
  return sys::DateText(local, DATE_SHORTDATE) + " " + sys::TimeText(local, TIME_NOSECONDS);
}

}  // namespace uninstall
