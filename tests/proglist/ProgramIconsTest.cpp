// The program list's icons come after its rows: a row is shown at once with the
// placeholder icon, and its own icon (read from the file that its DisplayIcon
// names) arrives once the row has been drawn. Over the real component, registry
// and the test screen saver's copies (a red first icon, a blue second one).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "inventory/ProgramRowData.h"
#include "main/frmMain.h"
#include "proglist/ProgramListFixture.h"
#include "support/MessagePump.h"
#include "sys/Files.h"

using namespace proglist_test;

namespace {

bool IsRed(COLORREF c) {
  return c != CLR_INVALID && GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90;
}
bool IsBlue(COLORREF c) {
  return c != CLR_INVALID && GetBValue(c) > 160 && GetRValue(c) < 90 && GetGValue(c) < 90;
}

class ProgramIcons : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    char own[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, own, MAX_PATH);
    std::string folder(own, n);
    folder.resize(folder.find_last_of('\\') + 1);
    app = dir.file("Icon App.exe");
    ASSERT_TRUE(CopyFileA((folder + "RostrelTestSaverA.scr").c_str(), app.c_str(), FALSE));
    programs = StandardPrograms();
    programs[0].displayIcon = "\"" + app + "\",0";
    programs[1].displayIcon = app + ",1";
  }
  tk::ListView& list() { return form.programPage().lsvProgramList; }
  int rowOf(const std::string& caption) {
    for (int i = 0; i < list().count(); ++i)
      if (list().itemText(i, 0) == caption) return i;
    return -1;
  }
  // The colour that the list shows in the middle of the row's icon, painted now.
  COLORREF shownIconColour(int row) {
    RedrawWindow(list().hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT icon = list().itemRect(row, LVIR_ICON);
    HDC dc = GetDC(list().hwnd());
    const COLORREF colour =
        GetPixel(dc, (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
    ReleaseDC(list().hwnd(), dc);
    return colour;
  }
  bool iconsArrived(std::initializer_list<int> rows) {
    return testing_support::PumpMessagesUntil(
        [&] {
          for (int row : rows)
            if (list().imagePending(row)) return false;
          return true;
        },
        20000);
  }

  std::string app;
  std::vector<TestProgram> programs;
};

}  // namespace

TEST_F(ProgramIcons, ARowsOwnIconArrivesAfterTheListIsShown) {
  FillUninstallKeys(programs);
  ASSERT_TRUE(form.Create());
  ASSERT_EQ(list().count(), 120);
  // Filled: every row is there, none has its icon yet.
  for (int row = 0; row < list().count(); ++row) {
    ASSERT_TRUE(list().imagePending(row)) << row;
    ASSERT_EQ(list().itemImage(row), -1) << row;
  }
  const int red = rowOf("Program 000");
  const int blue = rowOf("Program 001");
  ASSERT_GE(red, 0);
  ASSERT_GE(blue, 0);

  form.show(SW_SHOWNOACTIVATE);
  // The first drawing shows the rows with the placeholder; the icons follow.
  const COLORREF first = shownIconColour(red);
  EXPECT_FALSE(IsRed(first)) << std::hex << first;
  EXPECT_TRUE(list().imagePending(red));
  ASSERT_TRUE(iconsArrived({red, blue}));
  EXPECT_GE(list().itemImage(red), 0);
  EXPECT_NE(list().itemImage(red), list().itemImage(blue));
  const COLORREF redShown = shownIconColour(red);
  EXPECT_TRUE(IsRed(redShown)) << std::hex << redShown;
  const COLORREF blueShown = shownIconColour(blue);
  EXPECT_TRUE(IsBlue(blueShown)) << std::hex << blueShown;

  // Only the rows in view paid: the last row waits until it is scrolled to.
  const int last = list().count() - 1;
  EXPECT_TRUE(list().imagePending(last));
  ASSERT_TRUE(list().ensureVisible(last));
  ASSERT_TRUE(iconsArrived({last}));
  EXPECT_GE(list().itemImage(last), 0);

  // The details window's program box gets its icons when it draws them, the same
  // as the list's.
  forms::TDetailsForm& details = form.DetailsForm;
  details.ShowProgramDetails(inventory::RowIndex(list().itemData(red)));
  const int entry = details.selectedProgram();
  ASSERT_GE(entry, 0);
  EXPECT_EQ(details.programText(entry), "Program 000");
  // The closed box draws its selected entry, with the entry's selected image.
  auto selectedImage = [&] {
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_SELECTEDIMAGE;
    item.iItem = entry;
    SendMessageW(details.cmbPrograms.hwnd(), CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iSelectedImage;
  };
  EXPECT_EQ(selectedImage(), I_IMAGECALLBACK) << "asked for when drawn";
  details.show(SW_SHOWNOACTIVATE);
  RedrawWindow(details.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_EQ(selectedImage(), list().itemImage(red));
  details.show(SW_HIDE);
}

TEST_F(ProgramIcons, ARefreshShowsTheNewIconOfAChangedEntryAndKeepsTheOthers) {
  FillUninstallKeys(programs);
  ASSERT_TRUE(form.Create());
  form.show(SW_SHOWNOACTIVATE);
  const int first = rowOf("Program 000");
  ASSERT_TRUE(iconsArrived({first, rowOf("Program 001")}));
  EXPECT_TRUE(IsRed(shownIconColour(first)));

  // Program 000 now names the blue icon; Program 001 stays as it was.
  HKEY raw = nullptr;
  const std::string key =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + programs[0].keyName;
  ASSERT_EQ(
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &raw),
      ERROR_SUCCESS);
  const std::string blue = app + ",1";
  RegSetValueExA(raw, "DisplayIcon", 0, REG_SZ, reinterpret_cast<const BYTE*>(blue.c_str()),
                 static_cast<DWORD>(blue.size() + 1));
  RegCloseKey(raw);

  form.actions().ActionRefresh.execute();
  ASSERT_EQ(list().count(), 120);
  const int changed = rowOf("Program 000");
  const int kept = rowOf("Program 001");
  ASSERT_TRUE(iconsArrived({changed, kept}));
  const COLORREF changedShown = shownIconColour(changed);
  EXPECT_TRUE(IsBlue(changedShown)) << std::hex << changedShown;
  const COLORREF keptShown = shownIconColour(kept);
  EXPECT_TRUE(IsBlue(keptShown)) << std::hex << keptShown;
  EXPECT_EQ(list().itemImage(changed), list().itemImage(kept));
}
