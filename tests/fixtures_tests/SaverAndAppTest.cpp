// SampleSaver.scr and SampleApp.exe: real programs with version resources that the
// screen-saver list and the startup page read, answering the arguments Windows passes.
#include <gtest/gtest.h>

#include <vector>

#include "FixtureTestUtil.h"
#include "fixtures/SampleLayout.h"
#include "support/Samples.h"
#include "support/Sandbox.h"

using namespace fixture_tests;

namespace {

constexpr DWORD kGenerous = 30000;

std::string Fixture(const char* file) {
  return testing_support::FixturesDir() + file;
}

std::string VersionString(const std::string& file, const char* name) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  if (size == 0) return "<no version resource>";
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(file.c_str(), 0, size, data.data())) return "<unreadable>";
  char* value = nullptr;
  UINT len = 0;
  std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &len))
    return "<missing " + std::string(name) + ">";
  return std::string(value);
}

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A top-level window of this test that plays the display control panel's preview box.
HWND CreatePreviewHost() {
  static ATOM atom = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SaverPreviewHost";
    return RegisterClassA(&wc);
  }();
  if (!atom) return nullptr;
  return CreateWindowA("SaverPreviewHost", "preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                       240, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(SampleSaver, CarriesAVersionResourceAndItsTitleAsStringOne) {
  const std::string saver = Fixture(sample::kSaverFile);
  EXPECT_EQ(VersionString(saver, "CompanyName"), "Prunaxis Samples");
  EXPECT_EQ(VersionString(saver, "FileDescription"), "Sample Saver screen saver");
  EXPECT_EQ(VersionString(saver, "FileVersion"), "1.2.0.0");

  HMODULE module = LoadLibraryExA(saver.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  char title[128] = {};
  EXPECT_GT(LoadStringA(module, 1, title, sizeof title), 0);
  EXPECT_STREQ(title, sample::kSaverTitle);
  FreeLibrary(module);

  const std::string app = Fixture(sample::kAppExe);
  EXPECT_EQ(VersionString(app, "CompanyName"), "Prunaxis Samples");
  EXPECT_EQ(VersionString(app, "FileDescription"), "Sample application");
}

TEST(SampleSaver, PreviewDrawsInsideTheGivenWindowUntilItGoes) {
  HWND host = CreatePreviewHost();
  ASSERT_NE(host, nullptr);
  const std::string command = "\"" + Fixture(sample::kSaverFile) + "\" /p " +
                              std::to_string(reinterpret_cast<UINT_PTR>(host));
  Started saver = Start(command);
  ASSERT_TRUE(saver);

  HWND child = nullptr;
  for (DWORD start = GetTickCount(); !child && GetTickCount() - start < kGenerous;) {
    WaitPumping(saver.process.get(), 20);
    child = FindWindowExA(host, nullptr, "PrunaxisSampleSaver", nullptr);
  }
  ASSERT_NE(child, nullptr);
  RECT hostRect, childRect;
  GetClientRect(host, &hostRect);
  GetClientRect(child, &childRect);
  EXPECT_EQ(childRect.right, hostRect.right);
  EXPECT_EQ(childRect.bottom, hostRect.bottom);
  EXPECT_EQ(WaitForSingleObject(saver.process.get(), 200), static_cast<DWORD>(WAIT_TIMEOUT));

  DestroyWindow(host);
  ASSERT_TRUE(WaitPumping(saver.process.get(), kGenerous));
  EXPECT_EQ(ExitCodeOf(saver.process.get()), 0u);
}

TEST(SampleSaver, FullScreenRunEndsAtAKeyPress) {
  Started saver = Start("\"" + Fixture(sample::kSaverFile) + "\" /s");
  ASSERT_TRUE(saver);
  HWND window = WaitForWindowOf(saver.id, "PrunaxisSampleSaver", kGenerous);
  ASSERT_NE(window, nullptr);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));

  PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  ASSERT_EQ(WaitForSingleObject(saver.process.get(), kGenerous), WAIT_OBJECT_0);
  EXPECT_EQ(ExitCodeOf(saver.process.get()), 0u);
}

TEST(SampleSaver, SettingsShowTheTitledNoticeAndBadArgumentsAreRefused) {
  Started settings = Start("\"" + Fixture(sample::kSaverFile) + "\" /c");
  ASSERT_TRUE(settings);
  HWND box = WaitForWindowOf(settings.id, "#32770", kGenerous);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), sample::kSaverTitle);
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_EQ(WaitForSingleObject(settings.process.get(), kGenerous), WAIT_OBJECT_0);
  EXPECT_EQ(ExitCodeOf(settings.process.get()), 0u);

  const std::string saver = "\"" + Fixture(sample::kSaverFile) + "\"";
  for (const char* args : {" /x", " /p", " /p 0", " /p 7654321", " /p:12ab"}) {
    auto run = testing_support::RunProcess(saver + args, kGenerous);
    ASSERT_TRUE(run.finished) << args;
    EXPECT_EQ(run.exitCode, 2u) << args;
  }
}

TEST(SampleApp, ExitsAtOnceWhenStartedAtLogOn) {
  auto run = testing_support::RunProcess(
      "\"" + Fixture(sample::kAppExe) + "\" " + sample::kAppBackgroundArg, kGenerous);
  EXPECT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0u);
}
