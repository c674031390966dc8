// The skinned controls of the main window, and what each skin key sets on them:
// SkinEntries.h names, per key, the TMainSkinTargets member and what it moves
// (its bounds, its picture, one state's picture, a text colour), and SkinTargets()
// is that column of the table, which ApplySkin and the colours follow in order.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>

#include "ui/ArButton.h"
#include "ui/Picture.h"
#include "ui/SkinColours.h"
#include "ui/SkinTable.h"

namespace ui {

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

// What one key sets.
enum class SkinEffect {
  NotApplied,    // read and written only
  Elsewhere,     // read by another window or by the side panels' hot spots
  Bounds,        // the place and size of a control
  Picture,       // the picture of an image
  StatePicture,  // one state's picture of a skinned button
  Colour,        // one text colour role
};

// One key's target. Exactly the member pointer that fits the effect and the
// member's kind is set: `window`, `button` or `image` for the controls, `colour`
// for a colour role.
struct TSkinTarget {
  SkinEffect effect = SkinEffect::NotApplied;
  const char* member = "";  // the member's name, or "" for none
  HWND TMainSkinTargets::*window = nullptr;
  TArButton* TMainSkinTargets::*button = nullptr;
  TSkinImage TMainSkinTargets::*image = nullptr;
  ButtonState state = ButtonState::Normal;  // of StatePicture
  std::optional<COLORREF> TSkinColours::*colour = nullptr;

  // The window whose place a Bounds target sets in `targets`; null when the
  // control is not built there.
  HWND windowIn(const TMainSkinTargets& targets) const;
  // The button whose state picture a StatePicture target sets; null for none.
  TArButton* buttonIn(const TMainSkinTargets& targets) const;
  // The image whose picture a Picture target sets; null for none.
  const TSkinImage* imageIn(const TMainSkinTargets& targets) const;
};

// The targets of all keys, by SkinId (file order).
const std::array<TSkinTarget, kSkinEntryCount>& SkinTargets();

inline const TSkinTarget& SkinTargetOf(SkinId id) {
  return SkinTargets()[static_cast<std::size_t>(id)];
}

}  // namespace ui
