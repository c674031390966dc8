// Self-registration of the component's class.
#pragma once

#include <windows.h>

#include <string>

namespace rostrel {

// Writes the class under `classesKey` (an open "Software\Classes" key):
// CLSID\{...} with its InprocServer32 pointing at `dllPath` (apartment threaded)
// and the ProgID. Returns a Win32 error code.
LONG WriteClassRegistration(HKEY classesKey, const std::string& dllPath);
// Removes what WriteClassRegistration wrote. Missing keys are not an error.
LONG RemoveClassRegistration(HKEY classesKey);

// Registers machine-wide under `machineClasses` when that key can be written, else
// per user under `userClasses` (for a user without administrator rights). A
// per-user registration left from an earlier run is removed after a machine-wide
// one, so that it cannot shadow it. Returns S_OK or the failure as an HRESULT.
HRESULT RegisterServer(const std::string& dllPath, HKEY machineClasses, HKEY userClasses);
HRESULT UnregisterServer(HKEY machineClasses, HKEY userClasses);

// The same for the real HKLM\Software\Classes and HKCU\Software\Classes.
HRESULT RegisterServerForSystem(const std::string& dllPath);
HRESULT UnregisterServerForSystem();

}  // namespace rostrel
