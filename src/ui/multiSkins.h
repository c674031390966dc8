// The program's skin: loading the skin table from the current skin file (writing
// the template when it is missing), loading skin pictures, and applying the skin
// to the main window's controls.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/ArButton.h"
#include "ui/Bounds.h"
#include "ui/Picture.h"
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

// The skinned controls of the main window, named as the window names them.
// Controls the window has not built (null or empty) are skipped.
struct TMainSkinTargets {
  HWND MainForm = nullptr;
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
// order. The first bad value (a bounds part that is not a number, a picture that
// cannot be decoded) ends it quietly: what was done stays, the rest keeps its
// design-time state. Returns false when it ended that way.
bool ApplySkin(const TMainSkinTargets& targets);

}  // namespace ui
