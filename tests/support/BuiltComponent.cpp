#include "support/BuiltComponent.h"

#include <windows.h>

#include <stdexcept>
#include <string>

#include "support/Sandbox.h"
#include "sys/Handles.h"
#include "sys/ProcAddress.h"

namespace testing_support {

void RegisterBuiltComponent() {
  static bool done = false;
  if (done) return;
  std::string path = ProgramBinDir() + "Rostrel.dll";
  sys::UniqueModule module(LoadLibraryA(path.c_str()));
  if (!module) throw std::runtime_error("cannot load " + path);
  using RegisterFn = HRESULT(STDAPICALLTYPE*)();
  auto doRegister = sys::ProcAddress<RegisterFn>(module.get(), "DllRegisterServer");
  if (!doRegister || FAILED(doRegister())) throw std::runtime_error("cannot register " + path);
  done = true;
}

}  // namespace testing_support
