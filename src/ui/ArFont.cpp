#include "ui/ArFont.h"

#include <cstring>

namespace ui {
namespace {

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

COLORREF ResolveColor(COLORREF color) {
  if (color & kSysColorFlag) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

sys::UniqueFont CreatePointFont(const char* face, int points, int weight) {
  return sys::UniqueFont(CreateFontA(-MulDiv(points, ScreenPixelsPerInch(), 72), 0, 0, 0, weight,
                                     FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                     face));
}

ArFont::ArFont() {
  if (!GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont_, &logFont_)) {
    logFont_ = LOGFONTA{};
    logFont_.lfHeight = -11;
    logFont_.lfWeight = FW_NORMAL;
    logFont_.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(logFont_.lfFaceName, "MS Shell Dlg");
  }
}

ArFont::ArFont(const ArFont& other) : logFont_(other.logFont_), color_(other.color_) {}

ArFont& ArFont::operator=(const ArFont& other) {
  if (this != &other) {
    logFont_ = other.logFont_;
    color_ = other.color_;
    changed();
  }
  return *this;
}

void ArFont::setLogFont(const LOGFONTA& logFont) {
  logFont_ = logFont;
  logFont_.lfFaceName[LF_FACESIZE - 1] = '\0';
  changed();
}

void ArFont::setName(const std::string& name) {
  std::memset(logFont_.lfFaceName, 0, sizeof logFont_.lfFaceName);
  std::strncpy(logFont_.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  changed();
}

int ArFont::size() const {
  const int height = logFont_.lfHeight < 0 ? -logFont_.lfHeight : logFont_.lfHeight;
  return MulDiv(height, 72, ScreenPixelsPerInch());
}

void ArFont::setSize(int points) {
  logFont_.lfHeight = -MulDiv(points, ScreenPixelsPerInch(), 72);
  changed();
}

void ArFont::setBold(bool bold) {
  logFont_.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  changed();
}

void ArFont::setItalic(bool italic) {
  logFont_.lfItalic = italic ? TRUE : FALSE;
  changed();
}

void ArFont::setUnderline(bool underline) {
  logFont_.lfUnderline = underline ? TRUE : FALSE;
  changed();
}

HFONT ArFont::handle() const {
  if (!handle_) handle_.reset(CreateFontIndirectA(&logFont_));
  return handle_ ? handle_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace ui
