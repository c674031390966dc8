// An entry's InstallLocation as the scan takes it, from the spellings installers write.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "uninstall/InstallFolder.h"

namespace {

using uninstall::NormaliseInstallFolder;

TEST(InstallFolder, NormalisesWhatInstallersWrite) {
  // Variables the table uses, with values of our own (restored afterwards).
  char oldVendor[MAX_PATH] = {}, oldBlank[MAX_PATH] = {};
  const bool hadVendor = GetEnvironmentVariableA("PRUNAXIS_VENDOR", oldVendor, MAX_PATH) > 0;
  const bool hadBlank = GetEnvironmentVariableA("PRUNAXIS_BLANK", oldBlank, MAX_PATH) > 0;
  SetEnvironmentVariableA("PRUNAXIS_VENDOR", "C:\\Vendor Ltd");
  SetEnvironmentVariableA("PRUNAXIS_BLANK", " \"D:\\Quoted\\\" ");
  SetEnvironmentVariableA("PRUNAXIS_UNSET", nullptr);

  struct Case {
    const char* raw;
    const char* folder;
  };
  const Case cases[] = {
      {"C:\\Program Files\\App", "C:\\Program Files\\App"},
      {"  C:\\Program Files\\App  ", "C:\\Program Files\\App"},
      {"\t\"C:\\Program Files\\App\"\t", "C:\\Program Files\\App"},
      {"\"C:\\Program Files\\App\\\"", "C:\\Program Files\\App"},
      {"\"C:\\Program Files\\App", "C:\\Program Files\\App"},
      {"C:\\Program Files\\App\\\\\\", "C:\\Program Files\\App"},
      {"C:/Program Files/App/", "C:\\Program Files\\App"},
      {"C:\\Program Files\\\\App", "C:\\Program Files\\App"},
      {"C:\\Program Files\\Old\\..\\App\\.", "C:\\Program Files\\App"},
      {"%PRUNAXIS_VENDOR%\\App", "C:\\Vendor Ltd\\App"},
      {"\"%PRUNAXIS_VENDOR%\\App\" ", "C:\\Vendor Ltd\\App"},
      {"%PRUNAXIS_BLANK%", "D:\\Quoted"},
      {"C:\\", "C:\\"},
      {"C:\\\\", "C:\\"},
      {"c:/", "c:\\"},
      {"\\\\server\\share\\App\\", "\\\\server\\share\\App"},
      {"\\\\server\\share\\", "\\\\server\\share"},
      {"//server/share/App", "\\\\server\\share\\App"},
      // Nothing to name a folder by.
      {"", ""},
      {"   ", ""},
      {"\"\"", ""},
      {"App", ""},
      {".\\App", ""},
      {"..\\App", ""},
      {"\\App", ""},
      {"C:", ""},
      {"C:App", ""},
      {"%PRUNAXIS_UNSET%\\App", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NormaliseInstallFolder(c.raw), c.folder) << "[" << c.raw << "]";

  SetEnvironmentVariableA("PRUNAXIS_VENDOR", hadVendor ? oldVendor : nullptr);
  SetEnvironmentVariableA("PRUNAXIS_BLANK", hadBlank ? oldBlank : nullptr);
}

}  // namespace
