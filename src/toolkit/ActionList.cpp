#include "toolkit/ActionList.h"

#include <commctrl.h>

#include <stdexcept>

#include "toolkit/Control.h"

namespace tk {
namespace {}  // namespace

Action& ActionList::add(WORD id, std::string name) {
  if (id == 0) throw std::invalid_argument("action " + name + ": command id 0");
  if (actions_.count(id)) {
    throw std::invalid_argument("action " + name + ": command id " + std::to_string(id) +
                                " is taken by " + actions_[id]->name());
  }
  auto action = std::make_unique<Action>(id, std::move(name));
  action->owner_ = this;
  Action& added = *action;
  actions_.emplace(id, std::move(action));
  return added;
}

Action* ActionList::find(WORD id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second.get();
}

Action* ActionList::findByName(const std::string& name) const {
  for (const auto& [id, action] : actions_) {
    if (action->name() == name) return action.get();
  }
  return nullptr;
}

std::vector<Action*> ActionList::all() const {
  std::vector<Action*> result;
  result.reserve(actions_.size());
  for (const auto& [id, action] : actions_) result.push_back(action.get());
  return result;
}

Action* ActionList::actionForCommand(WORD id, WORD code, HWND control) const {
  if (control) {
    if (code != BN_CLICKED) return nullptr;  // EN_CHANGE and friends are no commands
    for (const auto& [actionId, action] : actions_) {
      if (action->isBoundTo(control)) return action.get();
    }
    return find(id);
  }
  if (code == 0) {  // a menu item, possibly bound to an action with another id
    for (const auto& [actionId, action] : actions_) {
      if (action->isBoundToMenuItem(id)) return action.get();
    }
  }
  return find(id);
}

bool ActionList::onCommand(WORD id, WORD code, HWND control) {
  Action* action = actionForCommand(id, code, control);
  if (!action) return false;
  if (control && IsCheckOrRadioButton(control)) {
    if (action->enabled()) {
      action->setChecked(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
    } else {
      action->applyTo(control);  // a disabled action keeps its box as it was
    }
  }
  action->execute();
  return true;
}

HACCEL ActionList::accelerators() {
  if (acceleratorsStale_) {
    std::vector<ACCEL> table;
    for (const auto& [id, action] : actions_) {
      if (!action->shortcut().empty() && action->enabled() && action->visible()) {
        table.push_back(ShortcutAccel(action->shortcut(), id));
      }
    }
    accelerators_.reset(
        table.empty() ? nullptr
                      : CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
    acceleratorsStale_ = false;
  }
  return accelerators_.get();
}

bool ActionList::translate(HWND target, MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  HACCEL table = accelerators();
  return table && TranslateAcceleratorW(target, table, &msg) != 0;
}

void ActionList::takeControl(Action* taker, HWND control) {
  for (const auto& [id, action] : actions_) {
    if (action.get() != taker) action->unbindControl(control);
  }
}

void ActionList::takeMenuItem(Action* taker, HMENU menu, UINT itemId) {
  for (const auto& [id, action] : actions_) {
    if (action.get() != taker) action->unbindMenuItem(menu, itemId);
  }
}

}  // namespace tk
