// The program's client of the inventory component: connecting, converting texts,
// turning failure codes into exceptions.
#include <gtest/gtest.h>

#include <string_view>
#include <thread>

#include "support/BuiltComponent.h"
#include "FakeProgramList.h"
#include "inventory/RostrelLib_TLB.h"
#include "support/Sandbox.h"
#include "sys/ComInit.h"
#include "sys/Registry.h"
#include "sys/SysError.h"
#include "sys/Text.h"

using inventory::InventoryError;
using inventory::TProgramItem;
using inventory::TProgramList;
using inventory_test::FakeProgramList;

namespace {

// UTF-8 text written as a u8 literal.
std::string U8(std::u8string_view text) {
  return std::string(text.begin(), text.end());
}

const wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The build's Rostrel.dll registered through its own DllRegisterServer.
void RegisterBuiltComponent() {
  ASSERT_NO_THROW(testing_support::RegisterBuiltComponent());
}

// A per-user uninstall entry with wide texts, removed afterwards.
class UserEntry {
 public:
  UserEntry(const std::string& name, const std::wstring& displayName)
      : name_(name), path_(kUninstall + sys::Widen(name)) {
    RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    key_.put(), nullptr);
    set(L"DisplayName", displayName);
    set(L"UninstallString", L"unins.exe");
  }
  ~UserEntry() {
    key_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
  }
  void set(const wchar_t* value, const std::wstring& text) {
    RegSetValueExW(key_.get(), value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  std::wstring path_;
  sys::UniqueKey key_;
};

// No instance is running: the client creates one. Keeps the tests that are not about
// the lookup clear of the running-object table's start-up time under Wine.
HRESULT STDAPICALLTYPE NothingRunning(REFCLSID, void*, IUnknown** out) {
  *out = nullptr;
  return MK_E_UNAVAILABLE;
}

class ProgramListClientTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterBuiltComponent(); }
  sys::ComApartment apartment;
};

}  // namespace

TEST_F(ProgramListClientTest, ConnectsOnItsFirstCallAndConvertsTextsToUtf8) {
  UserEntry entry(testing_support::UniqueName("RostrelClient"), L"Caf\x00e9 \x4e2d\x6587 Suite");
  entry.set(L"Publisher",
            L"\x00c9"
            L"diteur \x00fc"
            L"ber");
  TProgramList list(NothingRunning);
  EXPECT_FALSE(list.Connected());
  list.LoadPrograms();
  EXPECT_TRUE(list.Connected());

  LONG index = list.FindProgram(entry.name());
  ASSERT_GE(index, 0);
  TProgramItem item = list.GetProgram(static_cast<ULONG>(index));
  ASSERT_TRUE(item);
  // Every character arrives, in or out of the ANSI code page.
  EXPECT_EQ(item.GetDisplayName(), U8(u8"Café 中文 Suite"));
  EXPECT_EQ(item.GetPublisher(), U8(u8"Éditeur über"));
  EXPECT_EQ(item.GetRegistryKeyName(), entry.name());
  EXPECT_EQ(item.GetInstallLocation(), "");
  EXPECT_EQ(item.GetSystemPatch(), 0);
  EXPECT_EQ(item.GetRegistryValueCount(), 3u);
  EXPECT_EQ(list.GetProgramRegistryPath(static_cast<ULONG>(index)),
            "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                entry.name());
}

TEST_F(ProgramListClientTest, PassesUtf8TextsInAsWideOnes) {
  UserEntry entry(testing_support::UniqueName("RostrelClient"), L"Commented");
  TProgramList list(NothingRunning);
  list.LoadPrograms();
  TProgramItem item = list.GetProgram(static_cast<ULONG>(list.FindProgram(entry.name())));
  ASSERT_TRUE(item);
  item.SetComment(U8(u8"Notiz für später"));
  wchar_t stored[64] = {};
  DWORD size = sizeof stored;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Prunaxis\\Comments",
                         sys::Widen(entry.name()).c_str(), RRF_RT_REG_SZ, nullptr, stored, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(stored, L"Notiz f\x00fcr sp\x00e4ter");
  item.SetComment("");  // removes it again

  // The key name goes in the same way.
  item.SetRegistryKeyName(entry.name());
  EXPECT_EQ(item.GetDisplayName(), "Commented");
}

TEST_F(ProgramListClientTest, NoEntryIsAnEmptyItemAndFailuresAreExceptionsWithCodeAndText) {
  TProgramList list(NothingRunning);
  list.LoadPrograms();
  ULONG count = list.GetProgramCount();
  TProgramItem none = list.GetProgram(count);
  EXPECT_FALSE(none);
  try {
    none.GetDisplayName();
    ADD_FAILURE() << "an empty item answered";
  } catch (const InventoryError& error) {
    EXPECT_EQ(error.code(), E_POINTER);
    EXPECT_STREQ(error.operation(), "GetDisplayName");
  }

  list.LoadScreenSavers();
  ULONG savers = list.GetScreenSaverCount();
  try {
    list.GetScreenSaverFileName(savers);
    ADD_FAILURE() << "no error for an index out of range";
  } catch (const InventoryError& error) {
    EXPECT_EQ(error.code(), E_INVALIDARG);
    EXPECT_EQ(std::string(error.what()), sys::ErrorText(static_cast<DWORD>(E_INVALIDARG)));
    EXPECT_STREQ(error.operation(), "GetScreenSaverFileName");
  }
  EXPECT_THROW(list.GetScreenSaverSize(savers), InventoryError);
  EXPECT_EQ(list.FindProgram("No such key, surely"), -1);
}

TEST_F(ProgramListClientTest, EveryFailureCodeOfTheComponentBecomesAnException) {
  FakeProgramList fake;
  {
    TProgramList list{sys::ComPtr<rostrel::IProgramList>([&] {
      fake.AddRef();
      return &fake;
    }())};
    fake.failure = E_ACCESSDENIED;
    try {
      list.LoadPrograms();
      ADD_FAILURE() << "no exception";
    } catch (const InventoryError& error) {
      EXPECT_EQ(error.code(), E_ACCESSDENIED);
      EXPECT_EQ(std::string(error.what()), sys::ErrorText(static_cast<DWORD>(E_ACCESSDENIED)));
    }
    fake.failure = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    EXPECT_THROW(list.GetProgramCount(), InventoryError);
    EXPECT_THROW(list.GetProgram(0), InventoryError);
    EXPECT_THROW(list.GetScreenSaverDescription(0), InventoryError);
    EXPECT_THROW(list.GetScreenSaverIconIndex(0), InventoryError);
    EXPECT_THROW(list.FindProgram("x"), InventoryError);

    // Success codes other than S_OK are no failures; NULL texts read as empty.
    fake.failure = S_OK;
    EXPECT_FALSE(list.GetProgram(0));
    EXPECT_EQ(list.GetScreenSaverDescription(0), "");
    EXPECT_EQ(list.GetScreenSaverFileName(0), "fake.scr");
    EXPECT_EQ(list.GetScreenSaverSize(0), 1572864u);
    EXPECT_TRUE(list.GetScreenSaverActive(0));
  }
  EXPECT_EQ(fake.refs, 0);  // the client let go of what it held
}

namespace {

// What the running-object table answers in the next test.
IUnknown* g_running = nullptr;
CLSID g_askedFor = CLSID_NULL;
HRESULT STDAPICALLTYPE FakeLookup(REFCLSID clsid, void*, IUnknown** out) {
  g_askedFor = clsid;
  *out = g_running;
  if (!g_running) return MK_E_UNAVAILABLE;
  g_running->AddRef();
  return S_OK;
}

// An object that is running but is no program list.
class Stranger final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    *out = IsEqualIID(riid, IID_IUnknown) ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  LONG refs = 0;
};

}  // namespace

TEST_F(ProgramListClientTest, TakesARunningInstanceBeforeCreatingOne) {
  FakeProgramList fake;
  fake.programCount = 4242;
  g_running = &fake;
  {
    TProgramList list(FakeLookup);
    EXPECT_EQ(list.GetProgramCount(), 4242u);
    EXPECT_TRUE(IsEqualCLSID(g_askedFor, rostrel::CLSID_ProgramList));
    list.LoadPrograms();
    EXPECT_EQ(fake.loads, 1);
  }
  EXPECT_EQ(fake.refs, 0);

  // Nothing running, or something running that is no program list: a new instance.
  Stranger stranger;
  for (IUnknown* running : {static_cast<IUnknown*>(nullptr), static_cast<IUnknown*>(&stranger)}) {
    g_running = running;
    TProgramList list(FakeLookup);
    list.LoadPrograms();
    EXPECT_TRUE(list.Connected());
    EXPECT_EQ(fake.loads, 1);
  }
  EXPECT_EQ(stranger.refs, 0);
  g_running = nullptr;
}

TEST_F(ProgramListClientTest, TheDefaultLookupAsksTheRunningObjectTable) {
  IUnknown* found = reinterpret_cast<IUnknown*>(1);
  HRESULT hr = inventory::LookUpRunningInstance(rostrel::CLSID_ProgramList, nullptr, &found);
  // Nothing registers the component as running: the table, when it answers, has none.
  EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(inventory::LookUpRunningInstance(rostrel::CLSID_ProgramList, nullptr, nullptr),
            E_POINTER);
}

TEST_F(ProgramListClientTest, WithoutComTheFirstCallFails) {
  HRESULT code = S_OK;
  std::thread worker([&] {
    TProgramList list;
    try {
      list.GetProgramCount();
    } catch (const InventoryError& error) {
      code = error.code();
    }
  });
  worker.join();
  EXPECT_EQ(code, CO_E_NOTINITIALIZED);
}
