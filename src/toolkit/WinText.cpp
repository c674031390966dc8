#include "toolkit/WinText.h"

#include <vector>

#include "sys/Text.h"

namespace toolkit {

std::string GetWindowTextUtf8(HWND window) {
  int len = GetWindowTextLengthW(window);
  if (len <= 0) return std::string();
  std::wstring text(len + 1, L'\0');
  int got = GetWindowTextW(window, text.data(), len + 1);
  text.resize(got > 0 ? got : 0);
  return sys::Narrow(text);
}

bool SetWindowTextUtf8(HWND window, std::string_view text) {
  return SetWindowTextW(window, sys::Widen(text).c_str()) != FALSE;
}

std::string WindowClassName(HWND window) {
  wchar_t name[256] = {};
  int len = GetClassNameW(window, name, 256);
  return sys::Narrow(std::wstring_view(name, len > 0 ? len : 0));
}

int DrawTextUtf8(HDC dc, std::string_view text, RECT* rect, UINT format) {
  std::wstring wide = sys::Widen(text);
  // DT_MODIFYSTRING may write past the text's end: give it room.
  if (format & DT_MODIFYSTRING) {
    size_t len = wide.size();
    wide.resize(len + 8, L'\0');
    int h = DrawTextW(dc, wide.data(), static_cast<int>(len), rect, format);
    return h;
  }
  return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), rect, format);
}

SIZE TextExtentUtf8(HDC dc, std::string_view text) {
  std::wstring wide = sys::Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

bool TextOutUtf8(HDC dc, int x, int y, std::string_view text) {
  std::wstring wide = sys::Widen(text);
  return TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size())) != FALSE;
}

std::string FaceName(const LOGFONTW& font) {
  return sys::NarrowZ(font.lfFaceName);
}

void SetFaceName(LOGFONTW& font, std::string_view face) {
  std::wstring wide = sys::Widen(face);
  if (wide.size() >= LF_FACESIZE) wide.resize(LF_FACESIZE - 1);
  std::copy(wide.begin(), wide.end(), font.lfFaceName);
  font.lfFaceName[wide.size()] = L'\0';
}

}  // namespace toolkit
