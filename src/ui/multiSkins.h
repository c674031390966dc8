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

#include "settings/Settings.h"
#include "ui/ArButton.h"
#include "ui/Bounds.h"
#include "ui/Picture.h"
#include "ui/SkinColours.h"
#include "ui/SkinTable.h"
#include "ui/SkinTargets.h"

namespace ui {

// Loads the table from the settings' SkinFilePath, writing the file from the
// current values first when it does not exist; when that fails, says so in a
// message box and keeps the values. True when every key was read.
bool LoadSkinTable(const settings::TSettings& settings);
// Writes the current values into the settings' SkinFilePath. False on any failed
// write.
bool WriteSkinDefaults(const settings::TSettings& settings);

// Loads the settings' SkinsDir + `fileName` into `out` when that file exists
// (true); false when it does not (then `out` is untouched). A file that exists but
// cannot be decoded throws PictureError.
bool LoadSkinPicture(const settings::TSettings& settings, const std::string& fileName,
                     Picture& out);

// The same for one state picture of a skinned button.
bool LoadButtonPicture(const settings::TSettings& settings, TArButton& button, ButtonState state,
                       const std::string& fileName);

// Positions and pictures the main window's controls from the table, key by key in
// the table's order, as each key's target says (SkinEntries.h); pictures come from
// the settings' Skins\. A picture that the skin names but that does not exist
// leaves the control with its design-time picture (none). The first bad value (a
// bounds part that is not a number, a picture that cannot be decoded) ends it
// quietly: what was done stays, the rest keeps what it had. Then, whatever
// happened, the skin's colours go to the texts (those it gives none take the
// design colours). Returns false when a bad value ended the pictures.
bool ApplySkin(const settings::TSettings& settings, const TMainSkinTargets& targets);
// The title picture: "Title.png" beside the background picture, or, when that
// folder has none, the built-in one in Skins\.
std::string TitlePictureName(const settings::TSettings& settings);

// The skin that is always there: the built-in values, written as its file when
// it is missing.
constexpr char kDefaultSkinFile[] = "Default.ini";

// The menu caption of a skin file: its name up to the first ".".
std::string SkinDisplayName(const std::string& fileName);
// The skin files in `skinsDir` (which ends with a backslash), as the directory
// listing returns them: files only, names ending in ".ini".
std::vector<std::string> ListSkinFiles(const std::string& skinsDir);

// The Skins submenu: one item per skin file of the settings' SkinsDir, and the
// built-in skin also when its file has not been written yet. The owner routes
// WM_COMMAND ids here through handleCommand().
class TSkinsMenu {
 public:
  struct Item {
    UINT commandId;
    std::string fileName;
    std::string caption;
  };

  // Command ids firstCommandId .. firstCommandId + capacity - 1 are reserved for
  // the items; files beyond the capacity are not listed. A switch goes through
  // `settings`, which must outlive the menu.
  TSkinsMenu(settings::TSettings& settings, UINT firstCommandId, UINT capacity)
      : settings_(settings), firstId_(firstCommandId), capacity_(capacity) {}

  // Fills `submenu` (owned by the window's menu) and checks the current skin.
  void BuildSkinsMenu(HMENU submenu);
  // Makes the item's file the current skin in the settings (which record it as
  // SkinFile in Config.ini), reloads the table from the built-in values and the
  // file, and runs onSkinSwitched. A file that has gone since the menu was built is ignored.
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

  settings::TSettings& settings_;
  UINT firstId_;
  UINT capacity_;
  HMENU menu_ = nullptr;
  std::vector<Item> items_;
};

}  // namespace ui
