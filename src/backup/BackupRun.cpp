#include "backup/BackupRun.h"

#include <shellapi.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "backup/RegEntryCommands.h"
#include "sys/BackupFiles.h"
#include "sys/Files.h"
#include "sys/ProcAddress.h"
#include "sys/Process.h"
#include "sys/Registry.h"

namespace backup {
namespace {

std::optional<FILETIME> LastWriteTime(const std::string& path) {
  return sys::FileLastWriteTime(path);
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
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
  auto fn = sys::ProcAddress<IsWow64ProcessFn>(sys::LoadedModule("kernel32.dll"), "IsWow64Process");
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
  const std::string text = sys::TextOfRegFile(bytes);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']' &&
        sys::SameTextIgnoringCase(line.substr(1, line.size() - 2), fullKeyName))
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
  sys::ShellStart request;
  request.owner = owner;
  request.verb = "Open";
  // Named in full: a bare "regedit" is looked for in the current folder first.
  request.file = RegeditPath();
  request.parameters = parameters;
  request.show = SW_SHOW;
  request.extraMask = SEE_MASK_FLAG_NO_UI;
  sys::UniqueHandle process;
  sys::ShellStartProcess(request, process);
  return process;
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
