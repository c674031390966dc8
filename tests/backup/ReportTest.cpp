// The program list report: its lines, the text field's conversions and the
// Save/Print window's Save.
#include "reports/ProgramReport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string_view>
#include <thread>

#include "settings/Product.h"
#include "reports/frmPrintPage.h"
#include "support/Sandbox.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/WindowProbe.h"
#include "sys/Files.h"
#include "sys/Text.h"
#include "toolkit/FileDialog.h"

namespace {

using reports::ProgramReportLines;
using reports::ReportHeader;
using testing_support::ScriptedMessageBoxes;

ReportHeader SampleHeader() {
  return {"Prunaxis",
          "HOST",
          "alice",
          "3 (Windows Updates: 0, Screen Saver: 1)",
          "12/8/2026 1:02:03 AM",
          "C:\\P\\Prunaxis.exe"};
}

// UTF-8 text written as a u8 literal.
std::string U8(std::u8string_view text) {
  return std::string(text.begin(), text.end());
}

tk::ListRow Row(const char* caption) {
  tk::ListRow row;
  row.caption = caption;
  return row;
}

// Answers the save dialog with `path` (or a cancel) and keeps the request.
class ScriptedSaveDialog {
 public:
  explicit ScriptedSaveDialog(std::optional<std::string> path)
      : previous_(tk::SetFileDialogAnswerer([this, path](const tk::FileDialogRequest& request) {
          requests.push_back(request);
          return path;
        })) {}
  ~ScriptedSaveDialog() { tk::SetFileDialogAnswerer(previous_); }
  std::vector<tk::FileDialogRequest> requests;

 private:
  tk::FileDialogAnswerer previous_;
};

TEST(ProgramReport, ListsTheShownRowsNumberedFromOneBetweenRules) {
  // A list filtered by a search shows only its matches; those are what is given.
  const auto lines = ProgramReportLines(SampleHeader(), {"Alpha Tool", "Beta", "[Screen Saver] X"});
  const std::vector<std::string> expected = {
      "Prunaxis Application Report",
      "",
      "",
      "=======================",
      "Computer Name : HOST",
      "User Name : alice",
      "Programs : 3 (Windows Updates: 0, Screen Saver: 1)",
      "Created In : 12/8/2026 1:02:03 AM",
      "Created By : C:\\P\\Prunaxis.exe",
      "=======================",
      "",
      "",
      "Programs installed on your computer:",
      "----------------------",
      "1 - Alpha Tool",
      "2 - Beta",
      "3 - [Screen Saver] X",
      "----------------------",
  };
  EXPECT_EQ(lines, expected);
}

TEST(ProgramReport, AnEmptyListEndsWithTheTwoRulesTogether) {
  ReportHeader header = SampleHeader();
  header.computerName.clear();  // a name that could not be read
  const auto lines = ProgramReportLines(header, {});
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[4], "Computer Name : ");
  EXPECT_EQ(lines[13], "----------------------");
  EXPECT_EQ(lines[14], "----------------------");
}

TEST(ProgramReport, HeaderComesFromTheSystem) {
  const ReportHeader header = reports::CurrentReportHeader("7 (x)");
  char computer[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = sizeof computer;
  ASSERT_TRUE(GetComputerNameA(computer, &size));
  EXPECT_EQ(header.computerName, computer);
  EXPECT_FALSE(header.userName.empty());
  EXPECT_EQ(header.appTitle, settings::kAppTitle);
  EXPECT_EQ(header.programsText, "7 (x)");
  EXPECT_EQ(header.createdBy, sys::ModuleFileName());
  SYSTEMTIME time{2026, 12, 2, 8, 13, 4, 5, 0};
  const std::string text = reports::LocalDateTimeText(time);
  EXPECT_NE(text.find("2026"), std::string::npos) << text;
  EXPECT_NE(text.find(":04:05"), std::string::npos) << text;
}

TEST(ProgramReport, TextFieldLinesAndFileBytes) {
  EXPECT_EQ(reports::JoinLines({"a", "", "b"}), "a\r\n\r\nb");
  EXPECT_EQ(reports::SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(reports::SplitLines("a\nb\rc\r\n"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(reports::SplitLines("").empty());
  EXPECT_EQ(reports::ReportFileBytes("a\nb\r\n\r\nc"), "a\r\nb\r\n\r\nc\r\n");
  // Text the ANSI code page holds is saved in it, as it always was.
  EXPECT_EQ(reports::ReportFileBytes(U8(u8"été")), "\xE9t\xE9\r\n");
}

TEST(PrintListForm, SaveWritesTheEditedTextWithCrLf) {
  reports::TPrintListForm form;
  ASSERT_TRUE(form.Create(nullptr));
  form.ApplyTexts();
  EXPECT_EQ(form.text(), "Save/Print");
  EXPECT_EQ(form.btnSave.text(), "Save");
  EXPECT_EQ(form.btnPrint.text(), "Print");
  RECT client;
  GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, reports::TPrintListForm::kClientWidth);
  EXPECT_EQ(client.bottom, reports::TPrintListForm::kClientHeight);

  form.SetReportLines(ProgramReportLines(SampleHeader(), {"One"}));
  EXPECT_EQ(form.MemoLines(), ProgramReportLines(SampleHeader(), {"One"}));
  // The user's edits are what is saved.
  form.MemoList.setText(U8(u8"edited\r\nreport ä\r\n"));

  testing_support::TempDir dir;
  const std::string path = dir.file("report.txt");
  ASSERT_TRUE(sys::WriteFileBytes(path, std::string(500, 'x')));  // replaced, not appended
  ScriptedSaveDialog dialog(path);
  ScriptedMessageBoxes boxes;
  form.btnSaveClick();
  ASSERT_EQ(dialog.requests.size(), 1u);
  EXPECT_TRUE(dialog.requests[0].save);
  EXPECT_EQ(dialog.requests[0].filter, "Text File (*.txt)|*.txt");
  EXPECT_EQ(dialog.requests[0].defaultExt, "txt");
  EXPECT_TRUE(dialog.requests[0].flags & OFN_OVERWRITEPROMPT);
  EXPECT_TRUE(dialog.requests[0].flags & OFN_NOCHANGEDIR);  // the current folder stays put
  EXPECT_EQ(dialog.requests[0].owner, form.hwnd());
  std::string bytes;
  ASSERT_TRUE(sys::ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "edited\r\nreport \xE4\r\n");
  EXPECT_EQ(boxes.count(), 0u);
}

TEST(PrintListForm, CancelledSaveWritesNothingAndAFailedOneSaysSo) {
  reports::TPrintListForm form;
  ASSERT_TRUE(form.Create(nullptr));
  form.SetReportLines({"keep me"});
  testing_support::TempDir dir;
  {
    ScriptedSaveDialog dialog(std::nullopt);
    form.btnSaveClick();
    EXPECT_EQ(dialog.requests.size(), 1u);
  }
  // A folder where the file should go cannot be written.
  const std::string blocked = dir.file("blocked.txt");
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
  ScriptedSaveDialog dialog(blocked);
  ScriptedMessageBoxes boxes({IDOK});
  form.btnSaveClick();
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_NE(boxes.request(0).text.find(blocked), std::string::npos) << boxes.request(0).text;
  EXPECT_TRUE(boxes.request(0).flags & MB_ICONERROR);
  EXPECT_EQ(form.MemoList.text(), "keep me");
  EXPECT_TRUE(sys::DirectoryExists(blocked));
}

TEST(PrintListForm, ShownCaptionsFollowTheListsOrder) {
  reports::TPrintListForm host;
  ASSERT_TRUE(host.Create(nullptr));
  tk::ListView list;
  ASSERT_TRUE(list.create(host.hwnd(), 900, RECT{0, 0, 300, 200}));
  list.addColumn("Name", 100);
  EXPECT_TRUE(reports::ShownCaptions(list).empty());
  list.insertRow(Row("Zeta"));
  list.insertRow(Row("Alpha"));
  list.insertRow(Row("Mid"), 1);
  EXPECT_EQ(reports::ShownCaptions(list), (std::vector<std::string>{"Zeta", "Mid", "Alpha"}));
}

TEST(PrintListForm, ExportListCommandShowsTheReportModally) {
  // Another thread reads the window as the user would see it and closes it.
  std::string caption, memo;
  std::atomic<bool> seen{false};
  std::thread user([&] {
    testing_support::WindowProbe probe(GetCurrentProcessId());
    HWND form = probe.waitForWindow("PrunaxisPrintListForm", 20000);
    if (!form) return;
    caption = testing_support::TextOf(form);
    HWND field = FindWindowExA(form, nullptr, "Edit", nullptr);
    if (field) memo = testing_support::TextOf(field);
    seen = true;
    PostMessageA(form, WM_CLOSE, 0, 0);
  });
  reports::ExecuteExportList(nullptr, "2 (Windows Updates: 0, Screen Saver: 0)", {"Aa", "Bb"});
  user.join();
  ASSERT_TRUE(seen);
  EXPECT_EQ(caption, "Save/Print");
  const auto lines = reports::SplitLines(memo);
  ASSERT_EQ(lines.size(), 17u) << memo;
  EXPECT_EQ(lines[0], std::string(settings::kAppTitle) + " Application Report");
  EXPECT_EQ(lines[6], "Programs : 2 (Windows Updates: 0, Screen Saver: 0)");
  EXPECT_EQ(lines[14], "1 - Aa");
  EXPECT_EQ(lines[15], "2 - Bb");
  EXPECT_EQ(lines[16], "----------------------");
  EXPECT_EQ(FindWindowA("PrunaxisPrintListForm", nullptr), nullptr);  // destroyed
}

// Names in three scripts and one character outside the Basic Multilingual Plane.
const std::wstring kWideNames[] = {L"日本語ソフト", L"Ελληνικά Εργαλεία", L"Русский \U0001F600"};

TEST(ProgramReport, NamesTheAnsiCodePageLacksAreSavedAsUtf8WithAMark) {
  std::vector<std::string> captions;
  for (const std::wstring& name : kWideNames) captions.push_back(sys::Narrow(name));
  const std::string text = reports::JoinLines(ProgramReportLines(SampleHeader(), captions));
  const std::string bytes = reports::ReportFileBytes(text);
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  const std::wstring saved = sys::Widen(bytes.substr(3));
  EXPECT_NE(saved.find(L"\r\n1 - 日本語ソフト\r\n2 - Ελληνικά Εργαλεία\r\n"
                       L"3 - Русский \U0001F600\r\n----------------------\r\n"),
            std::wstring::npos);
  EXPECT_EQ(saved.substr(0, 28), L"Prunaxis Application Report\r");
  EXPECT_EQ(saved.substr(saved.size() - 2), L"\r\n");
  // One character the code page lacks is enough; the rest stays exact in UTF-8 too.
  EXPECT_EQ(reports::ReportFileBytes(U8(u8"Café\r\n€ \U0001F600")),
            "\xEF\xBB\xBF" + U8(u8"Café\r\n€ \U0001F600\r\n"));
}

TEST(PrintListForm, SavedReportOfWideNamesHoldsThemExactly) {
  reports::TPrintListForm form;
  ASSERT_TRUE(form.Create(nullptr));
  std::vector<std::string> captions;
  for (const std::wstring& name : kWideNames) captions.push_back(sys::Narrow(name));
  ReportHeader header = SampleHeader();
  header.userName = sys::Narrow(L"Пользователь");
  form.SetReportLines(ProgramReportLines(header, captions));
  // The field itself holds every character.
  wchar_t shown[4096] = {};
  GetWindowTextW(form.MemoList.hwnd(), shown, 4096);
  EXPECT_NE(std::wstring(shown).find(L"3 - Русский \U0001F600"), std::wstring::npos);

  testing_support::TempDir dir;
  const std::string path = dir.file("wide.txt");
  ScriptedSaveDialog dialog(path);
  ScriptedMessageBoxes boxes;
  form.btnSaveClick();
  EXPECT_EQ(boxes.count(), 0u);
  std::string bytes;
  ASSERT_TRUE(sys::ReadFileBytes(path, bytes));
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  const std::string body = bytes.substr(3);
  EXPECT_NE(body.find(sys::Narrow(L"User Name : Пользователь\r\n")), std::string::npos) << body;
  for (size_t i = 0; i < 3; ++i) {
    const std::string line = std::to_string(i + 1) + " - " + sys::Narrow(kWideNames[i]) + "\r\n";
    EXPECT_NE(body.find(line), std::string::npos) << line;
  }
}

TEST(PrintListForm, SavedReportOfLatinNamesIsTheAnsiTextItAlwaysWas) {
  reports::TPrintListForm form;
  ASSERT_TRUE(form.Create(nullptr));
  ReportHeader header = SampleHeader();
  header.userName = U8(u8"José");
  form.SetReportLines(
      ProgramReportLines(header, {U8(u8"Café Tool"), "Plain", U8(u8"Übersetzer © 2024")}));
  testing_support::TempDir dir;
  const std::string path = dir.file("latin.txt");
  ScriptedSaveDialog dialog(path);
  ScriptedMessageBoxes boxes;
  form.btnSaveClick();
  std::string bytes;
  ASSERT_TRUE(sys::ReadFileBytes(path, bytes));
  // Windows-1252, no mark, CR LF after every line.
  const std::string expected =
      "Prunaxis Application Report\r\n"
      "\r\n"
      "\r\n"
      "=======================\r\n"
      "Computer Name : HOST\r\n"
      "User Name : Jos\xE9\r\n"
      "Programs : 3 (Windows Updates: 0, Screen Saver: 1)\r\n"
      "Created In : 12/8/2026 1:02:03 AM\r\n"
      "Created By : C:\\P\\Prunaxis.exe\r\n"
      "=======================\r\n"
      "\r\n"
      "\r\n"
      "Programs installed on your computer:\r\n"
      "----------------------\r\n"
      "1 - Caf\xE9 Tool\r\n"
      "2 - Plain\r\n"
      "3 - \xDC"
      "bersetzer \xA9 2024\r\n"
      "----------------------\r\n";
  EXPECT_EQ(bytes, expected);
}

TEST(ProgramReport, HeaderNamesAreTheSystemsWideNames) {
  wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  ASSERT_TRUE(GetComputerNameW(computer, &size));
  EXPECT_EQ(reports::ComputerNameText(), sys::Narrow(computer));
  wchar_t user[256] = {};
  size = 256;
  ASSERT_TRUE(GetUserNameW(user, &size));
  EXPECT_EQ(reports::UserNameText(), sys::Narrow(user));
  SYSTEMTIME time{2026, 12, 2, 8, 13, 4, 5, 0};
  wchar_t date[128] = {}, clock[128] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 128);
  EXPECT_EQ(reports::LocalDateTimeText(time), sys::Narrow(std::wstring(date) + L" " + clock));
}

}  // namespace
