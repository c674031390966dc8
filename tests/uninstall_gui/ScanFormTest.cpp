// The scan window over the real registry and disk of the test prefix: what it lists
// and ticks, what Delete removes, what it keeps and what it says about it.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <sddl.h>
#include <shlobj.h>

#include <memory>

#include "support/MessagePump.h"
#include "support/Sandbox.h"
#include "sys/BackupFiles.h"
#include "sys/Files.h"
#include "uninstall/ScanTrees.h"
#include "uninstall/TickRules.h"
#include "uninstall/frmScanRemains.h"
#include "uninstall_gui/GuiTestSupport.h"

namespace {

using namespace uninstall_gui;
using testing_support::PumpMessagesUntil;
using uninstall::kPartlyTicked;
using uninstall::kTicked;
using uninstall::kUnticked;

class ScanForm : public ::testing::Test {
 protected:
  void SetUp() override {
    config = BackupSettings(temp.file("Back up\\reg\\"));
    name = testing_support::UniqueName("PxScanGui");
    app = temp.file("App");
    CreateDirectoryA(app.c_str(), nullptr);
  }
  void TearDown() override {
    if (form) form->destroy();
  }

  // The text the registry tree gives a key below the sandbox.
  std::string KeyText(const std::string& sub) const {
    return "HKEY_CURRENT_USER\\SOFTWARE\\" + keys.path().substr(9) + "\\" + sub;
  }
  void Create(const std::string& installDir) {
    form = std::make_unique<forms::TScanForm>(config, uninstall::UninstallTarget{name, installDir});
    ASSERT_TRUE(form->Create(nullptr));
    form->show(SW_SHOWNOACTIVATE);
  }
  void WaitForScan() {
    ASSERT_TRUE(PumpMessagesUntil([&] { return !form->hwnd() || form->scanned(); }, 60000));
  }
  void Open(const std::string& installDir) {
    Create(installDir);
    WaitForScan();
  }
  void PressDelete() {
    PostMessageA(form->hwnd(), WM_COMMAND, MAKEWPARAM(forms::kIdScanDelete, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->btnDelete.hwnd()));
    testing_support::PumpMessagesFor(50);
  }
  // The sandbox's lines of a registry snapshot.
  std::set<std::string> SandboxLines() const {
    std::set<std::string> out;
    const std::string prefix = "HKEY_CURRENT_USER\\SOFTWARE\\" + keys.path().substr(9);
    for (const std::string& line : SnapshotRegistry())
      if (line.starts_with(prefix)) out.insert(line);
    return out;
  }
  int State(const tk::TickTreeView& tree, const std::string& text) {
    HTREEITEM node = FindNode(tree, text);
    EXPECT_TRUE(node) << text;
    return tree.state(node);
  }

  testing_support::TempDir temp;
  testing_support::RegSandbox keys;
  std::string name;
  std::string app;
  settings::TSettings config;  // outlives the window, which reads it at Delete
  std::unique_ptr<forms::TScanForm> form;
};

TEST_F(ScanForm, ListsTheProgramsKeysAndFilesAllTickedAfterItsTimer) {
  CreateKey(HKEY_CURRENT_USER, keys.sub("Vendor\\" + name), {"A", "B", ""});
  CreateKey(HKEY_CURRENT_USER, keys.sub("Vendor\\" + name + "x"), {"A"});
  // The same name in other letters is another name.
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  CreateKey(HKEY_CURRENT_USER, keys.sub("Other\\" + lower), {"A"});
  // A match holding a nested key of the same name, neither with values.
  CreateKey(HKEY_CURRENT_USER, keys.sub("Deep\\" + name + "\\Inner\\" + name));
  WriteTextFile(app + "\\a.txt");
  WriteTextFile(app + "\\hidden.ini", FILE_ATTRIBUTE_HIDDEN);
  WriteTextFile(app + "\\sys.bin", FILE_ATTRIBUTE_SYSTEM);
  WriteTextFile(app + "\\.portable");
  CreateDirectoryA((app + "\\.cache").c_str(), nullptr);
  WriteTextFile(app + "\\.cache\\index.dat");
  CreateDirectoryA((app + "\\sub").c_str(), nullptr);
  WriteTextFile(app + "\\sub\\b.txt");
  CreateDirectoryA((app + "\\empty").c_str(), nullptr);

  Create(app);
  // Before the timer's tick nothing is listed and both buttons wait.
  EXPECT_FALSE(form->scanned());
  EXPECT_EQ(form->tvScanRegInfo.count(), 0);
  EXPECT_FALSE(form->btnDelete.enabled());
  EXPECT_FALSE(form->btnCancel.enabled());
  WaitForScan();
  ASSERT_TRUE(form->hwnd());

  EXPECT_EQ(form->text(), "Scan Remains");
  EXPECT_EQ(form->lblScaning.text(), "Scaning:");
  EXPECT_EQ(form->lblRegInfoLeft.text(), "Unnecessary register info left: ");
  EXPECT_EQ(form->lblFileLeft.text(), "Unnecessary program files left: ");
  EXPECT_EQ(form->btnDelete.text(), "Delete");
  EXPECT_EQ(form->btnCancel.text(), "Cancel");
  EXPECT_TRUE(form->btnDelete.enabled());
  EXPECT_TRUE(form->btnCancel.enabled());
  EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
  RECT client{};
  GetClientRect(form->hwnd(), &client);
  EXPECT_EQ(client.right, forms::TScanForm::kClientWidth);
  EXPECT_EQ(client.bottom, forms::TScanForm::kClientHeight);

  const std::string key = KeyText("Vendor\\" + name);
  EXPECT_EQ(
      NodeTextSet(form->tvScanRegInfo),
      (std::set<std::string>{key, key + "\\A", key + "\\B", key + "\\", KeyText("Deep\\" + name),
                             KeyText("Deep\\" + name + "\\Inner\\" + name)}));
  // Values hang below their key; the nested key is a top-level node of its own.
  EXPECT_EQ(form->tvScanRegInfo.children(nullptr).size(), 3u);
  EXPECT_EQ(form->tvScanFiles.children(nullptr).size(), 1u);
  EXPECT_EQ(form->tvScanFiles.text(form->tvScanFiles.children(nullptr)[0]), app);
  // Hidden and system files are listed; dot-names and what is below them are not.
  EXPECT_EQ(NodeTextSet(form->tvScanFiles),
            (std::set<std::string>{app, app + "\\a.txt", app + "\\hidden.ini", app + "\\sys.bin",
                                   app + "\\sub", app + "\\sub\\b.txt", app + "\\empty"}));
  for (const tk::TickTreeView* tree : {&form->tvScanRegInfo, &form->tvScanFiles})
    for (HTREEITEM node : tree->descendants(nullptr))
      EXPECT_EQ(tree->state(node), kTicked) << tree->text(node);
  EXPECT_EQ(uninstall::NodeKind(form->tvScanFiles, FindNode(form->tvScanFiles, app + "\\sub")),
            uninstall::LeftoverKind::Folder);

  // Closing changes nothing.
  const auto before = SandboxLines();
  PostMessageA(form->hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(form->btnCancel.hwnd()));
  ASSERT_TRUE(PumpMessagesUntil([&] { return !form->hwnd(); }, 30000));
  EXPECT_EQ(SandboxLines(), before);
  EXPECT_TRUE(PathExists(app + "\\sub\\b.txt"));
}

TEST_F(ScanForm, DeleteRemovesWhatStaysTickedAndKeepsWhatWasUnticked) {
  const std::string whole = KeyText("Vendor\\" + name);
  const std::string partly = KeyText("Tools\\" + name);
  CreateKey(HKEY_CURRENT_USER, keys.sub("Vendor\\" + name), {"A", "B"});
  CreateKey(HKEY_CURRENT_USER, keys.sub("Vendor\\" + name + "\\Settings"), {"Theme"});
  CreateKey(HKEY_CURRENT_USER, keys.sub("Tools\\" + name), {"X", "Y"});
  CreateDirectoryA((app + "\\sub").c_str(), nullptr);
  CreateDirectoryA((app + "\\sub\\nested").c_str(), nullptr);
  CreateDirectoryA((app + "\\sub\\nested\\deeper").c_str(), nullptr);
  CreateDirectoryA((app + "\\sub\\empty").c_str(), nullptr);
  WriteTextFile(app + "\\sub\\keep.txt");
  WriteTextFile(app + "\\sub\\b.txt", FILE_ATTRIBUTE_READONLY);
  WriteTextFile(app + "\\sub\\nested\\deeper\\c.txt");
  WriteTextFile(app + "\\a.txt");
  WriteTextFile(app + "\\.portable");
  Open(app);
  ASSERT_TRUE(form->hwnd());

  // Any mouse button toggles a box; the folders above follow.
  ClickTickBox(form->tvScanFiles, FindNode(form->tvScanFiles, app + "\\sub\\keep.txt"), VK_RBUTTON);
  EXPECT_EQ(State(form->tvScanFiles, app + "\\sub\\keep.txt"), kUnticked);
  EXPECT_EQ(State(form->tvScanFiles, app + "\\sub"), kPartlyTicked);
  EXPECT_EQ(State(form->tvScanFiles, app), kPartlyTicked);
  EXPECT_EQ(State(form->tvScanFiles, app + "\\sub\\nested"), kTicked);
  ClickTickBox(form->tvScanRegInfo, FindNode(form->tvScanRegInfo, partly + "\\Y"));
  EXPECT_EQ(State(form->tvScanRegInfo, partly + "\\Y"), kUnticked);
  EXPECT_EQ(State(form->tvScanRegInfo, partly), kPartlyTicked);
  // A click beside the box (on the text) changes nothing.
  HTREEITEM a = FindNode(form->tvScanFiles, app + "\\a.txt");
  const RECT text = form->tvScanFiles.nodeRect(a, true);
  PostMessageA(form->tvScanFiles.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM(text.left + 5, (text.top + text.bottom) / 2));
  PostMessageA(form->tvScanFiles.hwnd(), WM_LBUTTONUP, 0,
               MAKELPARAM(text.left + 5, (text.top + text.bottom) / 2));
  testing_support::PumpMessagesFor(60);
  EXPECT_EQ(form->tvScanFiles.state(a), kTicked);

  const auto registryBefore = SandboxLines();
  const auto diskBefore = SnapshotDisk(app);
  RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDOK; });
  PressDelete();
  const auto registryAfter = SandboxLines();

  ASSERT_EQ(boxes.requests.size(), 1u);
  EXPECT_EQ(boxes.requests[0].text, "Clean Succeeded!");
  EXPECT_EQ(boxes.requests[0].caption, "Prunaxis");
  EXPECT_EQ(boxes.requests[0].flags, static_cast<UINT>(MB_OK));
  EXPECT_EQ(form->lastFailedCount(), 0u);

  // Registry: the ticked key with everything below it and the ticked value, nothing else.
  std::set<std::string> expectedGone;
  for (const std::string& line : registryBefore)
    if (line == whole || line.starts_with(whole + "\\") || line.starts_with(partly + "\\X="))
      expectedGone.insert(line);
  EXPECT_EQ(expectedGone.size(), 6u);
  EXPECT_EQ(Minus(registryBefore, registryAfter), expectedGone);
  EXPECT_TRUE(Minus(registryAfter, registryBefore).empty());
  // Disk: the kept file with its folder and the never-listed dot file stay; a ticked
  // folder goes as a folder, whatever it holds, and so does an empty one.
  EXPECT_EQ(SnapshotDisk(app), (std::set<std::string>{app, app + "\\sub", app + "\\sub\\keep.txt",
                                                      app + "\\.portable"}));
  EXPECT_TRUE(Minus(SnapshotDisk(app), diskBefore).empty());

  // The trees keep what is still there.
  EXPECT_EQ(NodeTextSet(form->tvScanRegInfo), (std::set<std::string>{partly, partly + "\\Y"}));
  EXPECT_EQ(NodeTextSet(form->tvScanFiles),
            (std::set<std::string>{app, app + "\\sub", app + "\\sub\\keep.txt"}));
  EXPECT_EQ(State(form->tvScanFiles, app + "\\sub\\keep.txt"), kUnticked);
  EXPECT_EQ(State(form->tvScanFiles, app), kUnticked);
  EXPECT_EQ(State(form->tvScanRegInfo, partly), kUnticked);

  // The registry backup holds what was deleted, named after the program.
  const std::string backupDir = config.paths().RegBackupDir;
  ASSERT_EQ(form->lastBackupFile().rfind(backupDir + name + "_", 0), 0u) << form->lastBackupFile();
  EXPECT_EQ(FilesIn(sys::ExcludeTrailingBackslash(backupDir)).size(), 1u);
  std::string backup;
  {
    HANDLE file = CreateFileA(form->lastBackupFile().c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    backup.resize(GetFileSize(file, nullptr));
    DWORD got = 0;
    ReadFile(file, backup.data(), static_cast<DWORD>(backup.size()), &got, nullptr);
    CloseHandle(file);
  }
  // The registry editor's own format: UTF-16LE after its byte order mark.
  ASSERT_EQ(backup.substr(0, 2), "\xFF\xFE");
  backup = sys::TextOfRegFile(backup);
  EXPECT_NE(backup.find("[" + whole + "]\r\n"), std::string::npos) << backup;
  EXPECT_NE(backup.find("[" + whole + "\\Settings]\r\n"), std::string::npos) << backup;
  EXPECT_NE(backup.find("[" + partly + "]\r\n\"X\"=\"v\""), std::string::npos) << backup;
  EXPECT_EQ(backup.find("\"Y\""), std::string::npos) << "an unticked value is not exported";
}

TEST_F(ScanForm, WhatCouldNotBeRemovedStaysListedAndIsCounted) {
  const std::string key = KeyText("Vendor\\" + name);
  CreateKey(HKEY_CURRENT_USER, keys.sub("Vendor\\" + name), {"A"});
  WriteTextFile(app + "\\locked.txt");
  WriteTextFile(app + "\\free.txt");
  // A file standing where the backup folder should be: no backup, so no registry deletion.
  const std::string blocked = temp.file("Blocked");
  WriteTextFile(blocked);
  config = BackupSettings(blocked + "\\reg\\");
  Open(app);
  ASSERT_TRUE(form->hwnd());

  // Held open without delete sharing, the file cannot go, nor its folder.
  HANDLE held = CreateFileA((app + "\\locked.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDOK; });
  PressDelete();
  CloseHandle(held);
  ASSERT_EQ(boxes.requests.size(), 1u);
  EXPECT_EQ(boxes.requests[0].text, "2 items could not be removed.");
  EXPECT_EQ(boxes.requests[0].flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
  EXPECT_EQ(form->lastFailedCount(), 2u);
  EXPECT_TRUE(form->lastBackupFile().empty());
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, keys.sub("Vendor\\" + name)));
  EXPECT_EQ(NodeTextSet(form->tvScanRegInfo), (std::set<std::string>{key, key + "\\A"}));
  // Exactly what is still on disk is still listed.
  std::set<std::string> listed;
  for (const std::string& path : {app, app + "\\locked.txt", app + "\\free.txt"})
    if (PathExists(path)) listed.insert(path);
  EXPECT_TRUE(listed.count(app + "\\locked.txt"));
  EXPECT_EQ(NodeTextSet(form->tvScanFiles), listed);

  // Once the file is free, the rest goes; the registry still waits for its backup.
  PressDelete();
  ASSERT_EQ(boxes.requests.size(), 2u);
  EXPECT_EQ(boxes.requests[1].text, "1 items could not be removed.");
  EXPECT_FALSE(PathExists(app));
  EXPECT_EQ(form->tvScanFiles.count(), 0);

  // With a backup folder the key goes too; with the file tree empty nothing is said.
  config = BackupSettings(temp.file("Back up\\reg\\"));
  PressDelete();
  EXPECT_EQ(boxes.requests.size(), 2u);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, keys.sub("Vendor\\" + name)));
  EXPECT_EQ(form->tvScanRegInfo.count(), 0);
  EXPECT_FALSE(form->lastBackupFile().empty());
}

TEST_F(ScanForm, WhenTheProgramSeemsStillInstalledNothingIsTickedOrRemoved) {
  CreateKey(HKEY_CURRENT_USER, keys.sub("Vendor\\" + name), {"A"});
  CreateDirectoryA((app + "\\sub").c_str(), nullptr);
  WriteTextFile(app + "\\sub\\b.txt");
  uninstall::UninstallTarget target{name, app};
  target.uninstalled = false;
  form = std::make_unique<forms::TScanForm>(config, target);
  ASSERT_TRUE(form->Create(nullptr));
  form->show(SW_SHOWNOACTIVATE);
  WaitForScan();
  ASSERT_TRUE(form->hwnd());
  EXPECT_EQ(NodeTextSet(form->tvScanRegInfo).size(), 2u);
  EXPECT_EQ(NodeTextSet(form->tvScanFiles).size(), 3u);
  for (const tk::TickTreeView* tree : {&form->tvScanRegInfo, &form->tvScanFiles})
    for (HTREEITEM node : tree->descendants(nullptr))
      EXPECT_EQ(tree->state(node), kUnticked) << tree->text(node);
  const auto before = SandboxLines();
  RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDOK; });
  PressDelete();
  EXPECT_EQ(SandboxLines(), before);
  EXPECT_TRUE(PathExists(app + "\\sub\\b.txt"));
}

TEST_F(ScanForm, NothingFoundSaysSoAndCloses) {
  RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDOK; });
  Open(temp.file("Missing"));
  ASSERT_EQ(boxes.requests.size(), 1u);
  EXPECT_EQ(boxes.requests[0].text, "No files or registry keys left!");
  EXPECT_EQ(boxes.requests[0].caption, "Prunaxis");
  EXPECT_EQ(boxes.requests[0].flags, static_cast<UINT>(MB_OK));
  EXPECT_TRUE(PumpMessagesUntil([&] { return !form->hwnd(); }, 30000)) << "the window closes";
}

TEST_F(ScanForm, AProtectedInstallFolderLeavesTheFileTreeEmpty) {
  CreateKey(HKEY_CURRENT_USER, keys.sub("Vendor\\" + name), {"A"});
  char programFiles[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(
      SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles)));
  const auto before = SnapshotDisk(programFiles);
  Open(std::string(programFiles) + "\\");
  ASSERT_TRUE(form->hwnd());
  EXPECT_EQ(form->tvScanFiles.count(), 0);
  EXPECT_EQ(form->tvScanRegInfo.count(), 2);

  RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDOK; });
  PressDelete();
  EXPECT_TRUE(boxes.requests.empty()) << boxes.requests[0].text;
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, keys.sub("Vendor\\" + name)));
  EXPECT_EQ(SnapshotDisk(programFiles), before);
}

TEST_F(ScanForm, LinksAreListedNeverEnteredAndRemovedAlone) {
  const std::string target = temp.file("Target");
  CreateDirectoryA(target.c_str(), nullptr);
  WriteTextFile(target + "\\precious.txt");
  CreateDirectoryA((app + "\\sub").c_str(), nullptr);
  WriteTextFile(app + "\\sub\\b.txt");
  WriteTextFile(app + "\\a.txt");
  const FolderLink made = MakeDirectoryLink(app + "\\link", target);
  ASSERT_NE(made, FolderLink::None) << "error " << GetLastError();
  ASSERT_EQ(MakeDirectoryLink(app + "\\sub\\inner", target), made);
  Open(app);
  ASSERT_TRUE(form->hwnd());
  EXPECT_EQ(NodeTextSet(form->tvScanFiles),
            (std::set<std::string>{app, app + "\\a.txt", app + "\\link", app + "\\sub",
                                   app + "\\sub\\b.txt", app + "\\sub\\inner"}));
  EXPECT_EQ(uninstall::NodeKind(form->tvScanFiles, FindNode(form->tvScanFiles, app + "\\link")),
            uninstall::LeftoverKind::Link);

  // Keep a.txt: the links go on their own, and so does the folder holding one.
  ClickTickBox(form->tvScanFiles, FindNode(form->tvScanFiles, app + "\\a.txt"));
  RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDOK; });
  PressDelete();
  ASSERT_EQ(boxes.requests.size(), 1u);
  EXPECT_TRUE(PathExists(target + "\\precious.txt")) << "the link's target is not touched";
  if (made == FolderLink::Junction) {
    EXPECT_EQ(boxes.requests[0].text, "Clean Succeeded!");
    EXPECT_EQ(SnapshotDisk(app), (std::set<std::string>{app, app + "\\a.txt"}));
    return;
  }
  // Wine's Unix links cannot be removed by a Windows program: they are reported, not
  // claimed removed, and what holds one stays too.
  EXPECT_EQ(boxes.requests[0].text, "2 items could not be removed.");  // the two links
  EXPECT_EQ(SnapshotDisk(app), (std::set<std::string>{app, app + "\\a.txt", app + "\\link",
                                                      app + "\\sub", app + "\\sub\\inner"}));
  RemoveDirectoryLink(app + "\\link");
  RemoveDirectoryLink(app + "\\sub\\inner");
}

bool SetKeyDacl(const std::string& path, PSECURITY_DESCRIPTOR sd) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
    return false;
  LONG rc = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

// Gives the keys full rights again however the test ends, so that its sandbox key
// can still be deleted.
struct KeyRightsBack {
  std::string parent, child;
  PSECURITY_DESCRIPTOR readOnly = nullptr, open = nullptr;
  ~KeyRightsBack() {
    if (open) {
      SetKeyDacl(parent, open);
      SetKeyDacl(child, open);
    }
    LocalFree(readOnly);
    LocalFree(open);
  }
};

TEST_F(ScanForm, KeysThatOpenOnlyForReadingAreSearched) {
  const std::string parent = keys.sub("Locked");
  CreateKey(HKEY_CURRENT_USER, parent + "\\" + name, {"A"});
  // Everyone may read these keys; nobody may change them.
  KeyRightsBack rights{parent, parent + "\\" + name};
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
      "D:P(A;CI;KA;;;WD)", SDDL_REVISION_1, &rights.open, nullptr));
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
      "D:P(A;CI;KR;;;WD)", SDDL_REVISION_1, &rights.readOnly, nullptr));
  ASSERT_TRUE(SetKeyDacl(rights.child, rights.readOnly));
  ASSERT_TRUE(SetKeyDacl(parent, rights.readOnly));
  HKEY probe = nullptr;
  const bool writable =
      RegOpenKeyExA(HKEY_CURRENT_USER, parent.c_str(), 0, KEY_ALL_ACCESS, &probe) == ERROR_SUCCESS;
  if (probe) RegCloseKey(probe);
  if (!writable) {
    Open(temp.file("Missing"));
    ASSERT_TRUE(form->hwnd());
    EXPECT_EQ(
        NodeTextSet(form->tvScanRegInfo),
        (std::set<std::string>{KeyText("Locked\\" + name), KeyText("Locked\\" + name) + "\\A"}));
  }
  if (writable) GTEST_SKIP() << "this registry does not enforce key permissions";
}

}  // namespace
