// Two installed programs that share a publisher key, a folder and most of a name:
// uninstalling one leaves every part of the other as it was, even where the other
// keeps a key named after the first inside its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "main/frmMain.h"
#include "support/MessagePump.h"
#include "support/Samples.h"
#include "uninstall/TickRules.h"
#include "uninstall/frmScanRemains.h"
#include "uninstall_gui/GuiTestSupport.h"

namespace {

using namespace uninstall_gui;
using testing_support::PumpMessagesUntil;

class SharedPrograms : public MainWindowTest {};

std::set<std::string> LinesWith(const std::set<std::string>& lines, const std::string& part) {
  std::set<std::string> out;
  for (const std::string& line : lines)
    if (line.find(part) != std::string::npos) out.insert(line);
  return out;
}

TEST_F(SharedPrograms, UninstallingOneLeavesTheOtherWhole) {
  testing_support::SampleDesc notes;
  notes.name = "PxPairNotes";
  notes.publisher = "PxPair Soft";
  testing_support::InstalledSample notesSample(notes);
  testing_support::SampleDesc helper;
  helper.name = "PxPairNotes Helper";
  helper.publisher = notes.publisher;
  helper.dir = notesSample.dir() + "\\Helper";  // installed into the first one's folder
  testing_support::InstalledSample helperSample(helper);
  // The helper keeps a setting named after the program it helps, inside its own key.
  const std::string hostsKey = "SOFTWARE\\PxPair Soft\\PxPairNotes Helper\\Hosts\\PxPairNotes";
  CreateKey(HKEY_CURRENT_USER, hostsKey, {"Port"});
  const std::string d = notesSample.dir();
  const std::string h = helperSample.dir();

  forms::TMainForm form(config);
  ASSERT_TRUE(form.Create());
  form.show(SW_SHOWNOACTIVATE);
  tk::ListView& list = form.programPage().lsvProgramList;
  const int row = RowOf(list, notes.name);
  ASSERT_GE(row, 0);
  ASSERT_GE(RowOf(list, helper.name), 0);
  list.selectOnly(row);

  RecordingAnswerer boxes([](const tk::MessageBoxRequest& request) {
    return request.flags == (MB_YESNO | MB_ICONWARNING) ? IDYES : IDOK;
  });
  forms::TScanForm* scan = nullptr;
  form.uninstallCommands().onScanFormCreated = [&](forms::TScanForm& f) { scan = &f; };
  std::set<std::string> registryBefore, registryAfter, helperBefore, helperAfter, diskAfter;
  int hostsState = 0, helperFolderState = 0, ownKeyState = 0;
  std::string hostsText, hostsTip, helperFolderTip;
  int stage = 0;
  const std::string hostsShown = "HKEY_CURRENT_USER\\" + hostsKey;
  TimerDriver driver([&] {
    if (!scan || !scan->hwnd()) return false;
    if (stage == 0) {
      if (!scan->scanned()) return false;
      for (HTREEITEM node : scan->tvScanRegInfo.children(nullptr)) {
        const std::string text = scan->tvScanRegInfo.text(node);
        if (text.rfind(hostsShown, 0) == 0) {
          hostsText = text;
          hostsTip = scan->tvScanRegInfo.nodeTipText(node);
          hostsState = scan->tvScanRegInfo.state(node);
        }
        if (text == "HKEY_CURRENT_USER\\SOFTWARE\\PxPair Soft\\PxPairNotes")
          ownKeyState = scan->tvScanRegInfo.state(node);
      }
      for (HTREEITEM node : scan->tvScanFiles.descendants(nullptr))
        if (scan->tvScanFiles.text(node).rfind(h, 0) == 0 &&
            scan->tvScanFiles.text(node).find('\\', h.size()) == std::string::npos) {
          helperFolderState = scan->tvScanFiles.state(node);
          helperFolderTip = scan->tvScanFiles.nodeTipText(node);
        }
      registryBefore = SnapshotRegistry();
      helperBefore = SnapshotDisk(h);
      // Delete with everything as offered.
      PostMessageA(scan->hwnd(), WM_COMMAND, MAKEWPARAM(forms::kIdScanDelete, BN_CLICKED),
                   reinterpret_cast<LPARAM>(scan->btnDelete.hwnd()));
      stage = 1;
      return false;
    }
    if (boxes.requests.size() < 2) return false;
    registryAfter = SnapshotRegistry();
    helperAfter = SnapshotDisk(h);
    diskAfter = SnapshotDisk(d);
    PostMessageA(scan->hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(scan->btnCancel.hwnd()));
    return true;
  });
  ASSERT_TRUE(form.actions().ActionUninstall.execute());
  ASSERT_TRUE(PumpMessagesUntil([&] { return driver.done(); }, 90000))
      << boxes.requests.size() << " boxes, stage " << stage;

  // Offered: the program's own keys; shown but unticked: the helper's key and folder.
  EXPECT_EQ(ownKeyState, uninstall::kTicked);
  EXPECT_EQ(hostsState, uninstall::kUnticked);
  // The node's text is the key's path alone; who else uses it is in its tip.
  EXPECT_EQ(hostsText, hostsShown);
  EXPECT_NE(hostsTip.find("PxPairNotes Helper"), std::string::npos) << hostsTip;
  EXPECT_EQ(helperFolderState, uninstall::kUnticked);
  EXPECT_NE(helperFolderTip.find("PxPairNotes Helper"), std::string::npos) << helperFolderTip;

  // The helper is whole: its entry, its keys, its folder and files.
  EXPECT_FALSE(helperBefore.empty());
  EXPECT_EQ(helperAfter, helperBefore);
  EXPECT_EQ(LinesWith(registryAfter, "PxPairNotes Helper"),
            LinesWith(registryBefore, "PxPairNotes Helper"));
  EXPECT_FALSE(LinesWith(registryBefore, hostsShown).empty());
  // The program itself is gone but for the folder that holds the helper.
  for (const std::string& key : {"HKEY_CURRENT_USER\\SOFTWARE\\PxPairNotes",
                                 "HKEY_CURRENT_USER\\SOFTWARE\\PxPair Soft\\PxPairNotes",
                                 "HKEY_LOCAL_MACHINE\\SOFTWARE\\PxPairNotes"}) {
    EXPECT_EQ(registryAfter.count(key), 0u) << key;
    EXPECT_TRUE(LinesWith(registryAfter, key + "\\").empty()) << key;
  }
  std::set<std::string> expectedDisk = helperBefore;
  expectedDisk.insert(d);
  for (const char* dotted : {"\\.portable", "\\.cache", "\\.cache\\index.dat"})
    if (PathExists(d + dotted)) expectedDisk.insert(d + dotted);
  EXPECT_EQ(diskAfter, expectedDisk);
}

}  // namespace
