// Running the sample installer and uninstaller from tests (tests/fixtures), and
// removing every trace of a sample afterwards, whatever its uninstaller did.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace testing_support {

struct ProcessRun {
  bool started = false;
  bool finished = false;  // ended within the time-out
  DWORD exitCode = 0;
  std::string errors;  // what it wrote to standard error
};

// Runs a command line, waits up to `timeoutMs` for it and collects its standard error.
ProcessRun RunProcess(const std::string& commandLine, DWORD timeoutMs = 60000);

struct SampleDesc {
  std::string name;       // the uninstall entry's key name; make it unique per test
  std::string publisher;  // "" gives the installer's default
  std::string version;    // "" gives the installer's default
  std::string dir;        // "" gives the installer's default folder
  std::optional<std::string> uninstallArgs;  // the installer's default when not set
  bool perUser = false;
  bool run = false;
  bool startup = false;
  bool patch = false;
  std::string installDate;  // YYYYMMDD; "" gives the day of the install
};

// The SampleSetup.exe command line that installs `desc` silently.
std::string SampleSetupCommand(const SampleDesc& desc);

// The folder the installer uses for `desc`, without a final backslash.
std::string SampleInstallDir(const SampleDesc& desc);

// The publisher the installer writes for `desc`.
std::string SamplePublisher(const SampleDesc& desc);

// Removes the entry, keys, Run values, shortcuts, install folder and hand-over copy of
// the sample named in `desc`, in both hives and both start-up folders.
void RemoveSampleTraces(const SampleDesc& desc);

// Installs a sample when constructed (throws std::runtime_error with the installer's
// message when that fails) and removes all its traces when destroyed.
class InstalledSample {
 public:
  explicit InstalledSample(SampleDesc desc);
  ~InstalledSample();
  InstalledSample(const InstalledSample&) = delete;
  InstalledSample& operator=(const InstalledSample&) = delete;

  const SampleDesc& desc() const { return desc_; }
  const std::string& dir() const { return dir_; }  // without a final backslash

 private:
  SampleDesc desc_;
  std::string dir_;
};

}  // namespace testing_support
