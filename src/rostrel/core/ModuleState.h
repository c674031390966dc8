// Reference counts that decide whether the DLL may be unloaded.
#pragma once

#include <windows.h>

namespace rostrel {

// Live objects plus IClassFactory::LockServer locks.
void ModuleAddRef();
void ModuleRelease();
bool ModuleInUse();

}  // namespace rostrel
