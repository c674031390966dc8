#include "startup/StartupShortcut.h"

#include <objidl.h>
#include <shlobj.h>

#include <vector>

#include "sys/Handles.h"

namespace startup {
namespace {

std::wstring Widened(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> wide(length);
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  return std::wstring(wide.data());
}

}  // namespace

HRESULT CreateShellShortcut(const std::string& linkPath, const std::string& target,
                            const std::string& workingFolder) {
  sys::ComPtr<IShellLinkA> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.putVoid());
  if (FAILED(hr)) return hr;
  if (FAILED(hr = link->SetPath(target.c_str()))) return hr;
  if (FAILED(hr = link->SetWorkingDirectory(workingFolder.c_str()))) return hr;
  sys::ComPtr<IPersistFile> file;
  if (FAILED(hr = link->QueryInterface(IID_IPersistFile, file.putVoid()))) return hr;
  std::wstring path = Widened(linkPath);
  if (path.empty()) return E_INVALIDARG;
  return file->Save(path.c_str(), FALSE);
}

}  // namespace startup
