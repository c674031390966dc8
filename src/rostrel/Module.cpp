// Rostrel.dll's entry points.
#include <windows.h>
#include <objbase.h>

#include <new>

#include "rostrel/core/ClassFactory.h"
#include "rostrel/core/Ids.h"
#include "rostrel/core/ModuleState.h"
#include "rostrel/core/Registration.h"
#include "sys/Files.h"

namespace {

HMODULE g_module = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllCanUnloadNow() {
  return rostrel::ModuleInUse() ? S_FALSE : S_OK;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, rostrel::CLSID_ProgramList)) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) rostrel::ClassFactory();
  if (!factory) return E_OUTOFMEMORY;
  HRESULT hr = factory->QueryInterface(riid, out);
  factory->Release();
  return hr;
}

STDAPI DllRegisterServer() {
  std::string path = sys::ModuleFileName(g_module);
  if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
  return rostrel::RegisterServerForSystem(path);
}

STDAPI DllUnregisterServer() {
  return rostrel::UnregisterServerForSystem();
}
