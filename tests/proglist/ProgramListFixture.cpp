#include "support/BuiltComponent.h"
#include "proglist/ProgramListFixture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include "inventory/RostrelLib_TLB.h"
#include "support/Sandbox.h"
#include "sys/Handles.h"
#include "sys/Text.h"

namespace proglist_test {
namespace {

// Names and texts go in wide, so that entries named in any script come and go
// exactly.
constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

void EmptyKey(HKEY root, REGSAM view) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(root, kUninstall, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot open the uninstall key");
  }
  sys::UniqueKey key(raw);
  for (;;) {
    wchar_t name[256];
    DWORD size = 256;
    if (RegEnumKeyExW(key.get(), 0, name, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    if (RegDeleteTreeW(key.get(), name) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot delete " + sys::Narrow(name));
    }
  }
}

void SetString(HKEY key, const wchar_t* name, const std::string& data) {
  const std::wstring wide = sys::Widen(data);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                 static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

// The test savers are built beside this test program.
std::string OwnFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

}  // namespace

std::vector<TestProgram> StandardPrograms() {
  std::vector<TestProgram> programs;
  for (int i = 0; i < 120; ++i) {
    char number[8];
    std::snprintf(number, sizeof number, "%03d", i);
    TestProgram p;
    p.patch = i % 17 == 5;  // 5, 22, 39, 56, 73, 90, 107
    p.keyName = std::string(p.patch ? "PatchEntry" : "ProgEntry") + number;
    p.displayName = std::string(p.patch ? "Update for Program " : "Program ") + number;
    p.publisher = std::to_string(i % 13);
    p.location = std::string("C:\\Apps\\Program ") + number + "\\";
    programs.push_back(p);
  }
  return programs;
}

void FillUninstallKeys(const std::vector<TestProgram>& programs) {
  EmptyKey(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY);
  EmptyKey(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY);
  EmptyKey(HKEY_CURRENT_USER, 0);
  for (const TestProgram& p : programs) {
    HKEY raw = nullptr;
    const std::wstring path = std::wstring(kUninstall) + L"\\" + sys::Widen(p.keyName);
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    sys::UniqueKey key(raw);
    if (!p.displayName.empty()) SetString(key.get(), L"DisplayName", p.displayName);
    SetString(key.get(), L"UninstallString", "C:\\Apps\\" + p.keyName + "\\unins.exe");
    SetString(key.get(), L"Publisher", p.publisher);
    SetString(key.get(), L"InstallLocation", p.location);
    if (!p.helpLink.empty()) SetString(key.get(), L"HelpLink", p.helpLink);
    if (!p.displayIcon.empty()) SetString(key.get(), L"DisplayIcon", p.displayIcon);
    if (p.patch) SetString(key.get(), L"ParentKeyName", "OperatingSystem");
  }
}

void RemoveUninstallEntries(const std::vector<TestProgram>& programs) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstall, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &raw) !=
      ERROR_SUCCESS)
    return;
  sys::UniqueKey key(raw);
  for (const TestProgram& p : programs) {
    const std::wstring name = sys::Widen(p.keyName);
    RegDeleteTreeW(key.get(), name.c_str());
    RegDeleteKeyExW(key.get(), name.c_str(), KEY_WOW64_64KEY, 0);
  }
}

FilledUninstallKeys::FilledUninstallKeys(std::vector<TestProgram> programs)
    : programs_(std::move(programs)) {
  FillUninstallKeys(programs_);
}

FilledUninstallKeys::~FilledUninstallKeys() {
  RemoveUninstallEntries(programs_);
}

std::vector<std::string> InstallOnlyTestSavers() {
  RegisterComponent();
  inventory::TProgramList list;
  list.LoadScreenSavers();
  for (ULONG i = 0, n = list.GetScreenSaverCount(); i < n; ++i) {
    std::string path = list.GetScreenSaverPath(i);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(DeleteFileA(path.c_str())) << path;
  }
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  std::vector<std::string> paths;
  for (const char* variant : {"A", "B", "C"}) {
    std::string source = OwnFolder() + "RostrelTestSaver" + variant + ".scr";
    std::string target = std::string(system) + "\\ProglistSaver" + variant + ".scr";
    EXPECT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE)) << source;
    paths.push_back(target);
  }
  return paths;
}

void RegisterComponent() {
  testing_support::RegisterBuiltComponent();
}

void MainWindowTest::SetUp() {
  RegisterComponent();
  settings::TPaths paths;
  paths.ConfigFile = dir.file("Config.ini");
  config = settings::TSettings(paths);
  startWith(false, true);
}

void MainWindowTest::startWith(bool hideSysPatch, bool hideScreenSaver) {
  settings::TListOptions options;
  options.HideSysPatch = hideSysPatch;
  options.HideScreenSaver = hideScreenSaver;
  config = settings::TSettings(config.paths(), options);
}

void MainWindowTest::changePaths(const std::function<void(settings::TPaths& paths)>& change) {
  settings::TPaths paths = config.paths();
  change(paths);
  config = settings::TSettings(paths, {config.hideScreenSaver(), config.hideSysPatch()});
}

}  // namespace proglist_test
