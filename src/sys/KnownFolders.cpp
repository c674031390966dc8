#include "sys/KnownFolders.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "sys/ComInit.h"
#include "sys/Handles.h"
#include "sys/Text.h"

namespace sys {
namespace {

// Takes the shell's path string (freed here) and drops a trailing backslash.
std::string TakePath(wchar_t* path) {
  std::string out = NarrowZ(path);
  CoTaskMemFree(path);
  while (out.size() > 3 && out.back() == '\\') out.pop_back();
  return out;
}

}  // namespace

std::string KnownFolderPath(REFKNOWNFOLDERID id) {
  wchar_t* path = nullptr;
  // S_FALSE with no path is how a 32-bit process is told that a 64-bit-only folder
  // does not exist for it.
  if (FAILED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path)) || !path) {
    CoTaskMemFree(path);
    return std::string();
  }
  return TakePath(path);
}

std::vector<std::string> AllKnownFolderPaths() {
  std::vector<std::string> out;
  // Any apartment will do: the manager is free-threaded. A thread already in the
  // other apartment kind keeps it (the call then fails with RPC_E_CHANGED_MODE and
  // COM works as it was).
  ComApartment apartment;
  ComPtr<IKnownFolderManager> manager;
  if (FAILED(CoCreateInstance(CLSID_KnownFolderManager, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IKnownFolderManager, manager.putVoid())))
    return out;
  KNOWNFOLDERID* ids = nullptr;
  UINT count = 0;
  if (FAILED(manager->GetFolderIds(&ids, &count)) || !ids) return out;
  for (UINT i = 0; i < count; ++i) {
    ComPtr<IKnownFolder> folder;
    if (FAILED(manager->GetFolder(ids[i], folder.put()))) continue;
    wchar_t* path = nullptr;
    // Virtual folders (Control Panel, Recycle Bin) have no path and fail here.
    if (FAILED(folder->GetPath(KF_FLAG_DONT_VERIFY, &path)) || !path) {
      CoTaskMemFree(path);
      continue;
    }
    if (std::string text = TakePath(path); !text.empty()) out.push_back(std::move(text));
  }
  CoTaskMemFree(ids);
  return out;
}

}  // namespace sys
