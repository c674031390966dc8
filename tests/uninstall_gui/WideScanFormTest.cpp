// The scan window over names in several scripts: it lists them as they are, and
// Delete removes exactly the ticked ones, never an unticked look-alike.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "support/MessagePump.h"
#include "support/Sandbox.h"
#include "sys/Text.h"
#include "uninstall/TickRules.h"
#include "uninstall/WideTestSupport.h"
#include "uninstall/frmScanRemains.h"
#include "uninstall_gui/GuiTestSupport.h"

namespace {

using namespace uninstall_gui;
using namespace wide_tests;
using testing_support::PumpMessagesUntil;

TEST(WideScanForm, DeleteRemovesExactlyTheTickedNamesAndLeavesTheLookAlike) {
  testing_support::TempDir temp;
  const settings::TSettings config = BackupSettings(temp.file("Back up\\reg\\"));
  const std::string app = temp.file("App");
  const std::string japanese = app + "\\" + U8(u8"日本");  // as long as its sibling "de"
  const std::string greek = app + "\\" + sys::Narrow(L"Ελληνικά\U0001F600.txt");
  const std::string russian = app + "\\" + U8(u8"Русский.dat");
  ASSERT_TRUE(MakeFolder(app));
  ASSERT_TRUE(MakeFolder(japanese));
  ASSERT_TRUE(MakeFile(japanese + "\\inner.txt"));
  ASSERT_TRUE(MakeFolder(app + "\\de"));
  ASSERT_TRUE(MakeFile(app + "\\de\\keep.txt"));
  ASSERT_TRUE(MakeFile(greek));
  ASSERT_TRUE(MakeFile(russian));

  // No key bears this name: only the file tree is filled.
  auto form = std::make_unique<forms::TScanForm>(
      config, uninstall::UninstallTarget{testing_support::UniqueName("PxWideGuiNoKey"), app});
  ASSERT_TRUE(form->Create(nullptr));
  form->show(SW_SHOWNOACTIVATE);
  ASSERT_TRUE(PumpMessagesUntil([&] { return !form->hwnd() || form->scanned(); }, 60000));
  ASSERT_TRUE(form->hwnd());
  EXPECT_EQ(NodeTextSet(form->tvScanFiles),
            (std::set<std::string>{app, japanese, japanese + "\\inner.txt", app + "\\de",
                                   app + "\\de\\keep.txt", greek, russian}));

  HTREEITEM de = FindNode(form->tvScanFiles, app + "\\de");
  ASSERT_TRUE(de);
  ClickTickBox(form->tvScanFiles, de);
  ASSERT_EQ(form->tvScanFiles.state(de), uninstall::kUnticked);
  ASSERT_EQ(form->tvScanFiles.state(FindNode(form->tvScanFiles, app)), uninstall::kPartlyTicked);

  RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDOK; });
  PostMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(forms::kIdScanDelete, BN_CLICKED),
               reinterpret_cast<LPARAM>(form->btnDelete.hwnd()));
  ASSERT_TRUE(PumpMessagesUntil([&] { return !boxes.requests.empty(); }, 10000));
  EXPECT_EQ(boxes.requests[0].text, "Clean Succeeded!");
  EXPECT_EQ(form->lastFailedCount(), 0u);
  EXPECT_EQ(SnapshotFolder(app),
            (std::set<std::string>{app, app + "\\de", app + "\\de\\keep.txt"}));
  // The tree keeps what is still there.
  EXPECT_EQ(NodeTextSet(form->tvScanFiles),
            (std::set<std::string>{app, app + "\\de", app + "\\de\\keep.txt"}));
  form->destroy();
}

}  // namespace
