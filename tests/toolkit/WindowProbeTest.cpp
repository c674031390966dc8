// End-to-end: a helper program shows real message boxes; the probe finds them in
// the other process, reads them and presses their buttons.
#include <gtest/gtest.h>

#include "support/WindowProbe.h"

namespace toolkit_tests {
namespace {

using namespace testing_support;

std::string HelperExe() {
  return TestProgramDir() + "toolkit_msgbox_helper.exe";
}

std::string Quoted(const std::string& s) {
  return "\"" + s + "\"";
}

std::string BoxArgs(UINT flags, const std::string& caption, const std::string& text) {
  return std::to_string(flags) + " " + Quoted(caption) + " " + Quoted(text);
}

bool ProcessEnded(DWORD id) {
  sys::UniqueHandle h(OpenProcess(SYNCHRONIZE, FALSE, id));
  return !h || WaitForSingleObject(h.get(), 30000) == WAIT_OBJECT_0;
}

TEST(WindowProbe, ReadsMessageBoxAndPressesItsButton) {
  ChildProcess app = ChildProcess::Start(
      HelperExe(), BoxArgs(MB_YESNO | MB_ICONWARNING, "Helper Caption", "Remove the leftovers?"));
  ASSERT_TRUE(app) << app.error();
  WindowProbe probe(app.id());
  HWND box = probe.waitForWindow(kDialogClass, 15000);
  ASSERT_NE(box, nullptr) << probe.describeSeen();

  DialogTexts texts = ReadDialog(box);
  EXPECT_EQ(texts.caption, "Helper Caption");
  EXPECT_EQ(texts.text, "Remove the leftovers?");
  EXPECT_TRUE(texts.hasIcon);
  std::vector<int> ids;
  for (const DialogButton& b : texts.buttons) ids.push_back(b.id);
  EXPECT_NE(std::find(ids.begin(), ids.end(), IDYES), ids.end());
  EXPECT_NE(std::find(ids.begin(), ids.end(), IDNO), ids.end());
  EXPECT_EQ(std::find(ids.begin(), ids.end(), IDOK), ids.end());

  EXPECT_FALSE(PressButton(box, IDOK)) << "a Yes/No box has no OK button";
  ASSERT_TRUE(PressButton(box, IDYES));
  ASSERT_TRUE(app.waitOrKill(10000));
  EXPECT_EQ(app.exitCode(), static_cast<DWORD>(IDYES));
}

TEST(WindowProbe, NoticeWithoutIconAndEveryWindowSeen) {
  ChildProcess app = ChildProcess::Start(
      HelperExe(), BoxArgs(MB_OK, "First Box", "Plain notice") + " " +
                       BoxArgs(MB_YESNO | MB_ICONINFORMATION, "Second Box", "Question"));
  ASSERT_TRUE(app) << app.error();
  WindowProbe probe(app.id());
  HWND first = probe.waitForWindow(kDialogClass, 15000, "First Box");
  ASSERT_NE(first, nullptr) << probe.describeSeen();
  DialogTexts texts = ReadDialog(first);
  EXPECT_EQ(texts.text, "Plain notice");
  EXPECT_FALSE(texts.hasIcon);
  ASSERT_TRUE(PressButton(first, IDOK));

  HWND second = probe.waitForWindow(kDialogClass, 15000, "Second Box");
  ASSERT_NE(second, nullptr) << probe.describeSeen();
  EXPECT_TRUE(ReadDialog(second).hasIcon);
  ASSERT_TRUE(PressButton(second, IDNO));
  ASSERT_TRUE(app.waitOrKill(10000));
  EXPECT_EQ(app.exitCode(), static_cast<DWORD>(IDOK | (IDNO << 4)));

  std::vector<std::string> captions;
  for (const SeenWindow& w : probe.seen()) {
    EXPECT_EQ(w.className, kDialogClass);
    captions.push_back(w.caption);
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"First Box", "Second Box"}))
      << probe.describeSeen();
  EXPECT_TRUE(probe.waitForWindowGone(kDialogClass, 30000));
}

TEST(WindowProbe, WaitEndsAtTimeoutAndHungProcessIsKilled) {
  ChildProcess app = ChildProcess::Start(HelperExe(), BoxArgs(MB_OK, "Nobody Answers", "..."));
  ASSERT_TRUE(app) << app.error();
  WindowProbe probe(app.id());
  ASSERT_NE(probe.waitForWindow(kDialogClass, 15000), nullptr) << probe.describeSeen();

  const DWORD start = GetTickCount();
  EXPECT_EQ(probe.waitForWindow("NoSuchWindowClass", 300), nullptr);
  const DWORD waited = GetTickCount() - start;
  EXPECT_GE(waited, 300u);
  EXPECT_LT(waited, 5000u);

  EXPECT_FALSE(app.waitOrKill(200)) << "the box is still up, so the helper cannot have ended";
  EXPECT_FALSE(app.running());
  EXPECT_EQ(app.exitCode(), 1u);
}

TEST(WindowProbe, KillTreeEndsDescendantsToo) {
  ChildProcess app =
      ChildProcess::Start(HelperExe(), "spawn " + BoxArgs(MB_OK, "Grandchild Box", "..."));
  ASSERT_TRUE(app) << app.error();

  // The spawned copy shows the box; find it among the descendants.
  DWORD child = 0;
  HWND box = nullptr;
  const DWORD start = GetTickCount();
  while (!box && GetTickCount() - start < 15000) {
    for (DWORD id : DescendantProcesses(app.id())) {
      if (HWND found = WindowProbe(id).waitForWindow(kDialogClass, 0)) {
        child = id;
        box = found;
      }
    }
    if (!box) Sleep(20);
  }
  ASSERT_NE(box, nullptr) << "the spawned helper showed no box";
  sys::UniqueHandle childHandle(OpenProcess(SYNCHRONIZE, FALSE, child));
  ASSERT_TRUE(childHandle);

  app.killTree();
  EXPECT_FALSE(app.running());
  EXPECT_EQ(WaitForSingleObject(childHandle.get(), 30000), WAIT_OBJECT_0)
      << "the descendant outlived killTree";
  EXPECT_TRUE(ProcessEnded(child));
}

TEST(WindowProbe, StartFailureIsReported) {
  ChildProcess app = ChildProcess::Start(TestProgramDir() + "no_such_program.exe");
  EXPECT_FALSE(app);
  EXPECT_NE(app.error().find("no_such_program.exe"), std::string::npos) << app.error();
  EXPECT_FALSE(app.running());
  EXPECT_FALSE(app.exitCode().has_value());
}

}  // namespace
}  // namespace toolkit_tests
