#include <gtest/gtest.h>

#include <algorithm>

#include "support/Sandbox.h"
#include "sys/Registry.h"

using sys::Registry;
using testing_support::RegSandbox;

namespace {

bool RawKeyExists(HKEY root, const std::string& path, REGSAM view = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace

TEST(Registry, OpensRelativeToTheOpenKeyAndAbsoluteFromTheRoot) {
  RegSandbox box;
  Registry reg(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.openKey("\\" + box.path(), false));
  ASSERT_TRUE(reg.openKey("Child\\Grand", true));
  EXPECT_EQ(reg.currentPath(), box.path() + "\\Child\\Grand");
  EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, box.sub("Child\\Grand")));

  // Without creation a missing key fails and the open key stays as it was.
  EXPECT_FALSE(reg.openKey("Missing", false));
  EXPECT_EQ(reg.lastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(reg.currentPath(), box.path() + "\\Child\\Grand");

  ASSERT_TRUE(reg.openKey("\\" + box.path(), false));
  EXPECT_EQ(reg.currentPath(), box.path());
}

TEST(Registry, ReadsAndWritesStringsAndSkipsOtherTypes) {
  RegSandbox box;
  Registry reg;
  ASSERT_TRUE(reg.openKey(box.path(), false));
  ASSERT_TRUE(reg.writeString("Name", "Value with spaces"));
  ASSERT_TRUE(reg.writeExpandString("Path", "%SystemRoot%\\x"));
  ASSERT_TRUE(reg.writeDword("Number", 42));
  std::string big(5000, 'x');
  ASSERT_TRUE(reg.writeString("Big", big));

  EXPECT_EQ(reg.readString("Name").value_or("?"), "Value with spaces");
  EXPECT_EQ(reg.readString("Path").value_or("?"), "%SystemRoot%\\x");
  EXPECT_EQ(reg.readString("Big").value_or("?"), big);
  EXPECT_FALSE(reg.readString("Number").has_value());
  EXPECT_EQ(reg.readString("Number", "fallback"), "fallback");
  EXPECT_EQ(reg.readString("Absent", "fallback"), "fallback");
  EXPECT_EQ(reg.readDword("Number").value_or(0), 42u);
  EXPECT_FALSE(reg.readDword("Name").has_value());
  EXPECT_EQ(reg.valueType("Path"), static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_TRUE(reg.valueExists("Name"));
  EXPECT_FALSE(reg.valueExists("Absent"));
}

TEST(Registry, ReadsUnterminatedStringDataWithoutOverrun) {
  RegSandbox box;
  Registry reg;
  ASSERT_TRUE(reg.openKey(box.path(), false));
  const char raw[] = {'a', 'b', 'c'};  // stored without a terminating NUL
  ASSERT_EQ(RegSetValueExA(reg.currentKey(), "Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw),
                           sizeof raw),
            ERROR_SUCCESS);
  EXPECT_EQ(reg.readString("Raw").value_or("?"), "abc");
}

TEST(Registry, EnumeratesKeyAndValueNames) {
  RegSandbox box;
  Registry reg;
  ASSERT_TRUE(reg.openKey(box.path(), false));
  for (const char* k : {"Beta", "alpha", "Gamma"}) {
    Registry child;
    ASSERT_TRUE(child.openKey(box.sub(k), true));
  }
  reg.writeString("v1", "1");
  reg.writeString("", "default");
  reg.writeDword("v2", 2);

  auto keys = reg.keyNames();
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::string>{"Beta", "Gamma", "alpha"}));
  auto values = reg.valueNames();
  std::sort(values.begin(), values.end());
  EXPECT_EQ(values, (std::vector<std::string>{"", "v1", "v2"}));
}

TEST(Registry, DeletesValuesAndWholeTreesOnly) {
  RegSandbox box;
  Registry reg;
  ASSERT_TRUE(reg.openKey(box.path(), false));
  ASSERT_TRUE(reg.openKey("Doomed\\A\\B\\C", true));
  reg.writeString("deep", "1");
  ASSERT_TRUE(reg.openKey("\\" + box.sub("Doomed\\A2"), true));
  ASSERT_TRUE(reg.openKey("\\" + box.sub("Kept"), true));
  reg.writeString("stay", "1");
  reg.writeString("go", "1");

  ASSERT_TRUE(reg.deleteValue("go"));
  EXPECT_FALSE(reg.deleteValue("go"));
  EXPECT_TRUE(reg.valueExists("stay"));

  ASSERT_TRUE(reg.openKey("\\" + box.path(), false));
  ASSERT_TRUE(reg.deleteKey("Doomed"));
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, box.sub("Doomed")));
  EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, box.sub("Kept")));
  EXPECT_FALSE(reg.deleteKey("Doomed"));
  EXPECT_FALSE(reg.deleteKey(""));  // never the open key itself
  EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, box.path()));
}

TEST(Registry, ReadOnlyOpenRefusesWrites) {
  RegSandbox box;
  Registry reg;
  ASSERT_TRUE(reg.openKeyReadOnly(box.path()));
  EXPECT_FALSE(reg.writeString("x", "y"));
  EXPECT_EQ(reg.lastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(reg.access(), static_cast<REGSAM>(KEY_ALL_ACCESS));  // the object's rights are kept
}

TEST(Registry, ViewsOfTheMachineSoftwareKeyAreSeparate) {
  // A 32-bit program on 64-bit Windows sees HKLM\Software split into two views.
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  if (!wow64) GTEST_SKIP() << "32-bit system: one registry view";
  RegSandbox box64(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY);
  EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, box64.path(), KEY_WOW64_64KEY));
  EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, box64.path(), KEY_WOW64_32KEY));

  Registry reg(HKEY_LOCAL_MACHINE, KEY_ALL_ACCESS | KEY_WOW64_64KEY);
  ASSERT_TRUE(reg.openKey("\\" + box64.sub("Tree\\Leaf"), true));
  reg.closeKey();
  ASSERT_TRUE(reg.deleteKey(box64.sub("Tree")));
  EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, box64.sub("Tree"), KEY_WOW64_64KEY));
}

TEST(Registry, NamesRootKeys) {
  EXPECT_EQ(sys::RootKeyName(HKEY_LOCAL_MACHINE), "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(sys::RootKeyName(HKEY_CURRENT_USER), "HKEY_CURRENT_USER");
}
