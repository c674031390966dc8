// The Skins submenu and the switch between skin files while the program runs.
#include <exception>

#include "sys/FileOps.h"
#include "sys/Files.h"
#include "toolkit/MenuText.h"
#include "ui/multiSkins.h"

namespace ui {
namespace {

bool EndsWithIni(const std::string& name) {
  if (name.size() < 4) return false;
  return sys::SameFileName(name.substr(name.size() - 4), ".ini");
}

// A caption is shown as it is: "&" is no accelerator marker here.
std::string LiteralMenuText(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

}  // namespace

std::string SkinDisplayName(const std::string& fileName) {
  return fileName.substr(0, fileName.find('.'));
}

std::vector<std::string> ListSkinFiles(const std::string& skinsDir) {
  std::vector<std::string> files;
  for (const sys::FolderEntry& entry : sys::ListFolderMatching(skinsDir, "*.ini")) {
    // "*.ini" also matches names whose short form ends in .INI ("x.ini.bak").
    if (!entry.isFolder() && EndsWithIni(entry.name)) files.push_back(entry.name);
  }
  return files;
}

bool TSkinsMenu::append(const std::string& fileName, bool checked) {
  if (items_.size() >= capacity_) return false;
  Item item{firstId_ + static_cast<UINT>(items_.size()), fileName, SkinDisplayName(fileName)};
  if (!toolkit::AppendMenuItemUtf8(menu_, MF_STRING | (checked ? MF_CHECKED : 0u), item.commandId,
                                   LiteralMenuText(item.caption)))
    return false;
  items_.push_back(std::move(item));
  return true;
}

void TSkinsMenu::BuildSkinsMenu(HMENU submenu) {
  menu_ = submenu;
  items_.clear();
  if (!menu_) return;
  const std::string current = sys::ExtractFileName(settings_.paths().SkinFilePath);
  const std::vector<std::string> files = ListSkinFiles(settings_.paths().SkinsDir);
  bool builtInListed = false;
  for (const std::string& file : files) builtInListed |= sys::SameFileName(file, kDefaultSkinFile);
  // Until its file is written (the first time it is chosen), the built-in skin
  // still has its place, first.
  if (!builtInListed) append(kDefaultSkinFile, sys::SameFileName(current, kDefaultSkinFile));
  for (const std::string& file : files) append(file, sys::SameFileName(file, current));
}

void TSkinsMenu::checkOnly(UINT commandId) {
  for (const Item& item : items_)
    CheckMenuItem(menu_, item.commandId,
                  MF_BYCOMMAND | (item.commandId == commandId ? MF_CHECKED : MF_UNCHECKED));
}

void TSkinsMenu::SwitchSkin(const Item& item) {
  try {
    const std::string path = settings_.paths().SkinsDir + item.fileName;
    if (!sys::FileExists(path) && !sys::SameFileName(item.fileName, kDefaultSkinFile)) return;
    checkOnly(item.commandId);
    // A choice that cannot be remembered still applies for this run.
    settings_.useSkinFile(item.fileName);
    // Keys the new file leaves out take the built-in values, not the old skin's.
    SkinTable().resetToDefaults();
    LoadSkinTable(settings_);
    if (onSkinSwitched) onSkinSwitched();
  } catch (const std::exception&) {
    // A failed switch leaves whatever it had done so far; nothing to tell the user.
  }
}

bool TSkinsMenu::handleCommand(UINT commandId) {
  for (const Item& item : items_) {
    if (item.commandId == commandId) {
      Item chosen = item;  // the handler may rebuild the menu
      SwitchSkin(chosen);
      return true;
    }
  }
  return false;
}

}  // namespace ui
