// A program that a test starts and owns: its process and thread handles close
// with the object, and a process that is still running then is killed together
// with every process it started, so that no test leaves programs behind.
//
//   ChildProcess app = ChildProcess::Start(ProgramBinDir() + "Prunaxis.exe");
//   ASSERT_TRUE(app) << app.error();
//   ...
//   EXPECT_TRUE(app.waitOrKill(5000));          // ended by itself within 5 s?
//   EXPECT_EQ(app.exitCode(), 0u);
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "sys/Handles.h"

namespace testing_support {

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(ChildProcess&&) = default;
  ChildProcess& operator=(ChildProcess&& other) noexcept;

  // Starts `exe` with `arguments` (already quoted as needed) in `workingDir` (the
  // exe's folder when empty). The result is empty on failure; error() says why.
  static ChildProcess Start(const std::string& exe, const std::string& arguments = {},
                            const std::string& workingDir = {});

  explicit operator bool() const { return static_cast<bool>(process_); }
  const std::string& error() const { return error_; }
  DWORD id() const { return id_; }
  HANDLE handle() const { return process_.get(); }

  bool running() const;
  // Waits for the process to end; true when it did within the time.
  bool waitForExit(DWORD timeoutMs) const;
  // As waitForExit, but on time-out kills the process tree and returns false.
  bool waitOrKill(DWORD timeoutMs);
  // The exit code once the process has ended.
  std::optional<DWORD> exitCode() const;
  // Ends the process and all its descendants (found by parent id, also through
  // ended parents); waits up to 5 s for them to go.
  void killTree();

 private:
  sys::UniqueHandle process_;
  DWORD id_ = 0;
  std::string error_;
};

// Every process descending from `rootId` (children, grandchildren, ...), by parent
// process id in one snapshot. The root itself is not included.
std::vector<DWORD> DescendantProcesses(DWORD rootId);
// True when a process whose file name is `exeName` (any case) is running now.
bool ProcessNamedRunning(const char* exeName);

// The folder of the running test program, ending with a backslash (where helper
// programs built beside the tests are found).
std::string TestProgramDir();

}  // namespace testing_support
