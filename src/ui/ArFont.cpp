#include "ui/ArFont.h"

#include "toolkit/WinText.h"

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

sys::UniqueFont CreatePointFont(const std::string& face, int points, int weight) {
  LOGFONTW logFont{};
  logFont.lfHeight = -MulDiv(points, ScreenPixelsPerInch(), 72);
  logFont.lfWeight = weight;
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logFont.lfQuality = DEFAULT_QUALITY;
  logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  toolkit::SetFaceName(logFont, face);
  return sys::UniqueFont(CreateFontIndirectW(&logFont));
}

ArFont::ArFont() {
  if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont_, &logFont_)) {
    logFont_ = LOGFONTW{};
    logFont_.lfHeight = -11;
    logFont_.lfWeight = FW_NORMAL;
    logFont_.lfCharSet = DEFAULT_CHARSET;
    toolkit::SetFaceName(logFont_, "MS Shell Dlg");
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

void ArFont::setLogFont(const LOGFONTW& logFont) {
  logFont_ = logFont;
  logFont_.lfFaceName[LF_FACESIZE - 1] = L'\0';
  changed();
}

std::string ArFont::name() const {
  return toolkit::FaceName(logFont_);
}

void ArFont::setName(const std::string& name) {
  toolkit::SetFaceName(logFont_, name);
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
  if (!handle_) handle_.reset(CreateFontIndirectW(&logFont_));
  return handle_ ? handle_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace ui
