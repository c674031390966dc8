#include "uninstall/WaitingThread.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <memory>
#include <vector>

#include "sys/ProcAddress.h"

namespace uninstall {
namespace {

// The ToolHelp entry points, looked up at run time: a system without them simply has
// no snapshot, so no process is found.
struct ToolHelp {
  using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
  using WalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
  CreateSnapshotFn createSnapshot = nullptr;
  WalkFn first = nullptr;
  WalkFn next = nullptr;

  ToolHelp() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return;
    createSnapshot = sys::ProcAddress<CreateSnapshotFn>(kernel, "CreateToolhelp32Snapshot");
    first = sys::ProcAddress<WalkFn>(kernel, "Process32First");
    next = sys::ProcAddress<WalkFn>(kernel, "Process32Next");
  }
  bool available() const { return createSnapshot && first && next; }
};

const ToolHelp& Tools() {
  static const ToolHelp tools;
  return tools;
}

// The ids of a fresh process snapshot, in the snapshot's order.
std::vector<DWORD> SnapshotProcessIds() {
  std::vector<DWORD> ids;
  const ToolHelp& tools = Tools();
  if (!tools.available()) return ids;
  sys::UniqueHandle snapshot(tools.createSnapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return ids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL ok = tools.first(snapshot.get(), &entry); ok; ok = tools.next(snapshot.get(), &entry))
    ids.push_back(entry.th32ProcessID);
  return ids;
}

struct BasicInformation {
  LONG exitStatus;
  void* pebBase;
  ULONG_PTR affinityMask;
  LONG basePriority;
  ULONG_PTR uniqueProcessId;
  ULONG_PTR inheritedFromUniqueProcessId;
};
static_assert(sizeof(BasicInformation) == 24);

}  // namespace

bool ProcessExists(DWORD pid) {
  for (DWORD id : SnapshotProcessIds())
    if (id == pid) return true;
  return false;
}

long GetParentProcessId(DWORD pid) {
  using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!ntdll) return -1;
  auto query = sys::ProcAddress<QueryFn>(ntdll, "NtQueryInformationProcess");
  if (!query) return -1;
  sys::UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
  if (!process) return -1;
  BasicInformation info{};
  if (query(process.get(), 0, &info, sizeof(info), nullptr) != 0) return -1;
  return static_cast<long>(info.inheritedFromUniqueProcessId);
}

sys::UniqueHandle OpenChildProcess(DWORD pid) {
  for (DWORD id : SnapshotProcessIds()) {
    if (id == pid) continue;  // a process is never its own child
    if (GetParentProcessId(id) == static_cast<long>(pid))
      return sys::UniqueHandle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id));
  }
  return sys::UniqueHandle();
}

TWaitingThread::TWaitingThread(std::string commandLine, UninstallTarget target, HWND notifyWindow)
    : commandLine_(std::move(commandLine)),
      target_(std::move(target)),
      notifyWindow_(notifyWindow) {}

bool TWaitingThread::Start(std::string commandLine, UninstallTarget target, HWND notifyWindow) {
  auto runner =
      std::make_unique<TWaitingThread>(std::move(commandLine), std::move(target), notifyWindow);
  sys::UniqueHandle thread(CreateThread(nullptr, 0, &ThreadMain, runner.get(), 0, nullptr));
  if (!thread) return false;
  runner.release();  // the thread owns it now
  return true;
}

DWORD WINAPI TWaitingThread::ThreadMain(void* self) {
  std::unique_ptr<TWaitingThread> runner(static_cast<TWaitingThread*>(self));
  try {
    runner->RunAndWait();
  } catch (...) {
    // A runner that fails ends without a report; nothing waits for it.
  }
  return 0;
}

void TWaitingThread::Report(bool started) {
  UninstallFinished finished{started, target_};
  SendMessageA(notifyWindow_, WM_UNINSTALL_FINISHED, started ? 1 : 0,
               reinterpret_cast<LPARAM>(&finished));
}

void TWaitingThread::RunAndWait() {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION info{};
  // CreateProcessA may write into its command line, so it gets a copy of its own.
  std::vector<char> command(commandLine_.begin(), commandLine_.end());
  command.push_back('\0');
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                     CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                     &info)) {
    sys::UniqueHandle process(info.hProcess);
    sys::UniqueHandle thread(info.hThread);
    Sleep(500);
    DWORD waited = WAIT_OBJECT_0;  // nothing to wait for counts as ended
    if (ProcessExists(info.dwProcessId)) {
      waited = WaitForSingleObject(process.get(), INFINITE);
    } else if (sys::UniqueHandle child = OpenChildProcess(info.dwProcessId)) {
      waited = WaitForSingleObject(child.get(), INFINITE);
    }
    if (waited == WAIT_OBJECT_0) Report(true);
    return;
  }

  SHELLEXECUTEINFOA shell{};
  shell.cbSize = sizeof(shell);
  shell.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT;
  shell.lpFile = commandLine_.c_str();
  shell.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&shell)) {
    Report(false);
    return;
  }
  // The shell may start a command without giving a process (a document handed to a
  // running program, for instance): it was started, and there is nothing to wait for.
  sys::UniqueHandle process(shell.hProcess);
  DWORD waited = process ? WaitForSingleObject(process.get(), INFINITE) : WAIT_OBJECT_0;
  if (waited == WAIT_OBJECT_0) Report(true);
}

}  // namespace uninstall
