#include "uninstall/UninstallTarget.h"

#include <cctype>
#include <cstring>

#include "sys/BackupFiles.h"
#include "sys/FileOps.h"
#include "sys/Files.h"
#include "uninstall/InstallFolder.h"
#include "uninstall/InstalledEntries.h"
#include "uninstall/TraceSearch.h"

namespace uninstall {
namespace {

// "{8-4-4-4-12}" of hexadecimal digits.
bool IsGuidText(std::string_view text) {
  static constexpr char kShape[] = "{########-####-####-####-############}";
  if (text.size() != std::strlen(kShape)) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (kShape[i] == '#' ? !std::isxdigit(c) : c != static_cast<unsigned char>(kShape[i]))
      return false;
  }
  return true;
}

DWORD DwordOf(const sys::RegValue& value) {
  DWORD number = 0;
  if (value.type == REG_DWORD && value.data.size() >= sizeof number)
    std::memcpy(&number, value.data.data(), sizeof number);
  return number;
}

}  // namespace

std::string ProductCodeOf(const std::string& keyName, bool windowsInstaller,
                          const std::string& uninstallString) {
  if (windowsInstaller && IsGuidText(keyName)) return sys::UpperCase(keyName);
  // "MsiExec.exe /X{...}" and "/I {...}": the code follows the switch, blanks allowed.
  const std::string command = sys::UpperCase(uninstallString);
  if (command.find("MSIEXEC") == std::string::npos) return {};
  for (size_t at = command.find('/'); at != std::string::npos; at = command.find('/', at + 1)) {
    if (at + 1 >= command.size() || (command[at + 1] != 'X' && command[at + 1] != 'I')) continue;
    size_t start = at + 2;
    while (start < command.size() && command[start] == ' ') ++start;
    const std::string code = command.substr(start, 38);
    if (IsGuidText(code)) return code;
  }
  return {};
}

void CaptureScanInputs(UninstallTarget& target) {
  const sys::RegKey entry(target.entryRoot, std::string(kUninstallKeyPath) + "\\" + target.keyName,
                          target.entryView);
  auto text = [&entry](const char* name) { return entry.readString(name).value_or(""); };
  target.publisher = text("Publisher");
  target.displayIcon = text("DisplayIcon");
  target.uninstallString = text("UninstallString");
  const std::optional<sys::RegValue> msi = entry.readValue("WindowsInstaller");
  target.productCode =
      ProductCodeOf(target.keyName, msi && DwordOf(*msi) == 1, target.uninstallString);
  target.executables.clear();
  // Without an install folder, the folders of the icon and the uninstaller stand for it.
  for (std::string folder : InstallFoldersOf(target, {})) {
    if (folder.back() != '\\') folder += '\\';
    for (const sys::FolderEntry& file : sys::ListFolderMatching(folder, "*.exe")) {
      // "*.exe" also matches short names ending in .EXE ("a.exe1"): only real ones count.
      if (file.isFolder() || file.name.size() < 4) continue;
      if (sys::UpperCase(file.name.substr(file.name.size() - 4)) == ".EXE")
        target.executables.push_back(file.name);
    }
  }
}

UninstallTarget ReadUninstallTarget(HKEY root, sys::RegView view, const std::string& keyName) {
  const sys::RegKey entry(root, std::string(kUninstallKeyPath) + "\\" + keyName, view);
  UninstallTarget target;
  target.keyName = keyName;
  target.displayName = entry.readString("DisplayName").value_or(keyName);
  target.installDir = NormaliseInstallFolder(entry.readString("InstallLocation").value_or(""));
  target.entryRoot = root;
  target.entryView = view;
  CaptureScanInputs(target);
  return target;
}

}  // namespace uninstall
