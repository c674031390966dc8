// The real open and save dialogs behind tk::ShowFileDialog, driven as a user
// would: a name typed and OK pressed, or Cancel.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include "details/DetailsFixture.h"
#include "support/Sandbox.h"
#include "support/WindowProbe.h"
#include "sys/Files.h"
#include "sys/Text.h"
#include "toolkit/FileDialog.h"

using namespace details_test;

namespace {

tk::FileDialogRequest SaveRequest(const std::string& folder) {
  tk::FileDialogRequest request;
  request.save = true;
  request.filter = "Registration Files(*.reg)|*.reg";
  request.initialDir = folder;
  request.fileName = "Proposed.reg";
  request.defaultExt = "reg";
  request.flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
  return request;
}

// The long, upper-cased spelling of a folder, to compare two spellings of one.
std::string LongPath(const std::string& path) {
  char buffer[MAX_PATH] = {};
  DWORD n = GetLongPathNameA(path.c_str(), buffer, MAX_PATH);
  std::string result = n > 0 && n < MAX_PATH ? std::string(buffer, n) : path;
  CharUpperBuffA(result.data(), static_cast<DWORD>(result.size()));
  return result;
}

}  // namespace

TEST(FileDialog, SaveDialogReturnsTheNameTypedInTheInitialFolder) {
  testing_support::TempDir dir;
  std::string proposed;
  std::optional<std::string> chosen;
  {
    WindowScript script(testing_support::kDialogClass, [&](HWND dialog) {
      // The dialog is a wide one: its answers come in UTF-16.
      wchar_t text[MAX_PATH] = {};
      SendMessageW(dialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(text));
      proposed = sys::Narrow(text);
      // The name field is an edit or a combo box, depending on the system.
      for (int field : {edt1, cmb13}) {
        if (HWND control = GetDlgItem(dialog, field)) SetWindowTextA(control, "Typed");
      }
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    chosen = tk::ShowFileDialog(SaveRequest(dir.path()));
    EXPECT_TRUE(script.ran());
  }
  EXPECT_EQ(proposed, "Proposed.reg");
  ASSERT_TRUE(chosen.has_value());
  // The default extension is added to a name typed without one.
  EXPECT_EQ(sys::ExtractFileName(*chosen), "Typed.reg");
  EXPECT_EQ(LongPath(sys::ExtractFilePath(*chosen)), LongPath(dir.path()));
}

TEST(FileDialog, CancelReturnsNothing) {
  testing_support::TempDir dir;
  std::optional<std::string> chosen = std::string("unset");
  {
    WindowScript script(testing_support::kDialogClass, [](HWND dialog) {
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    tk::FileDialogRequest request = SaveRequest(dir.path());
    request.save = false;
    chosen = tk::ShowFileDialog(request);
    EXPECT_TRUE(script.ran());
  }
  EXPECT_FALSE(chosen.has_value());
}
