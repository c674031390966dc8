// Names outside the ANSI code page through the inventory client: what the component
// reports arrives as exact UTF-8, and what the program hands back reaches the same
// registry names.
#include <gtest/gtest.h>

#include <string>

#include "FakeProgramList.h"
#include "inventory/RostrelLib_TLB.h"
#include "support/BuiltComponent.h"
#include "support/Sandbox.h"
#include "sys/Bstr.h"
#include "sys/ComInit.h"
#include "sys/Handles.h"
#include "sys/Text.h"

using inventory::TProgramItem;
using inventory::TProgramList;

namespace {

const wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const wchar_t kComments[] = L"Software\\Prunaxis\\Comments";

// Japanese, Greek, Cyrillic and an emoji outside the Basic Multilingual Plane.
const std::wstring kScripts = L"日本語 Ελληνικά Русский \U0001F600";

HRESULT STDAPICALLTYPE NothingRunning(REFCLSID, void*, IUnknown** out) {
  *out = nullptr;
  return MK_E_UNAVAILABLE;
}

// A per-user uninstall entry under a wide key name, removed when it goes (also
// when an assertion failed before).
class WideUserEntry {
 public:
  explicit WideUserEntry(const std::wstring& keyName) : path_(kUninstall + keyName) {
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, key_.put(), nullptr),
              ERROR_SUCCESS);
  }
  ~WideUserEntry() {
    key_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
  }
  void set(const std::wstring& value, const std::wstring& text) {
    RegSetValueExW(key_.get(), value.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }

 private:
  std::wstring path_;
  sys::UniqueKey key_;
};

std::wstring StoredComment(const std::wstring& keyName) {
  wchar_t stored[512] = {};
  DWORD size = sizeof stored;
  if (RegGetValueW(HKEY_CURRENT_USER, kComments, keyName.c_str(), RRF_RT_REG_SZ, nullptr, stored,
                   &size) != ERROR_SUCCESS)
    return L"<none>";
  return stored;
}

class WideNames : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NO_THROW(testing_support::RegisterBuiltComponent()); }
  sys::ComApartment apartment;
};

}  // namespace

TEST_F(WideNames, EveryTextOfAnEntryArrivesExactlyAndItsKeyNameFindsItAgain) {
  const std::wstring key = sys::Widen(testing_support::UniqueName("WideClient")) + L" " + kScripts;
  WideUserEntry entry(key);
  entry.set(L"DisplayName", L"Программа " + kScripts);
  entry.set(L"Publisher", L"出版社 Εκδότης");
  entry.set(L"InstallLocation", L"C:\\Программы\\日本語\\");
  entry.set(L"UninstallString", L"C:\\Программы\\unins.exe");
  entry.set(L"Значение \U0001F600", L"データ");

  TProgramList list(NothingRunning);
  list.LoadPrograms();
  const std::string keyName = sys::Narrow(key);
  const LONG index = list.FindProgram(keyName);
  ASSERT_GE(index, 0) << keyName;
  TProgramItem item = list.GetProgram(static_cast<ULONG>(index));
  ASSERT_TRUE(item);
  EXPECT_EQ(item.GetRegistryKeyName(), keyName);
  EXPECT_EQ(item.GetDisplayName(), sys::Narrow(L"Программа " + kScripts));
  EXPECT_EQ(item.GetPublisher(), sys::Narrow(L"出版社 Εκδότης"));
  EXPECT_EQ(item.GetInstallLocation(), sys::Narrow(L"C:\\Программы\\日本語\\"));
  EXPECT_EQ(item.GetUninstallString(), sys::Narrow(L"C:\\Программы\\unins.exe"));
  bool valueSeen = false;
  for (ULONG i = 0, n = item.GetRegistryValueCount(); i < n; ++i) {
    if (item.GetRegistryValueName(i) != sys::Narrow(L"Значение \U0001F600")) continue;
    valueSeen = true;
    EXPECT_EQ(item.GetRegistryValueData(i), sys::Narrow(L"データ"));
  }
  EXPECT_TRUE(valueSeen);
  EXPECT_EQ(
      list.GetProgramRegistryPath(static_cast<ULONG>(index)),
      "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + keyName);

  // A comment goes in under the same key name, its characters whole.
  item.SetComment(sys::Narrow(L"Заметка " + kScripts));
  EXPECT_EQ(StoredComment(key), L"Заметка " + kScripts);
  item.SetComment("");
  EXPECT_EQ(StoredComment(key), L"<none>");
}

TEST_F(WideNames, AnUnpairedSurrogateInANameGoesBackUnchanged) {
  // Registry names may hold what is no valid UTF-16; the program must still name
  // the same key when it hands the text back.
  const std::wstring key = sys::Widen(testing_support::UniqueName("WideLone")) + L" \xD83D end";
  WideUserEntry entry(key);
  entry.set(L"DisplayName", L"Lone \xDE00 half");
  TProgramList list(NothingRunning);
  list.LoadPrograms();
  const LONG index = list.FindProgram(sys::Narrow(key));
  ASSERT_GE(index, 0);
  TProgramItem item = list.GetProgram(static_cast<ULONG>(index));
  ASSERT_TRUE(item);
  EXPECT_EQ(sys::Widen(item.GetDisplayName()), L"Lone \xDE00 half");
  item.SetComment("kept");
  EXPECT_EQ(StoredComment(key), L"kept");
  item.SetComment("");
}

TEST(WideBstr, OwnsAndConvertsExactly) {
  const std::string text = sys::Narrow(kScripts);
  sys::OwnedBstr made = sys::OwnedBstr::FromUtf8(text);
  ASSERT_NE(made.get(), nullptr);
  EXPECT_EQ(made.view(), kScripts);
  EXPECT_EQ(SysStringLen(made.get()), kScripts.size());
  EXPECT_EQ(made.utf8(), text);
  // An embedded NUL is part of a BSTR's text.
  sys::OwnedBstr withNul = sys::OwnedBstr::FromUtf8(std::string("a\0b", 3));
  EXPECT_EQ(withNul.view(), std::wstring(L"a\0b", 3));
  sys::OwnedBstr moved = std::move(made);
  EXPECT_EQ(made.get(), nullptr);
  EXPECT_EQ(moved.utf8(), text);
  sys::OwnedBstr none;
  EXPECT_EQ(none.utf8(), "");
  *none.put() = SysAllocString(L"x");
  *none.put() = nullptr;  // put() frees what it held
  EXPECT_EQ(none.view(), L"");
}

TEST(WideBstr, TheClientPassesAComponentsWideTextsThrough) {
  inventory_test::FakeProgramList fake;
  fake.saverName = L"Хранитель \U0001F600.scr";
  {
    TProgramList list{sys::ComPtr<rostrel::IProgramList>([&] {
      fake.AddRef();
      return &fake;
    }())};
    EXPECT_EQ(list.GetScreenSaverFileName(0), sys::Narrow(L"Хранитель \U0001F600.scr"));
    EXPECT_EQ(list.GetScreenSaverPath(0), sys::Narrow(L"C:\\Хранитель \U0001F600.scr"));
  }
  EXPECT_EQ(fake.refs, 0);
}
