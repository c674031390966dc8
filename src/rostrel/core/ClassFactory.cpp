#include "rostrel/core/ClassFactory.h"

#include "rostrel/core/ModuleState.h"

namespace rostrel {

ClassFactory::ClassFactory() {
  ModuleAddRef();
}
ClassFactory::~ClassFactory() {
  ModuleRelease();
}

HRESULT ClassFactory::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() {
  return InterlockedIncrement(&refs_);
}

ULONG ClassFactory::Release() {
  ULONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return left;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  return CreateProgramList(riid, out);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock)
    ModuleAddRef();
  else
    ModuleRelease();
  return S_OK;
}

}  // namespace rostrel
