// The program's skin: loading the skin table from the current skin file (writing
// the template when it is missing), loading skin pictures, applying the skin to
// the main window's controls, and the Skins submenu that switches between the
// skin files while the program runs.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/ArButton.h"
#include "ui/Bounds.h"
#include "ui/Picture.h"
#include "ui/SkinColours.h"
#include "ui/SkinTable.h"

namespace ui {

// Loads the table from AppPaths.SkinFilePath, writing the file from the current
// values first when it does not exist; when that fails, says so in a message box
// and keeps the values. True when every key was read.
bool LoadSkinTable();
// Writes the current values into AppPaths.SkinFilePath. False on any failed write.
bool WriteSkinDefaults();

// Loads SkinsDir + `fileName` into `out` when that file exists (true); false
// when it does not (then `out` is untouched). A file that exists but cannot be
// decoded throws PictureError.
bool LoadSkinPicture(const std::string& fileName, Picture& out);

// The same for one state picture of a skinned button.
bool LoadButtonPicture(TArButton& button, ButtonState state, const std::string& fileName);

// Hands a loaded picture to the control that shows it.
using PictureSetter = std::function<void(Picture&& picture)>;

// A picture control: `window` takes the bounds (and is repainted), `setPicture`
// the picture. Either may be missing.
struct TSkinImage {
  HWND window = nullptr;
  PictureSetter setPicture;
};

// Gives a control a colour of the skin, or its design colour for none.
using ColourSetter = std::function<void(std::optional<COLORREF> colour)>;

// The skinned controls of the main window, named as the window names them.
// Controls the window has not built (null or empty) are skipped.
struct TMainSkinTargets {
  HWND MainForm = nullptr;
  HWND StatusPanel = nullptr;  // the status line's labels take the panel colours
  ColourSetter programListLinkColour;
  TSkinImage imgBackGround;
  TSkinImage ImgTitle;
  TArButton* btnMin = nullptr;
  TArButton* btnHelpContent = nullptr;
  TArButton* btnClose = nullptr;
  TArButton* btnFile = nullptr;
  TArButton* btnView = nullptr;
  TArButton* btnTools = nullptr;
  TArButton* btnHelp = nullptr;
  TArButton* btnProgramList = nullptr;
  TArButton* btnStartupItemList = nullptr;
  HWND PageControl = nullptr;
  HWND tsProgramList = nullptr;
  HWND lsvProgramList = nullptr;
  HWND SizePanelPL = nullptr;
  TSkinImage imgPanelP;
  TArButton* btnUninstall = nullptr;
  TArButton* btnShowDetails = nullptr;
  TArButton* btnRefresh = nullptr;
  HWND grbSearch = nullptr;
  HWND lblSearchTitle = nullptr;
  HWND txtSearchInfo = nullptr;
  TArButton* btnSearch = nullptr;
  HWND ckbHidePatch = nullptr;
  HWND ckbHideScr = nullptr;
  HWND tsStartupItems = nullptr;
  HWND lsvStartupList = nullptr;
  HWND SizePanelSI = nullptr;
  TSkinImage imgPanelS;
  HWND grbItemInfo = nullptr;
  HWND lblPublisher = nullptr;
  HWND lblPublisherValue = nullptr;
  HWND lblVersion = nullptr;
  HWND lblVersionValue = nullptr;
  HWND lblDes = nullptr;
  HWND lblDescription = nullptr;
  TArButton* btnSelectAll = nullptr;
  TArButton* btnDelete = nullptr;
  TArButton* btnApply = nullptr;
};

// Positions and pictures the main window's controls from the table, in a fixed
// order. A picture that the skin names but that does not exist leaves the
// control with its design-time picture (none). The first bad value (a bounds
// part that is not a number, a picture that cannot be decoded) ends it quietly:
// what was done stays, the rest keeps what it had. Then, whatever happened, the
// skin's colours go to the texts (those it gives none take the design colours).
// Returns false when a bad value ended the pictures.
bool ApplySkin(const TMainSkinTargets& targets);
// The title picture: "Title.png" beside the background picture, or, when that
// folder has none, the built-in one in Skins\.
std::string TitlePictureName();

// The skin that is always there: the built-in values, written as its file when
// it is missing.
constexpr char kDefaultSkinFile[] = "Default.ini";

// The menu caption of a skin file: its name up to the first ".".
std::string SkinDisplayName(const std::string& fileName);
// The skin files in `skinsDir` (which ends with a backslash), as the directory
// listing returns them: files only, names ending in ".ini".
std::vector<std::string> ListSkinFiles(const std::string& skinsDir);

// The Skins submenu: one item per skin file of AppPaths.SkinsDir, and the built-in
// skin also when its file has not been written yet. The owner routes WM_COMMAND
// ids here through handleCommand().
class TSkinsMenu {
 public:
  struct Item {
    UINT commandId;
    std::string fileName;
    std::string caption;
  };

  // Command ids firstCommandId .. firstCommandId + capacity - 1 are reserved for
  // the items; files beyond the capacity are not listed.
  TSkinsMenu(UINT firstCommandId, UINT capacity) : firstId_(firstCommandId), capacity_(capacity) {}

  // Fills `submenu` (owned by the window's menu) and checks the current skin.
  void BuildSkinsMenu(HMENU submenu);
  // Makes the item's file the current skin: records it as SkinFile in Config.ini,
  // reloads the table from the built-in values and the file, and runs
  // onSkinSwitched. A file that has gone since the menu was built is ignored.
  void SwitchSkin(const Item& item);
  // True when `commandId` belongs to a skin item (the switch has then run).
  bool handleCommand(UINT commandId);

  // Run after a switch has reloaded the table, to apply it to the open windows.
  std::function<void()> onSkinSwitched;

  const std::vector<Item>& items() const { return items_; }
  HMENU menu() const { return menu_; }

 private:
  void checkOnly(UINT commandId);
  bool append(const std::string& fileName, bool checked);

  UINT firstId_;
  UINT capacity_;
  HMENU menu_ = nullptr;
  std::vector<Item> items_;
};

}  // namespace ui
