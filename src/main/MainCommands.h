// The main window's commands as one table: each action's name and command id.
// Menu items, buttons and check boxes bind to these actions; WM_COMMAND and the
// F1 / F5 accelerators reach them through the window's ActionList.
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
  X(ActionRegedit, 213)           \
  X(ActionAddNew, 214)            \
  X(ActionReloadReg, 215)         \
  X(ActionCreateBackup, 216)      \
  X(ActionExporetList, 217)       \
  X(ActionExit, 218)              \
  X(ActionApply, 219)             \
  X(ActionSelectAll, 220)         \
  X(ActionDelete, 221)            \
  X(ActionWinServices, 222)       \
  X(ActionWinComponents, 223)     \
  X(ActionWinUpdate, 224)         \
  X(ActionMin, 225)               \
  X(ActionHelpContent, 226)       \
  X(ActionOnlineRes, 227)         \
  X(ActionContact, 228)           \
  X(ActionAbout, 229)             \
  X(ActionTabProgramList, 230)    \
  X(ActionTabStartupItems, 231)   \
  X(ActionGrid, 232)              \
  X(ActionInfoTips, 233)          \
  X(ActionAddItem, 234)           \
  X(ActionScanRemoved, 235)
// clang-format on

namespace forms {

TK_ACTION_TABLE(MainActions, PRUNAXIS_MAIN_COMMANDS);

}  // namespace forms
