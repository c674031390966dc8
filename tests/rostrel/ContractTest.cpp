// The binary contract that any client relies on: identifiers, vtable slots,
// IDispatch without a type library, registration and unloading.
#include <gtest/gtest.h>

#include "ComponentSupport.h"
#include "rostrel/core/Ids.h"
#include "support/Sandbox.h"
#include "sys/Registry.h"

using namespace rostrel_test;

namespace {

// The function at `slot` of an interface's table, called the way a client that
// knows only the slot numbers calls it.
template <typename Fn>
Fn Slot(void* object, int slot) {
  void** table = *static_cast<void***>(object);
  return reinterpret_cast<Fn>(table[slot]);
}

using CountFn = HRESULT(STDMETHODCALLTYPE*)(void*, ULONG*);
using IndexTextFn = HRESULT(STDMETHODCALLTYPE*)(void*, ULONG, BSTR*);
using TextFn = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR*);
using LongFn = HRESULT(STDMETHODCALLTYPE*)(void*, LONG*);
using VoidFn = HRESULT(STDMETHODCALLTYPE*)(void*);
using GetItemFn = HRESULT(STDMETHODCALLTYPE*)(void*, ULONG, void**);
using SetTextFn = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR);

class ContractTest : public ::testing::Test {
 protected:
  sys::ComApartment apartment;
  UninstallEntries entries;
};

}  // namespace

TEST_F(ContractTest, OperationsSitInTheirFixedSlots) {
  entries.addProgram(Where::Machine, entries.name("slots"), "Slots");
  entries.setString(Where::Machine, entries.name("slots"), "Publisher", "Slot Maker");
  entries.setString(Where::Machine, entries.name("slots"), "URLUpdateInfo", "https://update");
  auto list = NewProgramList();
  void* raw = list.get();

  ASSERT_EQ(Slot<VoidFn>(raw, 17)(raw), S_OK);  // LoadPrograms
  ULONG count = 0;
  ASSERT_EQ(Slot<CountFn>(raw, 8)(raw, &count), S_OK);  // GetProgramCount
  ULONG expected = 0;
  list->GetProgramCount(&expected);
  EXPECT_EQ(count, expected);
  ASSERT_EQ(Slot<VoidFn>(raw, 18)(raw), S_OK);          // LoadScreenSavers
  ASSERT_EQ(Slot<CountFn>(raw, 9)(raw, &count), S_OK);  // GetScreenSaverCount
  EXPECT_EQ(Slot<IndexTextFn>(raw, 10)(raw, count, nullptr), E_POINTER);

  ULONG index = 0;
  ASSERT_EQ(list->FindProgram(InText(entries.name("slots")), &index), S_OK);
  void* item = nullptr;
  ASSERT_EQ(Slot<GetItemFn>(raw, 7)(raw, index, &item), S_OK);  // GetProgram
  ASSERT_NE(item, nullptr);
  Text text;
  ASSERT_EQ(Slot<TextFn>(item, 7)(item, text.put()), S_OK);  // GetDisplayName
  EXPECT_EQ(text.narrow(), "Slots");
  ASSERT_EQ(Slot<TextFn>(item, 9)(item, text.put()), S_OK);  // GetRegistryKeyName
  EXPECT_EQ(text.narrow(), entries.name("slots"));
  ASSERT_EQ(Slot<TextFn>(item, 12)(item, text.put()), S_OK);  // GetPublisher
  EXPECT_EQ(text.narrow(), "Slot Maker");
  ASSERT_EQ(Slot<TextFn>(item, 22)(item, text.put()), S_OK);  // GetUpdateLink
  EXPECT_EQ(text.narrow(), "https://update");
  LONG patch = -1;
  ASSERT_EQ(Slot<LongFn>(item, 11)(item, &patch), S_OK);  // GetSystemPatch
  EXPECT_EQ(patch, 0);
  ULONG values = 0;
  ASSERT_EQ(Slot<CountFn>(item, 23)(item, &values), S_OK);  // GetRegistryValueCount
  EXPECT_EQ(values, 4u);
  EXPECT_EQ(Slot<SetTextFn>(item, 10)(item, nullptr), E_INVALIDARG);  // SetRegistryKeyName
  static_cast<IUnknown*>(item)->Release();
}

TEST_F(ContractTest, AnswersForItsInterfacesAndADispatchWithoutTypeInformation) {
  auto list = NewProgramList();
  sys::ComPtr<IUnknown> unknown;
  EXPECT_EQ(list->QueryInterface(IID_IUnknown, unknown.putVoid()), S_OK);
  sys::ComPtr<IDispatch> dispatch;
  ASSERT_EQ(list->QueryInterface(IID_IDispatch, dispatch.putVoid()), S_OK);
  sys::ComPtr<IUnknown> none;
  EXPECT_EQ(list->QueryInterface(rostrel::IID_IProgramItem, none.putVoid()), E_NOINTERFACE);
  EXPECT_FALSE(none);

  UINT infos = 99;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&infos), S_OK);
  EXPECT_EQ(infos, 0u);
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
  EXPECT_EQ(dispatch->GetTypeInfo(0, 0, &info), E_NOTIMPL);
  EXPECT_EQ(info, nullptr);
  OLECHAR name[] = L"GetProgramCount";
  LPOLESTR names[] = {name};
  DISPID id = 0;
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);

  entries.addProgram(Where::User, entries.name("qi"), "QI");
  ASSERT_EQ(list->LoadPrograms(), S_OK);
  ULONG index = 0;
  ASSERT_EQ(list->FindProgram(InText(entries.name("qi")), &index), S_OK);
  auto item = Program(list.get(), index);
  sys::ComPtr<IProgramItem> again;
  EXPECT_EQ(item->QueryInterface(rostrel::IID_IProgramItem, again.putVoid()), S_OK);
  EXPECT_EQ(again.get(), item.get());
  EXPECT_EQ(item->QueryInterface(rostrel::IID_IProgramList, none.putVoid()), E_NOINTERFACE);
}

TEST_F(ContractTest, TheLibraryMayUnloadOnlyWhenNoObjectIsLeft) {
  auto list = NewProgramList();
  HMODULE module = GetModuleHandleA("Rostrel.dll");
  ASSERT_NE(module, nullptr);
  using CanUnloadFn = HRESULT(STDAPICALLTYPE*)();
  auto canUnload = reinterpret_cast<CanUnloadFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  ASSERT_NE(canUnload, nullptr);

  entries.addProgram(Where::Machine, entries.name("alive"), "Alive");
  ASSERT_EQ(list->LoadPrograms(), S_OK);
  auto item = Program(list.get(), 0);
  ASSERT_TRUE(item);
  EXPECT_EQ(canUnload(), S_FALSE);
  list.reset();
  EXPECT_EQ(canUnload(), S_FALSE);  // the item still needs the code
  item.reset();
  EXPECT_EQ(canUnload(), S_OK);
}

TEST_F(ContractTest, RegistersThroughRegsvr32) {
  std::string dll = testing_support::ProgramBinDir() + "Rostrel.dll";
  std::string command = "regsvr32.exe /s \"" + dll + "\"";
  // Remove the class first, so that only regsvr32 can have written it.
  HKEY classes = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes", 0, KEY_ALL_ACCESS, &classes),
            ERROR_SUCCESS);
  sys::DeleteKeyTree(classes, std::string("CLSID\\") + rostrel::kClsidText, 0);
  RegCloseKey(classes);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  WaitForSingleObject(process.hProcess, 60000);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(exitCode, 0u);

  sys::Registry reg(HKEY_CLASSES_ROOT, KEY_READ);
  ASSERT_TRUE(
      reg.openKeyReadOnly(std::string("\\CLSID\\") + rostrel::kClsidText + "\\InprocServer32"));
  EXPECT_EQ(lstrcmpiA(reg.readString("", "").c_str(), dll.c_str()), 0) << reg.readString("", "");
  EXPECT_EQ(reg.readString("ThreadingModel", ""), "Apartment");

  sys::ComPtr<IProgramList> list;
  EXPECT_EQ(CoCreateInstance(rostrel::CLSID_ProgramList, nullptr, CLSCTX_INPROC_SERVER,
                             rostrel::IID_IProgramList, list.putVoid()),
            S_OK);
}
