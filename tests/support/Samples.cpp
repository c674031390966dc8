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

std::string SampleSetupCommand(const SampleDesc& desc) {
  std::string command = "\"" + FixturesDir() + sample::kSetupExe + "\" /S";
  AddOption(command, "/name", desc.name);
  AddOption(command, "/publisher", desc.publisher);
  AddOption(command, "/version", desc.version);
  AddOption(command, "/dir", desc.dir);
  if (desc.uninstallArgs) command += " \"/uargs=" + *desc.uninstallArgs + "\"";
  if (desc.perUser) command += " /peruser";
  if (desc.run) command += " /run";
  if (desc.startup) command += " /startup";
  if (desc.patch) command += " /patch";
  AddOption(command, "/date", desc.installDate);
  return command;
}

std::string SampleInstallDir(const SampleDesc& desc) {
  std::string dir =
      desc.dir.empty() ? sample::DefaultInstallDir(desc.name, desc.perUser, desc.patch) : desc.dir;
  return sys::ExcludeTrailingBackslash(dir);
}

std::string SamplePublisher(const SampleDesc& desc) {
  if (!desc.publisher.empty()) return desc.publisher;
  return desc.patch ? sample::kDefaultPatchPublisher : sample::kDefaultPublisher;
}

void RemoveSampleTraces(const SampleDesc& desc) {
  const std::string publisher = SamplePublisher(desc);
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    sys::DeleteKeyTree(root, sample::EntryKeyPath(desc.name), 0);
    DeleteValue(root, sample::kRunKey, desc.name);
  }
  for (const sample::ExpandedKey& key : sample::ProgramKeys(desc.name, publisher, false, false)) {
    HKEY root = sample::RootOf(key.hive);
    sys::DeleteKeyTree(root, key.path, 0);
    DeleteKeyIfEmpty(root, "Software\\" + publisher);
  }
  for (int csidl : {CSIDL_STARTUP, CSIDL_COMMON_STARTUP}) {
    std::string folder = sample::ShellFolder(csidl);
    if (!folder.empty()) DeleteFileA((folder + sample::ShortcutFileName(desc.name)).c_str());
  }
  RemoveTree(SampleInstallDir(desc));
  RemoveTree(sample::HandoverFolder(desc.name));
}

InstalledSample::InstalledSample(SampleDesc desc) : desc_(std::move(desc)) {
  dir_ = SampleInstallDir(desc_);
  ProcessRun run = RunProcess(SampleSetupCommand(desc_));
  if (!run.started || !run.finished || run.exitCode != 0) {
    RemoveSampleTraces(desc_);
    throw std::runtime_error("SampleSetup failed (exit " + std::to_string(run.exitCode) +
                             "): " + run.errors);
  }
}

InstalledSample::~InstalledSample() {
  RemoveSampleTraces(desc_);
}

}  // namespace testing_support
