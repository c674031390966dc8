#include "toolkit/IconComboBox.h"

#include <commctrl.h>

#include "sys/Text.h"

namespace tk {

int InsertComboBoxExItem(HWND box, int position, std::string_view text, int image, LPARAM data) {
  std::wstring wide = sys::Widen(text);
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
  item.iItem = position;
  item.pszText = wide.data();
  item.iImage = image;
  item.iSelectedImage = image;
  item.lParam = data;
  return static_cast<int>(SendMessageW(box, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string ComboBoxExItemText(HWND box, int position) {
  // The control says nothing of the length: a text that fills the buffer to the
  // brim may have been cut, so it is asked again with twice the room.
  for (size_t size = 256;; size *= 2) {
    std::wstring buffer(size, L'\0');
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = position;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    if (!SendMessageW(box, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return std::string();
    const std::wstring_view got(item.pszText ? item.pszText : buffer.data());
    if (got.size() + 1 < size || size >= 32768) return sys::Narrow(got);
  }
}

}  // namespace tk
