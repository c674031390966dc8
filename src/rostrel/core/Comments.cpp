#include "rostrel/core/Comments.h"

#include "rostrel/core/RegValues.h"
#include "sys/Registry.h"

namespace rostrel {

HRESULT StoreComment(const std::wstring& keyName, const std::wstring& comment) {
  if (keyName.empty()) return E_INVALIDARG;  // would be the key's default value
  sys::Registry reg(HKEY_CURRENT_USER, KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (comment.empty()) {
    if (!reg.openKey(std::string("\\") + kCommentsKey, false)) return S_OK;  // nothing stored
    LONG rc = RegDeleteValueW(reg.currentKey(), keyName.c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(rc);
  }
  if (!reg.openKey(std::string("\\") + kCommentsKey, true))
    return HRESULT_FROM_WIN32(reg.lastError());
  DWORD bytes = static_cast<DWORD>((comment.size() + 1) * sizeof(wchar_t));
  LONG rc = RegSetValueExW(reg.currentKey(), keyName.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(comment.c_str()), bytes);
  return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc);
}

std::wstring ReadComment(const std::wstring& keyName) {
  if (keyName.empty()) return std::wstring();
  sys::Registry reg(HKEY_CURRENT_USER, KEY_READ);
  if (!reg.openKeyReadOnly(std::string("\\") + kCommentsKey)) return std::wstring();
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(reg.currentKey(), keyName.c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS)
    return std::wstring();
  RegValue value;
  value.type = type;
  value.data.resize(size);
  if (RegQueryValueExW(reg.currentKey(), keyName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(value.data.data()), &size) != ERROR_SUCCESS)
    return std::wstring();
  value.data.resize(size);
  return StringData(value).value_or(std::wstring());
}

}  // namespace rostrel
