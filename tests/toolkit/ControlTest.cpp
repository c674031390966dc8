#include <gtest/gtest.h>

#include "TestWindow.h"
#include "toolkit/Control.h"

namespace toolkit_tests {
namespace {

TEST(Control, CreatesStandardControlsAndReadsThemBack) {
  TestWindow window;
  tk::Control box = tk::Control::Create(window.hwnd(), "BUTTON", 1201, "Hide Screen Saver",
                                        BS_AUTOCHECKBOX, 10, 20, 150, 22);
  ASSERT_TRUE(box);
  EXPECT_EQ(box.id(), 1201);
  EXPECT_EQ(tk::Control::FromId(window.hwnd(), 1201).hwnd(), box.hwnd());
  EXPECT_FALSE(tk::Control::FromId(window.hwnd(), 1202));
  EXPECT_EQ(GetParent(box.hwnd()), window.hwnd());
  EXPECT_TRUE(box.visible());
  EXPECT_NE(box.send(WM_GETFONT), 0) << "controls get a font";

  RECT r = box.bounds();
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(r.bottom - r.top, 22);
  box.setBounds(5, 6, 70, 30);
  r = box.bounds();
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.bottom, 36);

  EXPECT_EQ(box.text(), "Hide Screen Saver");
  box.setText("Hide System Patch");
  EXPECT_EQ(box.text(), "Hide System Patch");

  EXPECT_FALSE(box.checked());
  box.setChecked(true);
  EXPECT_EQ(SendMessageA(box.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  box.send(BM_CLICK);  // a user's click toggles an auto check box
  EXPECT_FALSE(box.checked());
  EXPECT_EQ(box.checkState(), BST_UNCHECKED);

  box.setEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(box.hwnd()));
  box.setEnabled(true);
  EXPECT_TRUE(box.enabled());
  box.setVisible(false);
  EXPECT_FALSE(box.visible());
}

TEST(Control, EmptyViewAndFailedCreation) {
  TestWindow window;
  tk::Control none = tk::Control::Create(window.hwnd(), "NoSuchControlClass", 5, "", 0, 0, 0, 1, 1);
  EXPECT_FALSE(none);
  EXPECT_EQ(none.text(), "");
  EXPECT_EQ(tk::WindowText(nullptr), "");
}

}  // namespace
}  // namespace toolkit_tests
