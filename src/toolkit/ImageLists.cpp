#include "toolkit/ImageLists.h"

#include <shellapi.h>

#include "sys/Text.h"

namespace tk {

SystemImageLists GetSystemImageLists() {
  SystemImageLists lists;
  SHFILEINFOW info{};
  const UINT flags = SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES;
  lists.small = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
      L"C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags | SHGFI_SMALLICON));
  lists.large = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
      L"C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags | SHGFI_LARGEICON));
  return lists;
}

int SystemIconIndex(const std::string& path, bool folder) {
  SHFILEINFOW info{};
  const DWORD attributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  if (!SHGetFileInfoW(sys::WideArg(path), attributes, &info, sizeof info,
                      SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON)) {
    return -1;
  }
  return info.iIcon;
}

}  // namespace tk
