#include "sys/ShellLink.h"

#include <objidl.h>
#include <shlobj.h>

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

}  // namespace sys
