#include "toolkit/ImageLists.h"

#include <shellapi.h>

namespace tk {

SystemImageLists GetSystemImageLists() {
  SystemImageLists lists;
  SHFILEINFOA info{};
  const UINT flags = SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES;
  lists.small = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", FILE_ATTRIBUTE_DIRECTORY, &info,
                                                            sizeof info, flags | SHGFI_SMALLICON));
  lists.large = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", FILE_ATTRIBUTE_DIRECTORY, &info,
                                                            sizeof info, flags | SHGFI_LARGEICON));
  return lists;
}

int SystemIconIndex(const std::string& path, bool folder) {
  SHFILEINFOA info{};
  const DWORD attributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  if (!SHGetFileInfoA(path.c_str(), attributes, &info, sizeof info,
                      SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON)) {
    return -1;
  }
  return info.iIcon;
}

}  // namespace tk
