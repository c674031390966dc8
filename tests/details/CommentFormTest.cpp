// The comment window and its command over the real component: the comment that
// the user confirms reaches the component, which keeps it in the registry.
#include <gtest/gtest.h>

#include <windows.h>

#include "details/DetailsFixture.h"
#include "reports/frmComment.h"
#include "sys/ComInit.h"
#include "sys/Registry.h"
#include "toolkit/Control.h"

using namespace details_test;

namespace {

// Where the component keeps comments, by uninstall key name.
constexpr char kCommentsKey[] = "\\Software\\Prunaxis\\Comments";

class Comments : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterComponent();
    installed = std::make_unique<InstalledEntries>(std::vector<TestEntry>{entry});
    programs.LoadPrograms();
    index = static_cast<int>(IndexOf(programs, entry.keyName));
  }
  void TearDown() override {
    sys::Registry reg(HKEY_CURRENT_USER);
    if (reg.openKey(kCommentsKey, false)) reg.deleteValue(entry.keyName);
  }
  // The comment as the component reads it back from a fresh load.
  std::string storedComment() {
    inventory::TProgramList fresh;
    fresh.LoadPrograms();
    return fresh.GetProgramComment(IndexOf(fresh, entry.keyName));
  }
  bool registryHasComment() {
    sys::Registry reg(HKEY_CURRENT_USER);
    return reg.openKeyReadOnly(kCommentsKey) && reg.valueExists(entry.keyName);
  }
  // Runs the command; `user` acts on the window once it shows.
  bool run(std::function<void(HWND)> user) {
    WindowScript script("TCommentForm", std::move(user));
    bool handed = forms::ExecuteComment(nullptr, programs, index);
    EXPECT_TRUE(script.ran());
    return handed;
  }

  sys::ComApartment com;
  TestEntry entry = NamedEntry("Comment", "Commented Program");
  std::unique_ptr<InstalledEntries> installed;
  inventory::TProgramList programs;
  int index = -1;
};

HWND Child(HWND window, int id) {
  return GetDlgItem(window, id);
}

void Type(HWND edit, const std::string& text) {
  for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Press(HWND window, int id) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

}  // namespace

TEST_F(Comments, OkHandsTheCommentToTheComponent) {
  std::string name, title, caption, okText;
  bool handed = run([&](HWND window) {
    caption = tk::WindowText(window);
    name = tk::WindowText(Child(window, forms::kIdCommentProgramName));
    title = tk::WindowText(Child(window, forms::kIdCommentTitle));
    okText = tk::WindowText(Child(window, IDOK));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, forms::TCommentForm::kClientWidth);
    EXPECT_EQ(client.bottom, forms::TCommentForm::kClientHeight);
    Type(Child(window, forms::kIdCommentText), "keep this one");
    Press(window, IDOK);
  });
  EXPECT_TRUE(handed);
  EXPECT_EQ(caption, "Add Comments");
  EXPECT_EQ(name, "Commented Program");
  EXPECT_EQ(title, "Enter the comments: ( < 260 character)");
  EXPECT_EQ(okText, "OK");
  EXPECT_EQ(storedComment(), "keep this one");
  EXPECT_TRUE(registryHasComment());
}

TEST_F(Comments, CancelAndCloseHandNothingOver) {
  ASSERT_TRUE(run([](HWND window) {
    Type(GetDlgItem(window, forms::kIdCommentText), "first");
    Press(window, IDOK);
  }));
  EXPECT_FALSE(run([](HWND window) {
    Type(GetDlgItem(window, forms::kIdCommentText), "thrown away");
    Press(window, IDCANCEL);
  }));
  EXPECT_FALSE(run([](HWND window) {
    Type(GetDlgItem(window, forms::kIdCommentText), "closed");
    PostMessageA(window, WM_CLOSE, 0, 0);
  }));
  EXPECT_EQ(storedComment(), "first");
}

TEST_F(Comments, EmptyOkHandsAnEmptyCommentAndTheFieldStartsEmptyEachTime) {
  ASSERT_TRUE(run([](HWND window) {
    Type(GetDlgItem(window, forms::kIdCommentText), "to be cleared");
    Press(window, IDOK);
  }));
  ASSERT_EQ(storedComment(), "to be cleared");
  std::string shown = "unread";
  EXPECT_TRUE(run([&](HWND window) {
    shown = tk::WindowText(GetDlgItem(window, forms::kIdCommentText));
    Press(window, IDOK);
  }));
  EXPECT_EQ(shown, "");  // a stored comment is never shown
  EXPECT_EQ(storedComment(), "");
  EXPECT_FALSE(registryHasComment());
}

TEST_F(Comments, FieldRefusesTypingBeyond250Characters) {
  size_t length = 0;
  EXPECT_TRUE(run([&](HWND window) {
    HWND edit = GetDlgItem(window, forms::kIdCommentText);
    Type(edit, std::string(300, 'x'));
    length = tk::WindowText(edit).size();
    Press(window, IDOK);
  }));
  EXPECT_EQ(length, 250u);
  EXPECT_EQ(storedComment(), std::string(250, 'x'));
}

TEST_F(Comments, NoSelectionOrNoProgramOpensNothing) {
  EXPECT_FALSE(forms::ExecuteComment(nullptr, programs, -1));
  EXPECT_FALSE(forms::ExecuteComment(nullptr, programs, 0x7FFFFFF0));
  EXPECT_FALSE(registryHasComment());
}
