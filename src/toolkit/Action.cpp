#include "toolkit/Action.h"

#include <algorithm>

#include "sys/Text.h"
#include "toolkit/ActionList.h"
#include "toolkit/Control.h"

namespace tk {

Action::Action(WORD id, std::string name) : id_(id), name_(std::move(name)) {}

void Action::setCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  stateChanged(false);
}

void Action::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  stateChanged(!shortcut_.empty());
}

void Action::setChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  stateChanged(false);
}

void Action::setVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  stateChanged(!shortcut_.empty());
}

void Action::setShortcut(Shortcut shortcut) {
  if (shortcut == shortcut_) return;
  shortcut_ = shortcut;
  stateChanged(true);
}

std::string Action::menuCaption() const {
  if (shortcut_.empty()) return caption_;
  return caption_ + "\t" + ShortcutText(shortcut_);
}

bool Action::execute() {
  if (!enabled_ || !onExecute_) return false;
  Handler handler = onExecute_;  // the handler may replace itself while it runs
  handler();
  return true;
}

void Action::bindControl(HWND control) {
  if (!control) return;
  if (owner_) owner_->takeControl(this, control);
  if (!isBoundTo(control)) controls_.push_back(control);
  applyTo(control);
}

void Action::unbindControl(HWND control) {
  std::erase(controls_, control);
}

bool Action::isBoundTo(HWND control) const {
  return std::find(controls_.begin(), controls_.end(), control) != controls_.end();
}

void Action::bindMenuItem(HMENU menu, UINT itemId) {
  if (!menu) return;
  if (owner_) owner_->takeMenuItem(this, menu, itemId);
  auto same = [&](const MenuItem& m) { return m.menu == menu && m.id == itemId; };
  if (std::none_of(menuItems_.begin(), menuItems_.end(), same)) {
    menuItems_.push_back({menu, itemId});
  }
  applyTo(MenuItem{menu, itemId});
}

void Action::unbindMenuItem(HMENU menu, UINT itemId) {
  std::erase_if(menuItems_, [&](const MenuItem& m) { return m.menu == menu && m.id == itemId; });
}

bool Action::isBoundToMenuItem(UINT itemId) const {
  return std::any_of(menuItems_.begin(), menuItems_.end(),
                     [&](const MenuItem& m) { return m.id == itemId; });
}

void Action::stateChanged(bool affectsAccelerators) {
  if (affectsAccelerators && owner_) owner_->acceleratorsChanged();
  update();
}

void Action::update() {
  std::erase_if(controls_, [](HWND c) { return !IsWindow(c); });
  std::erase_if(menuItems_, [](const MenuItem& m) { return !IsMenu(m.menu); });
  for (HWND control : controls_) applyTo(control);
  for (const MenuItem& item : menuItems_) applyTo(item);
}

void Action::applyTo(HWND control) const {
  if (!caption_.empty() && WindowText(control) != caption_) {
    toolkit::SetWindowTextUtf8(control, caption_);
  }
  EnableWindow(control, enabled_ ? TRUE : FALSE);
  SendMessageW(control, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
  const bool shown = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != visible_) ShowWindow(control, visible_ ? SW_SHOWNA : SW_HIDE);
}

void Action::applyTo(const MenuItem& item) const {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_FTYPE;
  if (!GetMenuItemInfoW(item.menu, item.id, FALSE, &info)) return;  // no such item
  info.fMask = MIIM_STATE;
  info.fState &= ~(MFS_GRAYED | MFS_DISABLED | MFS_CHECKED);
  if (!enabled_) info.fState |= MFS_GRAYED;
  if (checked_) info.fState |= MFS_CHECKED;
  // Without a caption of its own the action keeps the item's text and only keeps
  // the shortcut after the tab up to date.
  std::string text;
  if (!caption_.empty()) {
    text = menuCaption();
  } else if (!(info.fType & MFT_SEPARATOR)) {
    text = MenuItemText(item.menu, item.id);
    text = text.substr(0, text.find('\t'));
    if (!shortcut_.empty()) text += "\t" + ShortcutText(shortcut_);
    if (text == MenuItemText(item.menu, item.id)) text.clear();
  }
  std::wstring wide;
  if (!text.empty()) {
    wide = sys::Widen(text);
    info.fMask |= MIIM_STRING;
    info.dwTypeData = wide.data();
  }
  SetMenuItemInfoW(item.menu, item.id, FALSE, &info);
}

std::string MenuItemText(HMENU menu, UINT itemId) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoW(menu, itemId, FALSE, &info) || info.cch == 0) return {};
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfoW(menu, itemId, FALSE, &info)) return {};
  text.resize(std::min<size_t>(info.cch, text.size()));
  return sys::Narrow(text);
}

}  // namespace tk
