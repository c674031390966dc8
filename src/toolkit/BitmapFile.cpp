#include "toolkit/BitmapFile.h"

#include "sys/Text.h"

namespace toolkit {

HBITMAP LoadBitmapFileUtf8(std::string_view path) {
  return static_cast<HBITMAP>(LoadImageW(nullptr, sys::Widen(path).c_str(), IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

}  // namespace toolkit
