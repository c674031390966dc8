// The program list's plain logic: captions, counts, sort keys, search and tips.
#include <gtest/gtest.h>

#include "inventory/FakeProgramList.h"
#include "main/ProgramListLogic.h"

using namespace forms;

TEST(ProgramListLogic, ScreenSaverCaptionsAndCounts) {
  EXPECT_EQ(ScreenSaverCaption("Screen Saver", "bubbles.scr", "Bubbles"), "[Screen Saver]Bubbles");
  EXPECT_EQ(ScreenSaverCaption("Screen Saver", "bubbles.scr", ""), "[Screen Saver]bubbles.scr");
  EXPECT_EQ(ScreenSaverCaption("Screen Saver", "", "Bubbles"), "");
  EXPECT_EQ(ProgramCountsText(123, 7, 3, "Windows Updates", "Screen Saver"),
            "123 (Windows Updates: 7, Screen Saver: 3)");
  // Words are values, never patterns.
  EXPECT_EQ(ProgramCountsText(1, 0, 0, "%s%d", "%n"), "1 (%s%d: 0, %n: 0)");
}

TEST(ProgramListLogic, ARowsDataHoldsItsKindAndIndex) {
  using inventory::ProgramRowKind;
  const LPARAM program = inventory::MakeRowData(ProgramRowKind::Program, 5);
  const LPARAM saver = inventory::MakeRowData(ProgramRowKind::ScreenSaver, 5);
  EXPECT_NE(program, saver);
  EXPECT_EQ(inventory::RowKind(program), ProgramRowKind::Program);
  EXPECT_EQ(inventory::RowKind(saver), ProgramRowKind::ScreenSaver);
  EXPECT_EQ(inventory::RowIndex(program), 5u);
  EXPECT_EQ(inventory::RowIndex(saver), 5u);
  EXPECT_EQ(inventory::RowIndex(inventory::MakeRowData(ProgramRowKind::ScreenSaver, 0)), 0u);
  // Program rows hold the plain index, as the details window's box expects; no row's
  // data is negative.
  EXPECT_EQ(program, 5);
  EXPECT_GT(inventory::MakeRowData(ProgramRowKind::ScreenSaver, 0x3FFFFFFFu), 0);
}

TEST(ProgramListLogic, SortKeysArePaddedToTenAndIgnoreAsciiCaseOnly) {
  EXPECT_EQ(PaddedSortKey("9"), "         9");
  EXPECT_EQ(PaddedSortKey("0123456789"), "0123456789");
  EXPECT_EQ(PaddedSortKey("01234567890"), "01234567890");
  EXPECT_LT(CompareListTexts(1, "9", "10", true), 0);
  EXPECT_GT(CompareListTexts(1, "9", "10", false), 0);
  // Captions are not padded.
  EXPECT_GT(CompareListTexts(0, "9", "10", true), 0);
  EXPECT_EQ(CompareListTexts(2, "C:\\Apps\\", "c:\\apps\\", true), 0);
  EXPECT_EQ(CompareIgnoringAsciiCase("abc", "ABC"), 0);
  // Letters fold to upper case: "_" (0x5F) lies between "Z" and "a".
  EXPECT_LT(CompareIgnoringAsciiCase("Z", "_"), 0);
  EXPECT_LT(CompareIgnoringAsciiCase("z", "_"), 0);
  // Bytes above 127 compare unsigned and are not folded.
  EXPECT_LT(CompareIgnoringAsciiCase("a", "\xE9"), 0);
  EXPECT_NE(CompareIgnoringAsciiCase("\xC9", "\xE9"), 0);
  EXPECT_LT(CompareIgnoringAsciiCase("ab", "abc"), 0);
}

TEST(ProgramListLogic, SearchGoesOnFromTheLastHit) {
  std::vector<std::string> captions = {"Alpha", "zebra paint", "Beta", "Big Zebra", "Gamma"};
  unsigned start = 0;
  EXPECT_EQ(FindProgramRow(captions, start, "ZEBRA"), 1);
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(FindProgramRow(captions, start, "Zebra"), 3);
  EXPECT_EQ(start, 4u);
  EXPECT_EQ(FindProgramRow(captions, start, "zebra"), -1);
  EXPECT_EQ(start, 4u);
  start = 0;
  EXPECT_EQ(FindProgramRow(captions, start, "zeBRA"), 1);
  start = 9;
  EXPECT_EQ(FindProgramRow(captions, start, "a"), -1);
  EXPECT_EQ(start, 9u);
  unsigned emptyStart = 0;
  EXPECT_EQ(FindProgramRow({}, emptyStart, "a"), -1);
  EXPECT_EQ(emptyStart, 0u);
}

TEST(ProgramListLogic, TipTexts) {
  EXPECT_EQ(UsedFrequencyWord(0), "Rarely");
  EXPECT_EQ(UsedFrequencyWord(2), "Rarely");
  EXPECT_EQ(UsedFrequencyWord(3), "Occasionally");
  EXPECT_EQ(UsedFrequencyWord(10), "Occasionally");
  EXPECT_EQ(UsedFrequencyWord(11), "Frequently");
  EXPECT_EQ(UsedFrequencyWord(0xFFFFFFFFu), "Frequently");
  EXPECT_EQ(ProgramTipText(5, "", "C:\\x\\unins.exe /S"),
            "Used Frequency: Occasionally\r\nUninstall String: C:\\x\\unins.exe /S");
  EXPECT_EQ(ProgramTipText(1, "2026-01-02", "u %s"),
            "Used Frequency: Rarely\r\nLast Used On: 2026-01-02\r\nUninstall String: u %s");
  EXPECT_EQ(Megabytes(1572864, "."), "1.50");
  EXPECT_EQ(Megabytes(1572864, ","), "1,50");
  EXPECT_EQ(ScreenSaverTipText(1572864, "b.scr", "1/2/2026", "."),
            "Size:  1.50 M\r\nName:  b.scr\r\nLast Used On: 1/2/2026\r\n");
  EXPECT_EQ(FirstLink("", "help", "update"), "help");
  EXPECT_EQ(FirstLink("about", "help", ""), "about");
  EXPECT_EQ(FirstLink("", "", ""), "");
}

namespace {

struct Filled {
  std::vector<ProgramRow> rows;
  FillResult result;
  int emptied = 0;
};

Filled Fill(inventory_test::FakeProgramList& fake, bool hideScreenSaver) {
  fake.AddRef();  // the client adopts this reference
  inventory::TProgramList programs{sys::ComPtr<rostrel::IProgramList>(&fake)};
  Filled filled;
  FillOptions options;
  options.hideScreenSaver = hideScreenSaver;
  options.screenSaverWord = "Screen Saver";
  FillProgramRows(
      programs, options, filled.result, [&] { ++filled.emptied; },
      [&](const ProgramRow& row) { filled.rows.push_back(row); });
  return filled;
}

}  // namespace

TEST(ProgramListLogic, FillStopsAtAMissingProgramAndListsSaversByFileName) {
  inventory_test::FakeProgramList fake;
  // No programs: the screen saver with an empty description goes by its file name.
  Filled filled = Fill(fake, false);
  EXPECT_TRUE(filled.result.complete);
  EXPECT_EQ(filled.emptied, 1);
  ASSERT_EQ(filled.rows.size(), 1u);
  EXPECT_EQ(filled.rows[0].caption, "[Screen Saver]fake.scr");
  EXPECT_EQ(filled.rows[0].directory, "C:\\");
  // Icons are asked for when rows are drawn, never while the list fills.
  EXPECT_EQ(fake.iconQuestions, 0);
  EXPECT_EQ(filled.rows[0].data, inventory::MakeRowData(inventory::ProgramRowKind::ScreenSaver, 0));
  EXPECT_EQ(filled.result.screenSaverCount, 1u);
  // Hidden screen savers are still counted.
  filled = Fill(fake, true);
  EXPECT_TRUE(filled.rows.empty());
  EXPECT_EQ(filled.result.screenSaverCount, 1u);

  // The component has no item at index 0 of 2: the fill ends before the savers.
  fake.programCount = 2;
  filled = Fill(fake, false);
  EXPECT_FALSE(filled.result.complete);
  EXPECT_TRUE(filled.rows.empty());
  EXPECT_EQ(filled.result.programCount, 2u);
  EXPECT_EQ(filled.result.screenSaverCount, 0u);

  // A failing component raises its error to the caller.
  fake.failure = E_FAIL;
  EXPECT_THROW(Fill(fake, false), inventory::InventoryError);
  EXPECT_EQ(fake.refs, 0);
}

TEST(ProgramListLogic, RowImagesComeFromTheComponentAndFailuresGiveNone) {
  using inventory::MakeRowData;
  using inventory::ProgramRowKind;
  inventory_test::FakeProgramList fake;
  fake.AddRef();  // the client adopts this reference
  inventory::TProgramList programs{sys::ComPtr<rostrel::IProgramList>(&fake)};
  EXPECT_EQ(RowImage(programs, MakeRowData(ProgramRowKind::ScreenSaver, 0)), 3);
  EXPECT_EQ(fake.iconQuestions, 1);
  // The fake has no program items: a program that is gone has no icon.
  EXPECT_EQ(RowImage(programs, MakeRowData(ProgramRowKind::Program, 0)), -1);
  fake.failure = E_FAIL;
  EXPECT_EQ(RowImage(programs, MakeRowData(ProgramRowKind::ScreenSaver, 0)), -1);
  EXPECT_EQ(RowImage(programs, MakeRowData(ProgramRowKind::Program, 0)), -1);
}
