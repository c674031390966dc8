// A plain window that hosts the startup page the way the main window does: its
// own action list with the main window's commands, WM_COMMAND handed to that list,
// and the page created on its client area.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "main/MainCommands.h"
#include "main/StartupListPage.h"
#include "toolkit/ActionList.h"
#include "toolkit/Window.h"

namespace startup_gui {

class PageHost : public tk::Window {
 public:
  PageHost();
  ~PageHost() override;

  // Creates the window (shown without taking the focus) and the page on it.
  bool open();

  tk::ActionList actionList;
  forms::MainActions actions{actionList};
  forms::StartupListPage page{actions};
  int refreshes = 0;  // runs of the Refresh command

 protected:
  bool onCommand(WORD id, WORD code, HWND control) override {
    return actionList.onCommand(id, code, control);
  }
};

// The list's row with this caption and location; -1 when there is none.
int ItemOf(const tk::ListView& list, const std::string& caption, const std::string& location);
// The rows whose captions begin with `prefix`, as "caption|ticked|command|location".
std::vector<std::string> RowTexts(const tk::ListView& list, const std::string& prefix);
// Clicks a button as the user would, through its parent's WM_COMMAND.
void Click(HWND button);

}  // namespace startup_gui
