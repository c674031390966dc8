#include "support/BuiltComponent.h"
#include "proglist/ProgramListFixture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include "app/globals.h"
#include "inventory/RostrelLib_TLB.h"
#include "support/Sandbox.h"
#include "sys/Handles.h"

namespace proglist_test {
namespace {

constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

void EmptyKey(HKEY root, REGSAM view) {
  HKEY raw = nullptr;
  if (RegCreateKeyExA(root, kUninstall, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot open the uninstall key");
  }
  sys::UniqueKey key(raw);
  for (;;) {
    char name[256];
    DWORD size = sizeof name;
    if (RegEnumKeyExA(key.get(), 0, name, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    if (RegDeleteTreeA(key.get(), name) != ERROR_SUCCESS) {
      throw std::runtime_error(std::string("cannot delete ") + name);
    }
  }
}

void SetString(HKEY key, const char* name, const std::string& data) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(data.size() + 1));
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
    std::string path = std::string(kUninstall) + "\\" + p.keyName;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    sys::UniqueKey key(raw);
    if (!p.displayName.empty()) SetString(key.get(), "DisplayName", p.displayName);
    SetString(key.get(), "UninstallString", "C:\\Apps\\" + p.keyName + "\\unins.exe");
    SetString(key.get(), "Publisher", p.publisher);
    SetString(key.get(), "InstallLocation", p.location);
    if (!p.helpLink.empty()) SetString(key.get(), "HelpLink", p.helpLink);
    if (p.patch) SetString(key.get(), "ParentKeyName", "OperatingSystem");
  }
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

void UseConfigFile(const std::string& path) {
  app::AppPaths.ConfigFile = path;
}

void MainWindowTest::SetUp() {
  RegisterComponent();
  UseConfigFile(dir.file("Config.ini"));
  app::HideSysPatch = false;
  app::HideScreenSaver = true;
}

}  // namespace proglist_test
