// The real Prunaxis.exe started in a folder of its own, as a user would start it.
#include <gtest/gtest.h>

#include "main/frmMain.h"
#include "support/Sandbox.h"
#include "support/WindowProbe.h"
#include "sys/Files.h"
#include "sys/IniFile.h"
#include "sys/SysError.h"

using namespace testing_support;

namespace {

constexpr DWORD kStartTimeoutMs = 20000;
constexpr char kMainClass[] = "TMainForm";

class ProgramFolder : public ::testing::Test {
 protected:
  void copyProgram(bool withComponent = true) {
    ASSERT_TRUE(CopyFileA((ProgramBinDir() + "Prunaxis.exe").c_str(), exe().c_str(), FALSE));
    if (!withComponent) return;
    ASSERT_TRUE(CopyFileA((ProgramBinDir() + "Rostrel.dll").c_str(),
                          dir.file("Rostrel.dll").c_str(), FALSE));
  }
  std::string exe() const { return dir.file("Prunaxis.exe"); }
  std::string config() const {
    std::string text;
    sys::ReadFileBytes(dir.file("Config.ini"), text);
    return text;
  }
  bool sawMainWindow(const WindowProbe& probe) const {
    for (const auto& w : probe.seen())
      if (w.className == kMainClass) return true;
    return false;
  }

  // Starts the copy, expects one error box, checks it and presses OK.
  void expectStartFailure(const std::string& expectedText) {
    ChildProcess app = ChildProcess::Start(exe(), {}, dir.path());
    ASSERT_TRUE(app) << app.error();
    WindowProbe probe(app.id());
    HWND box = probe.waitForWindow(kDialogClass, kStartTimeoutMs);
    ASSERT_TRUE(box) << probe.describeSeen();
    DialogTexts texts = ReadDialog(box);
    EXPECT_EQ(texts.caption, "Prunaxis");
    EXPECT_EQ(texts.text, expectedText);
    EXPECT_TRUE(texts.hasIcon);
    ASSERT_EQ(texts.buttons.size(), 1u);
    EXPECT_EQ(texts.buttons[0].id, IDOK);
    ASSERT_TRUE(PressButton(box, IDOK));
    EXPECT_TRUE(app.waitOrKill(10000));
    EXPECT_EQ(app.exitCode().value_or(0), 1u);
    probe.poll();
    EXPECT_FALSE(sawMainWindow(probe)) << probe.describeSeen();
  }

  TempDir dir;
};

TEST_F(ProgramFolder, FirstStartWritesTheDefaultConfigAndShowsTheMainWindow) {
  copyProgram();
  ChildProcess app = ChildProcess::Start(exe(), {}, dir.path());
  ASSERT_TRUE(app) << app.error();
  WindowProbe probe(app.id());
  HWND main = probe.waitForWindow(kMainClass, kStartTimeoutMs);
  ASSERT_TRUE(main) << probe.describeSeen();
  EXPECT_TRUE(IsWindowVisible(main));

  EXPECT_EQ(config(),
            "[config]\r\nSkinFile=Default.ini\r\nLanguageFile=English.ini\r\n"
            "HideScreenSaver=1\r\nHideSysPatch=0\r\n");
  EXPECT_TRUE(sys::DirectoryExists(dir.file("Langs")));
  EXPECT_TRUE(sys::DirectoryExists(dir.file("Skins")));
  EXPECT_FALSE(sys::DirectoryExists(dir.file("Back up")));

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app.waitOrKill(10000));
  EXPECT_EQ(app.exitCode().value_or(1), 0u);
}

TEST_F(ProgramFolder, AConfigThatCannotBeWrittenShowsTheSaveErrorAndNoWindow) {
  copyProgram();
  ASSERT_TRUE(sys::ForceDirectories(dir.file("Config.ini")));  // stands where the file should be
  expectStartFailure("Save file " + dir.file("Config.ini") + " failed!");
}

TEST_F(ProgramFolder, AMissingComponentShowsTheSystemTextAndTheLibraryName) {
  copyProgram(/*withComponent=*/false);
  expectStartFailure(sys::ErrorText(ERROR_MOD_NOT_FOUND) + ": Rostrel.dll");
  // Configuration comes first, so it was written before the component failed.
  EXPECT_TRUE(sys::FileExists(dir.file("Config.ini")));
}

TEST_F(ProgramFolder, ExitWritesBothOptionsWhileClosingOtherwiseWritesNothing) {
  copyProgram();
  const std::string initial = "[config]\r\nSkinFile=Default.ini\r\nLanguageFile=English.ini\r\n";
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("Config.ini"), initial));

  {  // Closed through the window itself: the file stays as it was.
    ChildProcess app = ChildProcess::Start(exe(), {}, dir.path());
    WindowProbe probe(app.id());
    HWND main = probe.waitForWindow(kMainClass, kStartTimeoutMs);
    ASSERT_TRUE(main) << probe.describeSeen();
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.waitOrKill(10000));
    EXPECT_EQ(config(), initial);
  }
  {  // The close button runs Exit, which writes HideSysPatch, then HideScreenSaver.
    ChildProcess app = ChildProcess::Start(exe(), {}, dir.path());
    WindowProbe probe(app.id());
    HWND main = probe.waitForWindow(kMainClass, kStartTimeoutMs);
    ASSERT_TRUE(main) << probe.describeSeen();
    HWND close = GetDlgItem(main, forms::kIdCloseButton);
    ASSERT_TRUE(close);
    PostMessageA(close, BM_CLICK, 0, 0);
    ASSERT_TRUE(app.waitOrKill(10000));
    EXPECT_EQ(config(), initial + "HideSysPatch=0\r\nHideScreenSaver=1\r\n");
  }
}

}  // namespace
