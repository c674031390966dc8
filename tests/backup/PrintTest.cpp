// The print layout over fixed metrics, and printing without a printer.
#include "reports/PrintLayout.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "reports/frmPrintPage.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/WindowProbe.h"
#include "sys/Text.h"
#include "toolkit/PrintDialog.h"

namespace {

using reports::LayoutPrintLines;
using reports::PrintedPiece;
using reports::PrintMetrics;
using testing_support::ScriptedMessageBoxes;

// Every character 10 units wide and 16 high: a written line is 18 high.
PrintMetrics Metrics(int width, int height) {
  PrintMetrics m;
  m.pageWidth = width;
  m.pageHeight = height;
  m.charHeight = 14;
  m.avgCharWidth = 5;
  m.textExtent = [](std::string_view text) {
    return SIZE{10 * static_cast<LONG>(text.size()), 16};
  };
  return m;
}

std::string Describe(const std::vector<PrintedPiece>& pieces) {
  std::string text;
  for (const auto& p : pieces)
    text += std::to_string(p.page) + ":" + std::to_string(p.x) + "," + std::to_string(p.y) + " " +
            p.text + "\n";
  return text;
}

TEST(PrintLayout, LinesGoDownByTheirHeightAndEmptyOnesByTheCharacterHeight) {
  const auto layout = LayoutPrintLines({"ab", "", "cd"}, Metrics(1000, 1000));
  EXPECT_EQ(Describe(layout.pieces), "0:0,0 ab\n0:0,32 cd\n");  // 18 + 14
  EXPECT_EQ(layout.pageCount, 1);
}

TEST(PrintLayout, LongLinesContinueOnTheNextLine) {
  const auto layout = LayoutPrintLines({"abcdefghijklmno", "z"}, Metrics(100, 1000));
  EXPECT_EQ(Describe(layout.pieces), "0:0,0 abcdefghij\n0:0,18 klmno\n0:0,36 z\n");
  // A page narrower than one character still prints every character.
  const auto narrow = LayoutPrintLines({"abc"}, Metrics(5, 1000));
  EXPECT_EQ(Describe(narrow.pieces), "0:0,0 a\n0:0,18 b\n0:0,36 c\n");
}

TEST(PrintLayout, TabsStopEveryEightAverageCharacters) {
  // w = 40: from x = 10 the next stop is 10 + 40 - (51 mod 40) + 1 = 40.
  auto layout = LayoutPrintLines({"a\tb"}, Metrics(1000, 1000));
  EXPECT_EQ(Describe(layout.pieces), "0:0,0 a\n0:40,0 b\n");
  // From x = 0 the first stop is 40 as well; two tabs make 80.
  layout = LayoutPrintLines({"\t\tc"}, Metrics(1000, 1000));
  EXPECT_EQ(Describe(layout.pieces), "0:80,0 c\n");
  // A stop past the right edge moves to the next line.
  // From x = 70 the next stop is 80, past a page 75 wide.
  layout = LayoutPrintLines({"abcdefg\th"}, Metrics(75, 1000));
  EXPECT_EQ(Describe(layout.pieces), "0:0,0 abcdefg\n0:0,18 h\n");
}

TEST(PrintLayout, FormFeedsAndFullPagesStartNewPages) {
  auto layout = LayoutPrintLines({"a\fb"}, Metrics(1000, 1000));
  EXPECT_EQ(Describe(layout.pieces), "0:0,0 a\n1:0,0 b\n");
  EXPECT_EQ(layout.pageCount, 2);
  // Page 100 high: after a line the page ends once y > 100 - 2 * 18 = 64.
  layout = LayoutPrintLines({"1", "2", "3", "4", "5", "6"}, Metrics(1000, 100));
  EXPECT_EQ(Describe(layout.pieces), "0:0,0 1\n0:0,18 2\n0:0,36 3\n0:0,54 4\n1:0,0 5\n1:0,18 6\n");
  EXPECT_EQ(layout.pageCount, 2);
  // The last line filling its page opens no empty page.
  layout = LayoutPrintLines({"1", "2", "3", "4"}, Metrics(1000, 100));
  EXPECT_EQ(layout.pageCount, 1);
  // A carriage return only ends a piece of text.
  layout = LayoutPrintLines({"ab\rcd"}, Metrics(1000, 100));
  EXPECT_EQ(Describe(layout.pieces), "0:0,0 ab\n0:20,0 cd\n");
}

TEST(PrintLayout, EmptyLinesAloneBreakAtThePageHeight) {
  // 14 each: 7 empty lines reach 98, the 8th reaches 112 > 100.
  std::vector<std::string> lines(8, "");
  lines.push_back("x");
  const auto layout = LayoutPrintLines(lines, Metrics(1000, 100));
  EXPECT_EQ(Describe(layout.pieces), "1:0,0 x\n");
}

TEST(PrintListForm, PrintWithoutAPrinterShowsTheDialogsOwnWarning) {
  reports::TPrintListForm form;
  ASSERT_TRUE(form.Create(nullptr));
  form.SetReportLines({"line"});
  ScriptedMessageBoxes boxes;
  // The dialogs are real here: another thread answers whatever they show.
  std::atomic<bool> done{false};
  std::vector<testing_support::DialogTexts> dialogs;
  std::thread user([&] {
    testing_support::WindowProbe probe(GetCurrentProcessId());
    while (!done) {
      HWND dialog = probe.waitForWindow(testing_support::kDialogClass, 200);
      if (!dialog) continue;
      dialogs.push_back(testing_support::ReadDialog(dialog));
      if (!testing_support::PressButton(dialog, IDOK))
        testing_support::PressButton(dialog, IDCANCEL);
      probe.waitForWindowGone(testing_support::kDialogClass, 30000);
    }
  });
  form.btnPrintClick();
  done = true;
  user.join();
  ASSERT_FALSE(dialogs.empty());
  EXPECT_NE(dialogs[0].text.find("printer"), std::string::npos) << dialogs[0].text;
  EXPECT_EQ(boxes.count(), 0u);  // nothing of our own: no print job was started
}

TEST(PrintListForm, APrinterThatFailsIsReported) {
  reports::TPrintListForm form;
  ASSERT_TRUE(form.Create(nullptr));
  form.SetReportLines({"line"});
  // A memory device context takes no print job.
  auto previous = tk::SetPrintDialogAnswerer(
      [](const tk::PrintDialogRequest&) { return CreateCompatibleDC(nullptr); });
  ScriptedMessageBoxes boxes({IDOK});
  form.btnPrintClick();
  tk::SetPrintDialogAnswerer(previous);
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_EQ(boxes.request(0).text,
            "Something is wrong with the printer or Print Spooler service is unaviable.");
  EXPECT_EQ(boxes.request(0).flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
  EXPECT_EQ(form.MemoList.text(), "line");
}

TEST(PrintListForm, CancelledPrintDialogPrintsNothing) {
  reports::TPrintListForm form;
  ASSERT_TRUE(form.Create(nullptr));
  int asked = 0;
  auto previous = tk::SetPrintDialogAnswerer([&](const tk::PrintDialogRequest& request) -> HDC {
    ++asked;
    EXPECT_EQ(request.owner, form.hwnd());
    return nullptr;
  });
  ScriptedMessageBoxes boxes;
  form.btnPrintClick();
  tk::SetPrintDialogAnswerer(previous);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(boxes.count(), 0u);
}

// Every character (not byte) 10 units wide, as a font measures UTF-16 text: a
// character outside the Basic Multilingual Plane is one character of two units.
PrintMetrics CharacterMetrics(int width, int height) {
  PrintMetrics m = Metrics(width, height);
  m.textExtent = [](std::string_view text) {
    LONG characters = 0;
    for (char c : text)
      if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    return SIZE{10 * characters, 16};
  };
  return m;
}

TEST(PrintLayout, LongLinesOfWideNamesAreCutBetweenCharactersOnly) {
  // 4 characters fit a line 45 wide; the emoji (4 bytes) is never split.
  const std::string line = sys::Narrow(L"日本語\U0001F600Ελλη");
  const auto layout = LayoutPrintLines({line}, CharacterMetrics(45, 1000));
  ASSERT_EQ(layout.pieces.size(), 2u) << Describe(layout.pieces);
  EXPECT_EQ(layout.pieces[0].text, sys::Narrow(L"日本語\U0001F600"));
  EXPECT_EQ(layout.pieces[1].text, sys::Narrow(L"Ελλη"));
  EXPECT_EQ(layout.pieces[1].y, 18);
  // A page narrower than a character takes one whole character per line.
  const auto narrow = LayoutPrintLines({sys::Narrow(L"Я\U0001F600")}, CharacterMetrics(5, 1000));
  ASSERT_EQ(narrow.pieces.size(), 2u);
  EXPECT_EQ(narrow.pieces[0].text, sys::Narrow(L"Я"));
  EXPECT_EQ(narrow.pieces[1].text, sys::Narrow(L"\U0001F600"));
}

TEST(PrintLayout, TheCanvasMeasuresTheCharactersThemselves) {
  // The printer canvas's metrics over a screen-compatible one: the extent is that
  // of the wide text, not of its bytes or of question marks.
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const std::wstring wide = L"Русский 日本語 \U0001F600";
  SIZE expected{};
  ASSERT_TRUE(GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &expected));
  const PrintMetrics metrics = reports::DcPrintMetrics(dc);
  const SIZE got = metrics.textExtent(sys::Narrow(wide));
  EXPECT_EQ(got.cx, expected.cx);
  EXPECT_EQ(got.cy, expected.cy);
  EXPECT_GT(metrics.charHeight, 0);
  SelectObject(dc, old);
  DeleteDC(dc);
}

}  // namespace
