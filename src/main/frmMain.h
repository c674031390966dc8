// The main window. For now a plain frame that the program page, the startup page
// and the skinned frame fill in.
#pragma once

#include "inventory/RostrelLib_TLB.h"
#include "main/MainCommands.h"
#include "main/ProgramListPage.h"
#include "toolkit/ActionList.h"
#include "toolkit/Window.h"
#include "ui/Picture.h"
#include "ui/multiLangs.h"

namespace forms {

// The File menu's Exit item.
inline constexpr WORD kCommandExit = 100;

class TMainForm : public tk::Window {
 public:
  TMainForm();
  ~TMainForm() override;

  // Creates the window hidden; the caller shows it.
  bool Create();
  // The Exit command: writes both list options back, then closes the window.
  void Exit();

  // Labels the window's controls from the language table.
  void ApplyMainWindowTexts();

  MainActions& actions() { return actions_; }
  ProgramListPage& programPage() { return programPage_; }

  // The inventory component's client, connected on its first call and kept for
  // the window's life.
  inventory::TProgramList ProgramList;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool onCommand(WORD id, WORD code, HWND control) override;
  bool preTranslateMessage(MSG& msg) override;
  void onSize(int width, int height) override;
  void onDestroy() override;

 private:
  void paintBackground();

  tk::ActionList actionList_;
  MainActions actions_{actionList_};
  ProgramListPage programPage_{ProgramList, actions_};
  ui::TLanguagesMenu languagesMenu_;
  ui::Picture background_;   // the skin's background picture, drawn at its own size
  HMENU menuBar_ = nullptr;  // owned by the window
  HMENU fileMenu_ = nullptr;
  HMENU viewMenu_ = nullptr;
  HMENU languagesSubmenu_ = nullptr;
};

}  // namespace forms
