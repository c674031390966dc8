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

struct SampleSpec {
  std::string name;       // the uninstall entry's key name; make it unique per test
  std::string publisher;  // "" gives the installer's default
  std::string version;    // "" gives the installer's default
  std::string dir;        // "" gives the installer's default folder
  std::optional<std::string> uninstallArgs;  // the installer's default when not set
  bool perUser = false;
  bool run = false;
  bool startup = false;
  bool patch = false;
};

// The SampleSetup.exe command line that installs `spec` silently.
std::string SampleSetupCommand(const SampleSpec& spec);

// The folder the installer uses for `spec`, without a final backslash.
std::string SampleInstallDir(const SampleSpec& spec);

// The publisher the installer writes for `spec`.
std::string SamplePublisher(const SampleSpec& spec);

// Removes the entry, keys, Run values, shortcuts, install folder and hand-over copy of
// the sample named in `spec`, in both hives and both start-up folders.
void RemoveSampleTraces(const SampleSpec& spec);

// Installs a sample when constructed (throws std::runtime_error with the installer's
// message when that fails) and removes all its traces when destroyed.
class InstalledSample {
 public:
  explicit InstalledSample(SampleSpec spec);
  ~InstalledSample();
  InstalledSample(const InstalledSample&) = delete;
  InstalledSample& operator=(const InstalledSample&) = delete;

  const SampleSpec& spec() const { return spec_; }
  const std::string& dir() const { return dir_; }  // without a final backslash

 private:
  SampleSpec spec_;
  std::string dir_;
};

}  // namespace testing_support
