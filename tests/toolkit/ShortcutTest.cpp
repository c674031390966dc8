#include <gtest/gtest.h>

#include "toolkit/Shortcut.h"

namespace toolkit_tests {
namespace {

using tk::Shortcut;
using tk::ShortcutText;

TEST(Shortcut, TextAsMenusShowIt) {
  EXPECT_EQ(ShortcutText({}), "");
  EXPECT_EQ(ShortcutText({VK_F5}), "F5");
  EXPECT_EQ(ShortcutText({VK_F1}), "F1");
  EXPECT_EQ(ShortcutText({VK_F12}), "F12");
  EXPECT_EQ(ShortcutText({'X', Shortcut::kCtrl}), "Ctrl+X");
  EXPECT_EQ(ShortcutText({VK_DELETE, Shortcut::kShift}), "Shift+Del");
  EXPECT_EQ(ShortcutText({VK_F4, Shortcut::kAlt}), "Alt+F4");
  EXPECT_EQ(ShortcutText({'7', Shortcut::kCtrl | Shortcut::kShift | Shortcut::kAlt}),
            "Ctrl+Shift+Alt+7");
  EXPECT_EQ(ShortcutText({VK_RETURN}), "Enter");
  EXPECT_EQ(ShortcutText({VK_NEXT, Shortcut::kCtrl}), "Ctrl+PgDn");
  EXPECT_EQ(ShortcutText({VK_NUMPAD3}), "Num 3");
  // Keys without a name of ours still get a non-empty text.
  EXPECT_FALSE(ShortcutText({VK_OEM_PLUS}).empty());
}

TEST(Shortcut, AcceleratorEntry) {
  ACCEL a = tk::ShortcutAccel({'X', Shortcut::kCtrl | Shortcut::kShift}, 1234);
  EXPECT_EQ(a.key, 'X');
  EXPECT_EQ(a.cmd, 1234);
  EXPECT_EQ(a.fVirt, FVIRTKEY | FCONTROL | FSHIFT);
  EXPECT_EQ(tk::ShortcutAccel({VK_F5}, 1).fVirt, FVIRTKEY);
}

}  // namespace
}  // namespace toolkit_tests
