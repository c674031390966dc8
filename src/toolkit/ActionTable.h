// A window's commands as one table: an X-macro list of action name and command id
// gives the ids and the action objects, so that both are written once.
//
//   #define MAIN_COMMANDS(X) X(ActionRefresh, 1001) X(ActionExit, 1002)
//   (one X(...) per line, each line but the last ending in a backslash)
//   TK_ACTION_TABLE(MainActions, MAIN_COMMANDS);
//
//   tk::ActionList list;
//   MainActions actions(list);                 // adds every action to `list`
//   actions.ActionRefresh.setShortcut({VK_F5});
//   popup.addAction(actions.ActionRefresh, "Refresh");
//   WORD id = static_cast<WORD>(MainActions::Id::ActionRefresh);
//   for (const tk::CommandInfo& c : MainActions::kCommands) ...   // id and name
//
// Two commands with the same id, or id 0, fail to compile.
#pragma once

#include <windows.h>

#include <cstddef>

#include "toolkit/ActionList.h"

namespace tk {

struct CommandInfo {
  WORD id;
  const char* name;
};

template <std::size_t N>
constexpr bool IsValidCommandTable(const CommandInfo (&table)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (table[i].id == 0) return false;
    for (std::size_t j = i + 1; j < N; ++j) {
      if (table[i].id == table[j].id) return false;
    }
  }
  return true;
}

}  // namespace tk

#define TK_ACTION_TABLE_ID_(name, id) name = id,
#define TK_ACTION_TABLE_INFO_(name, id) ::tk::CommandInfo{id, #name},
#define TK_ACTION_TABLE_INIT_(name, id) name(owner.add(id, #name)),
#define TK_ACTION_TABLE_MEMBER_(name, id) ::tk::Action& name;

#define TK_ACTION_TABLE(Type, LIST)                                                     \
  struct Type {                                                                         \
    enum class Id : WORD { LIST(TK_ACTION_TABLE_ID_) };                                 \
    static constexpr ::tk::CommandInfo kCommands[] = {LIST(TK_ACTION_TABLE_INFO_)};     \
    explicit Type(::tk::ActionList& owner) : LIST(TK_ACTION_TABLE_INIT_) list(owner) {} \
    Type(const Type&) = delete;                                                         \
    Type& operator=(const Type&) = delete;                                              \
    LIST(TK_ACTION_TABLE_MEMBER_)                                                       \
    ::tk::ActionList& list;                                                             \
  };                                                                                    \
  static_assert(::tk::IsValidCommandTable(Type::kCommands),                             \
                #Type ": every command needs an id of its own, and not 0")
