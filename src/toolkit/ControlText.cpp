#include "toolkit/ControlText.h"

#include <commctrl.h>

#include "sys/Text.h"

namespace toolkit {

bool SetListColumnTextUtf8(HWND listView, int column, std::string_view text) {
  std::wstring wide = sys::Widen(text);
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT;
  col.pszText = wide.data();
  return SendMessageW(listView, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&col)) != 0;
}

std::string SetTextMessageText(LPARAM lParam) {
  return sys::NarrowZ(reinterpret_cast<const wchar_t*>(lParam));
}

UINT RegisteredMessage(std::string_view name) {
  return RegisterWindowMessageW(sys::Widen(name).c_str());
}

char32_t UpperCaseChar(char32_t c) {
  if (c == 0 || c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) return c;
  wchar_t text[2] = {static_cast<wchar_t>(c), L'\0'};
  CharUpperBuffW(text, 1);
  return static_cast<char32_t>(text[0]);
}

}  // namespace toolkit
