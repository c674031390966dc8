#include "uninstall/WaitingThread.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <memory>
#include <vector>

#include "sys/ProcAddress.h"
#include "sys/Process.h"

namespace uninstall {
namespace {

// The ToolHelp entry points, looked up at run time: a system without them simply has
// no snapshot, so no process is found.
struct ToolHelp {
  using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
  using WalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);
  CreateSnapshotFn createSnapshot = nullptr;
  WalkFn first = nullptr;
  WalkFn next = nullptr;

  ToolHelp() {
    HMODULE kernel = sys::LoadedModule("kernel32.dll");
    if (!kernel) return;
    createSnapshot = sys::ProcAddress<CreateSnapshotFn>(kernel, "CreateToolhelp32Snapshot");
    // The wide walkers, matching the entry structure they fill.
    first = sys::ProcAddress<WalkFn>(kernel, "Process32FirstW");
    next = sys::ProcAddress<WalkFn>(kernel, "Process32NextW");
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
  PROCESSENTRY32W entry{};
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
  HMODULE ntdll = sys::LoadedModule("ntdll.dll");
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
  SendMessageW(notifyWindow_, WM_UNINSTALL_FINISHED, started ? 1 : 0,
               reinterpret_cast<LPARAM>(&finished));
}

void TWaitingThread::RunAndWait() {
  sys::StartedProcess started;
  if (sys::StartProcess(commandLine_, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, SW_SHOW,
                        started)) {
    started.thread.reset();
    Sleep(500);
    DWORD waited = WAIT_OBJECT_0;  // nothing to wait for counts as ended
    if (ProcessExists(started.processId)) {
      waited = WaitForSingleObject(started.process.get(), INFINITE);
    } else if (sys::UniqueHandle child = OpenChildProcess(started.processId)) {
      waited = WaitForSingleObject(child.get(), INFINITE);
    }
    if (waited == WAIT_OBJECT_0) Report(true);
    return;
  }

  sys::ShellStart request;
  request.file = commandLine_;
  request.show = SW_SHOWNORMAL;
  request.extraMask = SEE_MASK_FLAG_DDEWAIT;
  sys::UniqueHandle process;
  if (!sys::ShellStartProcess(request, process)) {
    Report(false);
    return;
  }
  // The shell may start a command without giving a process (a document handed to a
  // running program, for instance): it was started, and there is nothing to wait for.
  DWORD waited = process ? WaitForSingleObject(process.get(), INFINITE) : WAIT_OBJECT_0;
  if (waited == WAIT_OBJECT_0) Report(true);
}

}  // namespace uninstall
