// The details window's logic that needs no window, and the dialogs' filter form.
#include <gtest/gtest.h>

#include "details/FakeProgramItem.h"
#include "inventory/DetailsRows.h"
#include "toolkit/FileDialog.h"

using inventory::ListedRow;
using inventory::ProgramBoxEntries;
using inventory::ProgramBoxPosition;

TEST(DetailsRows, SizeInMegabytesWithTheLocaleSeparator) {
  EXPECT_EQ(inventory::ProgramSizeText(3.0 * 1048576, "."), "3.00 MB");
  EXPECT_EQ(inventory::ProgramSizeText(1.5 * 1048576, ","), "1,50 MB");
  EXPECT_EQ(inventory::ProgramSizeText(1024, "."), "0.00 MB");
}

TEST(DetailsRows, UsedFrequencyWords) {
  EXPECT_EQ(inventory::UsedFrequencyText(0), "Rarely");
  EXPECT_EQ(inventory::UsedFrequencyText(2), "Rarely");
  EXPECT_EQ(inventory::UsedFrequencyText(3), "Occasionally");
  EXPECT_EQ(inventory::UsedFrequencyText(5), "Occasionally");
  EXPECT_EQ(inventory::UsedFrequencyText(10), "Occasionally");
  EXPECT_EQ(inventory::UsedFrequencyText(11), "Frequently");
  EXPECT_EQ(inventory::UsedFrequencyText(0xFFFFFFFFu), "Frequently");  // unsigned
}

TEST(DetailsRows, ProgramBoxHoldsTheProgramRowsOnly) {
  using inventory::MakeRowData;
  using inventory::ProgramRowKind;
  // The rows' kinds come from their data, not from their captions.
  std::vector<ListedRow> rows = {
      {"Alpha", MakeRowData(ProgramRowKind::Program, 0), 3},
      {"", MakeRowData(ProgramRowKind::Program, 2), 4},
      {"[Screen Saver]Bubbles", MakeRowData(ProgramRowKind::ScreenSaver, 0), 7},
      {"[Beta] Tool", MakeRowData(ProgramRowKind::Program, 4), 2},
      {"Gamma", MakeRowData(ProgramRowKind::Program, 5), 1}};
  auto entries = ProgramBoxEntries(rows);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].text, "Alpha");
  EXPECT_EQ(entries[1].text, "");  // an empty caption is a program row
  EXPECT_EQ(entries[1].data, 2);
  EXPECT_EQ(entries[2].text, "[Beta] Tool");
  EXPECT_EQ(entries[2].data, 4);
  EXPECT_EQ(entries[3].text, "Gamma");
  EXPECT_EQ(entries[3].data, 5);
  EXPECT_EQ(entries[3].image, 1);
}

TEST(DetailsRows, BoxPositionComesFromTheEntriesData) {
  // Patches 1 and 3 hidden, and reported after other programs: index minus the
  // hidden patch count would land on the wrong entry.
  std::vector<LPARAM> data = {0, 2, 4, 5};
  EXPECT_EQ(ProgramBoxPosition(data, 0), 0);
  EXPECT_EQ(ProgramBoxPosition(data, 2), 1);
  EXPECT_EQ(ProgramBoxPosition(data, 5), 3);
  EXPECT_EQ(ProgramBoxPosition(data, 3), -1);
  EXPECT_EQ(ProgramBoxPosition({}, 0), -1);
}

TEST(FileDialogFilter, BarsBecomeZeros) {
  std::string filter = tk::FileDialogFilter("Registration Files(*.reg)|*.reg");
  EXPECT_EQ(filter, std::string("Registration Files(*.reg)\0*.reg\0", 32));
  EXPECT_EQ(filter.c_str()[filter.size()], '\0');  // the closing second zero
  EXPECT_EQ(tk::FileDialogFilter(""), "");
}

// The rows read through the component's item, from a stand-in item.
namespace {

std::vector<inventory::DetailRow> PropertyRows(details_test::FakeProgramItem& fake) {
  fake.AddRef();  // the client's reference; the fake lives on the stack
  inventory::TProgramItem item{sys::ComPtr<rostrel::IProgramItem>(&fake)};
  std::vector<inventory::DetailRow> rows;
  inventory::ReadPropertyRows(item, ".", rows);
  return rows;
}

}  // namespace

TEST(DetailsRows, ProgramWithOnlyAUsageCountShowsTheFrequencyAlone) {
  details_test::FakeProgramItem fake;
  fake.usedFrequency = 5;
  std::vector<inventory::DetailRow> expected = {{"Used Frequency", "Occasionally"}};
  EXPECT_EQ(PropertyRows(fake), expected);
}

TEST(DetailsRows, RowsComeInTheirFixedOrderEachWhenSet) {
  details_test::FakeProgramItem fake;
  fake.size = 3.0f * 1048576;
  fake.usedFrequency = 11;
  fake.texts = {{"GetInstallDate", L"1/2/2024"},
                {"GetLastUsed", L"3/4/2025"},
                {"GetInstallLocation", L"C:\\App\\"},
                {"GetVersion", L"1.0"},
                {"GetPublisher", L"Maker"},
                {"GetHelpLink", L"h"},
                {"GetAboutLink", L"a"},
                {"GetUpdateLink", L"u"}};
  std::vector<inventory::DetailRow> expected = {{"Programs Size", "3.00 MB"},
                                                {"Install Date", "1/2/2024"},
                                                {"Used Frequency", "Frequently"},
                                                {"Last Access Date", "3/4/2025"},
                                                {"Install Location", "C:\\App\\"},
                                                {"Program Version", "1.0"},
                                                {"Publisher", "Maker"},
                                                {"Help Info", "h"},
                                                {"About Link", "a"},
                                                {"Update Link", "u"}};
  EXPECT_EQ(PropertyRows(fake), expected);
}

TEST(DetailsRows, AFailingOperationKeepsTheRowsReadBefore) {
  details_test::FakeProgramItem fake;
  fake.texts = {{"GetInstallDate", L"1/2/2024"}, {"GetPublisher", L"Maker"}};
  fake.failing = "GetVersion";
  fake.AddRef();
  inventory::TProgramItem item{sys::ComPtr<rostrel::IProgramItem>(&fake)};
  std::vector<inventory::DetailRow> rows;
  EXPECT_THROW(inventory::ReadPropertyRows(item, ".", rows), inventory::InventoryError);
  std::vector<inventory::DetailRow> expected = {{"Install Date", "1/2/2024"},
                                                {"Used Frequency", "Rarely"}};
  EXPECT_EQ(rows, expected);

  fake.values = {{L"DisplayName", L"X"}, {L"Publisher", L"Maker"}};
  fake.failing = "GetRegistryValueName";  // fails from the second value on
  rows.clear();
  EXPECT_THROW(inventory::ReadRegistryRows(item, rows), inventory::InventoryError);
  std::vector<inventory::DetailRow> firstValue = {{"DisplayName", "X"}};
  EXPECT_EQ(rows, firstValue);
}
