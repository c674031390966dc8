// Image lists: an owning handle for the ones we make, and the system's icon lists,
// which belong to the shell and are only ever borrowed.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "sys/Handles.h"

namespace tk {

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle invalid() { return nullptr; }
  static bool valid(Handle h) { return h != nullptr; }
  static void close(Handle h) { ImageList_Destroy(h); }
};
using UniqueImageList = sys::Scoped<ImageListTraits>;

// The shell's small (16x16) and large (32x32) icon lists of the process, as
// SHGetFileInfo(SHGFI_SYSICONINDEX) hands them out. Never destroy them: controls
// that show them need LVS_SHAREIMAGELISTS. Either may be nullptr on failure.
struct SystemImageLists {
  HIMAGELIST small = nullptr;
  HIMAGELIST large = nullptr;
};
SystemImageLists GetSystemImageLists();

// The index of a file's icon in the system lists, by its name alone (the file need
// not exist; its extension and the folder attribute decide); -1 on failure.
int SystemIconIndex(const std::string& path, bool folder = false);

}  // namespace tk
