// The scan window with findings of every grade: what each node shows (its picture,
// its tick, its tip), the legend, several file roots, keys that stand only for some
// of their values, and what Delete takes of all that; and a search that is
// cancelled, cut short by closing the window, or long enough to be cancelled
// half-way through the real registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <map>
#include <memory>

#include "settings/Settings.h"
#include "support/MessagePump.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "toolkit/GradeImages.h"
#include "uninstall/ScanTrees.h"
#include "uninstall/TickRules.h"
#include "uninstall/frmScanRemains.h"
#include "uninstall_gui/GuiTestSupport.h"

namespace {

using namespace uninstall_gui;
using testing_support::PumpMessagesUntil;
using uninstall::FileEntry;
using uninstall::FoundKey;
using uninstall::Grade;
using uninstall::kPartlyTicked;
using uninstall::kTicked;
using uninstall::kUnticked;
using uninstall::Reason;

constexpr int kSure = tk::kGradeImageSure;
constexpr int kLikely = tk::kGradeImageLikely;
constexpr int kDoubtful = tk::kGradeImageDoubtful;

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return text;
}

class ScanFormGrades : public ::testing::Test {
 protected:
  void SetUp() override {
    config = BackupSettings(temp.file("Back up\\reg\\"));
    name = testing_support::UniqueName("PxGrades");
    app = temp.file("App");
    CreateDirectoryA(app.c_str(), nullptr);
  }
  void TearDown() override {
    if (form) form->destroy();
  }
  uninstall::UninstallTarget Target() const {
    uninstall::UninstallTarget target;
    target.keyName = name;
    target.installDir = app;
    return target;
  }

  // The text the registry tree and a registry snapshot give a key below the sandbox.
  std::string KeyText(const std::string& sub) const {
    return "HKEY_CURRENT_USER\\SOFTWARE\\" + keys.path().substr(9) + "\\" + sub;
  }
  // A finding for the key `sub` of the sandbox, listing `values`.
  FoundKey Key(const std::string& sub, const std::vector<std::string>& values, Grade grade,
               std::vector<Reason> reasons, bool valuesOnly = false) const {
    FoundKey key;
    key.root = HKEY_CURRENT_USER;
    key.path = keys.sub(sub);
    key.text = KeyText(sub);
    for (const std::string& value : values) {
      key.values.push_back(key.text + "\\" + value);
      key.valueNames.push_back(value);
    }
    key.evidence = {grade, std::move(reasons), {}};
    key.valuesOnly = valuesOnly;
    return key;
  }
  static FileEntry Entry(const std::string& path, bool folder, Grade grade = Grade::Safe,
                         std::vector<Reason> reasons = {}, std::vector<FileEntry> children = {}) {
    FileEntry entry;
    entry.path = path;
    entry.folder = folder;
    entry.evidence = {grade, std::move(reasons), {}};
    entry.children = std::move(children);
    return entry;
  }

  void Open(uninstall::LeftoverSearchFn search) {
    form = std::make_unique<forms::TScanForm>(config, Target(), std::move(search));
    ASSERT_TRUE(form->Create(nullptr));
    form->show(SW_SHOWNOACTIVATE);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !form->hwnd() || form->scanned(); }, 60000));
    ASSERT_TRUE(form->hwnd());
  }
  void OpenWith(uninstall::ScanFindings findings) {
    Open([findings](const uninstall::UninstallTarget&,
                    const std::vector<uninstall::InstalledEntry>&, const uninstall::ScanProgress&,
                    const std::atomic<bool>*) { return findings; });
  }
  std::set<std::string> SandboxLines() const {
    std::set<std::string> out;
    const std::string prefix = KeyText("");
    for (const std::string& line : SnapshotRegistry())
      if (line.starts_with(prefix)) out.insert(line);
    return out;
  }
  HTREEITEM Node(const tk::TickTreeView& tree, const std::string& text) {
    HTREEITEM node = FindNode(tree, text);
    EXPECT_TRUE(node) << text;
    return node;
  }
  // Each node's picture and tick, by its text.
  std::map<std::string, std::pair<int, int>> Shown(const tk::TickTreeView& tree) {
    std::map<std::string, std::pair<int, int>> out;
    for (HTREEITEM node : tree.descendants(nullptr))
      out[tree.text(node)] = {tree.image(node), tree.state(node)};
    return out;
  }

  // Findings of every grade: keys of their own, of the publisher, of another
  // program, and two Run-like keys of which only one value each is the program's;
  // the install folder with another program's folder in it, a settings folder that
  // is only likely, and a shortcut.
  uninstall::ScanFindings MixedFindings() {
    CreateKey(HKEY_CURRENT_USER, keys.sub("Own\\" + name), {"A", "B"});
    CreateKey(HKEY_CURRENT_USER, keys.sub("Vendor\\" + name), {"C"});
    CreateKey(HKEY_CURRENT_USER, keys.sub("Other\\" + name), {"D"});
    CreateKey(HKEY_CURRENT_USER, keys.sub("Run"), {name, "Keep"});
    CreateKey(HKEY_CURRENT_USER, keys.sub("RunOnce"), {name, "Keep"});
    WriteTextFile(app + "\\a.txt");
    CreateDirectoryA((app + "\\Helper").c_str(), nullptr);
    WriteTextFile(app + "\\Helper\\h.exe");
    CreateDirectoryA(data.c_str(), nullptr);
    WriteTextFile(data + "\\settings.ini");
    WriteTextFile(shortcut);
    CreateDirectoryA(vendorDir.c_str(), nullptr);
    CreateDirectoryA((vendorDir + "\\Product").c_str(), nullptr);
    WriteTextFile(vendorDir + "\\Product\\p.dat");

    uninstall::ScanFindings findings;
    findings.keys = {
        Key("Own\\" + name, {"A", "B"}, Grade::Safe, {Reason::KeyNameMatch, Reason::NameExact}),
        Key("Vendor\\" + name, {"C"}, Grade::Likely, {Reason::PublisherMatch}),
        Key("Other\\" + name, {"D"}, Grade::Safe, {Reason::NameExact}),
        Key("Run", {name}, Grade::Safe, {Reason::PointsIntoInstall}, true),
        Key("RunOnce", {name}, Grade::Likely, {Reason::NoNameMatch}, true)};
    // Claimed by another program, however sure the name looked.
    findings.keys[2].owner = "PxGrades Other Suite";
    FileEntry helper =
        Entry(app + "\\Helper", true, Grade::Safe, {}, {Entry(app + "\\Helper\\h.exe", false)});
    helper.owner = "PxGrades Other Suite";
    findings.files = {Entry(app, true, Grade::Safe, {Reason::InInstallFolder},
                            {Entry(app + "\\a.txt", false), helper}),
                      Entry(data, true, Grade::Likely, {Reason::NamePartial},
                            {Entry(data + "\\settings.ini", false)}),
                      Entry(shortcut, false, Grade::Safe, {Reason::PointsIntoInstall}),
                      // A vendor folder that holds only the product's: likely itself.
                      Entry(vendorDir, true, Grade::Likely, {Reason::PublisherMatch},
                            {Entry(vendorDir + "\\Product", true, Grade::Safe,
                                   {Reason::NameExact, Reason::PublisherMatch},
                                   {Entry(vendorDir + "\\Product\\p.dat", false)})})};
    return findings;
  }

  testing_support::TempDir temp;
  testing_support::RegSandbox keys;
  std::string name;
  std::string app;
  std::string data = temp.file("Roaming");
  std::string shortcut = temp.file("Start.lnk");
  std::string vendorDir = temp.file("Vendor");
  settings::TSettings config;  // outlives the window, which reads it at Delete
  std::unique_ptr<forms::TScanForm> form;
};

TEST_F(ScanFormGrades, EachNodeShowsItsGradeStartsTickedOnlyWhenSafeAndTellsWhy) {
  OpenWith(MixedFindings());
  const std::string own = KeyText("Own\\" + name), vendor = KeyText("Vendor\\" + name),
                    other = KeyText("Other\\" + name), run = KeyText("Run"),
                    runOnce = KeyText("RunOnce");
  using Pair = std::pair<int, int>;
  EXPECT_EQ(Shown(form->tvScanRegInfo),
            (std::map<std::string, Pair>{{own, {kSure, kTicked}},
                                         {own + "\\A", {kSure, kTicked}},
                                         {own + "\\B", {kSure, kTicked}},
                                         {vendor, {kLikely, kUnticked}},
                                         {vendor + "\\C", {kLikely, kUnticked}},
                                         {other, {kDoubtful, kUnticked}},
                                         {other + "\\D", {kDoubtful, kUnticked}},
                                         {run, {kSure, kTicked}},
                                         {run + "\\" + name, {kSure, kTicked}},
                                         {runOnce, {kLikely, kUnticked}},
                                         {runOnce + "\\" + name, {kLikely, kUnticked}}}));
  // The install folder first, then the other roots in their order; what nobody
  // judged shows what its folder shows.
  std::vector<std::string> roots;
  for (HTREEITEM node : form->tvScanFiles.children(nullptr))
    roots.push_back(form->tvScanFiles.text(node));
  EXPECT_EQ(roots, (std::vector<std::string>{app, data, shortcut, vendorDir}));
  EXPECT_EQ(Shown(form->tvScanFiles),
            (std::map<std::string, Pair>{{app, {kSure, kPartlyTicked}},
                                         {app + "\\a.txt", {kSure, kTicked}},
                                         {app + "\\Helper", {kDoubtful, kUnticked}},
                                         {app + "\\Helper\\h.exe", {kDoubtful, kUnticked}},
                                         {data, {kLikely, kUnticked}},
                                         {data + "\\settings.ini", {kLikely, kUnticked}},
                                         {shortcut, {kSure, kTicked}},
                                         // All it holds is ticked, but not the folder.
                                         {vendorDir, {kLikely, kPartlyTicked}},
                                         {vendorDir + "\\Product", {kSure, kTicked}},
                                         {vendorDir + "\\Product\\p.dat", {kSure, kTicked}}}));

  // The tips give the reasons, one a line; the other program is named in them.
  auto tip = [&](const tk::TickTreeView& tree, const std::string& text) {
    return tree.nodeTipText(Node(tree, text));
  };
  EXPECT_EQ(tip(form->tvScanRegInfo, own),
            "It bears the name of the program's uninstall key.\r\n"
            "It is named exactly as the program.");
  EXPECT_EQ(tip(form->tvScanRegInfo, other + "\\D"),
            "It is named exactly as the program.\r\n"
            "It belongs to another installed program: PxGrades Other Suite.");
  EXPECT_EQ(tip(form->tvScanFiles, app + "\\Helper\\h.exe"),
            "It belongs to another installed program: PxGrades Other Suite.");
  EXPECT_EQ(tip(form->tvScanFiles, data + "\\settings.ini"),
            "Its name is close to the program's name.");
  EXPECT_EQ(tip(form->tvScanFiles, app + "\\a.txt"), "It lies in the program's install folder.");

  // The legend: a picture and a label per grade, clear of the other controls.
  RECT client{};
  GetClientRect(form->hwnd(), &client);
  EXPECT_EQ(client.bottom, forms::TScanForm::kClientHeight);
  const char* const legends[] = {"Safe: the program's own, ticked",
                                 "Likely the program's, not ticked",
                                 "Doubtful: may belong to someone else"};
  for (int i = 0; i < forms::TScanForm::kGradeCount; ++i) {
    EXPECT_EQ(form->lblLegend[i].text(), legends[i]);
    EXPECT_TRUE(form->imgLegend[i].send(STM_GETIMAGE, IMAGE_ICON)) << i;
    for (const tk::Control& part : {form->imgLegend[i], form->lblLegend[i]}) {
      const RECT r = part.bounds();
      EXPECT_TRUE(r.left >= 0 && r.right <= client.right && r.bottom <= client.bottom) << i;
      for (HWND other : {form->tvScanRegInfo.hwnd(), form->tvScanFiles.hwnd(),
                         form->btnDelete.hwnd(), form->btnCancel.hwnd()}) {
        RECT o = tk::Control(other).bounds(), both{};
        EXPECT_FALSE(IntersectRect(&both, &r, &o)) << "legend " << i << " covers a control";
      }
    }
  }
  EXPECT_EQ(form->tvScanFiles.control().bounds().bottom, 246 + 155);
  EXPECT_EQ(form->btnDelete.bounds().top, 417);
}

TEST_F(ScanFormGrades, DeleteTakesTheTickedAndOfAValuesOnlyKeyOnlyItsValues) {
  OpenWith(MixedFindings());
  const std::string own = KeyText("Own\\" + name), run = KeyText("Run"),
                    runOnce = KeyText("RunOnce");
  // Ticking a values-only key ticks its values.
  ClickTickBox(form->tvScanRegInfo, Node(form->tvScanRegInfo, runOnce));
  EXPECT_EQ(form->tvScanRegInfo.state(Node(form->tvScanRegInfo, runOnce + "\\" + name)), kTicked);

  const auto registryBefore = SandboxLines();
  std::set<std::string> diskBefore = SnapshotDisk(app);
  for (const std::string& line : SnapshotDisk(data)) diskBefore.insert(line);
  diskBefore.insert(shortcut);
  for (const std::string& line : SnapshotDisk(vendorDir)) diskBefore.insert(line);
  RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDOK; });
  PostMessageA(form->hwnd(), WM_COMMAND, MAKEWPARAM(forms::kIdScanDelete, BN_CLICKED),
               reinterpret_cast<LPARAM>(form->btnDelete.hwnd()));
  ASSERT_TRUE(PumpMessagesUntil([&] { return !boxes.requests.empty(); }, 30000));
  EXPECT_EQ(boxes.requests[0].text, "Clean Succeeded!");

  // Registry: the safe key with its values, and the program's value of each Run-like
  // key; those keys and their other values stay.
  std::set<std::string> expectedGone;
  for (const std::string& line : registryBefore)
    if (line == own || line.starts_with(own + "\\") || line.starts_with(run + "\\" + name + "=") ||
        line.starts_with(runOnce + "\\" + name + "="))
      expectedGone.insert(line);
  EXPECT_EQ(expectedGone.size(), 5u);
  EXPECT_EQ(Minus(registryBefore, SandboxLines()), expectedGone);
  EXPECT_TRUE(Minus(SandboxLines(), registryBefore).empty());
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, keys.sub("Run")));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, keys.sub("RunOnce")));
  // Disk: the ticked file of the install folder and the shortcut; the other program's
  // folder keeps the install folder, and the likely folder stays whole.
  std::set<std::string> diskAfter = SnapshotDisk(app);
  for (const std::string& line : SnapshotDisk(data)) diskAfter.insert(line);
  if (PathExists(shortcut)) diskAfter.insert(shortcut);
  for (const std::string& line : SnapshotDisk(vendorDir)) diskAfter.insert(line);
  EXPECT_EQ(Minus(diskBefore, diskAfter),
            (std::set<std::string>{app + "\\a.txt", shortcut, vendorDir + "\\Product",
                                   vendorDir + "\\Product\\p.dat"}));
  EXPECT_TRUE(Minus(diskAfter, diskBefore).empty());

  // The nodes of what went are gone, the values-only keys with their last value.
  EXPECT_EQ(NodeTextSet(form->tvScanRegInfo),
            (std::set<std::string>{KeyText("Vendor\\" + name), KeyText("Vendor\\" + name) + "\\C",
                                   KeyText("Other\\" + name), KeyText("Other\\" + name) + "\\D"}));
  EXPECT_EQ(NodeTextSet(form->tvScanFiles),
            (std::set<std::string>{app, app + "\\Helper", app + "\\Helper\\h.exe", data,
                                   data + "\\settings.ini", vendorDir}));
}

TEST_F(ScanFormGrades, TheMouseRestingOnANodeShowsItsReasons) {
  OpenWith(MixedFindings());
  tk::TickTreeView& tree = form->tvScanRegInfo;
  HTREEITEM node = Node(tree, KeyText("Other\\" + name));
  const RECT text = tree.nodeRect(node, true);
  const POINT at{text.left + 4, (text.top + text.bottom) / 2};
  POINT screen = at;
  ClientToScreen(tree.hwnd(), &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageA(tree.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  ASSERT_TRUE(PumpMessagesUntil([&] { return tree.nodeTip().shown(); }, 30000));
  EXPECT_EQ(tree.nodeTip().text(),
            "It is named exactly as the program.\r\n"
            "It belongs to another installed program: PxGrades Other Suite.");
  EXPECT_EQ(tree.text(node), KeyText("Other\\" + name)) << "the text stays the path";
  // A press puts it away.
  ClickTickBox(tree, node);
  EXPECT_FALSE(tree.nodeTip().shown());
}

// A stand-in search that reports `reports` paths, then waits until it is cancelled
// and hands over what it had.
struct WaitingSearch {
  std::vector<FoundKey> found;
  int reports = 100000;
  std::atomic<int> reported{0};
  std::atomic<bool> returned{false};

  uninstall::LeftoverSearchFn fn() {
    return [this](const uninstall::UninstallTarget&, const std::vector<uninstall::InstalledEntry>&,
                  const uninstall::ScanProgress& progress, const std::atomic<bool>* cancel) {
      for (int i = 0; i < reports; ++i, ++reported) progress("HKEY_CURRENT_USER\\SOFTWARE\\Step");
      cancel->wait(false);
      uninstall::ScanFindings findings;
      findings.keys = found;
      findings.cancelled = true;
      returned = true;
      return findings;
    };
  }
};

TEST_F(ScanFormGrades, EscapeDuringTheSearchEndsItAndListsWhatItHad) {
  CreateKey(HKEY_CURRENT_USER, keys.sub("Own\\" + name), {"A"});
  WaitingSearch search;
  search.found = {Key("Own\\" + name, {"A"}, Grade::Safe, {Reason::KeyNameMatch})};
  form = std::make_unique<forms::TScanForm>(config, Target(), search.fn());
  ASSERT_TRUE(form->Create(nullptr));
  int notes = 0;
  bool responsive = false;
  form->onScanProgress = [&](const std::string& path) {
    if (++notes > 1) return;
    // The window answers while the search runs: Cancel is there to press, and
    // the label follows the search.
    responsive =
        form->btnCancel.enabled() && !form->btnDelete.enabled() && form->lblScanInfo.text() == path;
    PostMessageA(form->btnCancel.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  };
  form->show(SW_SHOWNOACTIVATE);
  const auto before = SandboxLines();
  ASSERT_TRUE(PumpMessagesUntil([&] { return !form->hwnd() || form->scanned(); }, 60000));
  ASSERT_TRUE(form->hwnd()) << "cancelling keeps the window open";
  EXPECT_TRUE(responsive);
  EXPECT_TRUE(search.returned);
  EXPECT_TRUE(form->cancelled());
  EXPECT_EQ(form->lblScanInfo.text(), "Scan cancelled: what was found so far is listed.");
  EXPECT_EQ(NodeTextSet(form->tvScanRegInfo),
            (std::set<std::string>{KeyText("Own\\" + name), KeyText("Own\\" + name) + "\\A"}));
  EXPECT_TRUE(form->btnCancel.enabled());
  // Progress came a few times, never once a path.
  EXPECT_EQ(search.reported, search.reports);
  EXPECT_GE(notes, 1);
  EXPECT_LE(notes, 20);
  EXPECT_EQ(SandboxLines(), before);

  // Cancel now closes the window, and still nothing changes.
  PostMessageA(form->hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(form->btnCancel.hwnd()));
  ASSERT_TRUE(PumpMessagesUntil([&] { return !form->hwnd(); }, 30000));
  EXPECT_EQ(SandboxLines(), before);
}

TEST_F(ScanFormGrades, ClosingDuringTheSearchEndsItBeforeTheWindowGoes) {
  WaitingSearch search;
  search.reports = 1;
  search.found = {Key("Own\\" + name, {}, Grade::Safe, {Reason::KeyNameMatch})};
  RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDOK; });
  form = std::make_unique<forms::TScanForm>(config, Target(), search.fn());
  ASSERT_TRUE(form->Create(nullptr));
  bool returnedWhenGone = false;
  form->onScanProgress = [&](const std::string&) { PostMessageA(form->hwnd(), WM_CLOSE, 0, 0); };
  form->show(SW_SHOWNOACTIVATE);
  ASSERT_TRUE(PumpMessagesUntil(
      [&] {
        if (form->hwnd()) return false;
        returnedWhenGone = search.returned;
        return true;
      },
      60000));
  EXPECT_TRUE(returnedWhenGone) << "the search had ended when the window went";
  EXPECT_FALSE(form->scanned());
  EXPECT_TRUE(boxes.requests.empty());
  testing_support::PumpMessagesFor(50);  // a report still on its way finds no window
}

TEST_F(ScanFormGrades, CancelHalfWayThroughTheRegistryListsWhatWasFoundBefore) {
  // Made in this order, which is also their alphabetical one: the early match, a
  // branch long enough to be searched for a good while, the late match.
  CreateKey(HKEY_CURRENT_USER, keys.sub("A_Early\\" + name), {"A"});
  constexpr int kGroups = 25, kLeaves = 200;
  for (int g = 0; g < kGroups; ++g)
    for (int l = 0; l < kLeaves; ++l)
      CreateKey(HKEY_CURRENT_USER,
                keys.sub("B_Bulk\\G" + std::to_string(g) + "\\L" + std::to_string(l)));
  CreateKey(HKEY_CURRENT_USER, keys.sub("C_Late\\" + name), {"A"});
  WriteTextFile(app + "\\a.txt");
  const std::string bulk = Upper(keys.path().substr(9) + "\\B_Bulk\\");

  form = std::make_unique<forms::TScanForm>(config, Target());
  ASSERT_TRUE(form->Create(nullptr));
  int notes = 0;
  bool cancelSent = false;
  form->onScanProgress = [&](const std::string& path) {
    ++notes;
    if (cancelSent || Upper(path).find(bulk) == std::string::npos) return;
    cancelSent = true;
    PostMessageA(form->hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->btnCancel.hwnd()));
  };
  const auto registryBefore = SandboxLines();
  const auto diskBefore = SnapshotDisk(app);
  form->show(SW_SHOWNOACTIVATE);
  ASSERT_TRUE(PumpMessagesUntil([&] { return !form->hwnd() || form->scanned(); }, 90000));
  ASSERT_TRUE(form->hwnd());
  ASSERT_TRUE(cancelSent) << "no progress report came from inside the long branch";
  EXPECT_TRUE(form->cancelled());
  EXPECT_EQ(form->lblScanInfo.text(), "Scan cancelled: what was found so far is listed.");
  const std::set<std::string> listed = NodeTextSet(form->tvScanRegInfo);
  EXPECT_TRUE(listed.count(KeyText("A_Early\\" + name))) << "found before the cancel";
  EXPECT_FALSE(listed.count(KeyText("C_Late\\" + name))) << "never reached";
  EXPECT_LT(notes, kGroups * kLeaves / 10) << "a report per key";
  EXPECT_EQ(SandboxLines(), registryBefore);
  EXPECT_EQ(SnapshotDisk(app), diskBefore);
}

}  // namespace
