// Picture files decoded into Picture objects: PNG through libpng, and plain
// Windows bitmaps. Every failure (unreadable file, broken or truncated data,
// absurd dimensions) is a PictureError; nothing crashes and nothing leaks.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ui/Picture.h"

namespace ui {

class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Largest width or height accepted, and largest pixel count: a skin picture is
// never near these, a forged header asking for gigabytes is refused.
constexpr int kMaxPictureSide = 8192;
constexpr long long kMaxPicturePixels = 16LL * 1024 * 1024;

// Decodes PNG data held in memory.
Picture DecodePng(std::string_view data);

// Loads a picture file, choosing the decoder by the extension: ".png", or
// ".bmp"/".dib". Other extensions are a PictureError.
Picture LoadPictureFile(const std::string& path);

}  // namespace ui
