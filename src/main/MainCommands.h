// The main window's commands as one table: each action's name and command id.
// Menu items, buttons and check boxes bind to these actions; WM_COMMAND and the
// F5 accelerator reach them through the window's ActionList.
#pragma once

#include "toolkit/ActionTable.h"

// clang-format off
#define PRUNAXIS_MAIN_COMMANDS(X) \
  X(ActionUninstall, 201)         \
  X(ActionDeleteScr, 202)         \
  X(ActionShowDetails, 203)       \
  X(ActionRefresh, 204)           \
  X(ActionSearch, 205)            \
  X(ActionHideSysPatch, 206)      \
  X(ActionHideScr, 207)           \
  X(ActionViewIcon, 208)          \
  X(ActionViewList, 209)          \
  X(ActionViewReport, 210)        \
  X(ActionExportReg, 211)         \
  X(ActionComment, 212)           \
  X(ActionRegedit, 213)
// clang-format on

namespace forms {

TK_ACTION_TABLE(MainActions, PRUNAXIS_MAIN_COMMANDS);

}  // namespace forms
