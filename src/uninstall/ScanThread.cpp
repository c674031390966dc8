#include "uninstall/ScanThread.h"

#include <exception>

namespace uninstall {

TScanThread::TScanThread(UninstallTarget target, HWND notifyWindow, LeftoverSearchFn search)
    : target_(std::move(target)),
      notifyWindow_(notifyWindow),
      search_(search ? std::move(search) : LeftoverSearchFn(&FindLeftovers)) {}

TScanThread::~TScanThread() {
  Cancel();
  Wait();
}

bool TScanThread::Start() {
  if (thread_) return false;
  thread_.reset(CreateThread(nullptr, 0, &ThreadMain, this, 0, nullptr));
  return static_cast<bool>(thread_);
}

void TScanThread::Cancel() {
  cancel_.store(true);
  cancel_.notify_all();  // for a search that waits on the flag
}

void TScanThread::Wait() {
  if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
}

bool TScanThread::running() const {
  return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT;
}

DWORD WINAPI TScanThread::ThreadMain(void* self) {
  static_cast<TScanThread*>(self)->Run();
  return 0;
}

void TScanThread::Run() {
  ScanFindings findings;
  try {
    // Who else is installed is read here too: it takes a walk of its own through
    // every uninstall key.
    const std::vector<InstalledEntry> others = ReadOtherEntries(target_);
    if (!cancel_.load())
      findings = search_(
          target_, others, [this](const std::string& path) { Progress(path); }, &cancel_);
    else
      findings.cancelled = true;
  } catch (const std::exception&) {
    // A search that fails hands over nothing; the window still hears that it ended.
    findings = ScanFindings{};
    findings.cancelled = cancel_.load();
  }
  {
    std::lock_guard<std::mutex> hold(lock_);
    findings_ = std::move(findings);
  }
  PostMessageW(notifyWindow_, WM_SCAN_FINISHED, 0, 0);
}

void TScanThread::Progress(const std::string& path) {
  ++examined_;
  // A message per path would cost the window more than the path costs the search.
  const DWORD now = GetTickCount();
  if (progressPosted_ && now - lastProgress_ < kProgressIntervalMs) return;
  if (progressWaiting_.load()) return;
  {
    std::lock_guard<std::mutex> hold(lock_);
    progressPath_ = path;
  }
  lastProgress_ = now;
  progressPosted_ = true;
  progressWaiting_.store(true);
  if (!PostMessageW(notifyWindow_, WM_SCAN_PROGRESS, 0, 0)) progressWaiting_.store(false);
}

std::string TScanThread::TakeProgress() {
  std::lock_guard<std::mutex> hold(lock_);
  progressWaiting_.store(false);
  return progressPath_;
}

std::optional<ScanFindings> TScanThread::TakeFindings() {
  std::lock_guard<std::mutex> hold(lock_);
  std::optional<ScanFindings> out = std::move(findings_);
  findings_.reset();
  return out;
}

}  // namespace uninstall
