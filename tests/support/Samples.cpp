#include "support/Samples.h"

#include <stdexcept>

#include "fixtures/SampleLayout.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/Handles.h"
#include "sys/Registry.h"

namespace testing_support {
namespace {

void AddOption(std::string& command, const char* name, const std::string& value) {
  if (!value.empty()) command += std::string(" \"") + name + "=" + value + "\"";
}

void DeleteValue(HKEY root, const char* path, const std::string& name) {
  sys::UniqueKey key;
  if (RegOpenKeyExA(root, path, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
    RegDeleteValueA(key.get(), name.c_str());
}

void DeleteKeyIfEmpty(HKEY root, const std::string& path) {
  sys::UniqueKey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
  DWORD subKeys = 1, values = 1;
  RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                   nullptr, nullptr, nullptr, nullptr);
  key.reset();
  if (subKeys == 0 && values == 0) RegDeleteKeyA(root, path.c_str());
}

}  // namespace

ProcessRun RunProcess(const std::string& commandLine, DWORD timeoutMs) {
  ProcessRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  sys::UniqueHandle readEnd, writeEnd;
  if (!CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 1 << 16)) return run;
  SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = writeEnd.get();
  PROCESS_INFORMATION info{};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &info))
    return run;
  run.started = true;
  sys::UniqueHandle process(info.hProcess), thread(info.hThread);
  writeEnd.reset();

  run.finished = WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0;
  GetExitCodeProcess(process.get(), &run.exitCode);
  // Only what is there: a process started by the child may hold the pipe open.
  DWORD available = 0;
  while (PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0) {
    std::string chunk(available, '\0');
    DWORD got = 0;
    if (!ReadFile(readEnd.get(), chunk.data(), available, &got, nullptr) || got == 0) break;
    run.errors.append(chunk.data(), got);
  }
  return run;
}

std::string SampleSetupCommand(const SampleSpec& spec) {
  std::string command = "\"" + FixturesDir() + sample::kSetupExe + "\" /S";
  AddOption(command, "/name", spec.name);
  AddOption(command, "/publisher", spec.publisher);
  AddOption(command, "/version", spec.version);
  AddOption(command, "/dir", spec.dir);
  if (spec.uninstallArgs) command += " \"/uargs=" + *spec.uninstallArgs + "\"";
  if (spec.perUser) command += " /peruser";
  if (spec.run) command += " /run";
  if (spec.startup) command += " /startup";
  if (spec.patch) command += " /patch";
  return command;
}

std::string SampleInstallDir(const SampleSpec& spec) {
  std::string dir =
      spec.dir.empty() ? sample::DefaultInstallDir(spec.name, spec.perUser, spec.patch) : spec.dir;
  return sys::ExcludeTrailingBackslash(dir);
}

std::string SamplePublisher(const SampleSpec& spec) {
  if (!spec.publisher.empty()) return spec.publisher;
  return spec.patch ? sample::kDefaultPatchPublisher : sample::kDefaultPublisher;
}

void RemoveSampleTraces(const SampleSpec& spec) {
  const std::string publisher = SamplePublisher(spec);
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    sys::DeleteKeyTree(root, sample::EntryKeyPath(spec.name), 0);
    DeleteValue(root, sample::kRunKey, spec.name);
  }
  for (const sample::ExpandedKey& key : sample::ProgramKeys(spec.name, publisher, false, false)) {
    HKEY root = sample::RootOf(key.hive);
    sys::DeleteKeyTree(root, key.path, 0);
    DeleteKeyIfEmpty(root, "Software\\" + publisher);
  }
  for (int csidl : {CSIDL_STARTUP, CSIDL_COMMON_STARTUP}) {
    std::string folder = sample::ShellFolder(csidl);
    if (!folder.empty()) DeleteFileA((folder + sample::ShortcutFileName(spec.name)).c_str());
  }
  RemoveTree(SampleInstallDir(spec));
  RemoveTree(sample::HandoverFolder(spec.name));
}

InstalledSample::InstalledSample(SampleSpec spec) : spec_(std::move(spec)) {
  dir_ = SampleInstallDir(spec_);
  ProcessRun run = RunProcess(SampleSetupCommand(spec_));
  if (!run.started || !run.finished || run.exitCode != 0) {
    RemoveSampleTraces(spec_);
    throw std::runtime_error("SampleSetup failed (exit " + std::to_string(run.exitCode) +
                             "): " + run.errors);
  }
}

InstalledSample::~InstalledSample() {
  RemoveSampleTraces(spec_);
}

}  // namespace testing_support
