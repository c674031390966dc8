#include "backup/BackupRun.h"

#include <shellapi.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "backup/RegEntryCommands.h"
#include "sys/Files.h"
#include "sys/Registry.h"

namespace backup {
namespace {

std::optional<FILETIME> LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return data.ftLastWriteTime;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// The file's text in the ANSI code page, whichever of the editor's encodings it has.
std::string DecodedRegText(const std::string& bytes) {
  if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
      static_cast<unsigned char>(bytes[1]) != 0xFE)
    return bytes;
  std::wstring wide((bytes.size() - 2) / 2, L'\0');
  for (size_t i = 0; i < wide.size(); ++i) {
    wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                   (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
  }
  if (wide.empty()) return std::string();
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(std::max(size, 0)), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
  return text;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.data(),
                                                static_cast<int>(a.size()), b.data(),
                                                static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Whether `name` can stand in a file name as it is: no path separator, drive or
// stream colon, wildcard, quote (which would also end the editor's argument early)
// or control character. Anything else would send the export elsewhere or nowhere.
bool HoldsOnlyFileNameCharacters(const std::string& name) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 32 ||
        std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      return false;
  }
  return !name.empty();
}

bool IsWow64() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  // Looked up at run time: not every 32-bit system has it.
  auto fn = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "IsWow64Process")));
  BOOL result = FALSE;
  return fn && fn(GetCurrentProcess(), &result) && result;
}

}  // namespace

std::string UninstallKeyEditorName() {
  static const bool wow64 = IsWow64();
  return wow64 ? "HKEY_LOCAL_"
                 "MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
               : "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
}

std::string BackupFilePath(const std::string& backupDir, const std::string& name) {
  return backupDir + name + ".reg";
}

std::string RegeditExportParameters(const std::string& backupDir, const std::string& name) {
  return "/e \"" + BackupFilePath(backupDir, name) + "\" \"" + UninstallKeyEditorName() + "\\" +
         name + "\"";
}

std::optional<std::vector<std::string>> ReadUninstallEntryNames() {
  sys::Registry reg(HKEY_LOCAL_MACHINE, KEY_ALL_ACCESS);
  if (!reg.openKey(kUninstallKeyPath, false)) return std::nullopt;
  return reg.keyNames();
}

bool RegFileHoldsKey(const std::string& bytes, const std::string& fullKeyName) {
  const std::string text = DecodedRegText(bytes);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']' &&
        EqualIgnoringCase(line.substr(1, line.size() - 2), fullKeyName))
      return true;
    start = end + 1;
  }
  return false;
}

int BackupPosition(std::size_t done, std::size_t total) {
  if (total == 0) return 100;
  return static_cast<int>(done * 100 / total);
}

sys::UniqueHandle StartRegistryEditor(HWND owner, const std::string& parameters) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = "Open";
  // Named in full: a bare "regedit" is looked for in the current folder first.
  const std::string program = RegeditPath();
  info.lpFile = program.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOW;
  if (!ShellExecuteExA(&info)) return sys::UniqueHandle();
  return sys::UniqueHandle(info.hProcess);
}

BackupRun::BackupRun(std::string backupDir, std::vector<std::string> names, HWND owner,
                     std::size_t maxRunning, EditorStarter startEditor)
    : backupDir_(std::move(backupDir)),
      names_(std::move(names)),
      owner_(owner),
      maxRunning_(std::max<std::size_t>(maxRunning, 1)),
      startEditor_(std::move(startEditor)) {}

bool BackupRun::poll() {
  for (auto it = running_.begin(); it != running_.end();) {
    if (WaitForSingleObject(it->process.get(), 0) == WAIT_TIMEOUT) {
      ++it;
      continue;
    }
    finish(*it);
    it = running_.erase(it);
  }
  while (running_.size() < maxRunning_ && next_ < names_.size()) start(names_[next_++]);
  return finished();
}

void BackupRun::waitForAny(DWORD timeoutMs) const {
  if (running_.empty()) return;
  std::vector<HANDLE> handles;
  for (const auto& job : running_) handles.push_back(job.process.get());
  WaitForMultipleObjects(static_cast<DWORD>(std::min<size_t>(handles.size(), MAXIMUM_WAIT_OBJECTS)),
                         handles.data(), FALSE, timeoutMs);
}

void BackupRun::start(const std::string& name) {
  Export job;
  job.name = name;
  job.file = BackupFilePath(backupDir_, name);
  if (HoldsOnlyFileNameCharacters(name)) {
    job.before = LastWriteTime(job.file);
    job.process = startEditor_(owner_, RegeditExportParameters(backupDir_, name));
  }
  if (!job.process) {
    ++done_;
    failed_.push_back(name);
    return;
  }
  running_.push_back(std::move(job));
}

// An export counts only when this run's editor wrote the file and the file holds
// the entry's key: an older backup of the same name proves nothing.
void BackupRun::finish(Export& job) {
  ++done_;
  const std::optional<FILETIME> after = LastWriteTime(job.file);
  bool written = after && !(job.before && SameTime(*job.before, *after));
  std::string bytes;
  if (written)
    written = sys::ReadFileBytes(job.file, bytes) &&
              RegFileHoldsKey(bytes, UninstallKeyEditorName() + "\\" + job.name);
  if (!written) failed_.push_back(job.name);
}

}  // namespace backup
