// Windows bitmap files loaded by UTF-8 name.
#pragma once

#include <windows.h>

#include <string_view>

namespace toolkit {

// LoadImageW of a .bmp file as a DIB section; the caller owns the bitmap. Null
// when the file cannot be read or is no bitmap.
HBITMAP LoadBitmapFileUtf8(std::string_view path);

}  // namespace toolkit
