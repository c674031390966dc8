#include "startup/StartupAdd.h"

#include <shlobj.h>

#include "startup/StartupRow.h"
#include "startup/StartupShortcut.h"
#include "startup/StartupSources.h"
#include "sys/Files.h"
#include "sys/Registry.h"

namespace startup {

std::string RunValueNameFor(std::string_view target) {
  std::string name = sys::ExtractFileName(target);
  std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

std::string ShortcutFileNameFor(std::string_view target) {
  return RunValueNameFor(target) + ".lnk";
}

AddOutcome AddRunValue(HKEY root, const std::string& target) {
  sys::Registry reg(root, KEY_SET_VALUE);
  // The machine's entry goes where the list shows it without WOW6432Node: the native view.
  reg.setView(RootView(root));
  if (!reg.openKey(std::string("\\") + kRunKeyPath, false))
    return {AddStatus::SourceUnavailable, HRESULT_FROM_WIN32(reg.lastError())};
  if (!reg.writeString(RunValueNameFor(target), target))
    return {AddStatus::Failed, HRESULT_FROM_WIN32(reg.lastError())};
  return {};
}

AddOutcome AddStartupShortcut(const std::string& folder, const std::string& target) {
  if (folder.empty()) return {AddStatus::SourceUnavailable, S_OK};
  sys::ForceDirectories(folder);
  std::string link = sys::IncludeTrailingBackslash(folder) + ShortcutFileNameFor(target);
  HRESULT hr = CreateShellShortcut(link, target, sys::ExtractFilePath(target));
  if (FAILED(hr)) return {AddStatus::Failed, hr};
  return {};
}

AddOutcome AddStartupEntry(AddSection section, const std::string& target) {
  switch (section) {
    case AddSection::StartupFolderCurrentUser:
      return AddStartupShortcut(GetSpecialFolderPath(CSIDL_STARTUP), target);
    case AddSection::StartupFolderAllUsers:
      return AddStartupShortcut(GetSpecialFolderPath(CSIDL_COMMON_STARTUP), target);
    case AddSection::RunCurrentUser:
      return AddRunValue(HKEY_CURRENT_USER, target);
    case AddSection::RunLocalMachine:
      return AddRunValue(HKEY_LOCAL_MACHINE, target);
  }
  return {AddStatus::Failed, E_INVALIDARG};
}

}  // namespace startup
