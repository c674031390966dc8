#include "app/startup/Registration.h"

#include <windows.h>

#include "sys/Handles.h"
#include "sys/LoadModule.h"
#include "sys/ProcAddress.h"
#include "sys/SysError.h"

namespace app {

std::string RegisterComponentLibrary(const std::string& library) {
  sys::UniqueModule module(sys::LoadModule(library));
  if (!module) return sys::LastErrorText() + ": " + library;
  using RegisterFn = HRESULT(STDAPICALLTYPE*)();
  auto registerServer = sys::ProcAddress<RegisterFn>(module.get(), "DllRegisterServer");
  if (!registerServer) return sys::LastErrorText();
  HRESULT hr = registerServer();
  if (FAILED(hr)) return sys::ErrorText(static_cast<DWORD>(hr));
  return std::string();
}

}  // namespace app
