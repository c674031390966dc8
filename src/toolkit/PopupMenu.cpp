#include "toolkit/PopupMenu.h"

#include "sys/Text.h"
#include "toolkit/MenuPaint.h"

namespace tk {

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {}

PopupMenu::~PopupMenu() {
  // Submenus are owned by their own objects (or borrowed): take them out of this
  // HMENU first, so that destroying it leaves them alone.
  detachItems();
  for (const auto& entry : entries_) UnregisterMenuEntry(entry.get());
}

void PopupMenu::setImages(HIMAGELIST images) {
  for (const auto& entry : entries_) {
    PopupMenu* submenu = entry->submenu.get();
    if (submenu && (!submenu->images() || submenu->images() == images_)) submenu->setImages(images);
  }
  images_ = images;
}

PopupMenu::Entry& PopupMenu::append(std::unique_ptr<Entry> entry) {
  entry->owner = this;
  RegisterMenuEntry(entry.get());
  entries_.push_back(std::move(entry));
  return *entries_.back();
}

void PopupMenu::addItem(const std::string& caption, UINT id, int image) {
  auto entry = std::make_unique<Entry>();
  entry->caption = caption;
  entry->id = id;
  entry->image = image;
  append(std::move(entry));
  rebuild();
}

void PopupMenu::addAction(Action& action, const std::string& caption, int image, UINT itemId) {
  auto entry = std::make_unique<Entry>();
  entry->caption = caption;
  entry->id = itemId ? itemId : action.id();
  entry->image = image;
  entry->action = &action;
  append(std::move(entry));
  rebuild();
}

void PopupMenu::addSeparator() {
  auto entry = std::make_unique<Entry>();
  entry->kind = Entry::Kind::Separator;
  append(std::move(entry));
  rebuild();
}

PopupMenu& PopupMenu::addSubmenu(const std::string& caption, int image) {
  auto entry = std::make_unique<Entry>();
  entry->kind = Entry::Kind::Submenu;
  entry->caption = caption;
  entry->image = image;
  entry->submenu = std::make_unique<PopupMenu>();
  entry->submenu->setImages(images_);
  PopupMenu& submenu = *append(std::move(entry)).submenu;
  rebuild();
  return submenu;
}

void PopupMenu::addSubmenu(const std::string& caption, HMENU borrowed, int image) {
  auto entry = std::make_unique<Entry>();
  entry->kind = Entry::Kind::Submenu;
  entry->caption = caption;
  entry->image = image;
  entry->borrowed = borrowed;
  append(std::move(entry));
  rebuild();
}

void PopupMenu::clear() {
  detachItems();
  for (const auto& entry : entries_) UnregisterMenuEntry(entry.get());
  entries_.clear();
}

PopupMenu::Entry* PopupMenu::findEntry(UINT id) const {
  for (const auto& entry : entries_) {
    if (entry->kind == Entry::Kind::Command && entry->id == id) return entry.get();
  }
  return nullptr;
}

bool PopupMenu::setItemCaption(UINT id, const std::string& caption) {
  Entry* entry = findEntry(id);
  if (!entry) return false;
  entry->caption = caption;
  rebuild();
  return true;
}

bool PopupMenu::setItemEnabled(UINT id, bool enabled) {
  Entry* entry = findEntry(id);
  if (!entry || entry->action) return false;
  entry->enabled = enabled;
  EnableMenuItem(menu_.get(), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  return true;
}

bool PopupMenu::setItemChecked(UINT id, bool checked) {
  Entry* entry = findEntry(id);
  if (!entry || entry->action) return false;
  entry->checked = checked;
  CheckMenuItem(menu_.get(), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  return true;
}

bool PopupMenu::setItemIcon(UINT id, HICON icon) {
  Entry* entry = findEntry(id);
  if (!entry) return false;
  entry->icon = icon;
  return true;
}

bool PopupMenu::setItemBitmap(UINT id, HBITMAP bitmap) {
  Entry* entry = findEntry(id);
  if (!entry) return false;
  entry->bitmap = bitmap;
  return true;
}

void PopupMenu::detachItems() {
  releaseAdopted();
  HMENU menu = menu_.get();
  if (!menu) return;
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
  for (const auto& entry : entries_) entry->menu = nullptr;
}

void PopupMenu::adoptItems(HMENU borrowed) {
  if (!IsMenu(borrowed)) return;
  SetMenuWindowBackground(borrowed);
  const int count = GetMenuItemCount(borrowed);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(borrowed, i, TRUE, &info)) continue;
    // Items that draw themselves, carry their owner's data or open a menu of
    // their own are the owner's business.
    if ((info.fType & (MFT_OWNERDRAW | MFT_BITMAP)) || info.dwItemData || info.hSubMenu) continue;
    auto entry = std::make_unique<Entry>();
    entry->kind = (info.fType & MFT_SEPARATOR) ? Entry::Kind::Separator : Entry::Kind::Command;
    entry->id = info.wID;
    entry->owner = this;
    entry->menu = borrowed;
    MENUITEMINFOW drawn{};
    drawn.cbSize = sizeof drawn;
    drawn.fMask = MIIM_FTYPE | MIIM_DATA;
    drawn.fType = info.fType | MFT_OWNERDRAW;
    drawn.dwItemData = reinterpret_cast<ULONG_PTR>(entry.get());
    if (!SetMenuItemInfoW(borrowed, i, TRUE, &drawn)) continue;
    RegisterMenuEntry(entry.get());
    adopted_.push_back(std::move(entry));
  }
}

void PopupMenu::releaseAdopted() {
  for (const auto& entry : adopted_) {
    UnregisterMenuEntry(entry.get());
    // The borrowed menu may be gone; then no item of any menu holds this entry.
    if (!IsMenu(entry->menu)) continue;
    const int count = GetMenuItemCount(entry->menu);
    for (int i = 0; i < count; ++i) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_DATA;
      if (!GetMenuItemInfoW(entry->menu, i, TRUE, &info)) continue;
      if (info.dwItemData != reinterpret_cast<ULONG_PTR>(entry.get())) continue;
      info.fType &= ~static_cast<UINT>(MFT_OWNERDRAW);
      info.dwItemData = 0;
      SetMenuItemInfoW(entry->menu, i, TRUE, &info);
      break;
    }
  }
  adopted_.clear();
}

void PopupMenu::rebuild() {
  HMENU menu = menu_.get();
  if (!menu) return;
  detachItems();
  SetMenuWindowBackground(menu);
  // Which entries show: not those of hidden actions, and no separator at the
  // start, at the end or right after another one.
  std::vector<Entry*> shown;
  for (const auto& entry : entries_) {
    if (entry->action && !entry->action->visible()) continue;
    if (entry->kind == Entry::Kind::Separator &&
        (shown.empty() || shown.back()->kind == Entry::Kind::Separator)) {
      continue;
    }
    shown.push_back(entry.get());
  }
  while (!shown.empty() && shown.back()->kind == Entry::Kind::Separator) shown.pop_back();

  UINT position = 0;
  for (Entry* entry : shown) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
    info.fType = MFT_OWNERDRAW;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(entry);
    std::string text = entry->caption;
    std::wstring wide;
    if (entry->kind == Entry::Kind::Separator) {
      info.fType |= MFT_SEPARATOR;
    } else {
      if (entry->action && !entry->action->caption().empty()) {
        text = entry->action->menuCaption();
      } else if (entry->action && !entry->action->shortcut().empty()) {
        text += "\t" + ShortcutText(entry->action->shortcut());
      }
      wide = sys::Widen(text);
      info.fMask |= MIIM_STRING | MIIM_ID;
      info.dwTypeData = wide.data();
      info.wID = entry->id;
      const bool enabled = entry->action ? entry->action->enabled() : entry->enabled;
      const bool checked = entry->action ? entry->action->checked() : entry->checked;
      info.fState = (enabled ? MFS_ENABLED : MFS_GRAYED) | (checked ? MFS_CHECKED : 0);
    }
    if (entry->kind == Entry::Kind::Submenu) {
      if (entry->submenu) {
        entry->submenu->setImages(entry->submenu->images() ? entry->submenu->images() : images_);
        entry->submenu->rebuild();
      }
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = entry->submenu ? entry->submenu->handle() : entry->borrowed;
      if (entry->borrowed) adoptItems(entry->borrowed);
    }
    if (!InsertMenuItemW(menu, position, TRUE, &info)) continue;
    entry->menu = menu;
    ++position;
    if (entry->action) entry->action->bindMenuItem(menu, entry->id);
  }
}

UINT PopupMenu::track(HWND owner, int x, int y, const RECT* exclude) {
  rebuild();
  if (!menu_ || GetMenuItemCount(menu_.get()) <= 0) return 0;
  TPMPARAMS params{};
  params.cbSize = sizeof params;
  if (exclude) params.rcExclude = *exclude;
  const UINT flags =
      TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON | (exclude ? TPM_VERTICAL : 0);
  const auto chosen = static_cast<UINT>(
      TrackPopupMenuEx(menu_.get(), flags, x, y, owner, exclude ? &params : nullptr));
  if (chosen && IsWindow(owner)) {
    SendMessageW(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
  }
  return chosen;
}

UINT PopupMenu::showAt(HWND owner, int x, int y) {
  return track(owner, x, y, nullptr);
}

UINT PopupMenu::showUnder(HWND owner, const RECT& button) {
  return track(owner, button.left, button.bottom, &button);
}

bool PopupMenu::HandleMeasureItem(MEASUREITEMSTRUCT* measure) {
  if (!measure || measure->CtlType != ODT_MENU) return false;
  auto* entry = reinterpret_cast<const Entry*>(measure->itemData);
  if (!IsMenuEntry(entry)) return false;
  const SIZE size = MeasureMenuEntry(*entry);
  measure->itemWidth = static_cast<UINT>(size.cx);
  measure->itemHeight = static_cast<UINT>(size.cy);
  return true;
}

bool PopupMenu::HandleDrawItem(const DRAWITEMSTRUCT* draw) {
  if (!draw || draw->CtlType != ODT_MENU) return false;
  auto* entry = reinterpret_cast<const Entry*>(draw->itemData);
  if (!IsMenuEntry(entry)) return false;
  DrawMenuEntry(*entry, draw->hDC, draw->rcItem, draw->itemState);
  return true;
}

bool PopupMenu::HandleMenuMessage(UINT msg, WPARAM /*wParam*/, LPARAM lParam, LRESULT* result) {
  bool handled = false;
  if (msg == WM_MEASUREITEM) {
    handled = HandleMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
  } else if (msg == WM_DRAWITEM) {
    handled = HandleDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  }
  if (handled && result) *result = TRUE;
  return handled;
}

}  // namespace tk
