#include "RemovedSample.h"

#include <windows.h>
#include <shlobj.h>

#include "fixtures/SampleLayout.h"
#include "sys/Files.h"
#include "sys/Registry.h"
#include "sys/SysError.h"
#include "uninstall/InstallFolder.h"
#include "uninstall/SavedScans.h"

namespace demo {
namespace {

constexpr char kExe[] = "SamplePaint.exe";
constexpr char kLeftFile[] = "License.txt";

std::string SettingsKeyPath() {
  return std::string("Software\\") + kRemovedPublisher + "\\" + kRemovedName;
}

std::string DataFolder() {
  return sample::ShellFolder(CSIDL_APPDATA) + kRemovedPublisher + "\\" + kRemovedName + "\\";
}

std::string WriteSettingsKey(const std::string& installDir) {
  sys::Registry key(HKEY_CURRENT_USER);
  const std::string path = SettingsKeyPath();
  if (!key.openKey("\\" + path, true) || !key.writeString("InstallPath", installDir) ||
      !key.writeString("Version", "3.2") || !key.openKey("Settings", true) ||
      !key.writeString("Palette", "Autumn") || !key.writeString("Language", "English"))
    return "cannot write HKCU\\" + path + ": " + sys::ErrorText(key.lastError());
  return {};
}

std::string WriteFile(const std::string& folder, const std::string& name, const std::string& text) {
  if (!sys::ForceDirectories(folder)) return "cannot create " + folder;
  if (!sys::WriteFileBytes(folder + name, text)) return "cannot write " + folder + name;
  return {};
}

}  // namespace

uninstall::UninstallTarget RemovedSampleTarget() {
  uninstall::UninstallTarget target;
  target.keyName = kRemovedName;
  target.displayName = kRemovedName;
  target.publisher = kRemovedPublisher;
  target.installDir =
      uninstall::NormaliseInstallFolder(sample::DefaultInstallDir(kRemovedName, false, false));
  const std::string dir = sample::IncludeBackslash(target.installDir);
  target.displayIcon = dir + kExe + ",0";
  target.uninstallString = "\"" + dir + "Uninstall.exe\" /S";
  target.executables = {kExe};
  target.entryRoot = HKEY_LOCAL_MACHINE;
  return target;
}

std::string SeedRemovedSample(const std::string& scansFolder) {
  const uninstall::UninstallTarget target = RemovedSampleTarget();
  if (target.installDir.empty()) return "no Program Files folder";

  std::string error = WriteSettingsKey(target.installDir);
  if (error.empty())
    error = WriteFile(DataFolder(), "recent.lst", "C:\\users\\Public\\Pictures\\harbour.bmp\r\n");
  if (error.empty())
    error = WriteFile(sample::IncludeBackslash(target.installDir), kLeftFile,
                      "Sample Paint is a sample program of the Prunaxis demo.\r\n");
  if (!error.empty()) return error;

  if (!uninstall::SaveScanInputs(sys::IncludeTrailingBackslash(scansFolder), target))
    return "cannot save the scan record in " + scansFolder;
  return {};
}

}  // namespace demo
