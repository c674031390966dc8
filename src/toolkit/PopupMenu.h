// An owner-drawn popup menu built from items: plain commands, commands bound to
// actions, separators and submenus. Items are drawn with an icon bar on the left
// (the item's picture, or a tick mark when it is checked), 21 pixels high, the
// shortcut right-aligned, disabled items grey and the item under the mouse
// highlighted.
//
// The menu keeps its items as a definition and builds its HMENU from it before
// each showing (rebuild()): items of hidden actions are left out then, and so are
// the separators that would lead, trail or double up without them. Items bound to
// an action follow its caption, enabled and checked state (Action::bindMenuItem);
// a chosen item reaches its owner window as WM_COMMAND(id, 0), as ActionList
// expects.
//
// The window that opens the menu receives WM_MEASUREITEM and WM_DRAWITEM for its
// items: tk::Window hands them to HandleMeasureItem/HandleDrawItem by itself; any
// other owner calls HandleMenuMessage from its window procedure.
//
// The items are drawn in the painter's colours (SetMenuColours in MenuPaint.h),
// and so is the menu window around them. A borrowed submenu's plain items (strings
// and separators that carry no item data) are drawn the same way: each rebuild
// makes them owner-drawn, keeping their text, id and state where their owner put
// them, and clear() or the menu's end makes them plain again.
//
// Ownership: the menu owns its HMENU and its own submenus. Pictures (image list,
// icons, bitmaps), borrowed submenus and actions are borrowed and must outlive the
// menu's showings.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "sys/Handles.h"
#include "toolkit/Action.h"

namespace tk {

class PopupMenu {
 public:
  static constexpr int kItemHeight = 21;
  static constexpr int kSeparatorHeight = 7;
  static constexpr int kIconBarWidth = 24;

  PopupMenu();
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  HMENU handle() const { return menu_.get(); }
  // The pictures that items name by index (for example the window's image list);
  // own submenus that showed this menu's pictures show the new ones too.
  void setImages(HIMAGELIST images);
  HIMAGELIST images() const { return images_; }

  // Building; items appear in the order they are added.
  void addItem(const std::string& caption, UINT id, int image = -1);
  // An item bound to `action`, with the action's id unless another is given. The
  // caption is the action's, or `caption` while the action has none.
  void addAction(Action& action, const std::string& caption = {}, int image = -1, UINT itemId = 0);
  void addSeparator();
  PopupMenu& addSubmenu(const std::string& caption, int image = -1);
  // A submenu that someone else owns and fills (the languages menu).
  void addSubmenu(const std::string& caption, HMENU borrowed, int image = -1);
  void clear();

  // Plain items by id (bound items take their state from the action).
  bool setItemCaption(UINT id, const std::string& caption);
  bool setItemEnabled(UINT id, bool enabled);
  bool setItemChecked(UINT id, bool checked);
  bool setItemIcon(UINT id, HICON icon);
  bool setItemBitmap(UINT id, HBITMAP bitmap);

  // Rebuilds the HMENU from the definition, submenus included.
  void rebuild();

  // Opens the menu at a screen point (its top-left corner there) and returns when
  // it closes: the chosen command id, sent to `owner` as WM_COMMAND before the
  // return, or 0 when nothing was chosen.
  UINT showAt(HWND owner, int x, int y);
  // Opens the menu under a button (screen rectangle): its top-left corner at the
  // button's bottom-left corner, never covering the button.
  UINT showUnder(HWND owner, const RECT& button);

  // The owner window's share of owner drawing; true when the item was one of ours.
  static bool HandleMeasureItem(MEASUREITEMSTRUCT* measure);
  static bool HandleDrawItem(const DRAWITEMSTRUCT* draw);
  // WM_MEASUREITEM and WM_DRAWITEM in one; *result is what the window returns.
  static bool HandleMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

  struct Entry;  // one item of the definition (MenuPaint.cpp draws them)

 private:
  Entry& append(std::unique_ptr<Entry> entry);
  Entry* findEntry(UINT id) const;
  void detachItems();
  void adoptItems(HMENU borrowed);
  void releaseAdopted();
  UINT track(HWND owner, int x, int y, const RECT* exclude);

  sys::UniqueMenu menu_;
  HIMAGELIST images_ = nullptr;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::vector<std::unique_ptr<Entry>> adopted_;  // the plain items of borrowed submenus
};

// One item of a PopupMenu, as the menu keeps it and the painter reads it.
struct PopupMenu::Entry {
  enum class Kind { Command, Separator, Submenu };
  Kind kind = Kind::Command;
  std::string caption;
  UINT id = 0;
  int image = -1;
  HICON icon = nullptr;
  HBITMAP bitmap = nullptr;
  bool enabled = true;
  bool checked = false;
  Action* action = nullptr;
  std::unique_ptr<PopupMenu> submenu;  // owned
  HMENU borrowed = nullptr;            // a submenu of someone else
  PopupMenu* owner = nullptr;
  HMENU menu = nullptr;  // the HMENU the item sits in while it is built in
};

}  // namespace tk
