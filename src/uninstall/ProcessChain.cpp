#include "uninstall/ProcessChain.h"

#include <tlhelp32.h>

#include <algorithm>

#include "sys/ProcAddress.h"
#include "sys/Process.h"

namespace uninstall {
namespace {

// The ToolHelp entry points, looked up at run time: a system without them simply has
// no snapshot, so no descendant is found and only the launched process is waited for.
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

// While members still run, the watch also looks again after this long. A member that
// ends is looked past at once, but a running member may start a process that hands on
// and ends before the member does (a setup waiting for its extracted copy, which
// starts msiexec and ends): its child is only found while that child's parent id still
// leads to a member, so the chain is looked at again now and then.
constexpr DWORD kRescanIntervalMs = 250;

ULONGLONG AsNumber(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

struct Times {
  bool known = false;
  ULONGLONG created = 0;
  ULONGLONG exited = 0;  // 0 while running
};

Times TimesOf(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return {};
  return {true, AsNumber(created), AsNumber(exited)};
}

DWORD ExitCodeOf(HANDLE process) {
  DWORD code = 0;
  return GetExitCodeProcess(process, &code) ? code : 0;
}

struct Member {
  DWORD id = 0;
  // Held until the whole chain has ended, ended members too: an id is not given to a
  // new process while a handle to its old one is open, so no member's id is reused
  // during the watch and a child naming it as parent really is that member's child.
  sys::UniqueHandle process;
  ULONGLONG created = 0;
  bool ended = false;
};

class Chain {
 public:
  explicit Chain(sys::UniqueHandle launched) {
    Member first;
    first.id = GetProcessId(launched.get());
    first.created = TimesOf(launched.get()).created;
    first.process = std::move(launched);
    members_.push_back(std::move(first));
  }

  // Marks the members that have ended by now. Done before each look for new ones, so
  // that a member cannot end unnoticed between that look and the decision to stop.
  void markEnded() {
    for (Member& member : members_) {
      if (!member.ended && WaitForSingleObject(member.process.get(), 0) == WAIT_OBJECT_0)
        member.ended = true;
    }
  }

  // Adds every listed process whose parent is a member, running or ended.
  void adoptDescendants() {
    const std::vector<ListedProcess> listed = ListProcesses();
    const DWORD self = GetCurrentProcessId();
    // A grandchild may be listed before its parent: go over the list again until a
    // pass adds nobody.
    for (bool added = true; added;) {
      added = false;
      for (const ListedProcess& process : listed) {
        if (process.id == 0 || process.id == self || find(process.id)) continue;
        const Member* parent = find(process.parentId);
        if (parent && adopt(process.id, parent->created)) added = true;
      }
    }
  }

  std::vector<HANDLE> liveHandles() const {
    std::vector<HANDLE> live;
    for (const Member& member : members_)
      if (!member.ended) live.push_back(member.process.get());
    return live;
  }

  ChainEnd end() const {
    ChainEnd result;
    result.ended = true;
    result.processCount = members_.size();
    result.launchedExitCode = ExitCodeOf(members_.front().process.get());
    // The last to end is the one that ended latest; on a tie the one found later,
    // which is the deeper one.
    const Member* last = &members_.front();
    ULONGLONG lastExit = 0;
    for (const Member& member : members_) {
      const Times times = TimesOf(member.process.get());
      if (times.known && times.exited >= lastExit) {
        lastExit = times.exited;
        last = &member;
      }
    }
    result.lastExitCode = ExitCodeOf(last->process.get());
    return result;
  }

 private:
  const Member* find(DWORD id) const {
    for (const Member& member : members_)
      if (member.id == id) return &member;
    return nullptr;
  }

  bool adopt(DWORD id, ULONGLONG parentCreated) {
    sys::UniqueHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process) return false;  // gone already, or not ours to watch
    const Times times = TimesOf(process.get());
    // A process id is reused once its process has gone. A process that started before
    // a member got its id may therefore name that id as its parent, meaning an older
    // process that had the id before: a child is never older than its parent. (Equal
    // times happen: the clock behind them moves in steps of several milliseconds.)
    if (!times.known || times.created < parentCreated) return false;
    Member member;
    member.id = id;
    member.process = std::move(process);
    member.created = times.created;
    members_.push_back(std::move(member));
    return true;
  }

  std::vector<Member> members_;
};

}  // namespace

std::vector<ListedProcess> ListProcesses() {
  std::vector<ListedProcess> processes;
  const ToolHelp& tools = Tools();
  if (!tools.available()) return processes;
  sys::UniqueHandle snapshot(tools.createSnapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return processes;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL ok = tools.first(snapshot.get(), &entry); ok; ok = tools.next(snapshot.get(), &entry))
    processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID});
  return processes;
}

ChainEnd WaitForProcessChain(sys::UniqueHandle launched) {
  if (!launched) return {};
  Chain chain(std::move(launched));
  for (;;) {
    chain.markEnded();
    chain.adoptDescendants();
    std::vector<HANDLE> live = chain.liveHandles();
    // Every member had ended before the last look, which found no new one: the chain
    // is over (an ended process starts nothing more).
    if (live.empty()) break;
    // Beyond what one wait can take, the first ones are waited on; the others are
    // looked at again at the next end or look.
    const auto count = static_cast<DWORD>(std::min<size_t>(live.size(), MAXIMUM_WAIT_OBJECTS));
    if (WaitForMultipleObjects(count, live.data(), FALSE, kRescanIntervalMs) == WAIT_FAILED)
      return {};
  }
  return chain.end();
}

}  // namespace uninstall
