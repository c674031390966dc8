#include "sys/ShellLink.h"

#include <objidl.h>
#include <shlobj.h>

#include "sys/Environment.h"
#include "sys/Handles.h"
#include "sys/Text.h"

namespace sys {

HRESULT CreateShellLink(std::string_view linkPath, std::string_view target,
                        std::string_view workingFolder) {
  if (linkPath.empty()) return E_INVALIDARG;
  ComPtr<IShellLinkW> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.putVoid());
  if (FAILED(hr)) return hr;
  if (FAILED(hr = link->SetPath(Widen(target).c_str()))) return hr;
  if (FAILED(hr = link->SetWorkingDirectory(Widen(workingFolder).c_str()))) return hr;
  ComPtr<IPersistFile> file;
  if (FAILED(hr = link->QueryInterface(IID_IPersistFile, file.putVoid()))) return hr;
  return file->Save(Widen(linkPath).c_str(), FALSE);
}

std::string ShellLinkTarget(std::string_view linkPath) {
  if (linkPath.empty()) return std::string();
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.putVoid())))
    return std::string();
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.putVoid())) ||
      FAILED(file->Load(Widen(linkPath).c_str(), STGM_READ)))
    return std::string();
  // The raw path keeps %VAR% parts unexpanded: expanded here, as the shell would.
  std::wstring path(MAX_PATH * 4, L'\0');
  if (link->GetPath(path.data(), static_cast<int>(path.size()), nullptr, SLGP_RAWPATH) != S_OK)
    return std::string();
  path.resize(wcslen(path.c_str()));
  return ExpandEnvironmentText(Narrow(path));
}

}  // namespace sys
