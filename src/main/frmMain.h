// The main window: a borderless, skinned frame that the colour key makes see-through
// where its background picture is magenta. It holds the four menu buttons with
// their popup menus, the window buttons, the two tab buttons over a page control
// with hidden tabs (the program page and the startup page), the status line and the
// whole command table.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "inventory/RostrelLib_TLB.h"
#include "inventory/frmDetails.h"
#include "main/MainCommands.h"
#include "main/MenuIcons.h"
#include "main/ProgramListPage.h"
#include "main/StartupListPage.h"
#include "main/UninstallCommands.h"
#include "settings/Settings.h"
#include "toolkit/ActionList.h"
#include "toolkit/Control.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Window.h"
#include "ui/ArButton.h"
#include "ui/Picture.h"
#include "ui/PictureBox.h"
#include "ui/multiLangs.h"
#include "ui/multiSkins.h"

namespace forms {

// Control ids of the frame.
enum MainFormId : int {
  kIdTitle = 100,
  kIdHide,
  kIdFileButton,
  kIdViewButton,
  kIdToolsButton,
  kIdHelpButton,
  kIdMinButton,
  kIdHelpContentButton,
  kIdCloseButton,
  kIdProgramListTab,
  kIdStartupItemsTab,
  kIdPageControl,
  kIdStatusPanel,
};

class TMainForm : public tk::Window {
 public:
  static constexpr int kClientWidth = 763;
  static constexpr int kClientHeight = 538;
  // The colour of the window and its transparent colour key.
  static constexpr COLORREF kKeyColour = RGB(255, 0, 255);
  // The system command that moves a window as a press on its caption does.
  static constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;

  // The window, its pages, menus and commands, and the windows it opens work with
  // `settings`, which must outlive the window.
  explicit TMainForm(settings::TSettings& settings);
  ~TMainForm() override;

  // Creates the window hidden and sets it up (FormCreate); the caller shows it.
  bool Create();
  // The Exit command: writes both list options back, then closes the window.
  void Exit();

  // Labels the window's controls and menus from the language table, and re-flows
  // the status line for the labels' new widths.
  void ApplyMainWindowTexts();

  MainActions& actions() { return actions_; }
  ProgramListPage& programPage() { return programPage_; }
  StartupListPage& startupPage() { return startupPage_; }
  UninstallCommands& uninstallCommands() { return uninstallCommands_; }

  // Handlers, named after their controls.
  void btnFileClick(ui::TArButton& button);
  void imgBackGroundMouseDown();
  void ActionTabProgramListExecute();
  void ActionTabStartupItemsExecute();

  // The inventory component's client, connected on its first call and kept for
  // the window's life.
  inventory::TProgramList ProgramList;
  // Created once, hidden, and shown by Show Details for the selected program.
  TDetailsForm DetailsForm{ProgramList};

  // Controls, named as the window names them.
  ui::PictureBox ImgTitle;
  tk::Control txtHide;
  ui::TArButton btnFile, btnView, btnTools, btnHelp;
  ui::TArButton btnMin, btnHelpContent, btnClose;
  ui::TArButton btnProgramList, btnStartupItemList;
  tk::PageControl PageControl;
  tk::Panel* tsProgramList = nullptr;  // pages of PageControl
  tk::Panel* tsStartupItems = nullptr;
  tk::Panel StatusPanel;
  tk::PopupMenu pmFile, pmView, pmTools, pmHelp;

  // Outside effects, replaceable by tests: opening a menu at a screen point,
  // starting the system's move of the window, the shell's open verb, and the
  // shell's Run dialog.
  std::function<void(tk::PopupMenu& menu, POINT screen)> openMenu;
  std::function<void()> startMove;
  std::function<void(HWND owner, const std::string& file, const std::string& parameters)> shellOpen;
  // The Run dialog's title is the whole UTF-8 text; the dialog cuts it to its room.
  std::function<void(HWND owner, const std::string& title)> runDialog;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool onCommand(WORD id, WORD code, HWND control) override;
  bool preTranslateMessage(MSG& msg) override;
  void onDestroy() override;

 private:
  bool createControls();
  void createButtons();
  void applySkin();
  // View > Skins: built once; a choice re-skins the window at once.
  void bindSkinsMenu();
  void buildMenus();
  // Hands the menus pictures in the ink that suits their colours now.
  void makeMenuIcons();
  std::array<tk::PopupMenu*, 6> menusWithIcons();
  void bindFrameCommands();
  void bindEntryCommands();
  // The component index of the selected program row; -1 for none or a screen saver.
  int SelectedProgramIndex();
  void paintBackground();
  bool openButtonMenu(ui::TArButton& button, POINT screen);
  tk::PopupMenu* menuOf(const ui::TArButton& button);

  settings::TSettings& settings_;
  tk::ActionList actionList_;
  MainActions actions_{actionList_};
  ProgramListPage programPage_{ProgramList, actions_, settings_};
  StartupListPage startupPage_{actions_};
  UninstallCommands uninstallCommands_{ProgramList, programPage_, actions_, settings_};
  ui::TLanguagesMenu languagesMenu_;
  sys::UniqueMenu languagesSubmenu_;  // lent to pmView
  ui::TSkinsMenu skinsMenu_;
  sys::UniqueMenu skinsSubmenu_;  // lent to pmView
  ui::Picture background_;        // the skin's background picture, drawn at its own size
  sys::UniqueIcon smallIcon_;
  tk::UniqueImageList menuIcons_;  // the menus' pictures (makeMenuIcons)
};

}  // namespace forms
