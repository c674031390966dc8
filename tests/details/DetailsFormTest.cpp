// The details window over the real inventory component and uninstall entries that
// the tests write.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "details/DetailsFixture.h"
#include "inventory/ProgramRowData.h"
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
  // A row of the main list, as its fill leaves it: caption, component index, icon.
  struct MainRow {
    std::string caption;
    LPARAM data;
    int image;
  };
  static void FillMainList(tk::ListView& list, const std::vector<MainRow>& rows) {
    list.deleteAll();
    for (const MainRow& r : rows) {
      tk::ListRow row;
      row.caption = r.caption;
      row.data = r.data;
      row.image = r.image;
      list.insertRow(row);
    }
  }
  // What the program box lists, entry by entry.
  std::vector<MainRow> BoxEntries() const {
    std::vector<MainRow> entries;
    for (int i = 0; i < form.programCount(); ++i)
      entries.push_back({form.programText(i), form.programData(i), form.programImage(i)});
    return entries;
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
  form.ShowProgramDetails(IndexOf(programs, sized.keyName));
  // Every value of the entry with its data as text; the registry's own order is
  // not the page's to choose, so the rows are compared sorted.
  Rows rows = RowsOf(form.lsvRegistryInfo);
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (Rows{{"DisplayName", "Details Sized Program"},
                        {"DisplayVersion", "2.5"},
                        {"EstimatedSize", "3072"},
                        {"HelpLink", "http://help.example/"},
                        {"InstallDate", "20240115"},
                        {"Publisher", "Sized Corp"},
                        {"URLInfoAbout", "http://about.example/"},
                        {"URLUpdateInfo", "http://update.example/"},
                        {"UninstallString", "C:\\Apps\\" + sized.keyName + "\\unins.exe"}}));
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
  const LPARAM kSaverRow = inventory::MakeRowData(inventory::ProgramRowKind::ScreenSaver, 0);
  TestEntry patch = NamedEntry("DetailsPatch", "Details Patch KB1");
  patch.strings["ParentKeyName"] = "OperatingSystem";
  load({sized, bare, patch});
  const LPARAM sizedIndex = IndexOf(programs, sized.keyName);
  const LPARAM bareIndex = IndexOf(programs, bare.keyName);
  const LPARAM patchIndex = IndexOf(programs, patch.keyName);
  tk::ListView mainList;
  ASSERT_TRUE(mainList.create(form.hwnd(), 900, RECT{0, 0, 10, 10}));

  // Patches shown: every program row, in the main list's order; the screen saver
  // (listed between them) never.
  FillMainList(mainList, {{"Details Sized Program", sizedIndex, 3},
                          {"Details Patch KB1", patchIndex, 5},
                          {"[Screen Saver]Bubbles", kSaverRow, 2},
                          {"Details Bare Program", bareIndex, 4}});
  form.SetProgramsFrom(mainList);
  auto same = [](const std::vector<MainRow>& got, const std::vector<MainRow>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
      EXPECT_EQ(got[i].caption, want[i].caption) << i;
      EXPECT_EQ(got[i].data, want[i].data) << i;
      EXPECT_EQ(got[i].image, want[i].image) << i;
    }
  };
  same(BoxEntries(), {{"Details Sized Program", sizedIndex, 3},
                      {"Details Patch KB1", patchIndex, 5},
                      {"Details Bare Program", bareIndex, 4}});
  // The box moves to the program shown.
  form.ShowProgramDetails(static_cast<ULONG>(bareIndex));
  EXPECT_EQ(form.selectedProgram(), 2);
  form.ShowProgramDetails(static_cast<ULONG>(sizedIndex));
  EXPECT_EQ(form.selectedProgram(), 0);

  // Patches hidden: the next fill leaves the patch out, and the box follows.
  FillMainList(mainList, {{"Details Sized Program", sizedIndex, 3},
                          {"[Screen Saver]Bubbles", kSaverRow, 2},
                          {"Details Bare Program", bareIndex, 4}});
  form.SetProgramsFrom(mainList);
  same(BoxEntries(),
       {{"Details Sized Program", sizedIndex, 3}, {"Details Bare Program", bareIndex, 4}});
  form.ShowProgramDetails(static_cast<ULONG>(bareIndex));
  EXPECT_EQ(form.selectedProgram(), 1);
  EXPECT_EQ(form.programText(form.selectedProgram()), "Details Bare Program");
}

TEST_F(DetailsForm, PickingInTheBoxRefillsBothPages) {
  load({sized, bare});
  tk::ListView mainList;
  ASSERT_TRUE(mainList.create(form.hwnd(), 900, RECT{0, 0, 10, 10}));
  FillMainList(mainList,
               {{"Details Sized Program", static_cast<LPARAM>(IndexOf(programs, sized.keyName)), 0},
                {"Details Bare Program", static_cast<LPARAM>(IndexOf(programs, bare.keyName)), 0}});
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
