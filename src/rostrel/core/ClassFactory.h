// The class object handed out by DllGetClassObject.
#pragma once

#include <objbase.h>

namespace rostrel {

// Creates a new program list object and asks it for `riid`.
HRESULT CreateProgramList(REFIID riid, void** out);

class ClassFactory final : public IClassFactory {
 public:
  ClassFactory();
  ~ClassFactory();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  LONG refs_ = 1;
};

}  // namespace rostrel
