// Typed lookup of a function that a DLL exports, for APIs looked up at run time.
#pragma once

#include <windows.h>

namespace sys {

// The export `name` of `module` as a `Fn` pointer, or nullptr. FARPROC is cast
// through the generic function pointer type, which the compiler accepts for any
// signature without a cast-function-type warning.
template <typename Fn>
Fn ProcAddress(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace sys
