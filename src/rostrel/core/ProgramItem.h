// IProgramItem: one installed program, answering from the inventory loading that
// it came from.
#pragma once

#include <memory>

#include "rostrel/core/ComBase.h"
#include "rostrel/core/Interfaces.h"
#include "rostrel/core/Inventory.h"

namespace rostrel {

class ProgramItem final : public DispatchObject<IProgramItem, IID_IProgramItem> {
 public:
  ProgramItem(std::shared_ptr<Inventory> inventory, EntryPtr entry);

  HRESULT STDMETHODCALLTYPE GetDisplayName(BSTR* name) override;
  HRESULT STDMETHODCALLTYPE GetUninstallString(BSTR* command) override;
  HRESULT STDMETHODCALLTYPE GetRegistryKeyName(BSTR* keyName) override;
  HRESULT STDMETHODCALLTYPE SetRegistryKeyName(BSTR keyName) override;
  HRESULT STDMETHODCALLTYPE GetSystemPatch(LONG* patch) override;
  HRESULT STDMETHODCALLTYPE GetPublisher(BSTR* publisher) override;
  HRESULT STDMETHODCALLTYPE GetInstallLocation(BSTR* folder) override;
  HRESULT STDMETHODCALLTYPE GetIconIndex(LONG* icon) override;
  HRESULT STDMETHODCALLTYPE GetUsedFrequency(ULONG* count) override;
  HRESULT STDMETHODCALLTYPE GetLastUsed(BSTR* date) override;
  HRESULT STDMETHODCALLTYPE GetSize(FLOAT* bytes) override;
  HRESULT STDMETHODCALLTYPE GetInstallDate(BSTR* date) override;
  HRESULT STDMETHODCALLTYPE GetVersion(BSTR* version) override;
  HRESULT STDMETHODCALLTYPE GetHelpLink(BSTR* link) override;
  HRESULT STDMETHODCALLTYPE GetAboutLink(BSTR* link) override;
  HRESULT STDMETHODCALLTYPE GetUpdateLink(BSTR* link) override;
  HRESULT STDMETHODCALLTYPE GetRegistryValueCount(ULONG* count) override;
  HRESULT STDMETHODCALLTYPE GetRegistryValueName(ULONG index, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE GetRegistryValueData(ULONG index, BSTR* data) override;
  HRESULT STDMETHODCALLTYPE SetComment(BSTR comment) override;

 private:
  HRESULT valueText(const wchar_t* valueName, BSTR* out);

  std::shared_ptr<Inventory> inventory_;
  EntryPtr entry_;
};

// The texts an entry's properties are made of (plain functions of the entry).
std::wstring InstallDateText(const ProgramEntry& entry);
std::wstring VersionText(const ProgramEntry& entry);

}  // namespace rostrel
