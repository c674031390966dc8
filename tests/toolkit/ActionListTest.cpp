#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>

#include "TestWindow.h"
#include "support/MessagePump.h"
#include "sys/Handles.h"
#include "toolkit/ActionTable.h"
#include "toolkit/Control.h"

// A command table as a window declares it.
#define TEST_COMMANDS(X)     \
  X(ActionRefresh, 1001)     \
  X(ActionHelpContent, 1002) \
  X(ActionDelete, 1003)      \
  X(ActionUninstall, 1004)   \
  X(ActionDeleteScr, 1005)   \
  X(ActionHideScr, 1006)

namespace toolkit_tests {
namespace {

TK_ACTION_TABLE(TestActions, TEST_COMMANDS);

using testing_support::PumpMessagesFor;
using testing_support::PumpMessagesUntil;

// A window with the table's actions, each counting its runs.
struct ActionWindow {
  tk::ActionList list;
  TestActions actions{list};
  TestWindow window;
  std::map<WORD, int> runs;

  ActionWindow() {
    window.actions = &list;
    for (tk::Action* action : list.all()) {
      action->setOnExecute([this, id = action->id()] { ++runs[id]; });
    }
  }
  int runsOf(const tk::Action& action) { return runs[action.id()]; }
};

TEST(ActionTable, GivesIdsNamesAndActions) {
  tk::ActionList list;
  TestActions actions(list);
  EXPECT_EQ(list.size(), 6u);
  EXPECT_EQ(actions.ActionRefresh.id(), 1001);
  EXPECT_EQ(actions.ActionRefresh.name(), "ActionRefresh");
  EXPECT_EQ(static_cast<WORD>(TestActions::Id::ActionHideScr), 1006);
  EXPECT_EQ(list.find(1003), &actions.ActionDelete);
  EXPECT_EQ(list.findByName("ActionUninstall"), &actions.ActionUninstall);
  EXPECT_EQ(list.find(999), nullptr);
  ASSERT_EQ(std::size(TestActions::kCommands), 6u);
  EXPECT_EQ(TestActions::kCommands[1].id, 1002);
  EXPECT_STREQ(TestActions::kCommands[1].name, "ActionHelpContent");
  EXPECT_EQ(&actions.list, &list);

  static_assert(tk::IsValidCommandTable(TestActions::kCommands));
  constexpr tk::CommandInfo kDuplicate[] = {{1, "A"}, {2, "B"}, {1, "C"}};
  constexpr tk::CommandInfo kZero[] = {{0, "A"}};
  static_assert(!tk::IsValidCommandTable(kDuplicate));
  static_assert(!tk::IsValidCommandTable(kZero));
}

TEST(ActionList, RefusesTakenAndZeroIds) {
  tk::ActionList list;
  list.add(5, "ActionFirst");
  EXPECT_THROW(list.add(5, "ActionSecond"), std::invalid_argument);
  EXPECT_THROW(list.add(0, "ActionZero"), std::invalid_argument);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(list.find(5)->name(), "ActionFirst");
}

TEST(ActionList, MenuCommandRunsHandlerOnceAndNotWhenDisabled) {
  ActionWindow w;
  SendMessageA(w.window.hwnd(), WM_COMMAND, MAKEWPARAM(1001, 0), 0);
  EXPECT_EQ(w.runsOf(w.actions.ActionRefresh), 1);
  EXPECT_EQ(w.runs.size(), 1u) << "no other action ran";

  w.actions.ActionRefresh.setEnabled(false);
  SendMessageA(w.window.hwnd(), WM_COMMAND, MAKEWPARAM(1001, 0), 0);
  EXPECT_EQ(w.runsOf(w.actions.ActionRefresh), 1);
  EXPECT_TRUE(w.list.onCommand(1001, 0, nullptr)) << "a disabled action's command is consumed";
  EXPECT_FALSE(w.list.onCommand(4242, 0, nullptr)) << "unknown ids are not the list's";
}

TEST(ActionList, ClickOnBoundButtonRunsItsAction) {
  ActionWindow w;
  // The button's own id is not an action id; the binding decides.
  tk::Control button = tk::Control::Create(w.window.hwnd(), "BUTTON", 3001, "Uninstall",
                                           BS_PUSHBUTTON, 10, 10, 90, 24);
  w.actions.ActionUninstall.bindControl(button.hwnd());
  button.send(BM_CLICK);
  EXPECT_EQ(w.runsOf(w.actions.ActionUninstall), 1);

  // A screen saver row rebinds the button to another action.
  w.actions.ActionDeleteScr.bindControl(button.hwnd());
  button.send(BM_CLICK);
  EXPECT_EQ(w.runsOf(w.actions.ActionUninstall), 1);
  EXPECT_EQ(w.runsOf(w.actions.ActionDeleteScr), 1);

  // A disabled action disables its button, and a command that comes anyway is dropped.
  w.actions.ActionDeleteScr.setEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(button.hwnd()));
  SendMessageA(w.window.hwnd(), WM_COMMAND, MAKEWPARAM(3001, BN_CLICKED),
               reinterpret_cast<LPARAM>(button.hwnd()));
  EXPECT_EQ(w.runsOf(w.actions.ActionDeleteScr), 1);
}

TEST(ActionList, ControlNotificationsOtherThanClicksAreNoCommands) {
  ActionWindow w;
  // An edit box whose id happens to be an action id: typing is no command.
  tk::Control edit =
      tk::Control::Create(w.window.hwnd(), "EDIT", 1003, "", WS_BORDER, 10, 10, 90, 24);
  edit.setText("typed");  // sends EN_CHANGE to the window
  EXPECT_EQ(w.runsOf(w.actions.ActionDelete), 0);
  EXPECT_EQ(w.list.actionForCommand(1003, EN_CHANGE, edit.hwnd()), nullptr);
  EXPECT_EQ(w.list.actionForCommand(1003, BN_CLICKED, edit.hwnd()), &w.actions.ActionDelete);
}

TEST(ActionList, MenuItemRebindingRoutesItsCommand) {
  ActionWindow w;
  sys::UniqueMenu menu(CreatePopupMenu());
  constexpr UINT kItemUninstall = 2001;
  AppendMenuA(menu.get(), MF_STRING, kItemUninstall, "Uninstall");
  w.actions.ActionUninstall.bindMenuItem(menu.get(), kItemUninstall);
  SendMessageA(w.window.hwnd(), WM_COMMAND, MAKEWPARAM(kItemUninstall, 0), 0);
  EXPECT_EQ(w.runsOf(w.actions.ActionUninstall), 1);

  w.actions.ActionDeleteScr.setCaption("Delete");
  w.actions.ActionDeleteScr.bindMenuItem(menu.get(), kItemUninstall);
  EXPECT_EQ(tk::MenuItemText(menu.get(), kItemUninstall), "Delete");
  SendMessageA(w.window.hwnd(), WM_COMMAND, MAKEWPARAM(kItemUninstall, 0), 0);
  EXPECT_EQ(w.runsOf(w.actions.ActionUninstall), 1);
  EXPECT_EQ(w.runsOf(w.actions.ActionDeleteScr), 1);
}

TEST(ActionList, CheckBoxClickPassesItsStateToTheAction) {
  ActionWindow w;
  sys::UniqueMenu menu(CreatePopupMenu());
  AppendMenuA(menu.get(), MF_STRING, 1006, "Hide Screen Saver");
  tk::Control box = tk::Control::Create(w.window.hwnd(), "BUTTON", 3006, "Hide Screen Saver",
                                        BS_AUTOCHECKBOX, 10, 10, 150, 24);
  tk::Action& hide = w.actions.ActionHideScr;
  hide.bindControl(box.hwnd());
  hide.bindMenuItem(menu.get());
  std::vector<bool> seen;
  hide.setOnExecute([&] { seen.push_back(hide.checked()); });

  box.send(BM_CLICK);
  box.send(BM_CLICK);
  EXPECT_EQ(seen, (std::vector<bool>{true, false})) << "the handler sees the box's new state";
  box.send(BM_CLICK);
  EXPECT_TRUE(hide.checked());
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  GetMenuItemInfoA(menu.get(), 1006, FALSE, &info);
  EXPECT_TRUE(info.fState & MFS_CHECKED) << "the menu item follows the box";
}

TEST(ActionList, AcceleratorTableFollowsShortcutsAndEnabledState) {
  ActionWindow w;
  EXPECT_EQ(w.list.accelerators(), nullptr) << "no shortcuts, no table";
  w.actions.ActionRefresh.setShortcut({VK_F5});
  w.actions.ActionHelpContent.setShortcut({VK_F1});
  w.actions.ActionDelete.setShortcut({'D', tk::Shortcut::kCtrl});
  HACCEL table = w.list.accelerators();
  ASSERT_NE(table, nullptr);
  ACCEL entries[8] = {};
  ASSERT_EQ(CopyAcceleratorTableA(table, entries, 8), 3);
  std::sort(std::begin(entries), std::begin(entries) + 3,
            [](const ACCEL& a, const ACCEL& b) { return a.cmd < b.cmd; });
  EXPECT_EQ(entries[0].cmd, 1001);
  EXPECT_EQ(entries[0].key, VK_F5);
  EXPECT_EQ(entries[2].key, 'D');
  EXPECT_EQ(entries[2].fVirt, FVIRTKEY | FCONTROL);

  w.actions.ActionHelpContent.setEnabled(false);
  table = w.list.accelerators();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 2) << "a disabled action's key passes";
}

TEST(ActionList, ShortcutKeyRunsActionThroughMessageLoop) {
  ActionWindow w;
  w.actions.ActionRefresh.setShortcut({VK_F5});
  tk::Control edit =
      tk::Control::Create(w.window.hwnd(), "EDIT", 50, "", WS_BORDER, 10, 10, 90, 24);
  w.window.show();

  // F5 pressed in a control of the window.
  PostMessageA(edit.hwnd(), WM_KEYDOWN, VK_F5, 0x003F0001);
  ASSERT_TRUE(PumpMessagesUntil([&] { return w.runsOf(w.actions.ActionRefresh) > 0; }, 30000));
  PumpMessagesFor(50);
  EXPECT_EQ(w.runsOf(w.actions.ActionRefresh), 1);

  // Disabled: the key is not translated and nothing runs.
  w.actions.ActionRefresh.setEnabled(false);
  PostMessageA(edit.hwnd(), WM_KEYDOWN, VK_F5, 0x003F0001);
  PumpMessagesFor(100);
  EXPECT_EQ(w.runsOf(w.actions.ActionRefresh), 1);
  MSG msg{};
  msg.hwnd = edit.hwnd();
  msg.message = WM_KEYDOWN;
  msg.wParam = VK_F5;
  msg.lParam = 0x003F0001;
  EXPECT_FALSE(w.list.translate(w.window.hwnd(), msg));
}

TEST(ActionList, ShortcutWithModifierNeedsTheModifier) {
  ActionWindow w;
  w.actions.ActionDelete.setShortcut({'D', tk::Shortcut::kCtrl});
  w.window.show();

  BYTE keys[256] = {};
  ASSERT_TRUE(GetKeyboardState(keys));
  BYTE saved[256];
  std::memcpy(saved, keys, sizeof keys);

  // Plain D: no command.
  PostMessageA(w.window.hwnd(), WM_KEYDOWN, 'D', 0x00200001);
  PumpMessagesFor(100);
  EXPECT_EQ(w.runsOf(w.actions.ActionDelete), 0);

  // Ctrl held (the thread's key state), then D.
  keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageA(w.window.hwnd(), WM_KEYDOWN, 'D', 0x00200001);
  bool ran = PumpMessagesUntil([&] { return w.runsOf(w.actions.ActionDelete) > 0; }, 30000);
  SetKeyboardState(saved);
  EXPECT_TRUE(ran);
  EXPECT_EQ(w.runsOf(w.actions.ActionDelete), 1);
}

TEST(ActionList, ShortcutsDoNotReachThroughAnotherTopLevelWindow) {
  ActionWindow w;
  w.actions.ActionRefresh.setShortcut({VK_F5});
  w.window.show();
  TestWindow dialog(w.window.hwnd(), "Dialog");
  // F5 pressed in a modal window over the main window belongs to that window.
  dialog.hook = [&](UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_KEYDOWN) dialog.endModal(IDOK);
    return std::nullopt;
  };
  PostMessageA(dialog.hwnd(), WM_KEYDOWN, VK_F5, 0x003F0001);
  EXPECT_EQ(dialog.showModalFor(w.window.hwnd()), IDOK);
  EXPECT_EQ(w.runsOf(w.actions.ActionRefresh), 0);
}

}  // namespace
}  // namespace toolkit_tests
