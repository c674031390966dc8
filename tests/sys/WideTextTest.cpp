// Names outside the ANSI code page, through the sys layer's conversions, registry
// enumerators, profile files and exact-name file calls.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/Sandbox.h"
#include "sys/FileOps.h"
#include "sys/Files.h"
#include "sys/IniFile.h"
#include "sys/Registry.h"
#include "sys/Text.h"

using testing_support::RegSandbox;
using testing_support::TempDir;

namespace {

// Japanese, Greek, Cyrillic and a character outside the Basic Multilingual Plane.
const std::string kMixed = sys::Narrow(
    L"\u65e5\u672c\u8a9e \u0395\u03bb\u03bb\u03b7\u03bd\u03b9"
    L"\u03ba\u03ac \u0420\u0443\u0441\u0441\u043a\u0438\u0439 "
    L"\U0001F600");

std::string Bytes(const std::wstring& wide, bool withNul) {
  return std::string(reinterpret_cast<const char*>(wide.c_str()),
                     (wide.size() + (withNul ? 1 : 0)) * 2);
}

}  // namespace

TEST(WideText, ConvertsEveryScriptBothWaysExactly) {
  const std::wstring wide = L"\u65e5\u672c \u0395\u03bb \u0420\u0443 \U0001F600 plain";
  const std::string utf8 = sys::Narrow(wide);
  // Hand-written UTF-8 of the same text.
  EXPECT_EQ(utf8,
            "\xe6\x97\xa5\xe6\x9c\xac \xce\x95\xce\xbb \xd0\xa0\xd1\x83 \xf0\x9f\x98\x80 plain");
  EXPECT_EQ(sys::Widen(utf8), wide);
  EXPECT_EQ(sys::NarrowZ(nullptr), "");

  // A lone surrogate (which a registry or file name may hold) survives the round trip.
  const std::wstring odd = {L'a', static_cast<wchar_t>(0xD800), L'b', static_cast<wchar_t>(0xDFFF)};
  EXPECT_EQ(sys::Widen(sys::Narrow(odd)), odd);

  // Broken UTF-8 becomes U+FFFD, never a shorter or a different valid name.
  EXPECT_EQ(sys::Widen("a\xff"), std::wstring(L"a\uFFFD"));
  EXPECT_EQ(sys::Widen("\xc0\xaf"), std::wstring(L"\uFFFD\uFFFD"));
}

TEST(WideText, TellsWhetherTheAnsiCodePageHoldsAText) {
  std::string ansi;
  EXPECT_TRUE(sys::AnsiFromUtf8("Caf\xc3\xa9", ansi));  // "Café" fits Windows-1252
  EXPECT_EQ(ansi, "Caf\xe9");
  EXPECT_EQ(sys::Utf8FromAnsi(ansi), "Caf\xc3\xa9");
  EXPECT_FALSE(sys::AnsiFromUtf8(kMixed, ansi));
}

TEST(WideRegistry, KeysAndValuesKeepExactNamesAndBytes) {
  RegSandbox box;
  sys::RegKey root(HKEY_CURRENT_USER, box.path());
  sys::RegKey child = root.child(kMixed);
  ASSERT_EQ(child.writeString(kMixed, kMixed), ERROR_SUCCESS);

  // What the registry holds, read with the wide API directly.
  HKEY raw = nullptr;
  std::wstring path = sys::Widen(box.path()) + L"\\" + sys::Widen(kMixed);
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &raw), ERROR_SUCCESS);
  wchar_t data[128] = {};
  DWORD size = sizeof data, type = 0;
  EXPECT_EQ(RegQueryValueExW(raw, sys::Widen(kMixed).c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  RegCloseKey(raw);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(data), sys::Widen(kMixed));

  EXPECT_EQ(root.subKeys(), std::vector<std::string>{kMixed});
  auto values = child.values();
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, kMixed);
  EXPECT_EQ(values[0].text(), kMixed);

  // The stateful object reads the same names.
  sys::Registry reg;
  ASSERT_TRUE(reg.openKey(box.path() + "\\" + kMixed, false));
  EXPECT_EQ(reg.valueNames(), std::vector<std::string>{kMixed});
  EXPECT_EQ(reg.readString(kMixed).value_or("?"), kMixed);
}

TEST(WideRegistry, RawValuesOfEveryTypeWriteAndReadBackByteForByte) {
  RegSandbox box;
  sys::RegKey key(HKEY_CURRENT_USER, box.path());
  std::vector<sys::RegValue> written = {
      {"", REG_SZ, Bytes(L"default", true)},
      {"sz no terminator", REG_SZ, Bytes(L"abc", false)},
      {"expand", REG_EXPAND_SZ, Bytes(L"%TEMP%\\\u65e5", true)},
      {"multi", REG_MULTI_SZ, Bytes(std::wstring(L"one\0\u0414\u0432\u0430\0", 9), true)},
      {"binary", REG_BINARY, std::string("\x00\x01\xfe\xff", 4)},
      {"dword", REG_DWORD, std::string("\x2a\x00\x00\x00", 4)},
      {"qword", REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},
      {"none", REG_NONE, std::string()},
      {"back\\slash = equals", REG_SZ, Bytes(L"x", true)},
  };
  for (const auto& value : written) ASSERT_EQ(key.writeValue(value), ERROR_SUCCESS) << value.name;

  LONG error = -1;
  auto read = key.values(&error);
  EXPECT_EQ(error, ERROR_SUCCESS);
  ASSERT_EQ(read.size(), written.size());
  for (const auto& want : written) {
    auto got = std::find_if(read.begin(), read.end(),
                            [&](const sys::RegValue& v) { return v.name == want.name; });
    ASSERT_NE(got, read.end()) << want.name;
    EXPECT_EQ(got->type, want.type) << want.name;
    EXPECT_EQ(got->data, want.data) << want.name;
  }
  auto multi = key.readValue("multi");
  ASSERT_TRUE(multi.has_value());
  EXPECT_EQ(multi->strings(),
            (std::vector<std::string>{"one", sys::Narrow(L"\u0414\u0432\u0430")}));
  EXPECT_EQ(key.readString("sz no terminator").value_or("?"), "abc");
}

TEST(WideRegistry, EnumeratorsGrowForLongNamesInsteadOfSkippingThem) {
  RegSandbox box;
  sys::RegKey key(HKEY_CURRENT_USER, box.path());
  const std::string longValue(2000, 'v');
  const std::string longKey(255, 'k');  // the longest key name the registry allows
  ASSERT_EQ(key.writeString(longValue, "x"), ERROR_SUCCESS);
  ASSERT_EQ(key.writeString("short", "y"), ERROR_SUCCESS);
  ASSERT_EQ(key.child(longKey).writeString("a", "b"), ERROR_SUCCESS);
  ASSERT_EQ(key.child("s").writeString("a", "b"), ERROR_SUCCESS);

  auto values = key.values();
  std::vector<std::string> names;
  for (const auto& v : values) names.push_back(v.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"short", longValue}));
  auto keys = key.subKeys();
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::string>{longKey, "s"}));
}

TEST(WideRegistry, DeleteTreeRemovesOnlyTheNamedKey) {
  RegSandbox box;
  sys::RegKey key(HKEY_CURRENT_USER, box.path());
  // Two keys whose names narrow to the same "??" text in an ANSI program.
  const std::string first = sys::Narrow(L"\u65e5\u672c");
  const std::string second = sys::Narrow(L"\u0420\u0443");
  ASSERT_EQ(key.child(first).child("deep").writeString("v", "1"), ERROR_SUCCESS);
  ASSERT_EQ(key.child(second).writeString("v", "2"), ERROR_SUCCESS);
  EXPECT_EQ(key.child(first).deleteTree(), ERROR_SUCCESS);
  EXPECT_FALSE(key.child(first).exists());
  EXPECT_EQ(key.child(second).readString("v").value_or("?"), "2");
  EXPECT_EQ(sys::RegKey(HKEY_CURRENT_USER, "").deleteTree(),
            static_cast<LONG>(ERROR_INVALID_PARAMETER));
}

TEST(WideRegistry, ViewsAreSeparateForTheMachinesSoftwareKey) {
  // HKLM\Software is split between the 32-bit and the 64-bit view on 64-bit systems.
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  if (!wow64) GTEST_SKIP() << "a 32-bit system has one view";
  const std::string path = "Software\\PrunaxisTests\\" + testing_support::UniqueName("view");
  sys::RegKey native(HKEY_LOCAL_MACHINE, path, sys::RegView::Wow64);
  sys::RegKey wow(HKEY_LOCAL_MACHINE, path, sys::RegView::Wow32);
  ASSERT_EQ(native.writeString("where", "64"), ERROR_SUCCESS);
  EXPECT_TRUE(native.exists());
  EXPECT_FALSE(wow.exists());
  EXPECT_EQ(native.deleteTree(), ERROR_SUCCESS);
  EXPECT_FALSE(native.exists());
}

TEST(WideIniFile, AnsiFilesReadAsBeforeAndUnicodeFilesReadExactly) {
  TempDir dir;
  // A Latin-1 file as the program has always stored it.
  const std::string ansiPath = dir.file("ansi.ini");
  ASSERT_TRUE(sys::WriteFileBytes(ansiPath,
                                  "[S]\r\nName=Gr\xfc\xdf"
                                  "e\r\n"));
  EXPECT_EQ(sys::IniFile(ansiPath).readString("S", "Name", ""),
            "Gr\xc3\xbc\xc3\x9f"
            "e");

  // A UTF-16LE file with its byte-order mark.
  const std::wstring text = L"\uFEFF[S]\r\nName=" + sys::Widen(kMixed) + L"\r\n";
  const std::string widePath = dir.file(sys::Narrow(L"\u0420\u0443.ini"));
  ASSERT_TRUE(sys::WriteFileBytes(widePath, Bytes(text, false)));
  sys::IniFile ini(widePath);
  EXPECT_EQ(ini.readString("S", "Name", ""), kMixed);
  ASSERT_TRUE(ini.writeString("S", "Other", kMixed));
  EXPECT_EQ(ini.readString("S", "Other", ""), kMixed);
}

TEST(WideFiles, ExactNamesAreListedAndDeletedWithoutPatterns) {
  TempDir dir;
  const std::string japanese = sys::Narrow(L"\u65e5\u672c");
  ASSERT_TRUE(sys::CreateFolder(dir.file(japanese)));
  ASSERT_TRUE(sys::CreateFolder(dir.file("de")));  // what "??" would also match
  const std::string file = dir.file(sys::Narrow(L"\u0395\u03bb\U0001F600.txt"));
  ASSERT_TRUE(sys::WriteFileBytes(file, "x"));
  EXPECT_TRUE(sys::FileExists(file));

  std::vector<std::string> names;
  for (const auto& entry : sys::ListFolder(dir.path())) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  std::vector<std::string> want = {"de", sys::Narrow(L"\u0395\u03bb\U0001F600.txt"), japanese};
  std::sort(want.begin(), want.end());
  EXPECT_EQ(names, want);

  EXPECT_TRUE(sys::RemoveFolderExact(dir.file(japanese)));
  EXPECT_TRUE(sys::DeleteFileExact(file));
  EXPECT_FALSE(sys::PathExists(dir.file(japanese)));
  EXPECT_TRUE(sys::DirectoryExists(dir.file("de")));
  // A name that is not there is not "deleted".
  EXPECT_FALSE(sys::DeleteFileExact(file));
  EXPECT_TRUE(sys::ForceDirectories(dir.file(japanese + "\\" + japanese)));
  EXPECT_TRUE(sys::DirectoryExists(dir.file(japanese + "\\" + japanese)));
}
