// A stand-in for one program of the component, for the cases the real component
// cannot be made to show: a chosen usage count without any other property, and
// an operation that fails part-way through the details.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "rostrel/core/Interfaces.h"
#include "support/StackDispatch.h"

namespace details_test {

class FakeProgramItem final
    : public testing_support::StackDispatch<rostrel::IProgramItem, rostrel::IID_IProgramItem> {
 public:
  std::map<std::string, std::wstring> texts;  // by operation name, e.g. "GetVersion"
  ULONG usedFrequency = 0;
  FLOAT size = 0;
  std::vector<std::pair<std::wstring, std::wstring>> values;
  std::string failing;  // the operation that answers E_FAIL

  HRESULT STDMETHODCALLTYPE GetDisplayName(BSTR* out) override {
    return text("GetDisplayName", out);
  }
  HRESULT STDMETHODCALLTYPE GetUninstallString(BSTR* out) override {
    return text("GetUninstallString", out);
  }
  HRESULT STDMETHODCALLTYPE GetRegistryKeyName(BSTR* out) override {
    return text("GetRegistryKeyName", out);
  }
  HRESULT STDMETHODCALLTYPE SetRegistryKeyName(BSTR) override {
    return result("SetRegistryKeyName");
  }
  HRESULT STDMETHODCALLTYPE GetSystemPatch(LONG* patch) override {
    *patch = 0;
    return result("GetSystemPatch");
  }
  HRESULT STDMETHODCALLTYPE GetPublisher(BSTR* out) override { return text("GetPublisher", out); }
  HRESULT STDMETHODCALLTYPE GetInstallLocation(BSTR* out) override {
    return text("GetInstallLocation", out);
  }
  HRESULT STDMETHODCALLTYPE GetIconIndex(LONG* icon) override {
    *icon = 0;
    return result("GetIconIndex");
  }
  HRESULT STDMETHODCALLTYPE GetUsedFrequency(ULONG* count) override {
    *count = usedFrequency;
    return result("GetUsedFrequency");
  }
  HRESULT STDMETHODCALLTYPE GetLastUsed(BSTR* out) override { return text("GetLastUsed", out); }
  HRESULT STDMETHODCALLTYPE GetSize(FLOAT* bytes) override {
    *bytes = size;
    return result("GetSize");
  }
  HRESULT STDMETHODCALLTYPE GetInstallDate(BSTR* out) override {
    return text("GetInstallDate", out);
  }
  HRESULT STDMETHODCALLTYPE GetVersion(BSTR* out) override { return text("GetVersion", out); }
  HRESULT STDMETHODCALLTYPE GetHelpLink(BSTR* out) override { return text("GetHelpLink", out); }
  HRESULT STDMETHODCALLTYPE GetAboutLink(BSTR* out) override { return text("GetAboutLink", out); }
  HRESULT STDMETHODCALLTYPE GetUpdateLink(BSTR* out) override { return text("GetUpdateLink", out); }
  HRESULT STDMETHODCALLTYPE GetRegistryValueCount(ULONG* count) override {
    *count = static_cast<ULONG>(values.size());
    return result("GetRegistryValueCount");
  }
  HRESULT STDMETHODCALLTYPE GetRegistryValueName(ULONG index, BSTR* out) override {
    *out = nullptr;
    if (index >= values.size()) return E_INVALIDARG;
    if (failing == "GetRegistryValueName" && index > 0) return E_FAIL;
    *out = SysAllocString(values[index].first.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetRegistryValueData(ULONG index, BSTR* out) override {
    *out = nullptr;
    if (index >= values.size()) return E_INVALIDARG;
    *out = SysAllocString(values[index].second.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetComment(BSTR) override { return result("SetComment"); }

 private:
  HRESULT result(const char* operation) const { return failing == operation ? E_FAIL : S_OK; }
  HRESULT text(const char* operation, BSTR* out) const {
    *out = nullptr;
    if (failing == operation) return E_FAIL;
    auto it = texts.find(operation);
    if (it != texts.end()) *out = SysAllocString(it->second.c_str());
    return S_OK;
  }
};

}  // namespace details_test
