// A stand-in for the component's program list: every operation answers `failure`
// when one is set, else a fixed small inventory. Lets tests inject error codes
// and tell a running instance from a created one.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "rostrel/core/Interfaces.h"
#include "support/StackDispatch.h"

namespace inventory_test {

class FakeProgramList final
    : public testing_support::StackDispatch<rostrel::IProgramList, rostrel::IID_IProgramList> {
 public:
  HRESULT failure = S_OK;  // answered by every operation when set
  ULONG programCount = 0;
  std::wstring saverName = L"fake.scr";
  int loads = 0;
  int iconQuestions = 0;  // GetScreenSaverIconIndex calls

  HRESULT STDMETHODCALLTYPE GetProgram(ULONG, rostrel::IProgramItem** item) override {
    *item = nullptr;
    return failure ? failure : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetProgramCount(ULONG* count) override {
    *count = programCount;
    return failure;
  }
  HRESULT STDMETHODCALLTYPE GetScreenSaverCount(ULONG* count) override {
    *count = 1;
    return failure;
  }
  HRESULT STDMETHODCALLTYPE GetScreenSaverFileName(ULONG index, BSTR* text) override {
    return saverText(index, saverName, text);
  }
  HRESULT STDMETHODCALLTYPE GetScreenSaverPublisher(ULONG index, BSTR* text) override {
    return saverText(index, L"", text);
  }
  HRESULT STDMETHODCALLTYPE GetScreenSaverDirectory(ULONG index, BSTR* text) override {
    return saverText(index, L"C:\\", text);
  }
  HRESULT STDMETHODCALLTYPE GetScreenSaverDescription(ULONG index, BSTR* text) override {
    // NULL stands for an empty text.
    *text = nullptr;
    return failure ? failure : index == 0 ? S_OK : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE GetScreenSaverIconIndex(ULONG, LONG* icon) override {
    ++iconQuestions;
    *icon = 3;
    return failure;
  }
  HRESULT STDMETHODCALLTYPE GetScreenSaverSize(ULONG, ULONG* bytes) override {
    *bytes = 1572864;
    return failure;
  }
  HRESULT STDMETHODCALLTYPE GetScreenSaverLastUsed(ULONG index, BSTR* text) override {
    return saverText(index, L"1/2/2024", text);
  }
  HRESULT STDMETHODCALLTYPE LoadPrograms() override {
    ++loads;
    return failure;
  }
  HRESULT STDMETHODCALLTYPE LoadScreenSavers() override { return failure; }
  HRESULT STDMETHODCALLTYPE FindProgram(BSTR, ULONG* index) override {
    *index = ULONG_MAX;
    return failure ? failure : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetSystemPatchCount(ULONG* count) override {
    *count = 0;
    return failure;
  }
  HRESULT STDMETHODCALLTYPE GetProgramRegistryPath(ULONG, BSTR* text) override {
    *text = nullptr;
    return failure ? failure : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE GetProgramSource(ULONG, LONG*) override {
    return failure ? failure : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE GetProgramComment(ULONG, BSTR* text) override {
    *text = nullptr;
    return failure ? failure : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE GetScreenSaverPath(ULONG index, BSTR* text) override {
    return saverText(index, L"C:\\" + saverName, text);
  }
  HRESULT STDMETHODCALLTYPE GetScreenSaverVersion(ULONG index, BSTR* text) override {
    return saverText(index, L"", text);
  }
  HRESULT STDMETHODCALLTYPE GetScreenSaverActive(ULONG, LONG* active) override {
    *active = 1;
    return failure;
  }

 private:
  HRESULT saverText(ULONG index, const std::wstring& value, BSTR* text) {
    *text = nullptr;
    if (failure) return failure;
    if (index != 0) return E_INVALIDARG;
    *text = SysAllocString(value.c_str());
    return S_OK;
  }
};

}  // namespace inventory_test
