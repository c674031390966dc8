// The actions of a window, owned by command id. The window hands its WM_COMMAND
// messages to onCommand() and its key messages to translate() (from
// Window::preTranslateMessage); the list runs the right action's handler.
//
//   bool onCommand(WORD id, WORD code, HWND control) override {
//     return actions_.onCommand(id, code, control);
//   }
//   bool preTranslateMessage(MSG& msg) override { return actions_.translate(hwnd(), msg); }
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sys/Handles.h"
#include "toolkit/Action.h"

namespace tk {

struct AccelTraits {
  using Handle = HACCEL;
  static Handle invalid() { return nullptr; }
  static bool valid(Handle h) { return h != nullptr; }
  static void close(Handle h) { DestroyAcceleratorTable(h); }
};
using UniqueAccel = sys::Scoped<AccelTraits>;

class ActionList {
 public:
  ActionList() = default;
  ActionList(const ActionList&) = delete;
  ActionList& operator=(const ActionList&) = delete;

  // Adds an action; its address stays valid as long as the list lives. Throws
  // std::invalid_argument for id 0 or an id that the list already holds.
  Action& add(WORD id, std::string name);
  Action* find(WORD id) const;
  Action* findByName(const std::string& name) const;
  size_t size() const { return actions_.size(); }
  // Every action, in id order.
  std::vector<Action*> all() const;

  // The action a WM_COMMAND is meant for: a clicked control by its binding (or its
  // id), a menu item by the binding of its item id (or the action id), an
  // accelerator (code 1) by the action id. Other control notifications are not
  // commands. nullptr when no action matches.
  Action* actionForCommand(WORD id, WORD code, HWND control) const;
  // Dispatches a WM_COMMAND. A bound check box passes its new check state to the
  // action first. The handler runs only when the action is enabled. Returns true
  // when the command belongs to an action, whether or not it ran.
  bool onCommand(WORD id, WORD code, HWND control);

  // The accelerator table of the enabled, visible actions with a shortcut; rebuilt
  // after any change to those. nullptr when there is none.
  HACCEL accelerators();
  // Turns a key message that matches a shortcut into WM_COMMAND(id, 1) sent to
  // `target`. Returns true when the message was consumed.
  bool translate(HWND target, MSG& msg);

 private:
  friend class Action;
  void acceleratorsChanged() { acceleratorsStale_ = true; }
  // A control or menu item is bound to one action at a time.
  void takeControl(Action* taker, HWND control);
  void takeMenuItem(Action* taker, HMENU menu, UINT itemId);

  std::map<WORD, std::unique_ptr<Action>> actions_;
  UniqueAccel accelerators_;
  bool acceleratorsStale_ = true;
};

}  // namespace tk
