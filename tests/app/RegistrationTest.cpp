#include <gtest/gtest.h>

#include "app/startup/Registration.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/SysError.h"

using testing_support::TempDir;

TEST(ComponentRegistration, AMissingLibraryGivesTheSystemTextAndItsName) {
  std::string text = app::RegisterComponentLibrary("NoSuchLibrary-4711.dll");
  EXPECT_EQ(text, sys::ErrorText(ERROR_MOD_NOT_FOUND) + ": NoSuchLibrary-4711.dll");
}

TEST(ComponentRegistration, ALibraryWithoutTheExportGivesTheLastErrorText) {
  // Any system library without DllRegisterServer will do.
  EXPECT_EQ(app::RegisterComponentLibrary("kernel32.dll"), sys::ErrorText(ERROR_PROC_NOT_FOUND));
}

TEST(ComponentRegistration, TheBuiltComponentRegistersItself) {
  std::string dll = testing_support::ProgramBinDir() + "Rostrel.dll";
  ASSERT_TRUE(sys::FileExists(dll)) << dll;
  EXPECT_EQ(app::RegisterComponentLibrary(dll), "");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT,
                          "CLSID\\{B840D7A9-1A1F-4A30-8C51-227E5EB10285}\\InprocServer32", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(lstrcmpiA(value, dll.c_str()), 0) << value;
}
