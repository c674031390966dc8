// The details window over an uninstall entry named in three scripts and with a
// character outside the Basic Multilingual Plane: what its controls show, read
// back with the wide messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "details/DetailsFixture.h"
#include "inventory/frmDetails.h"
#include "sys/ComInit.h"
#include "sys/Text.h"

using namespace details_test;

namespace {

using WideRows = std::vector<std::pair<std::wstring, std::wstring>>;

WideRows RowsOf(HWND list) {
  WideRows rows;
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring cells[2];
    for (int column = 0; column < 2; ++column) {
      wchar_t buffer[1024] = {};
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = buffer;
      item.cchTextMax = 1024;
      SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      cells[column] = buffer;
    }
    rows.emplace_back(cells[0], cells[1]);
  }
  return rows;
}

std::wstring BoxText(HWND box, int position) {
  wchar_t buffer[1024] = {};
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT;
  item.iItem = position;
  item.pszText = buffer;
  item.cchTextMax = 1024;
  SendMessageW(box, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return buffer;
}

bool Has(const WideRows& rows, const std::wstring& name, const std::wstring& value) {
  for (const auto& row : rows)
    if (row.first == name && row.second == value) return true;
  return false;
}

const std::wstring kName = L"日本語 Ελληνικά Русский \U0001F600";
const std::wstring kPublisher = L"Издатель 出版社 \U0001F600";
const std::wstring kFolder = L"C:\\Программы\\日本語 \U0001F600\\";
const std::wstring kVersion = L"β 2.0";
const std::wstring kValueName = L"Заметка \U0001F600";
const std::wstring kValueData = L"Ελληνικά データ";

class WideDetails : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterComponent();
    entry = NamedEntry("WideDetails", sys::Narrow(kName));
    entry.keyName += sys::Narrow(L" Ключ \U0001F600");
    entry.strings["Publisher"] = sys::Narrow(kPublisher);
    entry.strings["InstallLocation"] = sys::Narrow(kFolder);
    entry.strings["DisplayVersion"] = sys::Narrow(kVersion);
    entry.strings[sys::Narrow(kValueName)] = sys::Narrow(kValueData);
    installed = std::make_unique<InstalledEntries>(std::vector<TestEntry>{entry});
    programs.LoadPrograms();
    ASSERT_TRUE(form.Create(nullptr));
  }

  sys::ComApartment com;
  TestEntry entry;
  std::unique_ptr<InstalledEntries> installed;  // removed again also after a failure
  inventory::TProgramList programs;
  forms::TDetailsForm form{programs};
};

}  // namespace

TEST_F(WideDetails, BothPagesAndTheProgramBoxShowTheEntryExactly) {
  const ULONG index = IndexOf(programs, entry.keyName);
  ASSERT_NE(index, ULONG_MAX);
  form.SetPrograms({{"Plain Program", static_cast<LPARAM>(index) + 1000, -1},
                    {sys::Narrow(kName), static_cast<LPARAM>(index), -1}});
  form.ShowProgramDetails(index);

  ASSERT_EQ(form.selectedProgram(), 1);
  EXPECT_EQ(BoxText(form.cmbPrograms.hwnd(), 1), kName);
  EXPECT_EQ(form.programText(1), sys::Narrow(kName));
  EXPECT_EQ(form.programData(1), static_cast<LPARAM>(index));

  const WideRows info = RowsOf(form.lsvProgramInfo.hwnd());
  EXPECT_TRUE(Has(info, L"Install Location", kFolder));
  EXPECT_TRUE(Has(info, L"Program Version", kVersion));
  EXPECT_TRUE(Has(info, L"Publisher", kPublisher));

  const WideRows values = RowsOf(form.lsvRegistryInfo.hwnd());
  EXPECT_TRUE(Has(values, L"DisplayName", kName));
  EXPECT_TRUE(Has(values, L"Publisher", kPublisher));
  EXPECT_TRUE(Has(values, kValueName, kValueData));
}

TEST_F(WideDetails, AProgramBoxEntryLongerThanAnyBufferComesBackWhole) {
  // 600 UTF-16 units with surrogate pairs among them: past the first buffer's size.
  std::wstring longName;
  for (int i = 0; i < 100; ++i) longName += L"Ωмя日\U0001F600";
  form.SetPrograms({{sys::Narrow(longName), 7, -1}});
  EXPECT_EQ(form.programText(0), sys::Narrow(longName));
  EXPECT_EQ(form.programData(0), 7);
}

TEST_F(WideDetails, TheWindowsTextsFollowTheLanguageTable) {
  form.FormShow();
  wchar_t caption[256] = {};
  GetWindowTextW(form.hwnd(), caption, 256);
  EXPECT_STREQ(caption, L"Detail information");
  wchar_t tab[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = tab;
  item.cchTextMax = 64;
  ASSERT_TRUE(
      SendMessageW(form.pcProgramDetails.hwnd(), TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_STREQ(tab, L"Registry Values");
}
