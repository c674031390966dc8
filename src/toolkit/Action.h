// A user command: caption, enabled, checked, visible, an optional shortcut and one
// execute handler. Buttons and menu items bound to the action show its state and
// follow every change of it; clicking them (through ActionList) runs the handler.
//
// Bindings do not own what they bind: a bound control or menu that is destroyed
// is dropped the next time the action updates its bindings.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Shortcut.h"

namespace tk {

class ActionList;

class Action {
 public:
  using Handler = std::function<void()>;

  Action(WORD id, std::string name);
  Action(const Action&) = delete;
  Action& operator=(const Action&) = delete;

  WORD id() const { return id_; }
  const std::string& name() const { return name_; }

  // An empty caption leaves the bound items' own texts alone (captions that the
  // language table sets on the controls themselves).
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool checked() const { return checked_; }
  void setChecked(bool checked);
  // Shows or hides bound controls. Menu items are kept: a menu that is built for
  // showing leaves out the items of hidden actions.
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  const Shortcut& shortcut() const { return shortcut_; }
  void setShortcut(Shortcut shortcut);
  // The caption as menu items show it: "Refresh\tF5".
  std::string menuCaption() const;

  // The one execute handler; setting another replaces it.
  void setOnExecute(Handler handler) { onExecute_ = std::move(handler); }
  bool hasHandler() const { return static_cast<bool>(onExecute_); }
  // Runs the handler when the action is enabled and has one; returns whether it ran.
  bool execute();

  // Any window that understands WM_SETTEXT, EnableWindow and BM_SETCHECK: push
  // buttons, check boxes, the skinned buttons. A control is bound to one action of
  // a list at a time: binding it here takes it from the action that had it.
  void bindControl(HWND control);
  void unbindControl(HWND control);
  bool isBoundTo(HWND control) const;
  // A menu item by command id within `menu` (its own id by default).
  void bindMenuItem(HMENU menu, UINT itemId);
  void bindMenuItem(HMENU menu) { bindMenuItem(menu, id_); }
  void unbindMenuItem(HMENU menu, UINT itemId);
  bool isBoundToMenuItem(UINT itemId) const;

 private:
  friend class ActionList;
  struct MenuItem {
    HMENU menu;
    UINT id;
  };

  void update();  // pushes the whole state to every live binding
  void applyTo(HWND control) const;
  void applyTo(const MenuItem& item) const;
  void stateChanged(bool affectsAccelerators);

  WORD id_;
  std::string name_;
  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  Shortcut shortcut_;
  Handler onExecute_;
  std::vector<HWND> controls_;
  std::vector<MenuItem> menuItems_;
  ActionList* owner_ = nullptr;  // set by the list that owns the action
};

// The text of a menu item by command id ("Refresh\tF5"); empty when there is none.
std::string MenuItemText(HMENU menu, UINT itemId);

}  // namespace tk
