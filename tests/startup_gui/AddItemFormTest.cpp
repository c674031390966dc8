// The Add Item window over the prefix's real Run keys and start-up folders, driven
// by messages that wait in its queue while it is shown modally.
#include <gtest/gtest.h>

#include "settings/Product.h"
#include "startup/StartupRow.h"
#include "startup/StartupTestSupport.h"
#include "startup/frmAddItem.h"
#include "startup_gui/StartupGuiHost.h"
#include "support/Sandbox.h"
#include "support/ScriptedMessageBoxes.h"
#include "sys/ComInit.h"
#include "sys/Files.h"
#include "toolkit/ComboItems.h"
#include "toolkit/FileDialog.h"

using startup::AddSection;
using startup_test::CaptureSources;
using startup_test::ReadShortcut;
using startup_test::ShortcutFields;
using startup_test::SourceState;
using startup_test::StateKey;

namespace {

const std::string kRun = startup::kRunKeyPaths[0];

// Queues a click of one of the form's buttons; it is handled once the form is shown.
void PostClick(const tk::Control& button) {
  PostMessageA(GetParent(button.hwnd()), WM_COMMAND, MAKEWPARAM(button.id(), BN_CLICKED),
               reinterpret_cast<LPARAM>(button.hwnd()));
}

// Installs a file dialog answerer for the life of the object.
class ScriptedFileDialog {
 public:
  explicit ScriptedFileDialog(std::optional<std::string> answer) {
    previous_ = tk::SetFileDialogAnswerer([this, answer](const tk::FileDialogRequest& request) {
      requests.push_back(request);
      return answer;
    });
  }
  ~ScriptedFileDialog() { tk::SetFileDialogAnswerer(std::move(previous_)); }
  std::vector<tk::FileDialogRequest> requests;

 private:
  tk::FileDialogAnswerer previous_;
};

class AddItem : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.open());
    // A target with a space in its name, copied from a fixture program.
    target = dir.file("Px Tool.exe");
    ASSERT_TRUE(CopyFileA(startup_test::FixturePath("VersionEnUs").c_str(), target.c_str(), FALSE));
  }
  // Shows a fresh form with `text` in its edit field and `section` chosen, pressing
  // OK (and Cancel after it, in case OK leaves the form open).
  int addThroughForm(const std::string& text, AddSection section) {
    forms::TAddItemForm form;
    EXPECT_TRUE(form.Create(owner.hwnd()));
    form.txtTarget.setText(text);
    form.setSection(section);
    PostClick(form.btnOK);
    PostClick(form.btnCancel);
    return form.Execute();
  }

  sys::ComApartment com;
  startup_test::SourcesGuard guard;
  startup_test::ScopedNoMenuBuilder noMenuBuilder;
  testing_support::TempDir dir;
  std::string target;
  startup_gui::PageHost owner;
};

}  // namespace

TEST_F(AddItem, TheWindowOffersFourSectionsWithTheUsersRunKeyChosen) {
  forms::TAddItemForm form;
  ASSERT_TRUE(form.Create(owner.hwnd()));
  ASSERT_EQ(form.cmbSection.send(CB_GETCOUNT), 4);
  const char* texts[] = {"Startup Folder\\Current User", "Startup Folder\\All User",
                         "Registry\\Current User\\Run", "Registry\\All Users\\Run"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(toolkit::ComboItemTextUtf8(form.cmbSection.hwnd(), i), texts[i]);
  EXPECT_EQ(form.section(), AddSection::RunCurrentUser);
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));

  const SourceState before = CaptureSources();
  form.txtTarget.setText(target);
  PostClick(form.btnCancel);
  EXPECT_EQ(form.Execute(), IDCANCEL);
  EXPECT_EQ(form.text(), "Add Item");
  EXPECT_EQ(form.lblTarget.text(), "Target:");
  EXPECT_EQ(form.lblSection.text(), "Section:");
  EXPECT_EQ(form.btnBrowse.text(), "Browse");
  EXPECT_EQ(form.btnOK.text(), "OK");
  EXPECT_EQ(form.btnCancel.text(), "Cancel");
  RECT bounds{};
  GetWindowRect(form.hwnd(), &bounds);
  EXPECT_EQ(bounds.right - bounds.left, forms::TAddItemForm::kWidth);
  EXPECT_EQ(bounds.bottom - bounds.top, forms::TAddItemForm::kHeight);
  EXPECT_EQ(CaptureSources(), before);  // Cancel writes nothing
}

TEST_F(AddItem, OkWritesTheTargetUnquotedIntoTheRunKeyOnceAndForAll) {
  const SourceState before = CaptureSources();
  EXPECT_EQ(addThroughForm(target, AddSection::RunCurrentUser), IDOK);
  EXPECT_EQ(addThroughForm(target, AddSection::RunCurrentUser), IDOK);  // overwritten
  EXPECT_EQ(addThroughForm(target, AddSection::RunLocalMachine), IDOK);
  SourceState expected = before;
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    startup_test::Values(expected, StateKey(root, kRun))["Px Tool"] = startup_test::Sz(target);
  }
  EXPECT_EQ(CaptureSources(), expected);
}

TEST_F(AddItem, OkWritesARealShortcutIntoTheChosenStartupFolder) {
  const SourceState before = CaptureSources();
  EXPECT_EQ(addThroughForm(target, AddSection::StartupFolderCurrentUser), IDOK);
  EXPECT_EQ(addThroughForm(target, AddSection::StartupFolderAllUsers), IDOK);
  const std::string user = startup_test::UserStartupFolder();
  const std::string common = startup_test::CommonStartupFolder();
  SourceState expected = before;
  expected.folders[user].insert("Px Tool.lnk");
  expected.folders[common].insert("Px Tool.lnk");
  EXPECT_EQ(CaptureSources(), expected);
  for (const std::string& folder : {user, common}) {
    ShortcutFields link = ReadShortcut(folder + "Px Tool.lnk");
    EXPECT_TRUE(sys::FileExists(link.path)) << link.path;
    EXPECT_EQ(_stricmp(link.path.c_str(), target.c_str()), 0) << link.path;
    EXPECT_EQ(link.workingFolder, dir.path());
    EXPECT_EQ(link.arguments, "");
  }
}

TEST_F(AddItem, ATargetThatIsNoFileIsRefusedAndTheFormStaysOpen) {
  const SourceState before = CaptureSources();
  for (const std::string& text : {std::string(), dir.path(), dir.file("missing.exe")}) {
    testing_support::ScriptedMessageBoxes boxes({IDOK});
    forms::TAddItemForm form;
    ASSERT_TRUE(form.Create(owner.hwnd()));
    form.txtTarget.setText(text);
    PostClick(form.btnOK);
    PostClick(form.btnCancel);  // still open after the message: Cancel closes it
    EXPECT_EQ(form.Execute(), IDCANCEL) << text;
    ASSERT_EQ(boxes.count(), 1u) << text;
    EXPECT_EQ(boxes.request(0).text, "The specified target file can't be found, please reset!");
    EXPECT_EQ(boxes.request(0).caption, settings::kAppTitle);
    EXPECT_EQ(boxes.request(0).flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(form.txtTarget.text(), "");
  }
  EXPECT_EQ(CaptureSources(), before);
}

TEST_F(AddItem, BrowsePutsTheChosenFileIntoTheEditField) {
  forms::TAddItemForm form;
  ASSERT_TRUE(form.Create(owner.hwnd()));
  form.txtTarget.setText("typed");
  {
    ScriptedFileDialog dialog(std::nullopt);  // cancelled: nothing changes
    form.btnBrowseClick();
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(dialog.requests[0].filter, "All Files (*.*)|*.*");
    EXPECT_EQ(dialog.requests[0].owner, form.hwnd());
    EXPECT_FALSE(dialog.requests[0].save);
    EXPECT_TRUE(dialog.requests[0].flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(form.txtTarget.text(), "typed");
  }
  {
    ScriptedFileDialog dialog(target);
    PostClick(form.btnBrowse);
    PostClick(form.btnOK);
    EXPECT_EQ(form.Execute(), IDOK);
    EXPECT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(form.txtTarget.text(), target);
  }
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRun.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  char data[MAX_PATH] = {};
  DWORD size = sizeof data;
  EXPECT_EQ(
      RegQueryValueExA(key, "Px Tool", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
      ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(std::string(data), target);
}

namespace {

// Fills the Add Item window that the page's command opens, once it is shown.
std::string g_target;
void CALLBACK FillOpenForm(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND form = FindWindowA("TAddItemForm", nullptr);
  if (!form || !IsWindowVisible(form)) return;
  KillTimer(nullptr, timer);
  SetDlgItemTextA(form, forms::kIdAddTarget, g_target.c_str());
  SendDlgItemMessageA(form, forms::kIdAddSection, CB_SETCURSEL, 0, 0);  // the user's folder
  PostMessageA(form, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(form, IDOK)));
}

}  // namespace

TEST_F(AddItem, TheAddEntryCommandAddsAndTheListShowsTheNewEntryTicked) {
  owner.page.RefreshStartupList();
  const std::string user = startup_test::UserStartupFolder();
  ASSERT_EQ(startup_gui::ItemOf(owner.page.lsvStartupList, "Px Tool.lnk", user), -1);
  g_target = target;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, FillOpenForm);
  ASSERT_NE(timer, 0u);
  owner.actions.ActionAddItem.execute();
  KillTimer(nullptr, timer);
  const int item = startup_gui::ItemOf(owner.page.lsvStartupList, "Px Tool.lnk", user);
  ASSERT_GE(item, 0);
  EXPECT_TRUE(owner.page.lsvStartupList.checked(item));
  EXPECT_EQ(owner.page.lsvStartupList.itemText(item, 1), user + "Px Tool.lnk");
  EXPECT_EQ(ReadShortcut(user + "Px Tool.lnk").workingFolder, dir.path());
  EXPECT_FALSE(IsWindowEnabled(owner.hwnd()) == FALSE);  // the owner is usable again
}

namespace {

// Answers the real open dialog once it shows: types the file name and presses OK.
struct RealDialogDriver {
  std::string fileName;
  int ticks = 0;
  bool typed = false;
};
RealDialogDriver g_driver;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK DriveOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) {
    if (++g_driver.ticks > 200) KillTimer(nullptr, timer);  // ten seconds: give up
    return;
  }
  KillTimer(nullptr, timer);
  // The file name box of the explorer-style dialog (cmb13, or edt1 in older ones).
  HWND name = GetDlgItem(dialog, 0x47c);
  if (!name) name = GetDlgItem(dialog, 0x480);
  SetWindowTextA(name, g_driver.fileName.c_str());
  g_driver.typed = name != nullptr;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

}  // namespace

TEST_F(AddItem, BrowseThroughTheRealOpenDialog) {
  forms::TAddItemForm form;
  ASSERT_TRUE(form.Create(owner.hwnd()));
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  g_driver = RealDialogDriver{target};
  UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveOpenDialog);
  ASSERT_NE(timer, 0u);
  form.btnBrowseClick();
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_driver.typed);
  EXPECT_EQ(_stricmp(form.txtTarget.text().c_str(), target.c_str()), 0) << form.txtTarget.text();
  char after[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, after);
  EXPECT_STREQ(after, before);  // the dialog leaves the current folder alone
}

TEST_F(AddItem, ATargetInAnyScriptIsWrittenAndNamedExactly) {
  const std::string folder = dir.path() + reinterpret_cast<const char*>(u8"Русский 😀\\");
  ASSERT_TRUE(sys::ForceDirectories(folder));
  const std::string name = reinterpret_cast<const char*>(u8"Px 日本語 Ελληνικά");
  const std::string exact = folder + name + ".exe";
  std::string bytes;
  ASSERT_TRUE(sys::ReadFileBytes(target, bytes));
  ASSERT_TRUE(sys::WriteFileBytes(exact, bytes));
  const SourceState before = CaptureSources();
  EXPECT_EQ(addThroughForm(exact, AddSection::RunCurrentUser), IDOK);
  EXPECT_EQ(addThroughForm(exact, AddSection::StartupFolderCurrentUser), IDOK);

  SourceState expected = before;
  startup_test::Values(expected, StateKey(HKEY_CURRENT_USER, kRun))[name] = startup_test::Sz(exact);
  const std::string user = startup_test::UserStartupFolder();
  expected.folders[user].insert(name + ".lnk");
  EXPECT_EQ(CaptureSources(), expected);
  EXPECT_EQ(ReadShortcut(user + name + ".lnk").itemPath, exact);
}
