// The whole leftover search over the real registry and disk of the test prefix: each
// place found, in both registry views, graded by its evidence; the programs still
// installed beside it never offered; the search stopped on request.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <atomic>
#include <cctype>
#include <map>
#include <thread>

#include "support/Sandbox.h"
#include "sys/ComInit.h"
#include "sys/FileOps.h"
#include "sys/Files.h"
#include "sys/Process.h"
#include "sys/Registry.h"
#include "sys/Shell.h"
#include "sys/ShellLink.h"
#include "uninstall/InstalledEntries.h"
#include "uninstall/LeftoverSearch.h"
#include "uninstall/MsiTraces.h"
#include "uninstall/ProtectedFolders.h"
#include "uninstall/ScanTestSupport.h"
#include "uninstall/TraceSearch.h"

namespace {

using namespace uninstall;
using namespace uninstall_tests;
using testing_support::ShownKeyText;
using testing_support::SnapshotEveryView;

const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";

// Letters only: the names the search compares carry no numbers of their own.
std::string Tag() {
  std::string tag = "Qx";
  for (char c : testing_support::UniqueName("t"))
    if (std::isdigit(static_cast<unsigned char>(c))) tag += static_cast<char>('a' + (c - '0'));
  return tag;
}

// Keys, files and folders a test writes, removed at its end.
class Traces {
 public:
  ~Traces() {
    for (const sys::RegKey& key : keys_) key.deleteTree();
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    for (const std::string& folder : folders_) testing_support::RemoveTree(folder);
  }
  // Writes string values (name, text) into `path`; `top` (a prefix of it) goes at the end.
  void key(HKEY root, const std::string& top, const std::string& path,
           const std::map<std::string, std::string>& values = {{"Set", "1"}},
           sys::RegView view = sys::RegView::Default) {
    keys_.emplace_back(root, top, view);
    const sys::RegKey key(root, path, view);
    for (const auto& [name, text] : values) ASSERT_EQ(key.writeString(name, text), ERROR_SUCCESS);
  }
  // An uninstall entry of a program still installed.
  void entry(const std::string& name, const std::map<std::string, std::string>& values) {
    key(HKEY_CURRENT_USER, kUninstall + name, kUninstall + name, values);
  }
  // A file (and the folders above it up to `top`, removed at the end).
  void file(const std::string& top, const std::string& path) {
    folders_.push_back(top);
    ASSERT_TRUE(sys::ForceDirectories(sys::ExtractFilePath(path)));
    WriteTextFile(path);
  }
  void shortcut(const std::string& link, const std::string& target) {
    files_.push_back(link);
    sys::ForceDirectories(sys::ExtractFilePath(link));
    ASSERT_EQ(sys::CreateShellLink(link, target, sys::ExtractFilePath(target)), S_OK) << link;
  }
  void folder(const std::string& path) { folders_.push_back(path); }

 private:
  std::vector<sys::RegKey> keys_;
  std::vector<std::string> files_, folders_;
};

std::string Folder(int csidl) {
  return sys::ExcludeTrailingBackslash(sys::SpecialFolderPath(csidl));
}

// How the search shows a machine key of a view: under WOW6432Node when the 32-bit
// view has a key of its own there, else as the one key both views share.
std::string MachineText(const std::string& path, sys::RegView view) {
  const bool own32 =
      view == sys::RegView::Wow32 &&
      KeyIdentity(HKEY_LOCAL_MACHINE, path, view).find("\\WOW6432NODE\\") != std::string::npos;
  return own32 ? ShownKeyText(HKEY_LOCAL_MACHINE, path) : "HKEY_LOCAL_MACHINE\\" + path;
}

// The lines of a snapshot that name a test's own keys.
std::set<std::string> Lines(const std::set<std::string>& snapshot, const std::string& part) {
  std::set<std::string> out;
  for (const std::string& line : snapshot)
    if (line.find(part) != std::string::npos) out.insert(line);
  return out;
}

bool Has(const Evidence& evidence, Reason reason) {
  return std::find(evidence.reasons.begin(), evidence.reasons.end(), reason) !=
         evidence.reasons.end();
}

// The findings whose text holds `tag`, by text.
std::map<std::string, const FoundKey*> Keys(const ScanFindings& found, const std::string& tag) {
  std::map<std::string, const FoundKey*> keys;
  for (const FoundKey& key : found.keys)
    if (key.text.find(tag) != std::string::npos) keys[key.text] = &key;
  return keys;
}

void NodesInto(const FileEntry& node, std::map<std::string, const FileEntry*>& out) {
  out[node.path] = &node;
  for (const FileEntry& child : node.children) NodesInto(child, out);
}

std::map<std::string, const FileEntry*> Nodes(const ScanFindings& found, const std::string& tag) {
  std::map<std::string, const FileEntry*> all, ours;
  for (const FileEntry& top : found.files) NodesInto(top, all);
  for (const auto& [path, node] : all)
    if (path.find(tag) != std::string::npos) ours[path] = node;
  return ours;
}

std::map<std::string, Grade> Grades(const std::map<std::string, const FoundKey*>& keys) {
  std::map<std::string, Grade> grades;
  for (const auto& [text, key] : keys) grades[text] = key->evidence.grade;
  return grades;
}

std::map<std::string, Grade> Grades(const std::map<std::string, const FileEntry*>& nodes) {
  std::map<std::string, Grade> grades;
  for (const auto& [path, node] : nodes) grades[path] = node->evidence.grade;
  return grades;
}

ScanFindings Search(const UninstallTarget& target) {
  return FindLeftovers(target, ReadOtherEntries(target));
}

TEST(LeftoverSearch, SettingsKeysOfThePublisherInEveryViewAndTheirBystanders) {
  const std::string tag = Tag(), vendor = tag + " Works", product = tag + " Paint";
  UninstallTarget target;
  target.keyName = product;  // the four passes find the user's key by this name too
  target.displayName = product + " 2.1 (x64)";
  target.publisher = vendor + ", Inc.";
  Traces traces;
  const std::string user = "SOFTWARE\\" + vendor, hkcu = "HKEY_CURRENT_USER\\" + user;
  traces.key(HKEY_CURRENT_USER, user, user + "\\" + product + "\\Window", {{"Left", "1"}});
  std::vector<std::string> machine;
  for (sys::RegView view : sys::MachineSoftwareViews()) {
    traces.key(HKEY_LOCAL_MACHINE, user, user + "\\" + product, {{"Edition", "x"}}, view);
    machine.push_back(MachineText(user, view));
  }
  const std::set<std::string> before = Lines(SnapshotEveryView(), tag);
  ScanFindings found = Search(target);
  EXPECT_EQ(Lines(SnapshotEveryView(), tag), before);  // the search changes nothing
  EXPECT_FALSE(before.empty());
  EXPECT_FALSE(found.cancelled);
  // Each vendor key holds only this program: listed, at most likely; the program's
  // keys under it are safe.
  std::map<std::string, Grade> expected = {{hkcu, Grade::Likely},
                                           {hkcu + "\\" + product, Grade::Safe}};
  for (const std::string& text : machine) {
    expected[text] = Grade::Likely;
    expected[text + "\\" + product] = Grade::Safe;
  }
  auto keys = Keys(found, tag);
  EXPECT_EQ(Grades(keys), expected);
  ASSERT_TRUE(keys.count(hkcu + "\\" + product));
  const FoundKey& settings = *keys[hkcu + "\\" + product];
  EXPECT_TRUE(Has(settings.evidence, Reason::KeyNameMatch));
  EXPECT_TRUE(Has(settings.evidence, Reason::NameExact));
  EXPECT_TRUE(Has(settings.evidence, Reason::PublisherMatch));
  EXPECT_FALSE(settings.valuesOnly);

  // A second product of the publisher shares the vendor keys; a program of a similar
  // name keeps its own.
  traces.entry(tag + "Draw", {{"DisplayName", tag + " Draw 3.0"}, {"Publisher", vendor + " Inc"}});
  traces.key(HKEY_CURRENT_USER, user, user + "\\" + tag + " Draw");
  const std::string tools = "SOFTWARE\\" + product + " Tools";
  traces.entry(tag + "Tools", {{"DisplayName", product + " Tools"}});
  traces.key(HKEY_CURRENT_USER, tools, tools + "\\Cache");
  found = Search(target);
  expected = {{hkcu + "\\" + product, Grade::Safe},
              {"HKEY_CURRENT_USER\\" + tools, Grade::Doubtful}};
  for (const std::string& text : machine) expected[text + "\\" + product] = Grade::Safe;
  // The bystanders' uninstall entries are found by the passes by name only when
  // named alike: none is.
  keys = Keys(found, tag);
  EXPECT_EQ(Grades(keys), expected);
  ASSERT_TRUE(keys.count("HKEY_CURRENT_USER\\" + tools));
  EXPECT_TRUE(Has(keys["HKEY_CURRENT_USER\\" + tools]->evidence, Reason::NamedLikeOther));
  EXPECT_EQ(keys["HKEY_CURRENT_USER\\" + tools]->evidence.other, product + " Tools");
}

TEST(LeftoverSearch, StartEntriesAndClassesLeadingIntoTheInstallFolder) {
  const std::string tag = Tag();
  testing_support::TempDir temp;
  const std::string dir = temp.file(tag + " App"), exe = tag + ".exe";
  const std::string program = "\"" + dir + "\\" + exe + "\"";
  UninstallTarget target;
  target.displayName = tag + " App";
  target.installDir = dir;
  target.executables = {exe};
  Traces traces;
  const std::string elsewhere = "\"" + temp.file("Other\\other.exe") + "\"";
  // App Paths of the user and of the machine in each view, one of them elsewhere.
  const std::string appPaths = kCurrentVersion + "App Paths\\";
  traces.key(HKEY_CURRENT_USER, appPaths + exe, appPaths + exe, {{"", dir + "\\" + exe}});
  traces.key(HKEY_CURRENT_USER, appPaths + tag + "o.exe", appPaths + tag + "o.exe",
             {{"", elsewhere}});
  std::set<std::string> expected = {"HKEY_CURRENT_USER\\" + appPaths + exe};
  std::map<std::string, std::vector<std::string>> runValues;
  for (sys::RegView view : sys::MachineSoftwareViews()) {
    const std::string name = tag + "m" + (view == sys::RegView::Wow32 ? "32" : "64");
    traces.key(HKEY_LOCAL_MACHINE, appPaths + name, appPaths + name, {{"Path", dir}}, view);
    expected.insert(MachineText(appPaths + name, view));
  }
  // Run values: ours in each Run and RunOnce key, beside a bystander's.
  std::vector<std::pair<sys::RegKey, std::string>> values;
  for (const char* run : {"Run", "RunOnce"}) {
    std::vector<std::pair<HKEY, sys::RegView>> places = {
        {HKEY_CURRENT_USER, sys::RegView::Default}};
    for (sys::RegView view : sys::MachineSoftwareViews())
      places.push_back({HKEY_LOCAL_MACHINE, view});
    for (const auto& [root, view] : places) {
      const sys::RegKey key(root, kCurrentVersion + run, view);
      const std::string mine = tag + run + std::to_string(static_cast<int>(view));
      ASSERT_EQ(key.writeString(mine, program + " /tray"), ERROR_SUCCESS);
      ASSERT_EQ(key.writeString(mine + "x", elsewhere), ERROR_SUCCESS);
      values.push_back({key, mine});
      values.push_back({key, mine + "x"});
    }
  }
  struct RemoveValues {
    std::vector<std::pair<sys::RegKey, std::string>>& values;
    ~RemoveValues() {
      for (const auto& [key, name] : values) key.deleteValue(name);
    }
  } removeValues{values};
  // The program's own file and a file type that opens with it; another that does not.
  const std::string classes = "SOFTWARE\\Classes\\";
  traces.key(HKEY_CURRENT_USER, classes + "Applications\\" + exe,
             classes + "Applications\\" + exe + "\\shell\\open\\command", {{"", program + " %1"}});
  traces.key(HKEY_CURRENT_USER, classes + tag + ".Doc",
             classes + tag + ".Doc\\shell\\open\\command", {{"", program + " \"%1\""}});
  traces.key(HKEY_LOCAL_MACHINE, classes + tag + ".Pic",
             classes + tag + ".Pic\\shell\\open\\command", {{"", program}}, sys::RegView::Wow64);
  traces.key(HKEY_CURRENT_USER, classes + tag + ".Txt",
             classes + tag + ".Txt\\shell\\open\\command", {{"", elsewhere + " %1"}});
  // An extension of the type alone, and one that another type shares.
  const std::string single = classes + "." + tag + "a", sharing = classes + "." + tag + "b";
  traces.key(HKEY_CURRENT_USER, single, single, {{"", tag + ".Doc"}, {"Content Type", "text/x"}});
  traces.key(HKEY_CURRENT_USER, sharing, sharing + "\\OpenWithProgids",
             {{tag + ".Doc", ""}, {"Other.Type", ""}});
  ASSERT_EQ(sys::RegKey(HKEY_CURRENT_USER, sharing).writeString("", "Other.Type"), ERROR_SUCCESS);
  expected.insert("HKEY_CURRENT_USER\\" + single);
  expected.insert("HKEY_CURRENT_USER\\" + classes + "Applications\\" + exe);
  expected.insert("HKEY_CURRENT_USER\\" + classes + tag + ".Doc");
  expected.insert("HKEY_LOCAL_MACHINE\\" + classes + tag + ".Pic");

  const ScanFindings found = Search(target);
  std::set<std::string> whole;
  for (const auto& [text, key] : Keys(found, tag)) {
    if (text == "HKEY_CURRENT_USER\\" + sharing + "\\OpenWithProgids") {
      EXPECT_TRUE(key->valuesOnly);
      EXPECT_EQ(key->valueNames, std::vector<std::string>{tag + ".Doc"});
      EXPECT_EQ(key->evidence.grade, Grade::Safe);
      continue;
    }
    EXPECT_FALSE(key->valuesOnly) << text;
    EXPECT_EQ(key->evidence.grade, Grade::Safe) << text;
    EXPECT_TRUE(Has(key->evidence, Reason::PointsIntoInstall)) << text;
    whole.insert(text);
  }
  EXPECT_EQ(whole, expected);
  // A Run key is never the finding: only the program's values in it.
  std::set<std::string> runs;
  for (const FoundKey& key : found.keys) {
    if (key.path.find("\\Run") == std::string::npos) continue;
    EXPECT_TRUE(key.valuesOnly) << key.text;
    EXPECT_EQ(key.evidence.grade, Grade::Safe) << key.text;
    for (const std::string& name : key.valueNames) {
      EXPECT_NE(name.back(), 'x') << key.text << " " << name;
      runs.insert(name);
    }
  }
  std::set<std::string> ours;
  for (const auto& [key, name] : values)
    if (name.back() != 'x') ours.insert(name);
  EXPECT_EQ(runs, ours);
}

TEST(LeftoverSearch, InstallerKeysOfThePackedProductCode) {
  GUID guid{};
  ASSERT_EQ(CoCreateGuid(&guid), S_OK);
  wchar_t wide[40] = {};
  StringFromGUID2(guid, wide, 40);
  std::string code;
  for (const wchar_t* c = wide; *c; ++c) code += static_cast<char>(*c);
  const std::string packed = PackProductCode(code);
  ASSERT_EQ(packed.size(), 32u);
  UninstallTarget target;
  target.displayName = Tag() + " Msi";
  target.productCode = code;
  const std::string installer = "SOFTWARE\\Classes\\Installer\\";
  const std::string userData = kCurrentVersion + "Installer\\UserData\\S-1-5-18\\Products\\";
  // Two other upgrade codes, neither of which may equal the packed product code.
  std::string others = "FED";
  others.erase(others.find(packed[0]) == std::string::npos ? 2 : others.find(packed[0]), 1);
  const std::string alone = others[0] + packed.substr(1), shared = others[1] + packed.substr(1);
  Traces traces;
  // The native view: there the installer keeps them on 64-bit Windows.
  const sys::RegView kNative = sys::MachineSoftwareViews().front();
  traces.key(HKEY_LOCAL_MACHINE, installer + "Products\\" + packed,
             installer + "Products\\" + packed, {{"ProductName", target.displayName}}, kNative);
  traces.key(HKEY_LOCAL_MACHINE, installer + "Features\\" + packed,
             installer + "Features\\" + packed, {{"Main", ""}}, kNative);
  traces.key(HKEY_LOCAL_MACHINE, installer + "UpgradeCodes\\" + alone,
             installer + "UpgradeCodes\\" + alone, {{packed, ""}}, kNative);
  traces.key(HKEY_LOCAL_MACHINE, installer + "UpgradeCodes\\" + shared,
             installer + "UpgradeCodes\\" + shared, {{packed, ""}, {alone, ""}}, kNative);
  traces.key(HKEY_LOCAL_MACHINE, userData + packed, userData + packed + "\\InstallProperties",
             {{"DisplayName", target.displayName}}, kNative);
  traces.key(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Installer\\Products\\" + packed,
             "SOFTWARE\\Microsoft\\Installer\\Products\\" + packed);

  const ScanFindings found = Search(target);
  std::map<std::string, bool> valuesOnly;
  for (const FoundKey& key : found.keys) {
    if (key.path.find(packed.substr(1)) == std::string::npos) continue;
    EXPECT_EQ(key.evidence.grade, Grade::Safe) << key.text;
    EXPECT_TRUE(Has(key.evidence, Reason::ProductCode)) << key.text;
    valuesOnly[key.text] = key.valuesOnly;
    if (key.valuesOnly) {
      EXPECT_EQ(key.valueNames, std::vector<std::string>{packed});
    }
  }
  const std::string hklm = "HKEY_LOCAL_MACHINE\\";
  EXPECT_EQ(valuesOnly,
            (std::map<std::string, bool>{
                {hklm + installer + "Products\\" + packed, false},
                {hklm + installer + "Features\\" + packed, false},
                {hklm + installer + "UpgradeCodes\\" + alone, false},
                {hklm + installer + "UpgradeCodes\\" + shared, true},
                {hklm + userData + packed, false},
                {"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Installer\\Products\\" + packed, false},
            }));
  // Without a product code nothing of it is looked for.
  target.productCode.clear();
  for (const FoundKey& key : Search(target).keys)
    EXPECT_EQ(key.path.find(packed), std::string::npos) << key.text;
}

TEST(LeftoverSearch, DataFoldersOfEveryRootAndTheirBystanders) {
  const std::string tag = Tag(), vendor = tag + " Works", product = tag + " Paint";
  const std::string roaming = Folder(CSIDL_APPDATA), local = Folder(CSIDL_LOCAL_APPDATA);
  const std::string programData = Folder(CSIDL_COMMON_APPDATA);
  const std::string low =
      sys::ExcludeTrailingBackslash(Folder(CSIDL_PROFILE)) + "\\AppData\\LocalLow";
  const std::string install = local + "\\Programs\\" + product;
  UninstallTarget target;
  target.displayName = product;
  target.publisher = vendor;
  target.installDir = install;
  Traces traces;
  // Roots a new prefix may not have yet go again at the end.
  auto top = [](const std::string& root, const std::string& name) {
    return sys::DirectoryExists(root) ? root + "\\" + name : root;
  };
  traces.file(roaming + "\\" + vendor, roaming + "\\" + vendor + "\\" + product + "\\config.json");
  traces.file(top(local + "\\Programs", product), install + "\\" + tag + ".exe");
  traces.file(top(low, vendor), low + "\\" + vendor + "\\" + product + "\\x.dat");
  traces.file(programData + "\\" + product, programData + "\\" + product + "\\y.dat");
  // Folders named after the program, one of them holding the user's own work.
  traces.file(local + "\\" + product, local + "\\" + product + "\\cache\\a.bin");
  traces.file(local + "\\" + product, local + "\\" + product + "\\Drawings\\cat.jpg");
  traces.file(local + "\\" + product, local + "\\" + product + "\\Drawings\\notes.txt");
  // The publisher's shared files: never searched.
  const std::string common = Folder(CSIDL_PROGRAM_FILES_COMMON) + "\\" + vendor;
  traces.file(common, common + "\\shared.dll");

  ScanFindings found = Search(target);
  ASSERT_FALSE(found.files.empty());
  EXPECT_EQ(found.files[0].path, install);  // the install folder's tree first
  const std::string v = roaming + "\\" + vendor, l = local + "\\" + product;
  const std::string lv = low + "\\" + vendor, p = programData + "\\" + product;
  const std::map<std::string, Grade> alone = {
      {install, Grade::Safe},
      {install + "\\" + tag + ".exe", Grade::Safe},
      {v, Grade::Likely},  // holds nothing but the program's folder
      {v + "\\" + product, Grade::Safe},
      {v + "\\" + product + "\\config.json", Grade::Safe},
      {lv, Grade::Likely},
      {lv + "\\" + product, Grade::Safe},
      {lv + "\\" + product + "\\x.dat", Grade::Safe},
      {p, Grade::Likely},  // an exact name without the publisher
      {p + "\\y.dat", Grade::Likely},
      {l, Grade::Doubtful},  // holds documents
      {l + "\\cache", Grade::Likely},
      {l + "\\cache\\a.bin", Grade::Likely},
      {l + "\\Drawings", Grade::Doubtful},
      {l + "\\Drawings\\cat.jpg", Grade::Doubtful},
      {l + "\\Drawings\\notes.txt", Grade::Doubtful},
  };
  auto nodes = Nodes(found, tag);
  EXPECT_EQ(Grades(nodes), alone);
  EXPECT_TRUE(Has(nodes[l]->evidence, Reason::UserData));
  EXPECT_FALSE(Has(nodes[l + "\\cache"]->evidence, Reason::UserData));

  // A second product of the publisher shares its folder; a program of a similar name
  // keeps its own; another claims the folder in ProgramData.
  traces.file(v, v + "\\" + tag + " Draw\\draw.ini");
  traces.entry(tag + "Draw", {{"DisplayName", tag + " Draw"}, {"Publisher", vendor}});
  traces.file(roaming + "\\" + product + " Tools", roaming + "\\" + product + " Tools\\t.ini");
  traces.entry(tag + "Tools", {{"DisplayName", product + " Tools 1.0"}});
  traces.entry(tag + "Data", {{"DisplayName", tag + " Data"}, {"InstallLocation", p}});
  found = Search(target);
  nodes = Nodes(found, tag);
  const std::string t = roaming + "\\" + product + " Tools";
  EXPECT_FALSE(nodes.count(v));
  EXPECT_FALSE(nodes.count(lv));
  EXPECT_FALSE(nodes.count(v + "\\" + tag + " Draw"));
  ASSERT_TRUE(nodes.count(t));
  EXPECT_EQ(nodes[t]->evidence.other, product + " Tools 1.0");
  for (const std::string& path : {t, t + "\\t.ini", p, p + "\\y.dat"})
    EXPECT_EQ(Grades(nodes)[path], Grade::Doubtful) << path;
  EXPECT_TRUE(Has(nodes[p]->evidence, Reason::OwnedByOther));
  EXPECT_EQ(Grades(nodes)[v + "\\" + product], Grade::Safe);
  for (const auto& [path, node] : nodes) EXPECT_EQ(path.find(common), std::string::npos) << path;
}

TEST(LeftoverSearch, ShortcutsIntoTheFolderOfTheIconFoundOnAWorkerThread) {
  const std::string tag = Tag();
  testing_support::TempDir temp;
  const std::string dir = temp.file(tag), exe = dir + "\\app.exe";
  ASSERT_TRUE(sys::ForceDirectories(dir));
  WriteTextFile(exe);
  WriteTextFile(temp.file("elsewhere.exe"));
  // No install folder in the entry: its icon's folder stands for it.
  UninstallTarget target;
  target.displayName = tag + " Viewer";
  target.displayIcon = "\"" + exe + "\",0";
  const std::string menu = Folder(CSIDL_PROGRAMS), common = Folder(CSIDL_COMMON_PROGRAMS);
  const std::string own = menu + "\\" + tag + " Viewer", mixed = menu + "\\" + tag + " Mixed";
  Traces traces;
  const sys::ComApartment com;
  traces.shortcut(own + "\\" + tag + " Viewer.lnk", exe);
  traces.shortcut(own + "\\Tools\\Uninstall.lnk", dir + "\\unins000.exe");
  traces.shortcut(mixed + "\\" + tag + " Viewer.lnk", exe);
  traces.shortcut(mixed + "\\Other.lnk", temp.file("elsewhere.exe"));
  traces.shortcut(common + "\\" + tag + " Viewer.lnk", exe);
  traces.shortcut(Folder(CSIDL_DESKTOPDIRECTORY) + "\\" + tag + " Viewer.lnk", exe);
  traces.shortcut(Folder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\" + tag + ".lnk", exe);
  traces.shortcut(Folder(CSIDL_DESKTOPDIRECTORY) + "\\" + tag + " Other.lnk",
                  temp.file("elsewhere.exe"));
  for (const std::string& folder : {own, mixed}) traces.folder(folder);

  ScanFindings found;
  std::thread worker([&] { found = FindLeftovers(target, ReadOtherEntries(target)); });
  worker.join();
  std::set<std::string> tops;
  for (const FileEntry& top : found.files) tops.insert(top.path);
  const std::set<std::string> expected = {
      dir,  // the icon's folder, listed as the install folder
      own,  // holds only the program's shortcuts
      mixed + "\\" + tag + " Viewer.lnk",
      common + "\\" + tag + " Viewer.lnk",
      Folder(CSIDL_DESKTOPDIRECTORY) + "\\" + tag + " Viewer.lnk",
      Folder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\" + tag + ".lnk",
  };
  EXPECT_EQ(tops, expected);
  auto nodes = Nodes(found, tag);
  ASSERT_TRUE(nodes.count(own + "\\Tools\\Uninstall.lnk"));
  for (const auto& [path, node] : nodes) {
    EXPECT_EQ(node->evidence.grade, Grade::Safe) << path;
    EXPECT_TRUE(Has(node->evidence,
                    path.rfind(dir, 0) == 0 ? Reason::InInstallFolder : Reason::PointsIntoInstall))
        << path;
  }
  EXPECT_TRUE(Has(nodes[own + "\\Tools\\Uninstall.lnk"]->evidence, Reason::NoNameMatch));
}

TEST(LeftoverSearch, TheIconOrUninstallerFolderStandsForAMissingInstallFolder) {
  testing_support::TempDir temp;
  const std::string dir = temp.file("App");
  UninstallTarget target;
  target.displayIcon = dir + "\\bin\\app.exe,0";
  target.uninstallString = "\"" + dir + "\\unins000.exe\" /S";
  EXPECT_EQ(InstallFoldersOf(target, {}), std::vector<std::string>{dir});
  target.uninstallString = "MsiExec.exe /X{12345678-ABCD-EF01-2345-6789ABCDEF01}";
  EXPECT_EQ(InstallFoldersOf(target, {}), std::vector<std::string>{dir + "\\bin"});
  // Another program claims the folder, or one inside it.
  InstalledEntry other;
  other.folders = {NormalisedFolder(dir)};
  EXPECT_TRUE(InstallFoldersOf(target, {other}).empty());
  other.folders = {NormalisedFolder(dir + "\\bin\\plugins")};
  EXPECT_TRUE(InstallFoldersOf(target, {other}).empty());
  // Folders the guard keeps, or of the system, never stand for one.
  target.displayIcon = sys::SpecialFolderPath(CSIDL_PROGRAM_FILES) + "\\app.exe";
  EXPECT_TRUE(InstallFoldersOf(target, {}).empty());
  target.displayIcon = sys::WindowsDirectory() + "\\Installer\\{1}\\icon.exe";
  EXPECT_TRUE(InstallFoldersOf(target, {}).empty());
  // The entry's own install folder comes first and alone.
  target.installDir = temp.file("Real");
  target.displayIcon = dir + "\\app.exe";
  EXPECT_EQ(InstallFoldersOf(target, {}), std::vector<std::string>{temp.file("Real")});
}

TEST(LeftoverSearch, InputsTakenFromAnEntryWithoutInstallFolder) {
  testing_support::TempDir temp;
  const std::string dir = temp.file("App");
  for (const char* name : {"app.exe", "helper.EXE", "readme.txt"}) {
    ASSERT_TRUE(sys::ForceDirectories(dir));
    WriteTextFile(dir + "\\" + name);
  }
  const std::string code = "{12345678-ABCD-EF01-2345-6789ABCDEF01}";
  Traces traces;
  traces.entry(code, {{"DisplayIcon", dir + "\\app.exe,0"},
                      {"UninstallString", "MsiExec.exe /X" + code},
                      {"Publisher", "Qx Works"}});
  sys::RegValue msi;
  msi.name = "WindowsInstaller";
  msi.type = REG_DWORD;
  msi.data = std::string("\x01\0\0\0", 4);
  ASSERT_EQ(sys::RegKey(HKEY_CURRENT_USER, kUninstall + code).writeValue(msi), ERROR_SUCCESS);
  UninstallTarget target;
  target.keyName = code;
  target.entryRoot = HKEY_CURRENT_USER;
  CaptureScanInputs(target);
  EXPECT_EQ(target.productCode, code);
  EXPECT_EQ(target.publisher, "Qx Works");
  std::sort(target.executables.begin(), target.executables.end());
  EXPECT_EQ(target.executables, (std::vector<std::string>{"app.exe", "helper.EXE"}));
}

TEST(LeftoverSearch, StopsAtTheNextPathOnceCancelledAndKeepsWhatItFound) {
  const std::string tag = Tag(), product = tag + " Stop";
  testing_support::TempDir temp;
  const std::string dir = temp.file(product);
  Traces traces;
  traces.key(HKEY_CURRENT_USER, "SOFTWARE\\" + product, "SOFTWARE\\" + product);
  for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) traces.file(dir, dir + "\\" + name);
  UninstallTarget target;
  target.displayName = product;
  target.installDir = dir;
  const auto others = ReadOtherEntries(target);

  // Every path examined is told, registry and disk alike.
  std::vector<std::string> all;
  FindLeftovers(target, others, [&](const std::string& path) { all.push_back(path); });
  auto told = [&](const std::string& path) {
    return std::find(all.begin(), all.end(), path) != all.end();
  };
  EXPECT_TRUE(told("HKEY_CURRENT_USER\\SOFTWARE\\" + product));
  EXPECT_TRUE(told(dir + "\\c.txt"));

  // Cancelled while the install folder is listed: the key found before stays, the
  // folder's tree ends where the search stopped, and nothing more is examined.
  std::atomic<bool> cancel{false};
  std::vector<std::string> seen;
  const ScanFindings found = FindLeftovers(
      target, others,
      [&](const std::string& path) {
        EXPECT_FALSE(cancel.load()) << "examined after the stop: " << path;
        seen.push_back(path);
        if (path == dir + "\\b.txt") cancel = true;
      },
      &cancel);
  EXPECT_TRUE(found.cancelled);
  EXPECT_EQ(seen.back(), dir + "\\b.txt");
  EXPECT_LT(seen.size(), all.size());
  ASSERT_EQ(Keys(found, tag).size(), 1u);
  ASSERT_FALSE(found.files.empty());
  EXPECT_EQ(found.files[0].path, dir);
  EXPECT_EQ(Flatten(found.files), (std::set<std::string>{dir, dir + "\\a.txt", dir + "\\b.txt"}));
  EXPECT_EQ(found.files[0].evidence.grade, Grade::Safe);

  // Set before it starts: nothing is examined or found.
  seen.clear();
  const ScanFindings none = FindLeftovers(
      target, others, [&](const std::string& path) { seen.push_back(path); }, &cancel);
  EXPECT_TRUE(none.cancelled);
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(none.keys.empty());
  EXPECT_TRUE(none.files.empty());
}

}  // namespace
