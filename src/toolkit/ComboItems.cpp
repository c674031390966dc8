#include "toolkit/ComboItems.h"

#include "sys/Text.h"

namespace toolkit {

int AddComboItemUtf8(HWND combo, std::string_view text) {
  std::wstring wide = sys::Widen(text);
  return static_cast<int>(
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

std::string ComboItemTextUtf8(HWND combo, int index) {
  LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR || length < 0) return std::string();
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  LRESULT got = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(text.data()));
  if (got == CB_ERR || got < 0) return std::string();
  text.resize(static_cast<std::size_t>(got));
  return sys::Narrow(text);
}

}  // namespace toolkit
