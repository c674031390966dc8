#include "support/ListViewText.h"

#include <commctrl.h>

namespace testing_support {

std::string ListViewItemText(HWND list, int item, int column) {
  char buffer[1024] = {};
  LVITEMA lv{};
  lv.iSubItem = column;
  lv.pszText = buffer;
  lv.cchTextMax = sizeof buffer;
  SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lv));
  return buffer;
}

}  // namespace testing_support
