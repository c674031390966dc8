#include "rostrel/core/Registration.h"

#include "rostrel/core/Ids.h"
#include "sys/Handles.h"
#include "sys/Registry.h"
#include "sys/Text.h"

namespace rostrel {
namespace {

const std::string kClsidKey = std::string("CLSID\\") + kClsidText;
constexpr wchar_t kClassesKey[] = L"Software\\Classes";

LONG SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LONG SetDefaultAndValue(HKEY parent, const std::string& subKey, const std::string& value,
                        const wchar_t* extraName = nullptr, const wchar_t* extraValue = nullptr) {
  sys::UniqueKey key;
  LONG rc = RegCreateKeyExW(parent, sys::Widen(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, key.put(), nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  rc = SetString(key.get(), nullptr, sys::Widen(value));
  if (rc == ERROR_SUCCESS && extraName) rc = SetString(key.get(), extraName, extraValue);
  return rc;
}

bool IgnorableMissing(LONG rc) {
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

sys::UniqueKey OpenClasses(HKEY root, REGSAM access) {
  sys::UniqueKey key;
  if (RegOpenKeyExW(root, kClassesKey, 0, access, key.put()) != ERROR_SUCCESS) key.reset();
  return key;
}

}  // namespace

LONG WriteClassRegistration(HKEY classesKey, const std::string& dllPath) {
  LONG rc = SetDefaultAndValue(classesKey, kClsidKey, kClassDescription);
  if (rc == ERROR_SUCCESS)
    rc = SetDefaultAndValue(classesKey, kClsidKey + "\\InprocServer32", dllPath, L"ThreadingModel",
                            L"Apartment");
  if (rc == ERROR_SUCCESS) rc = SetDefaultAndValue(classesKey, kClsidKey + "\\ProgID", kProgId);
  if (rc == ERROR_SUCCESS) rc = SetDefaultAndValue(classesKey, kProgId, kClassDescription);
  if (rc == ERROR_SUCCESS)
    rc = SetDefaultAndValue(classesKey, std::string(kProgId) + "\\CLSID", kClsidText);
  return rc;
}

LONG RemoveClassRegistration(HKEY classesKey) {
  LONG rc = sys::DeleteKeyTree(classesKey, kClsidKey, 0);
  if (!IgnorableMissing(rc)) return rc;
  rc = sys::DeleteKeyTree(classesKey, kProgId, 0);
  return IgnorableMissing(rc) ? ERROR_SUCCESS : rc;
}

HRESULT RegisterServer(const std::string& dllPath, HKEY machineClasses, HKEY userClasses) {
  LONG rc = machineClasses ? WriteClassRegistration(machineClasses, dllPath) : ERROR_ACCESS_DENIED;
  if (rc == ERROR_SUCCESS) {
    if (userClasses) RemoveClassRegistration(userClasses);
    return S_OK;
  }
  if (rc != ERROR_ACCESS_DENIED) return HRESULT_FROM_WIN32(rc);
  if (machineClasses) RemoveClassRegistration(machineClasses);  // whatever was half written
  if (!userClasses) return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
  rc = WriteClassRegistration(userClasses, dllPath);
  return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc);
}

HRESULT UnregisterServer(HKEY machineClasses, HKEY userClasses) {
  LONG machine = machineClasses ? RemoveClassRegistration(machineClasses) : ERROR_SUCCESS;
  LONG user = userClasses ? RemoveClassRegistration(userClasses) : ERROR_SUCCESS;
  // Without rights on the machine-wide key the per-user part is still removed.
  if (user != ERROR_SUCCESS) return HRESULT_FROM_WIN32(user);
  if (machine != ERROR_SUCCESS && machine != ERROR_ACCESS_DENIED)
    return HRESULT_FROM_WIN32(machine);
  return S_OK;
}

HRESULT RegisterServerForSystem(const std::string& dllPath) {
  sys::UniqueKey machine = OpenClasses(HKEY_LOCAL_MACHINE, KEY_ALL_ACCESS);
  sys::UniqueKey user = OpenClasses(HKEY_CURRENT_USER, KEY_ALL_ACCESS);
  if (!user) {
    // A fresh profile may lack the key.
    RegCreateKeyExW(HKEY_CURRENT_USER, kClassesKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    user.put(), nullptr);
  }
  return RegisterServer(dllPath, machine.get(), user.get());
}

HRESULT UnregisterServerForSystem() {
  sys::UniqueKey machine = OpenClasses(HKEY_LOCAL_MACHINE, KEY_ALL_ACCESS);
  sys::UniqueKey user = OpenClasses(HKEY_CURRENT_USER, KEY_ALL_ACCESS);
  return UnregisterServer(machine.get(), user.get());
}

}  // namespace rostrel
