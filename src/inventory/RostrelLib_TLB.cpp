#include "inventory/RostrelLib_TLB.h"

#include <oleauto.h>

#include <memory>

#include "sys/Bstr.h"
#include "sys/SysError.h"

namespace inventory {
namespace {

// One component call that hands out a text or a value, checked.
template <typename Call>
std::string TextResult(const char* operation, Call call) {
  sys::OwnedBstr text;
  Check(call(text.put()), operation);
  return text.utf8();
}

template <typename Value, typename Call>
Value ValueResult(const char* operation, Call call) {
  Value value{};
  Check(call(&value), operation);
  return value;
}

struct ServiceHandleCloser {
  void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using UniqueServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

// The running-object table lives in the RPC service.
bool RpcServiceStopped() {
  UniqueServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return false;
  UniqueServiceHandle service(OpenServiceW(manager.get(), L"RpcSs", SERVICE_QUERY_STATUS));
  SERVICE_STATUS status{};
  if (!service || !QueryServiceStatus(service.get(), &status)) return false;
  return status.dwCurrentState == SERVICE_STOPPED;
}

}  // namespace

HRESULT STDAPICALLTYPE LookUpRunningInstance(REFCLSID clsid, void* reserved, IUnknown** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (RpcServiceStopped()) return MK_E_UNAVAILABLE;
  return GetActiveObject(clsid, reserved, out);
}

InventoryError::InventoryError(HRESULT code, const char* operation)
    : std::runtime_error(sys::ErrorText(static_cast<DWORD>(code))),
      code_(code),
      operation_(operation) {}

void Check(HRESULT hr, const char* operation) {
  if (FAILED(hr)) throw InventoryError(hr, operation);
}

// --- TProgramItem ---------------------------------------------------------------

IProgramItem* TProgramItem::checked(const char* operation) const {
  if (!item_) throw InventoryError(E_POINTER, operation);
  return item_.get();
}

#define ITEM_TEXT(Name)                                                             \
  std::string TProgramItem::Name() const {                                          \
    return TextResult(#Name, [&](BSTR* out) { return checked(#Name)->Name(out); }); \
  }
#define ITEM_VALUE(Type, Name)                                                             \
  Type TProgramItem::Name() const {                                                        \
    return ValueResult<Type>(#Name, [&](Type* out) { return checked(#Name)->Name(out); }); \
  }

ITEM_TEXT(GetDisplayName)
ITEM_TEXT(GetUninstallString)
ITEM_TEXT(GetRegistryKeyName)
ITEM_TEXT(GetPublisher)
ITEM_TEXT(GetInstallLocation)
ITEM_TEXT(GetLastUsed)
ITEM_TEXT(GetInstallDate)
ITEM_TEXT(GetVersion)
ITEM_TEXT(GetHelpLink)
ITEM_TEXT(GetAboutLink)
ITEM_TEXT(GetUpdateLink)
ITEM_VALUE(LONG, GetSystemPatch)
ITEM_VALUE(LONG, GetIconIndex)
ITEM_VALUE(ULONG, GetUsedFrequency)
ITEM_VALUE(float, GetSize)
ITEM_VALUE(ULONG, GetRegistryValueCount)

std::string TProgramItem::GetRegistryValueName(ULONG index) const {
  return TextResult("GetRegistryValueName", [&](BSTR* out) {
    return checked("GetRegistryValueName")->GetRegistryValueName(index, out);
  });
}

std::string TProgramItem::GetRegistryValueData(ULONG index) const {
  return TextResult("GetRegistryValueData", [&](BSTR* out) {
    return checked("GetRegistryValueData")->GetRegistryValueData(index, out);
  });
}

void TProgramItem::SetRegistryKeyName(const std::string& keyName) const {
  IProgramItem* item = checked("SetRegistryKeyName");
  sys::OwnedBstr text = sys::OwnedBstr::FromUtf8(keyName);
  Check(item->SetRegistryKeyName(text.get()), "SetRegistryKeyName");
}

void TProgramItem::SetComment(const std::string& comment) const {
  IProgramItem* item = checked("SetComment");
  sys::OwnedBstr text = sys::OwnedBstr::FromUtf8(comment);
  Check(item->SetComment(text.get()), "SetComment");
}

// --- TProgramList ---------------------------------------------------------------

IProgramList* TProgramList::list() {
  if (list_) return list_.get();
  // A running instance first, as another part of the process may have published one.
  sys::ComPtr<IUnknown> running;
  if (lookup_ && SUCCEEDED(lookup_(rostrel::CLSID_ProgramList, nullptr, running.put())) &&
      running) {
    sys::ComPtr<IProgramList> list;
    if (SUCCEEDED(running->QueryInterface(rostrel::IID_IProgramList, list.putVoid())) && list) {
      list_ = std::move(list);
      return list_.get();
    }
  }
  sys::ComPtr<IProgramList> created;
  Check(CoCreateInstance(rostrel::CLSID_ProgramList, nullptr, CLSCTX_INPROC_SERVER,
                         rostrel::IID_IProgramList, created.putVoid()),
        "CoCreateInstance");
  list_ = std::move(created);
  return list_.get();
}

#define LIST_INDEX_TEXT(Name)                                                      \
  std::string TProgramList::Name(ULONG index) {                                    \
    return TextResult(#Name, [&](BSTR* out) { return list()->Name(index, out); }); \
  }
#define LIST_VALUE(Type, Name)                                                     \
  Type TProgramList::Name() {                                                      \
    return ValueResult<Type>(#Name, [&](Type* out) { return list()->Name(out); }); \
  }
#define LIST_INDEX_VALUE(Type, Name)                                                      \
  Type TProgramList::Name(ULONG index) {                                                  \
    return ValueResult<Type>(#Name, [&](Type* out) { return list()->Name(index, out); }); \
  }

LIST_VALUE(ULONG, GetProgramCount)
LIST_VALUE(ULONG, GetScreenSaverCount)
LIST_VALUE(ULONG, GetSystemPatchCount)
LIST_INDEX_TEXT(GetScreenSaverFileName)
LIST_INDEX_TEXT(GetScreenSaverPublisher)
LIST_INDEX_TEXT(GetScreenSaverDirectory)
LIST_INDEX_TEXT(GetScreenSaverDescription)
LIST_INDEX_TEXT(GetScreenSaverLastUsed)
LIST_INDEX_TEXT(GetProgramRegistryPath)
LIST_INDEX_TEXT(GetProgramComment)
LIST_INDEX_TEXT(GetScreenSaverPath)
LIST_INDEX_TEXT(GetScreenSaverVersion)
LIST_INDEX_VALUE(LONG, GetScreenSaverIconIndex)
LIST_INDEX_VALUE(ULONG, GetScreenSaverSize)
LIST_INDEX_VALUE(LONG, GetProgramSource)

TProgramItem TProgramList::GetProgram(ULONG index) {
  sys::ComPtr<IProgramItem> item;
  Check(list()->GetProgram(index, item.put()), "GetProgram");
  return TProgramItem(std::move(item));
}

void TProgramList::LoadPrograms() {
  Check(list()->LoadPrograms(), "LoadPrograms");
}

void TProgramList::LoadScreenSavers() {
  Check(list()->LoadScreenSavers(), "LoadScreenSavers");
}

LONG TProgramList::FindProgram(const std::string& keyName) {
  sys::OwnedBstr text = sys::OwnedBstr::FromUtf8(keyName);
  ULONG index = ULONG_MAX;
  HRESULT hr = list()->FindProgram(text.get(), &index);
  Check(hr, "FindProgram");
  return hr == S_OK && index != ULONG_MAX ? static_cast<LONG>(index) : -1;
}

bool TProgramList::GetScreenSaverActive(ULONG index) {
  return ValueResult<LONG>("GetScreenSaverActive", [&](LONG* out) {
           return list()->GetScreenSaverActive(index, out);
         }) == 1;
}

}  // namespace inventory
