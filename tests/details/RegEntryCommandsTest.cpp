// One entry's export, reload and registry editor jump, with the prefix's real
// registry editor: the tests wait for it to end (or end it), then check the file
// and the registry, since the editor itself reports nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/Settings.h"
#include "backup/RegEntryCommands.h"
#include "details/DetailsFixture.h"
#include "support/Sandbox.h"
#include "sys/ComInit.h"
#include "sys/Files.h"
#include "sys/Registry.h"

using namespace details_test;

namespace {

constexpr DWORD kEditorTimeoutMs = 30000;

// The editor's settings value, restored after the test.
class SavedLastKey {
 public:
  SavedLastKey() {
    sys::Registry reg(HKEY_CURRENT_USER);
    existed_ = reg.openKeyReadOnly(std::string("\\") + backup::kRegeditSettingsKey);
    if (existed_) value_ = reg.readString("LastKey");
  }
  ~SavedLastKey() {
    sys::Registry reg(HKEY_CURRENT_USER);
    if (!existed_) {
      reg.deleteKey(std::string("\\") + backup::kRegeditSettingsKey);
      return;
    }
    if (!reg.openKey(std::string("\\") + backup::kRegeditSettingsKey, true)) return;
    if (value_)
      reg.writeString("LastKey", *value_);
    else
      reg.deleteValue("LastKey");
  }

 private:
  bool existed_ = false;
  std::optional<std::string> value_;
};

std::optional<std::string> LastKey() {
  sys::Registry reg(HKEY_CURRENT_USER);
  if (!reg.openKeyReadOnly(std::string("\\") + backup::kRegeditSettingsKey)) return std::nullopt;
  return reg.readString("LastKey");
}

class RegEntryCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterComponent();
    entry.strings["Publisher"] = "Export Corp";
    entry.strings["DisplayVersion"] = "4.1";
    entry.dwords["EstimatedSize"] = 77;
    // Where a 32-bit installer writes its entry on 64-bit Windows; the editor that
    // this 32-bit program starts reaches it on Windows and under Wine alike.
    entry.view = KEY_WOW64_32KEY;
    installed = std::make_unique<InstalledEntries>(std::vector<TestEntry>{entry});
    programs.LoadPrograms();
    index = static_cast<int>(IndexOf(programs, entry.keyName));
    settings::TPaths paths;
    paths.RegBackupDir = dir.file("Back up\\reg\\");
    config = settings::TSettings(paths);
  }

  // The entry's key as the editor names it.
  std::string entryPath() const {
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    return std::string(wow64 ? "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\"
                               "CurrentVersion\\Uninstall\\"
                             : kMachineUninstallPath) +
           entry.keyName;
  }
  // Exports the entry into `file` and waits for the editor.
  void exportTo(const std::string& file) {
    ScriptedFileDialogs dialogs;
    dialogs.answer(file);
    sys::UniqueHandle editor = backup::ExecuteExportReg(nullptr, config, programs, index);
    ASSERT_TRUE(editor);
    ASSERT_TRUE(WaitForEditor(editor.get(), kEditorTimeoutMs));
  }

  sys::ComApartment com;
  testing_support::TempDir dir;
  TestEntry entry = NamedEntry("RegExport", "Reg Export Program");
  std::unique_ptr<InstalledEntries> installed;
  inventory::TProgramList programs;
  int index = -1;
  settings::TSettings config;  // only RegBackupDir, in the test's folder
};

}  // namespace

TEST_F(RegEntryCommands, ExportWritesTheChosenFileWithTheEntry) {
  ASSERT_TRUE(sys::ForceDirectories(config.paths().RegBackupDir));
  // A folder other than the proposed one, and not the process's current folder.
  ASSERT_TRUE(sys::ForceDirectories(dir.file("elsewhere")));
  const std::string file = dir.file("elsewhere\\Chosen Name.reg");
  ScriptedFileDialogs dialogs;
  dialogs.answer(file);
  sys::UniqueHandle editor = backup::ExecuteExportReg(nullptr, config, programs, index);
  ASSERT_EQ(dialogs.requests().size(), 1u);
  const tk::FileDialogRequest& asked = dialogs.requests()[0];
  EXPECT_TRUE(asked.save);
  EXPECT_EQ(asked.filter, "Registration Files(*.reg)|*.reg");
  EXPECT_EQ(asked.fileName, entry.keyName + ".reg");
  EXPECT_EQ(asked.defaultExt, "reg");
  EXPECT_EQ(asked.initialDir, config.paths().RegBackupDir);
  EXPECT_EQ(asked.flags & OFN_OVERWRITEPROMPT, 0u);  // no question for an existing file
  EXPECT_NE(asked.flags & OFN_PATHMUSTEXIST, 0u);
  EXPECT_NE(asked.flags & OFN_NOCHANGEDIR, 0u);  // the current folder stays put

  ASSERT_TRUE(editor);
  ASSERT_TRUE(WaitForEditor(editor.get(), kEditorTimeoutMs));
  ASSERT_TRUE(sys::FileExists(file));
  std::string bytes;
  ASSERT_TRUE(sys::ReadFileBytes(file, bytes));
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");  // the editor writes UTF-16LE
  const std::string text = ReadUtf16File(file);
  EXPECT_NE(text.find("[" + entryPath() + "]"), std::string::npos) << text;
  EXPECT_NE(text.find("\"DisplayName\"=\"Reg Export Program\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"Publisher\"=\"Export Corp\""), std::string::npos) << text;
  EXPECT_FALSE(sys::FileExists(config.paths().RegBackupDir + entry.keyName + ".reg"));
}

TEST_F(RegEntryCommands, ExportOverwritesAnExistingFileAndProposesNoFolderWithoutBackupDir) {
  const std::string file = dir.file("existing.reg");
  ASSERT_TRUE(sys::WriteFileBytes(file, "old contents"));
  ScriptedFileDialogs dialogs;
  dialogs.answer(file);
  sys::UniqueHandle editor = backup::ExecuteExportReg(nullptr, config, programs, index);
  ASSERT_EQ(dialogs.requests().size(), 1u);
  EXPECT_EQ(dialogs.requests()[0].initialDir, "");  // RegBackupDir does not exist
  ASSERT_TRUE(editor);
  ASSERT_TRUE(WaitForEditor(editor.get(), kEditorTimeoutMs));
  EXPECT_NE(ReadUtf16File(file).find("[" + entryPath() + "]"), std::string::npos);
}

TEST_F(RegEntryCommands, NothingHappensWithoutAnEntryOrWhenCancelled) {
  ScriptedFileDialogs dialogs;
  EXPECT_FALSE(backup::ExecuteExportReg(nullptr, config, programs, -1));
  EXPECT_FALSE(backup::ExecuteExportReg(nullptr, config, programs, 0x7FFFFFF0));  // no such program
  EXPECT_FALSE(backup::ExecuteRegedit(nullptr, programs, -1));
  EXPECT_TRUE(dialogs.requests().empty());
  dialogs.answer(std::nullopt);
  dialogs.answer(std::nullopt);
  EXPECT_FALSE(backup::ExecuteExportReg(nullptr, config, programs, index));
  EXPECT_FALSE(backup::ExecuteReloadReg(nullptr, config));
  EXPECT_EQ(dialogs.requests().size(), 2u);
  EXPECT_FALSE(sys::FileExists(dir.file(entry.keyName + ".reg")));
}

TEST_F(RegEntryCommands, ReloadImportsTheFileAgain) {
  ASSERT_TRUE(sys::ForceDirectories(config.paths().RegBackupDir));
  const std::string file = dir.file("saved entry.reg");
  ASSERT_NO_FATAL_FAILURE(exportTo(file));
  DeleteEntry(entry);
  ASSERT_FALSE(EntryExists(entry));

  ScriptedFileDialogs dialogs;
  dialogs.answer(file);
  sys::UniqueHandle editor = backup::ExecuteReloadReg(nullptr, config);
  ASSERT_EQ(dialogs.requests().size(), 1u);
  const tk::FileDialogRequest& asked = dialogs.requests()[0];
  EXPECT_FALSE(asked.save);
  EXPECT_EQ(asked.filter, "Registration Files(*.reg)|*.reg");
  EXPECT_EQ(asked.initialDir, config.paths().RegBackupDir);
  EXPECT_NE(asked.flags & OFN_FILEMUSTEXIST, 0u);
  EXPECT_NE(asked.flags & OFN_NOCHANGEDIR, 0u);
  ASSERT_TRUE(editor);
  ASSERT_TRUE(WaitForEditor(editor.get(), kEditorTimeoutMs));

  EXPECT_TRUE(EntryExists(entry));
  EXPECT_EQ(EntryString(entry, "DisplayName"), "Reg Export Program");
  EXPECT_EQ(EntryString(entry, "Publisher"), "Export Corp");
  EXPECT_EQ(EntryString(entry, "DisplayVersion"), "4.1");
}

TEST_F(RegEntryCommands, RegistryEditorJumpWritesLastKeyAndStartsTheEditor) {
  SavedLastKey saved;
  {
    sys::Registry reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.openKey(std::string("\\") + backup::kRegeditSettingsKey, true));
    ASSERT_TRUE(reg.writeString("LastKey", "HKEY_CURRENT_USER\\Software"));
  }
  sys::UniqueHandle editor = backup::ExecuteRegedit(nullptr, programs, index);
  ASSERT_TRUE(editor);
  EXPECT_EQ(LastKey(), entryPath());

  // The editor comes up with a window of its own; end the one started here.
  EXPECT_TRUE(EditorShowsWindow(editor.get(), 15000)) << "the registry editor showed no window";
  EndEditor(editor.get());
  EXPECT_TRUE(WaitForEditor(editor.get(), kEditorTimeoutMs));
}

TEST_F(RegEntryCommands, RegistryEditorJumpCreatesMissingSettings) {
  SavedLastKey saved;
  sys::Registry reg(HKEY_CURRENT_USER);
  reg.deleteKey(std::string("\\") + backup::kRegeditSettingsKey);
  ASSERT_FALSE(reg.keyExists(std::string("\\") + backup::kRegeditSettingsKey));
  sys::UniqueHandle editor = backup::ExecuteRegedit(nullptr, programs, index);
  ASSERT_TRUE(editor);
  EXPECT_EQ(LastKey(), entryPath());
  EndEditor(editor.get());
  EXPECT_TRUE(WaitForEditor(editor.get(), kEditorTimeoutMs));
}
