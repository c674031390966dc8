// The program's side of the inventory component: TProgramList connects to
// Rostrel.dll's program list on its first call and turns its status codes into
// exceptions and its wide strings into the program's UTF-8 strings (and back), so
// that every name reaches the program and goes back to the component exactly.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "rostrel/core/Ids.h"
#include "rostrel/core/Interfaces.h"
#include "sys/Handles.h"

namespace inventory {

using rostrel::IProgramItem;
using rostrel::IProgramList;

// A failure code from the component (or from connecting to it). what() is the
// system's text for the code.
class InventoryError : public std::runtime_error {
 public:
  InventoryError(HRESULT code, const char* operation);
  HRESULT code() const { return code_; }
  // The operation that failed, e.g. "GetProgramCount".
  const char* operation() const { return operation_; }

 private:
  HRESULT code_;
  const char* operation_;
};

// Throws InventoryError when `hr` is a failure code.
void Check(HRESULT hr, const char* operation);

// One program from the component. An empty item (the component had no entry at
// the index asked for) tests false; calling it throws E_POINTER.
class TProgramItem {
 public:
  TProgramItem() = default;
  explicit TProgramItem(sys::ComPtr<IProgramItem> item) : item_(std::move(item)) {}

  explicit operator bool() const { return static_cast<bool>(item_); }
  IProgramItem* get() const { return item_.get(); }

  std::string GetDisplayName() const;
  std::string GetUninstallString() const;
  std::string GetRegistryKeyName() const;
  void SetRegistryKeyName(const std::string& keyName) const;
  LONG GetSystemPatch() const;
  std::string GetPublisher() const;
  std::string GetInstallLocation() const;
  LONG GetIconIndex() const;
  ULONG GetUsedFrequency() const;
  std::string GetLastUsed() const;
  float GetSize() const;
  std::string GetInstallDate() const;
  std::string GetVersion() const;
  std::string GetHelpLink() const;
  std::string GetAboutLink() const;
  std::string GetUpdateLink() const;
  ULONG GetRegistryValueCount() const;
  std::string GetRegistryValueName(ULONG index) const;
  std::string GetRegistryValueData(ULONG index) const;
  void SetComment(const std::string& comment) const;

 private:
  IProgramItem* checked(const char* operation) const;

  sys::ComPtr<IProgramItem> item_;
};

// GetActiveObject, skipped while the service that keeps the running-object table
// is known to be stopped (nothing can be registered then; Wine starts that service
// on demand and the lookup would wait many seconds for it).
HRESULT STDAPICALLTYPE LookUpRunningInstance(REFCLSID clsid, void* reserved, IUnknown** out);

// The component's program list. Not connected until the first call, which takes
// a running instance of the class from the running-object table or else creates
// one. Needs COM initialised on the calling thread.
class TProgramList {
 public:
  // How a running instance is looked up; the signature of GetActiveObject.
  using RunningInstanceLookup = HRESULT(STDAPICALLTYPE*)(REFCLSID, void*, IUnknown**);

  TProgramList() = default;
  // Looks running instances up with `lookup` instead of the running-object table.
  explicit TProgramList(RunningInstanceLookup lookup) : lookup_(lookup) {}
  // Uses `list` instead of connecting (another binding, or a stand-in in tests).
  explicit TProgramList(sys::ComPtr<IProgramList> list) : list_(std::move(list)) {}
  TProgramList(const TProgramList&) = delete;
  TProgramList& operator=(const TProgramList&) = delete;

  bool Connected() const { return static_cast<bool>(list_); }

  // An empty item when the component has no entry at `index`.
  TProgramItem GetProgram(ULONG index);
  ULONG GetProgramCount();
  ULONG GetScreenSaverCount();
  std::string GetScreenSaverFileName(ULONG index);
  std::string GetScreenSaverPublisher(ULONG index);
  std::string GetScreenSaverDirectory(ULONG index);
  std::string GetScreenSaverDescription(ULONG index);
  LONG GetScreenSaverIconIndex(ULONG index);
  ULONG GetScreenSaverSize(ULONG index);
  std::string GetScreenSaverLastUsed(ULONG index);
  void LoadPrograms();
  void LoadScreenSavers();

  // The index of the program listed under `keyName`, or -1.
  LONG FindProgram(const std::string& keyName);
  ULONG GetSystemPatchCount();
  std::string GetProgramRegistryPath(ULONG index);
  LONG GetProgramSource(ULONG index);
  std::string GetProgramComment(ULONG index);
  std::string GetScreenSaverPath(ULONG index);
  std::string GetScreenSaverVersion(ULONG index);
  bool GetScreenSaverActive(ULONG index);

 private:
  IProgramList* list();

  RunningInstanceLookup lookup_ = LookUpRunningInstance;
  sys::ComPtr<IProgramList> list_;
};

}  // namespace inventory
