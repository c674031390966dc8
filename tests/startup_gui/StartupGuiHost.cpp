#include "startup_gui/StartupGuiHost.h"

namespace startup_gui {

PageHost::PageHost() {
  actions.ActionRefresh.setOnExecute([this] { ++refreshes; });
}

PageHost::~PageHost() {
  destroy();
}

bool PageHost::open() {
  tk::WindowParams params;
  params.className = "PxStartupPageHost";
  params.caption = "Startup page";
  params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  params.x = 20;
  params.y = 20;
  params.width = 800;
  params.height = 500;
  if (!create(params)) return false;
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (!page.create(hwnd(), client, true)) return false;
  show(SW_SHOWNOACTIVATE);
  return true;
}

int ItemOf(const tk::ListView& list, const std::string& caption, const std::string& location) {
  for (int item = 0; item < list.count(); ++item) {
    if (list.itemText(item, 0) == caption && list.itemText(item, 2) == location) return item;
  }
  return -1;
}

std::vector<std::string> RowTexts(const tk::ListView& list, const std::string& prefix) {
  std::vector<std::string> rows;
  for (int item = 0; item < list.count(); ++item) {
    std::string caption = list.itemText(item, 0);
    if (caption.rfind(prefix, 0) != 0) continue;
    rows.push_back(caption + "|" + (list.checked(item) ? "ticked" : "unticked") + "|" +
                   list.itemText(item, 1) + "|" + list.itemText(item, 2));
  }
  return rows;
}

void Click(HWND button) {
  SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

}  // namespace startup_gui
