// The details window over the real inventory component and uninstall entries that
// the tests write.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "details/DetailsFixture.h"
#include "inventory/frmDetails.h"
#include "support/MessagePump.h"
#include "sys/ComInit.h"

using namespace details_test;

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

Rows RowsOf(const tk::ListView& list) {
  Rows rows;
  for (int i = 0; i < list.count(); ++i)
    rows.emplace_back(list.itemText(i, 0), list.itemText(i, 1));
  return rows;
}

class DetailsForm : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterComponent();
    sized.strings["InstallDate"] = "20240115";
    sized.strings["DisplayVersion"] = "2.5";
    sized.strings["Publisher"] = "Sized Corp";
    sized.strings["HelpLink"] = "http://help.example/";
    sized.strings["URLInfoAbout"] = "http://about.example/";
    sized.strings["URLUpdateInfo"] = "http://update.example/";
    sized.dwords["EstimatedSize"] = 3 * 1024;  // kilobytes: 3 x 1048576 bytes
    bare.strings["Publisher"] = "Bare Ltd";
  }
  void load(std::vector<TestEntry> entries) {
    installed = std::make_unique<InstalledEntries>(std::move(entries));
    programs.LoadPrograms();
    ASSERT_TRUE(form.Create(nullptr));
  }
  // The program rows of the component's list, as the main list shows them.
  std::vector<inventory::ProgramBoxEntry> listedPrograms(bool hidePatches) {
    std::vector<inventory::ListedRow> rows;
    for (ULONG i = 0, n = programs.GetProgramCount(); i < n; ++i) {
      inventory::TProgramItem item = programs.GetProgram(i);
      if (!item) break;
      if (hidePatches && item.GetSystemPatch() == 1) continue;
      std::string caption = item.GetDisplayName();
      if (caption.empty()) caption = item.GetRegistryKeyName();
      rows.push_back({caption, static_cast<LPARAM>(i), static_cast<int>(item.GetIconIndex())});
    }
    rows.push_back({"[Screen Saver]Bubbles", 0, 2});  // never in the box
    return inventory::ProgramBoxEntries(rows);
  }
  void fillMainList(tk::ListView& list, bool hidePatches) {
    list.deleteAll();
    std::vector<inventory::ProgramBoxEntry> entries = listedPrograms(hidePatches);
    for (const auto& entry : entries) {
      tk::ListRow row;
      row.caption = entry.text;
      row.data = entry.data;
      row.image = entry.image;
      list.insertRow(row);
    }
    tk::ListRow saver;
    saver.caption = "[Screen Saver]Bubbles";
    list.insertRow(saver);
  }

  sys::ComApartment com;
  TestEntry sized = NamedEntry("DetailsSized", "Details Sized Program");
  TestEntry bare = NamedEntry("DetailsBare", "Details Bare Program");
  std::unique_ptr<InstalledEntries> installed;
  inventory::TProgramList programs;
  forms::TDetailsForm form{programs};
};

}  // namespace

TEST_F(DetailsForm, CreatesItsPagesColumnsAndImageList) {
  load({});
  RECT client{};
  GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, 444);
  EXPECT_EQ(client.bottom, 346);
  EXPECT_FALSE(form.visible());
  EXPECT_EQ(form.lsvProgramInfo.columnCount(), 2);
  EXPECT_EQ(form.lsvProgramInfo.columnCaption(0), "Name");
  EXPECT_EQ(form.lsvProgramInfo.columnWidth(0), 100);
  EXPECT_EQ(form.lsvProgramInfo.columnWidth(1), 240);
  EXPECT_EQ(form.lsvRegistryInfo.columnCaption(0), "Key");
  EXPECT_EQ(form.lsvRegistryInfo.columnWidth(0), 160);
  EXPECT_EQ(form.lsvRegistryInfo.columnWidth(1), 240);
  EXPECT_EQ(form.pcProgramDetails.send(TCM_GETITEMCOUNT), 2);
  ASSERT_NE(form.CmbImageList, nullptr);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(form.cmbPrograms.send(CBEM_GETIMAGELIST)),
            form.CmbImageList);
}

TEST_F(DetailsForm, SizedProgramShowsEveryPropertyInOrder) {
  load({sized});
  const ULONG index = IndexOf(programs, sized.keyName);
  form.ShowProgramDetails(index);
  Rows rows = RowsOf(form.lsvProgramInfo);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[0], (std::pair<std::string, std::string>(
                         "Programs Size", "3" + inventory::LocaleDecimalSeparator() + "00 MB")));
  EXPECT_EQ(rows[1].first, "Install Date");
  EXPECT_FALSE(rows[1].second.empty());
  EXPECT_EQ(rows[2], (std::pair<std::string, std::string>("Used Frequency", "Rarely")));
  EXPECT_EQ(rows[3], (std::pair<std::string, std::string>("Program Version", "2.5")));
  EXPECT_EQ(rows[4], (std::pair<std::string, std::string>("Publisher", "Sized Corp")));
  EXPECT_EQ(rows[5], (std::pair<std::string, std::string>("Help Info", "http://help.example/")));
  EXPECT_EQ(rows[6], (std::pair<std::string, std::string>("About Link", "http://about.example/")));
  EXPECT_EQ(rows[7],
            (std::pair<std::string, std::string>("Update Link", "http://update.example/")));
}

TEST_F(DetailsForm, ZeroSizeHasNoSizeRow) {
  load({bare});
  form.ShowProgramDetails(IndexOf(programs, bare.keyName));
  // Without a stored date the component dates the entry from its key.
  Rows rows = RowsOf(form.lsvProgramInfo);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].first, "Install Date");
  EXPECT_FALSE(rows[0].second.empty());
  EXPECT_EQ(rows[1], (std::pair<std::string, std::string>("Used Frequency", "Rarely")));
  EXPECT_EQ(rows[2], (std::pair<std::string, std::string>("Publisher", "Bare Ltd")));
}

TEST_F(DetailsForm, RegistryPageListsTheEntrysValues) {
  load({sized});
  const ULONG index = IndexOf(programs, sized.keyName);
  form.ShowProgramDetails(index);
  inventory::TProgramItem item = programs.GetProgram(index);
  ASSERT_TRUE(item);
  const ULONG count = item.GetRegistryValueCount();
  EXPECT_EQ(count, sized.strings.size() + sized.dwords.size());
  Rows expected;
  for (ULONG i = 0; i < count; ++i)
    expected.emplace_back(item.GetRegistryValueName(i), item.GetRegistryValueData(i));
  Rows rows = RowsOf(form.lsvRegistryInfo);
  EXPECT_EQ(rows, expected);
  EXPECT_NE(std::find(rows.begin(), rows.end(),
                      std::pair<std::string, std::string>("Publisher", "Sized Corp")),
            rows.end());
}

TEST_F(DetailsForm, IndexWithoutProgramKeepsThePreviousOne) {
  load({sized});
  form.ShowProgramDetails(IndexOf(programs, sized.keyName));
  Rows before = RowsOf(form.lsvProgramInfo);
  Rows values = RowsOf(form.lsvRegistryInfo);
  form.ShowProgramDetails(0x7FFFFFF0);
  EXPECT_EQ(RowsOf(form.lsvProgramInfo), before);
  EXPECT_EQ(RowsOf(form.lsvRegistryInfo), values);
}

TEST_F(DetailsForm, ProgramBoxFollowsTheMainListWithPatchesShownAndHidden) {
  TestEntry patch = NamedEntry("DetailsPatch", "Details Patch KB1");
  patch.strings["ParentKeyName"] = "OperatingSystem";
  load({sized, bare, patch});
  tk::ListView mainList;
  ASSERT_TRUE(mainList.create(form.hwnd(), 900, RECT{0, 0, 10, 10}));
  for (bool hide : {false, true}) {
    SCOPED_TRACE(hide ? "patches hidden" : "patches shown");
    fillMainList(mainList, hide);
    form.SetProgramsFrom(mainList);
    std::vector<inventory::ProgramBoxEntry> expected = listedPrograms(hide);
    ASSERT_EQ(form.programCount(), static_cast<int>(expected.size()));
    ASSERT_EQ(form.programCount(), mainList.count() - 1);  // all but the screen saver
    for (int i = 0; i < form.programCount(); ++i) {
      EXPECT_EQ(form.programText(i), expected[i].text) << i;
      EXPECT_EQ(form.programData(i), expected[i].data) << i;
      EXPECT_EQ(form.programImage(i), expected[i].image) << i;
    }
    const LONG patchIndex = programs.FindProgram(patch.keyName);
    ASSERT_GE(patchIndex, 0);
    bool patchListed = false;
    for (int i = 0; i < form.programCount(); ++i)
      patchListed = patchListed || form.programData(i) == patchIndex;
    EXPECT_EQ(patchListed, !hide);
    // The box moves to the program shown, found by its data.
    for (const TestEntry* entry : {&sized, &bare}) {
      const ULONG index = IndexOf(programs, entry->keyName);
      form.ShowProgramDetails(index);
      ASSERT_GE(form.selectedProgram(), 0);
      EXPECT_EQ(form.programData(form.selectedProgram()), static_cast<LPARAM>(index));
      EXPECT_EQ(form.programText(form.selectedProgram()), entry->strings.at("DisplayName"));
    }
  }
}

TEST_F(DetailsForm, PickingInTheBoxRefillsBothPages) {
  load({sized, bare});
  tk::ListView mainList;
  ASSERT_TRUE(mainList.create(form.hwnd(), 900, RECT{0, 0, 10, 10}));
  fillMainList(mainList, false);
  form.SetProgramsFrom(mainList);
  form.ShowProgramDetails(IndexOf(programs, sized.keyName));
  ASSERT_EQ(form.lsvProgramInfo.itemText(0, 0), "Programs Size");

  const ULONG bareIndex = IndexOf(programs, bare.keyName);
  int position = -1;
  for (int i = 0; i < form.programCount(); ++i)
    if (form.programData(i) == static_cast<LPARAM>(bareIndex)) position = i;
  ASSERT_GE(position, 0);
  // As the user's pick arrives: the box's selection, then its notification.
  form.cmbPrograms.send(CB_SETCURSEL, static_cast<WPARAM>(position));
  SendMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(forms::kIdDetailsPrograms, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(form.cmbPrograms.hwnd()));
  Rows rows = RowsOf(form.lsvProgramInfo);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].first, "Install Date");  // no size row any more
  EXPECT_EQ(rows[2], (std::pair<std::string, std::string>("Publisher", "Bare Ltd")));
  Rows values = RowsOf(form.lsvRegistryInfo);
  EXPECT_NE(std::find(values.begin(), values.end(),
                      std::pair<std::string, std::string>("DisplayName", "Details Bare Program")),
            values.end());
  EXPECT_EQ(form.selectedProgram(), position);
}

TEST_F(DetailsForm, TabsSwitchPagesAndClosingOnlyHides) {
  load({sized});
  form.ShowProgramDetails(IndexOf(programs, sized.keyName));
  EXPECT_TRUE(form.lsvProgramInfo.control().visible());
  EXPECT_FALSE(form.lsvRegistryInfo.control().visible());
  // A click on the second tab: the control selects it and tells its parent.
  form.pcProgramDetails.send(TCM_SETCURSEL, 1);
  NMHDR header{form.pcProgramDetails.hwnd(), forms::kIdDetailsPages,
               static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(form.hwnd(), WM_NOTIFY, forms::kIdDetailsPages, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(form.activePage(), forms::TDetailsForm::kPageRegistryInfo);
  EXPECT_FALSE(form.lsvProgramInfo.control().visible());
  EXPECT_TRUE(form.lsvRegistryInfo.control().visible());

  std::string caption;
  bool wasVisible = false;
  {
    WindowScript script("TDetailsForm", [&](HWND window) {
      wasVisible = IsWindowVisible(window) != FALSE;
      char text[128] = {};
      GetWindowTextA(window, text, sizeof text);
      caption = text;
      PostMessageA(window, WM_CLOSE, 0, 0);
    });
    form.ShowModalFor(nullptr);
    EXPECT_TRUE(script.ran());
  }
  EXPECT_TRUE(wasVisible);
  EXPECT_EQ(caption, "Detail information");
  EXPECT_TRUE(IsWindow(form.hwnd()));  // hidden, not destroyed
  EXPECT_FALSE(form.visible());
  EXPECT_EQ(form.lsvProgramInfo.count(), 8);  // the contents stay for the next showing
}
