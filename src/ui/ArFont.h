// A font as the skinned controls keep it: the face description plus the colour the
// text is drawn in. Copies copy the description; each copy makes its own GDI font
// on first use and deletes it when it goes.
#pragma once

#include <windows.h>

#include <string>

#include "sys/Handles.h"

namespace ui {

// A colour that follows the user's colour scheme: a system colour index
// (COLOR_WINDOW, ...) tagged so that it is looked up when something is drawn.
constexpr COLORREF kSysColorFlag = 0x80000000;
constexpr COLORREF SysColor(int index) {
  return kSysColorFlag | static_cast<COLORREF>(index);
}
// The RGB value to draw with: system colours are looked up now.
COLORREF ResolveColor(COLORREF color);

// A new font of the sans-serif face `face`, `points` high as the screen shows it,
// of `weight` (FW_NORMAL, FW_BOLD); empty when it could not be made.
sys::UniqueFont CreatePointFont(const std::string& face, int points, int weight);

class ArFont {
 public:
  // The system's GUI font in the window-text colour.
  ArFont();
  ArFont(const ArFont& other);
  ArFont& operator=(const ArFont& other);
  ArFont(ArFont&&) noexcept = default;
  ArFont& operator=(ArFont&&) noexcept = default;

  const LOGFONTW& logFont() const { return logFont_; }
  void setLogFont(const LOGFONTW& logFont);

  std::string name() const;
  void setName(const std::string& name);
  // Character height in points, as the screen shows it.
  int size() const;
  void setSize(int points);
  bool bold() const { return logFont_.lfWeight >= FW_BOLD; }
  void setBold(bool bold);
  bool italic() const { return logFont_.lfItalic != 0; }
  void setItalic(bool italic);
  bool underline() const { return logFont_.lfUnderline != 0; }
  void setUnderline(bool underline);

  COLORREF color() const { return color_; }
  void setColor(COLORREF color) { color_ = color; }

  // The GDI font for this description, made on first use and owned by this object.
  HFONT handle() const;

 private:
  void changed() { handle_.reset(); }

  LOGFONTW logFont_{};
  COLORREF color_ = SysColor(COLOR_WINDOWTEXT);
  mutable sys::UniqueFont handle_;
};

}  // namespace ui
