// Program names, publishers and folders in any script on the program page: what the
// list view control itself shows, the status line, the search, the folder that the
// Directory link opens and the saved report, against real uninstall entries.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "main/frmMain.h"
#include "proglist/ProgramListFixture.h"
#include "reports/ProgramReport.h"
#include "reports/frmPrintPage.h"
#include "support/ScriptedMessageBoxes.h"
#include "sys/Files.h"
#include "sys/Text.h"
#include "toolkit/FileDialog.h"

using namespace proglist_test;

namespace {

// The list view control's own text of a cell, read with the wide message.
std::wstring CellText(HWND list, int item, int column) {
  wchar_t buffer[1024] = {};
  LVITEMW lv{};
  lv.iSubItem = column;
  lv.pszText = buffer;
  lv.cchTextMax = 1024;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  return buffer;
}

std::wstring WindowTextW(HWND window) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(window, buffer, 1024);
  return buffer;
}

struct WideProgram {
  std::wstring key, name, publisher, folder;
};

// Three scripts and a character outside the Basic Multilingual Plane in every field.
const WideProgram kWide[] = {
    {L"WideProglist 日本語", L"日本語ワープロ", L"株式会社テスト", L"C:\\プログラム\\日本語\\"},
    {L"WideProglist Ελληνικά", L"Ελληνικός Επεξεργαστής", L"Εκδότης ΑΕ", L"C:\\Εφαρμογές\\Ελλ\\"},
    {L"WideProglist Русский \U0001F600", L"Русский редактор \U0001F600", L"Издатель \U0001F600",
     L"C:\\Программы\\Смайл \U0001F600\\"},
};

std::vector<TestProgram> WidePrograms() {
  std::vector<TestProgram> programs;
  for (const WideProgram& w : kWide) {
    TestProgram p;
    p.keyName = sys::Narrow(w.key);
    p.displayName = sys::Narrow(w.name);
    p.publisher = sys::Narrow(w.publisher);
    p.location = sys::Narrow(w.folder);
    programs.push_back(p);
  }
  TestProgram plain;
  plain.keyName = "WideProglistPlain";
  plain.displayName = "Plain Program";
  plain.publisher = "Plain";
  plain.location = "C:\\Plain\\";
  programs.push_back(plain);
  return programs;
}

class WideProgramPage : public MainWindowTest {
 protected:
  void open() {
    ASSERT_TRUE(form.Create());
    form.show(SW_SHOWNOACTIVATE);
  }
  forms::ProgramListPage& page() { return form.programPage(); }
  HWND list() { return form.programPage().lsvProgramList.hwnd(); }
  int rowOf(const std::wstring& caption) {
    for (int i = 0, n = page().lsvProgramList.count(); i < n; ++i)
      if (CellText(list(), i, 0) == caption) return i;
    return -1;
  }
};

}  // namespace

TEST_F(WideProgramPage, TheListShowsEveryNamePublisherAndFolderExactly) {
  FilledUninstallKeys keys(WidePrograms());
  open();
  ASSERT_EQ(page().lsvProgramList.count(), 4);
  for (const WideProgram& w : kWide) {
    const int row = rowOf(w.name);
    ASSERT_GE(row, 0) << sys::Narrow(w.name);
    EXPECT_EQ(CellText(list(), row, 1), w.publisher);
    EXPECT_EQ(CellText(list(), row, 2), w.folder);
  }
  EXPECT_GE(rowOf(L"Plain Program"), 0);

  // Selecting a row shows its registry key name in the status line, exactly.
  const int row = rowOf(kWide[2].name);
  ASSERT_GE(row, 0);
  page().lsvProgramList.selectOnly(row);
  EXPECT_EQ(WindowTextW(page().lblRegistryName.hwnd()), kWide[2].key);

  // The Directory link opens the folder as it is named.
  std::vector<std::string> opened;
  page().openFolder = [&opened](const std::string& folder) { opened.push_back(folder); };
  page().lsvProgramList.onLinkClick(row);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], sys::Narrow(kWide[2].folder));

  // The details window's program box holds the same names.
  bool boxed = false;
  for (int i = 0; i < form.DetailsForm.programCount(); ++i)
    boxed = boxed || form.DetailsForm.programText(i) == sys::Narrow(kWide[0].name);
  EXPECT_TRUE(boxed);
}

TEST_F(WideProgramPage, SearchFindsANameInAnotherScript) {
  FilledUninstallKeys keys(WidePrograms());
  open();
  SetWindowTextW(page().txtSearchInfo.hwnd(), L"Επεξεργαστής");
  const int hit = page().Search();
  ASSERT_GE(hit, 0);
  EXPECT_EQ(CellText(list(), hit, 0), kWide[1].name);
  EXPECT_EQ(page().lsvProgramList.selectedIndex(), hit);
  page().SearchStart = 0;
  SetWindowTextW(page().txtSearchInfo.hwnd(), L"\U0001F600");
  const int emoji = page().Search();
  ASSERT_GE(emoji, 0);
  EXPECT_EQ(CellText(list(), emoji, 0), kWide[2].name);
}

TEST_F(WideProgramPage, TheSavedReportHoldsTheListedNamesInUtf8) {
  FilledUninstallKeys keys(WidePrograms());
  open();
  const std::vector<std::string> captions = reports::ShownCaptions(page().lsvProgramList);
  ASSERT_EQ(captions.size(), 4u);
  reports::TPrintListForm report;
  ASSERT_TRUE(report.Create(nullptr));
  report.SetReportLines(reports::ProgramReportLines(
      reports::CurrentReportHeader(page().lblProgramCounts.text()), captions));

  const std::string path = dir.file("programs.txt");
  tk::FileDialogAnswerer previous = tk::SetFileDialogAnswerer(
      [&path](const tk::FileDialogRequest&) { return std::optional<std::string>(path); });
  testing_support::ScriptedMessageBoxes boxes;
  report.btnSaveClick();
  tk::SetFileDialogAnswerer(previous);
  EXPECT_EQ(boxes.count(), 0u);

  std::string bytes;
  ASSERT_TRUE(sys::ReadFileBytes(path, bytes));
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  const std::string body = bytes.substr(3);
  for (size_t i = 0; i < captions.size(); ++i) {
    const std::string line = std::to_string(i + 1) + " - " + captions[i] + "\r\n";
    EXPECT_NE(body.find(line), std::string::npos) << line;
  }
  for (const WideProgram& w : kWide)
    EXPECT_NE(body.find(" - " + sys::Narrow(w.name) + "\r\n"), std::string::npos);
}
