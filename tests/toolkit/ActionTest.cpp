#include <gtest/gtest.h>

#include "TestWindow.h"
#include "sys/Handles.h"
#include "toolkit/Action.h"
#include "toolkit/ActionList.h"
#include "toolkit/Control.h"

namespace toolkit_tests {
namespace {

UINT MenuState(HMENU menu, UINT id) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  EXPECT_TRUE(GetMenuItemInfoA(menu, id, FALSE, &info)) << "menu item " << id;
  return info.fState;
}

TEST(Action, PropagatesStateToBoundButton) {
  TestWindow window;
  tk::Control button =
      tk::Control::Create(window.hwnd(), "BUTTON", 300, "design", BS_PUSHBUTTON, 0, 0, 80, 24);
  tk::Action action(1001, "ActionRefresh");
  action.setCaption("Refresh");
  action.setEnabled(false);
  action.bindControl(button.hwnd());

  EXPECT_EQ(button.text(), "Refresh") << "binding applies the state at once";
  EXPECT_FALSE(IsWindowEnabled(button.hwnd()));

  action.setEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(button.hwnd()));
  action.setCaption("Reload");
  EXPECT_EQ(tk::WindowText(button.hwnd()), "Reload");
  action.setVisible(false);
  EXPECT_FALSE(button.visible());
  action.setVisible(true);
  EXPECT_TRUE(button.visible());

  // Unbound, the button no longer follows.
  action.unbindControl(button.hwnd());
  action.setEnabled(false);
  EXPECT_TRUE(IsWindowEnabled(button.hwnd()));
}

TEST(Action, PropagatesCheckStateToCheckBox) {
  TestWindow window;
  tk::Control box = tk::Control::Create(window.hwnd(), "BUTTON", 301, "Hide Screen Saver",
                                        BS_AUTOCHECKBOX, 0, 0, 150, 24);
  tk::Action action(1002, "ActionHideScr");
  action.bindControl(box.hwnd());
  EXPECT_EQ(SendMessageA(box.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  action.setChecked(true);
  EXPECT_EQ(SendMessageA(box.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(box.text(), "Hide Screen Saver") << "an empty caption leaves the control's text";
  action.setChecked(false);
  EXPECT_EQ(SendMessageA(box.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST(Action, PropagatesStateToBoundMenuItemsInSeveralMenus) {
  sys::UniqueMenu view(CreatePopupMenu());
  sys::UniqueMenu context(CreatePopupMenu());
  AppendMenuA(view.get(), MF_STRING, 1010, "design");
  AppendMenuA(context.get(), MF_STRING, 2010, "design");
  AppendMenuA(context.get(), MF_STRING, 2011, "Other");

  tk::Action action(1010, "ActionViewReport");
  action.setCaption("Report");
  action.setChecked(true);
  action.bindMenuItem(view.get());  // by the action's own id
  action.bindMenuItem(context.get(), 2010);

  for (auto [menu, id] : {std::pair{view.get(), 1010u}, std::pair{context.get(), 2010u}}) {
    EXPECT_EQ(tk::MenuItemText(menu, id), "Report");
    EXPECT_TRUE(MenuState(menu, id) & MFS_CHECKED);
    EXPECT_FALSE(MenuState(menu, id) & MFS_GRAYED);
  }
  action.setChecked(false);
  action.setEnabled(false);
  for (auto [menu, id] : {std::pair{view.get(), 1010u}, std::pair{context.get(), 2010u}}) {
    EXPECT_FALSE(MenuState(menu, id) & MFS_CHECKED);
    EXPECT_TRUE(MenuState(menu, id) & MFS_GRAYED);
  }
  EXPECT_EQ(tk::MenuItemText(context.get(), 2011), "Other") << "other items are left alone";
  EXPECT_FALSE(MenuState(context.get(), 2011) & MFS_GRAYED);

  action.setShortcut({VK_F5});
  EXPECT_EQ(tk::MenuItemText(view.get(), 1010), "Report\tF5");
  EXPECT_EQ(action.menuCaption(), "Report\tF5");
}

TEST(Action, WithoutCaptionKeepsMenuTextAndShowsShortcut) {
  sys::UniqueMenu help(CreatePopupMenu());
  AppendMenuA(help.get(), MF_STRING, 1020, "Help Contents");
  AppendMenuA(help.get(), MF_SEPARATOR, 0, nullptr);
  tk::Action action(1020, "ActionHelpContent");
  action.setShortcut({VK_F1});
  action.bindMenuItem(help.get());
  EXPECT_EQ(tk::MenuItemText(help.get(), 1020), "Help Contents\tF1");
  action.setShortcut({'H', tk::Shortcut::kCtrl});
  EXPECT_EQ(tk::MenuItemText(help.get(), 1020), "Help Contents\tCtrl+H");
  action.setShortcut({});
  EXPECT_EQ(tk::MenuItemText(help.get(), 1020), "Help Contents");
}

TEST(Action, DestroyedBindingsAreDropped) {
  tk::Action action(1030, "ActionDelete");
  HWND hwnd;
  {
    TestWindow window;
    hwnd = tk::Control::Create(window.hwnd(), "BUTTON", 1, "x", BS_PUSHBUTTON, 0, 0, 9, 9).hwnd();
    action.bindControl(hwnd);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1030, "Delete");
    action.bindMenuItem(menu);
    DestroyMenu(menu);
  }
  action.setEnabled(false);  // must not touch what is gone
  EXPECT_FALSE(action.isBoundTo(hwnd));
  EXPECT_FALSE(action.isBoundToMenuItem(1030));
}

TEST(Action, ExecuteRunsTheOneHandlerOnlyWhenEnabled) {
  tk::Action action(1040, "ActionApply");
  EXPECT_FALSE(action.execute()) << "no handler yet";
  int first = 0, second = 0;
  action.setOnExecute([&] { ++first; });
  EXPECT_TRUE(action.execute());
  EXPECT_EQ(first, 1);

  action.setOnExecute([&] { ++second; });  // replaces, never adds
  EXPECT_TRUE(action.execute());
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 1);

  action.setEnabled(false);
  EXPECT_FALSE(action.execute());
  EXPECT_EQ(second, 1);
}

TEST(Action, HandlerMayReplaceItselfWhileRunning) {
  tk::Action action(1050, "ActionTabStartupItems");
  std::string log;
  std::string captured = "captured state";
  action.setOnExecute([&action, &log, captured] {
    action.setOnExecute([&log] { log += "[second]"; });
    log += captured;  // still valid: the running handler was kept alive
  });
  action.execute();
  action.execute();
  EXPECT_EQ(log, "captured state[second]");
}

TEST(Action, ControlIsBoundToOneActionOfAListAtATime) {
  TestWindow window;
  tk::Control button =
      tk::Control::Create(window.hwnd(), "BUTTON", 310, "Uninstall", BS_PUSHBUTTON, 0, 0, 80, 24);
  tk::ActionList list;
  tk::Action& uninstall = list.add(1060, "ActionUninstall");
  tk::Action& deleteScr = list.add(1061, "ActionDeleteScr");
  uninstall.bindControl(button.hwnd());
  deleteScr.bindControl(button.hwnd());
  EXPECT_FALSE(uninstall.isBoundTo(button.hwnd()));
  EXPECT_TRUE(deleteScr.isBoundTo(button.hwnd()));
  uninstall.setEnabled(false);
  EXPECT_TRUE(IsWindowEnabled(button.hwnd())) << "the old action no longer drives the button";
  deleteScr.setEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(button.hwnd()));
}

}  // namespace
}  // namespace toolkit_tests
