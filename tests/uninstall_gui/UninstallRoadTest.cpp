// The whole uninstall road through the main window, with the real sample program:
// it is installed and listed, its own uninstaller runs and hands over to its copy,
// the prompt comes once the copy has ended, the scan lists exactly what the sample
// leaves behind, and Delete removes exactly what stays ticked.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "fixtures/SampleLayout.h"
#include "main/UninstallCommands.h"
#include "main/frmMain.h"
#include "support/MessagePump.h"
#include "support/Samples.h"
#include "support/Sandbox.h"
#include "sys/BackupFiles.h"
#include "sys/Files.h"
#include "ui/LanguageTable.h"
#include "uninstall/TickRules.h"
#include "uninstall/frmScanRemains.h"
#include "uninstall_gui/GuiTestSupport.h"

namespace {

using namespace uninstall_gui;
using testing_support::PumpMessagesUntil;

class UninstallRoad : public MainWindowTest {};

TEST_F(UninstallRoad, FromTheListThroughTheUninstallerToTheCleanedLeftovers) {
  testing_support::SampleDesc desc;
  desc.name = "PxRoadSample";
  testing_support::InstalledSample sample(desc);
  testing_support::SampleDesc otherDesc;
  otherDesc.name = "PxRoadOther";
  testing_support::InstalledSample other(otherDesc);
  const std::string d = sample.dir();
  const std::string publisher = testing_support::SamplePublisher(desc);

  forms::TMainForm form(config);
  ASSERT_TRUE(form.Create());
  form.show(SW_SHOWNOACTIVATE);
  tk::ListView& list = form.programPage().lsvProgramList;
  const int row = RowOf(list, desc.name);
  ASSERT_GE(row, 0) << "the list shows the installed sample";
  // The install folder as the Directory column gives it (the sample's ends in "\").
  const std::string top = list.itemText(row, 2);
  ASSERT_EQ(sys::ExcludeTrailingBackslash(top), d);
  list.selectOnly(row);
  testing_support::PumpMessagesFor(50);

  // What the user sees and does, recorded as it happens.
  struct AtPrompt {
    bool copyRunning = true;
    bool appFileThere = true;
  } atPrompt;
  RecordingAnswerer boxes([&](const tk::MessageBoxRequest& request) {
    if (request.flags == (MB_YESNO | MB_ICONWARNING)) {
      atPrompt.copyRunning = ProcessNamedRunning(sample::kHandoverCopyName);
      atPrompt.appFileThere = PathExists(d + "\\" + sample::kAppExe);
      return IDYES;
    }
    return IDOK;
  });

  forms::TScanForm* scan = nullptr;
  form.uninstallCommands().onScanFormCreated = [&](forms::TScanForm& f) { scan = &f; };
  std::set<std::string> regTree, fileTree, registryBefore, registryAfter, diskBefore, diskAfter;
  std::set<std::string> treeAfterDelete;
  uninstall::UninstallTarget scanTarget;
  bool allTicked = true, partlyAbove = false;
  int stage = 0;
  const std::string keep = d + "\\data\\user.cfg";
  TimerDriver driver([&] {
    if (!scan || !scan->hwnd()) return false;
    if (stage == 0) {
      if (!scan->scanned()) return false;
      scanTarget = scan->target();
      regTree = NodeTextSet(scan->tvScanRegInfo);
      fileTree = NodeTextSet(scan->tvScanFiles);
      for (const tk::TickTreeView* tree : {&scan->tvScanRegInfo, &scan->tvScanFiles})
        for (HTREEITEM node : tree->descendants(nullptr))
          allTicked = allTicked && tree->state(node) == uninstall::kTicked;
      registryBefore = SnapshotRegistry();
      diskBefore = SnapshotDisk(d);
      if (HTREEITEM node = FindNode(scan->tvScanFiles, keep)) ClickTickBox(scan->tvScanFiles, node);
      partlyAbove =
          scan->tvScanFiles.state(FindNode(scan->tvScanFiles, keep)) == uninstall::kUnticked &&
          scan->tvScanFiles.state(FindNode(scan->tvScanFiles, d + "\\data")) ==
              uninstall::kPartlyTicked &&
          scan->tvScanFiles.state(FindNode(scan->tvScanFiles, d)) == uninstall::kPartlyTicked;
      PostMessageA(scan->hwnd(), WM_COMMAND, MAKEWPARAM(forms::kIdScanDelete, BN_CLICKED),
                   reinterpret_cast<LPARAM>(scan->btnDelete.hwnd()));
      stage = 1;
      return false;
    }
    if (boxes.requests.size() < 2) return false;
    registryAfter = SnapshotRegistry();
    diskAfter = SnapshotDisk(d);
    treeAfterDelete = NodeTextSet(scan->tvScanFiles);
    for (const std::string& text : NodeTextSet(scan->tvScanRegInfo)) treeAfterDelete.insert(text);
    PostMessageA(scan->hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(scan->btnCancel.hwnd()));
    return true;
  });

  ASSERT_TRUE(form.actions().ActionUninstall.execute());
  // Another entry selected while the uninstaller runs: the scan still looks for the
  // program that was uninstalled.
  list.selectOnly(RowOf(list, otherDesc.name));
  ASSERT_TRUE(PumpMessagesUntil([&] { return driver.done(); }, 90000))
      << boxes.requests.size() << " boxes, stage " << stage;
  // The list is refreshed once the scan window has closed.
  ASSERT_TRUE(PumpMessagesUntil([&] { return RowOf(list, desc.name) < 0; }, 10000));
  EXPECT_GE(RowOf(list, otherDesc.name), 0);

  // One prompt, after the hand-over copy had ended and done its work.
  ASSERT_EQ(boxes.requests.size(), 2u);
  EXPECT_EQ(boxes.requests[0].text,
            forms::MessageText(ui::LangText(ui::IDS_MESSAGEBOX_WARNING_ScanRemains)));
  EXPECT_NE(boxes.requests[0].text.find("\r\nwould you like"), std::string::npos);
  EXPECT_EQ(boxes.requests[0].caption, "Prunaxis");
  EXPECT_FALSE(atPrompt.copyRunning);
  EXPECT_FALSE(atPrompt.appFileThere);
  EXPECT_EQ(boxes.requests[1].text, "Clean Succeeded!");
  EXPECT_EQ(scanTarget.keyName, desc.name);
  EXPECT_EQ(scanTarget.installDir, d);  // one spelling: no final backslash

  // The trees held exactly the sample's leftovers, all ticked.
  std::set<std::string> expectedKeys;
  std::vector<std::string> leftoverKeys;  // as the registry snapshot names them
  std::vector<std::string> shownKeys;     // as the scan and the backup name them
  for (const auto& key : sample::ProgramKeys(desc.name, publisher, false, false)) {
    if (!key.leftover) continue;
    const std::string path = "SOFTWARE" + key.path.substr(8);
    leftoverKeys.push_back(
        (key.hive == sample::Hive::CurrentUser ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\") +
        path);
    const std::string text = testing_support::ShownKeyText(sample::RootOf(key.hive), path);
    shownKeys.push_back(text);
    expectedKeys.insert(text);
    for (const char* value : sample::kKeyValueNames) expectedKeys.insert(text + "\\" + value);
    if (key.defaultValue) expectedKeys.insert(text + "\\");
  }
  EXPECT_EQ(regTree, expectedKeys);
  std::set<std::string> expectedFiles = {d};
  for (const auto& folder : sample::kProgramFolders)
    if (folder.leftover && folder.path[0] != '.') expectedFiles.insert(d + "\\" + folder.path);
  for (const auto& file : sample::kProgramFiles)
    if (file.leftover && file.path[0] != '.') expectedFiles.insert(d + "\\" + file.path);
  EXPECT_EQ(fileTree, expectedFiles);
  EXPECT_TRUE(allTicked);
  EXPECT_TRUE(partlyAbove) << "unticking one file makes its folders partly ticked";

  // Delete removed exactly the ticked rest: the three keys with everything below them,
  // and every listed file and folder but the kept file and its folders.
  std::set<std::string> expectedGone;
  for (const std::string& line : registryBefore)
    for (const std::string& key : leftoverKeys)
      if (line == key || line.starts_with(key + "\\")) expectedGone.insert(line);
  EXPECT_GT(expectedGone.size(), 15u);
  EXPECT_EQ(Minus(registryBefore, registryAfter), expectedGone);
  EXPECT_TRUE(Minus(registryAfter, registryBefore).empty());
  EXPECT_EQ(diskAfter, (std::set<std::string>{d, d + "\\data", keep, d + "\\.portable",
                                              d + "\\.cache", d + "\\.cache\\index.dat"}));
  EXPECT_EQ(treeAfterDelete, (std::set<std::string>{d, d + "\\data", keep}));

  // A registry backup of what went, named after the program.
  std::vector<std::string> backups = FilesIn(dir.file("Back up\\reg"));
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(backups[0].rfind(desc.name + "_", 0), 0u) << backups[0];
  const std::string text = sys::TextOfRegFile(FileText(dir.file("Back up\\reg\\") + backups[0]));
  for (const std::string& key : shownKeys)
    EXPECT_NE(text.find("[" + key + "]"), std::string::npos) << key;
}

}  // namespace
