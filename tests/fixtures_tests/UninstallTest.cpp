// SampleUninstall.exe, run for real on installs made by SampleSetup.exe: the hand-over
// to a copy of itself, and exactly the documented leftovers afterwards.
#include <gtest/gtest.h>

#include "FixtureTestUtil.h"
#include "fixtures/SampleLayout.h"
#include "support/Samples.h"
#include "support/Sandbox.h"
#include "sys/Files.h"

using namespace fixture_tests;
using testing_support::InstalledSample;
using testing_support::SampleDesc;

namespace {

constexpr DWORD kGenerous = 30000;  // ms; only a hang comes near it

std::string EntryUninstallString(const SampleDesc& desc) {
  return RegText(sample::EntryRoot(desc.perUser), sample::EntryKeyPath(desc.name),
                 "UninstallString")
      .value_or("");
}

struct Handover {
  DWORD launchedId = 0;
  bool launchedEnded = false;
  DWORD launchedExit = 0;
  std::vector<ProcessInfo> children;
  long childNtParent = -1;
  bool entryPresentDuringHandover = false;
  bool copyEnded = false;
  DWORD copyExit = 0;
};

// What a failed hand-over saw: whether the uninstaller ended, and the processes it
// started (a crash shows here as the debugger Wine starts for it).
std::string Seen(const Handover& h) {
  std::string text = h.launchedEnded ? "ended; children:" : "did not end; children:";
  for (const auto& child : h.children) text += " " + child.exeFile;
  return text;
}

// Starts `command`, waits for it, then for the first process it started.
Handover RunWithHandover(const std::string& command, const SampleDesc& desc) {
  Handover h;
  Started launched = Start(command);
  if (!launched) return h;
  h.launchedId = launched.id;
  h.launchedEnded = WaitForSingleObject(launched.process.get(), kGenerous) == WAIT_OBJECT_0;
  h.launchedExit = ExitCodeOf(launched.process.get());
  h.children = ChildrenOf(launched.id);
  if (h.children.empty()) return h;
  h.entryPresentDuringHandover =
      KeyExists(sample::EntryRoot(desc.perUser), sample::EntryKeyPath(desc.name));
  h.childNtParent = NtParentId(h.children.front().id);
  sys::UniqueHandle copy(
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, h.children.front().id));
  if (!copy) return h;
  h.copyEnded = WaitForSingleObject(copy.get(), kGenerous) == WAIT_OBJECT_0;
  h.copyExit = ExitCodeOf(copy.get());
  return h;
}

void ExpectLeftoversOnly(const SampleDesc& desc, const std::string& dir, bool uninstallerStays) {
  EXPECT_FALSE(KeyExists(sample::EntryRoot(desc.perUser), sample::EntryKeyPath(desc.name)));
  EXPECT_EQ(ListTree(dir), LeftoverItems(false, uninstallerStays));
  const std::string publisher = testing_support::SamplePublisher(desc);
  for (const sample::ExpandedKey& key :
       sample::ProgramKeys(desc.name, publisher, desc.perUser, false)) {
    HKEY root = sample::RootOf(key.hive);
    EXPECT_EQ(KeyExists(root, key.path), key.leftover) << key.path;
    if (key.leftover) {
      EXPECT_EQ(RegText(root, key.path, "InstallPath").value_or(""), dir) << key.path;
      EXPECT_TRUE(KeyExists(root, key.path + "\\" + sample::kKeySubKey)) << key.path;
    }
  }
  EXPECT_FALSE(RegText(HKEY_CURRENT_USER, sample::kRunKey, desc.name).has_value());
  EXPECT_FALSE(RegText(HKEY_LOCAL_MACHINE, sample::kRunKey, desc.name).has_value());
  for (int csidl : {CSIDL_STARTUP, CSIDL_COMMON_STARTUP})
    EXPECT_FALSE(sys::FileExists(sample::ShellFolder(csidl) + desc.name + ".lnk"));
}

// Installs everything, checks that it is all there before the uninstaller runs.
void ExpectFullInstall(const SampleDesc& desc, const std::string& dir) {
  EXPECT_TRUE(KeyExists(sample::EntryRoot(desc.perUser), sample::EntryKeyPath(desc.name)));
  EXPECT_EQ(ListTree(dir), InstalledItems(desc.patch));
  for (const sample::ExpandedKey& key : sample::ProgramKeys(
           desc.name, testing_support::SamplePublisher(desc), desc.perUser, desc.patch))
    EXPECT_TRUE(KeyExists(sample::RootOf(key.hive), key.path)) << key.path;
}

// The dialog box that `process` shows, answered with `button`; returns its caption.
std::string AnswerDialog(DWORD processId, int button) {
  HWND dialog = WaitForWindowOf(processId, "#32770", kGenerous);
  if (!dialog) return "<no dialog>";
  std::string caption = WindowText(dialog);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  for (DWORD start = GetTickCount(); IsWindow(dialog) && GetTickCount() - start < kGenerous;)
    Sleep(20);
  return caption;
}

}  // namespace

TEST(SampleUninstall, HandsOverToACopyOfItselfAndExitsAtOnce) {
  SampleDesc desc;
  desc.name = UniqueSampleName("Handover");
  desc.publisher = "Handover Soft";
  desc.run = true;
  desc.startup = true;
  InstalledSample app(desc);

  // The copy waits long enough for the hand-over to be watched.
  Handover h = RunWithHandover(EntryUninstallString(desc) + " /wait=4000", desc);
  ASSERT_TRUE(h.launchedEnded);
  EXPECT_EQ(h.launchedExit, 0u);
  ASSERT_EQ(h.children.size(), 1u) << Seen(h);
  EXPECT_EQ(h.children.front().exeFile, sample::kHandoverCopyName);
  EXPECT_EQ(h.childNtParent, static_cast<long>(h.launchedId));
  EXPECT_TRUE(h.entryPresentDuringHandover) << "the copy removed before its wait was over";
  ASSERT_TRUE(h.copyEnded);
  EXPECT_EQ(h.copyExit, 0u);

  ExpectLeftoversOnly(desc, app.dir(), /*uninstallerStays=*/false);
  EXPECT_TRUE(sys::FileExists(sample::HandoverCopyPath(desc.name)));
  // The machine key below the publisher went, and the publisher key with it.
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Handover Soft"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Handover Soft\\" + desc.name));
}

TEST(SampleUninstall, PerUserUninstallLeavesOnlyUserKeys) {
  SampleDesc desc;
  desc.name = UniqueSampleName("UserGone");
  desc.perUser = true;
  desc.run = true;
  desc.startup = true;
  InstalledSample app(desc);
  ExpectFullInstall(desc, app.dir());

  Handover h = RunWithHandover(EntryUninstallString(desc) + " /wait=2000", desc);
  ASSERT_EQ(h.children.size(), 1u) << Seen(h);
  ASSERT_TRUE(h.copyEnded);
  EXPECT_EQ(h.copyExit, 0u);
  ExpectLeftoversOnly(desc, app.dir(), false);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\" + desc.name));
}

TEST(SampleUninstall, WithoutHandoverItWorksItselfAndItsOwnFileStays) {
  SampleDesc desc;
  desc.name = UniqueSampleName("NoHandover");
  InstalledSample app(desc);

  Started run = Start(EntryUninstallString(desc) + " /nohandover");
  ASSERT_TRUE(run);
  ASSERT_EQ(WaitForSingleObject(run.process.get(), kGenerous), WAIT_OBJECT_0);
  EXPECT_EQ(ExitCodeOf(run.process.get()), 0u);
  EXPECT_TRUE(ChildrenOf(run.id).empty());
  EXPECT_FALSE(sys::DirectoryExists(sample::HandoverFolder(desc.name)));
  ExpectLeftoversOnly(desc, app.dir(), /*uninstallerStays=*/true);
}

TEST(SampleUninstall, FailOptionRemovesNothing) {
  SampleDesc desc;
  desc.name = UniqueSampleName("Fail");
  desc.run = true;
  InstalledSample app(desc);

  Started direct = Start(EntryUninstallString(desc) + " /fail /nohandover");
  ASSERT_TRUE(direct);
  ASSERT_EQ(WaitForSingleObject(direct.process.get(), kGenerous), WAIT_OBJECT_0);
  EXPECT_EQ(ExitCodeOf(direct.process.get()), 1u);
  ExpectFullInstall(desc, app.dir());

  // Handed over, the copy fails just the same.
  Handover h = RunWithHandover(EntryUninstallString(desc) + " /fail /wait=500", desc);
  EXPECT_EQ(h.launchedExit, 0u);
  ASSERT_EQ(h.children.size(), 1u) << Seen(h);
  ASSERT_TRUE(h.copyEnded);
  EXPECT_EQ(h.copyExit, 1u);
  ExpectFullInstall(desc, app.dir());
  EXPECT_TRUE(RegText(HKEY_LOCAL_MACHINE, sample::kRunKey, desc.name).has_value());
}

TEST(SampleUninstall, PatchRemovesItsFolderCompletely) {
  SampleDesc desc;
  desc.name = "KB" + std::to_string(GetTickCount() % 900000 + 100000);
  desc.patch = true;
  InstalledSample patch(desc);
  ExpectFullInstall(desc, patch.dir());

  Handover h = RunWithHandover(EntryUninstallString(desc) + " /wait=1500", desc);
  ASSERT_EQ(h.children.size(), 1u) << Seen(h);
  ASSERT_TRUE(h.copyEnded);
  EXPECT_EQ(h.copyExit, 0u);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, sample::EntryKeyPath(desc.name)));
  EXPECT_FALSE(sys::DirectoryExists(patch.dir()));
}

TEST(SampleUninstall, AsksUnlessSilentAndNoKeepsEverything) {
  SampleDesc desc;
  desc.name = UniqueSampleName("Asks");
  desc.uninstallArgs = "";
  InstalledSample app(desc);
  const std::string command = EntryUninstallString(desc) + " /nohandover";
  ASSERT_EQ(command.find("/S"), std::string::npos);

  Started declined = Start(command);
  ASSERT_TRUE(declined);
  EXPECT_EQ(AnswerDialog(declined.id, IDNO), desc.name + " Uninstall");
  ASSERT_TRUE(WaitPumping(declined.process.get(), kGenerous));
  EXPECT_EQ(ExitCodeOf(declined.process.get()), 1u);
  ExpectFullInstall(desc, app.dir());

  Started accepted = Start(command);
  ASSERT_TRUE(accepted);
  EXPECT_EQ(AnswerDialog(accepted.id, IDYES), desc.name + " Uninstall");
  EXPECT_EQ(AnswerDialog(accepted.id, IDOK), desc.name + " Uninstall");  // "was removed"
  ASSERT_TRUE(WaitPumping(accepted.process.get(), kGenerous));
  EXPECT_EQ(ExitCodeOf(accepted.process.get()), 0u);
  ExpectLeftoversOnly(desc, app.dir(), true);
}

TEST(SampleUninstall, RefusesFoldersWithoutAnInstallRecordAndBadOptions) {
  testing_support::TempDir temp;
  const std::string copy = temp.file(sample::kUninstallerExe);
  ASSERT_TRUE(CopyFileA((testing_support::FixturesDir() + sample::kUninstallerExe).c_str(),
                        copy.c_str(), FALSE));
  ASSERT_TRUE(sys::WriteFileBytes(temp.file("keep.txt"), "mine"));

  for (const char* args : {" /S", " /S /nohandover"}) {
    auto run = testing_support::RunProcess("\"" + copy + "\"" + args, kGenerous);
    ASSERT_TRUE(run.finished) << args;
    EXPECT_EQ(run.exitCode, 3u) << args;
  }
  EXPECT_TRUE(sys::FileExists(temp.file("keep.txt")));
  EXPECT_TRUE(sys::FileExists(copy));

  EXPECT_EQ(testing_support::RunProcess("\"" + copy + "\" /S /wait=soon", kGenerous).exitCode, 2u);
  EXPECT_EQ(testing_support::RunProcess("\"" + copy + "\" /quiet", kGenerous).exitCode, 2u);
}
