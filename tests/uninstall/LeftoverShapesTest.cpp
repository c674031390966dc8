// The leftover search on sample installations of the common installer shapes, counted
// against what each sample really wrote (its manifest), never against what the search
// reports: after the program's own uninstaller has run, the search lists at least 90%
// of the leftovers and ticks at least 70% of them, ticks no bystander (the publisher's
// other product, a program with a similar name, the user's documents, the publisher's
// shared files); and removing what the trees tick takes exactly that: the ticked
// leftovers are gone, every bystander is as it was, nothing else in either registry
// view or in the folders involved has changed.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fixtures/shapes/Layout.h"
#include "support/DiskAndRegistry.h"
#include "support/Sandbox.h"
#include "support/ShapeSamples.h"
#include "sys/BackupFiles.h"
#include "sys/ComInit.h"
#include "sys/KnownFolders.h"
#include "uninstall/InstallFolder.h"
#include "uninstall/LeftoverRemoval.h"
#include "uninstall/LeftoverSearch.h"
#include "uninstall/ScanTrees.h"

namespace {

using shapes::Kind;
using shapes::Role;
using shapes::Trace;
using uninstall::LeftoverItem;
using uninstall::LeftoverKind;

std::string Upper(const std::string& text) {
  return sys::UpperCase(text);
}

bool AtOrBelow(const std::string& name, const std::string& top) {
  return name.size() >= top.size() && name.compare(0, top.size(), top) == 0 &&
         (name.size() == top.size() || name[top.size()] == '\\');
}

// A key, value, file or folder by one comparable name (key names as KeyName gives
// them, paths in upper case), with the snapshot lines it stands for.
struct Thing {
  bool registry = false;
  bool value = false;
  std::string name;
  std::string valueName;  // upper case
  std::vector<std::string> prefixes;
  std::string text;  // for messages

  // Whether taking this thing takes `other` with it (or is it).
  bool covers(const Thing& other) const {
    if (registry != other.registry) return false;
    if (!registry) return name == other.name;
    if (!value) return AtOrBelow(other.name, name);
    return other.value && other.name == name && other.valueName == valueName;
  }
  // Whether this thing is `other` or lies in it.
  bool inside(const Thing& other) const {
    if (registry != other.registry) return false;
    if (registry && other.value) return value && name == other.name && valueName == other.valueName;
    return AtOrBelow(name, other.name);
  }
  // Whether a snapshot line (upper case) is part of this thing.
  bool holdsLine(const std::string& line) const {
    return testing_support::LineBelongsTo(line, prefixes, value ? &valueName : nullptr);
  }
};

Thing ThingOf(const Trace& t) {
  Thing thing;
  thing.text = shapes::Describe(t);
  if (t.kind == Kind::Folder || t.kind == Kind::File) {
    thing.name = Upper(t.path);
    return thing;
  }
  thing.registry = true;
  thing.value = t.kind == Kind::Value;
  thing.name = testing_support::KeyIdentityOf(t.root, t.view, t.path);
  thing.valueName = Upper(t.valueName);
  thing.prefixes = testing_support::SnapshotPrefixesOf(t.root, t.view, t.path);
  return thing;
}

Thing ThingOf(const LeftoverItem& item) {
  Thing thing;
  thing.text = item.text;
  if (!item.registry) {
    thing.name = Upper(item.text);
    return thing;
  }
  const uninstall::RegistryTarget& r = *item.registry;
  thing.registry = true;
  thing.value = item.kind == LeftoverKind::RegistryValue;
  thing.name = testing_support::KeyIdentityOf(r.root, r.view, r.keyPath);
  thing.valueName = Upper(r.valueName);
  thing.prefixes = testing_support::SnapshotPrefixesOf(r.root, r.view, r.keyPath);
  return thing;
}

const char* const kReasonNames[] = {
    "KeyNameMatch",      "NameExact",    "NamePartial",  "PublisherMatch", "InInstallFolder",
    "PointsIntoInstall", "ProductCode",  "OwnedByOther", "NamedLikeOther", "UserData",
    "OthersExecutables", "SharedVendor", "NoNameMatch"};
static_assert(std::size(kReasonNames) == static_cast<size_t>(uninstall::Reason::kCount));

std::string EvidenceText(const uninstall::Evidence& e) {
  static const char* const kGrades[] = {"Safe", "Likely", "Doubtful"};
  std::string out = kGrades[static_cast<int>(e.grade)];
  for (size_t i = 0; i < e.reasons.size(); ++i)
    out += (i ? ", " : ": ") + std::string(kReasonNames[static_cast<int>(e.reasons[i])]);
  if (!e.other.empty()) out += " (" + e.other + ")";
  return out;
}

void CollectEvidence(const uninstall::FileEntry& entry,
                     std::map<std::string, std::string>& evidence) {
  evidence[Upper(entry.path)] = EvidenceText(entry.evidence);
  for (const uninstall::FileEntry& child : entry.children) CollectEvidence(child, evidence);
}

// The scan's findings in the window's two trees, as the tree rules tick them.
class Trees {
 public:
  explicit Trees(const uninstall::ScanFindings& findings) {
    host_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr,
                            nullptr);
    registry.create(host_, 1, {0, 0, 600, 200});
    files.create(host_, 2, {0, 200, 600, 400});
    uninstall::AddRegistryNodes(registry, nodes, findings.keys);
    uninstall::AddFileNodes(files, nodes, findings.files);
  }
  ~Trees() { DestroyWindow(host_); }

  std::vector<LeftoverItem> listed() const {
    std::vector<LeftoverItem> items;
    for (const tk::TickTreeView* tree : {&registry, &files})
      for (HTREEITEM node : tree->descendants(nullptr))
        items.push_back(uninstall::NodeItem(*tree, nodes, node));
    return items;
  }
  std::vector<LeftoverItem> ticked() const {
    std::vector<LeftoverItem> items = uninstall::TickedRegistryItems(registry, nodes);
    for (LeftoverItem& item : uninstall::TickedFileItems(files, nodes))
      items.push_back(std::move(item));
    return items;
  }

  tk::TickTreeView registry, files;
  uninstall::LeftoverNodes nodes;

 private:
  HWND host_ = nullptr;
};

std::string Percent(size_t part, size_t whole) {
  return std::to_string(whole ? part * 100 / whole : 0) + "%";
}

template <typename Lines>
std::string FirstLines(const Lines& lines, size_t most = 25) {
  std::string out;
  size_t n = 0;
  for (const auto& line : lines) {
    if (n++ == most) return out + "  ...\n";
    out += "  " + std::string(line) + "\n";
  }
  return out;
}

std::set<std::string> UpperLines(const std::set<std::string>& lines) {
  std::set<std::string> out;
  for (const std::string& line : lines) out.insert(Upper(line));
  return out;
}

void CheckShape(const std::string& id) {
  sys::ComApartment com;
  testing_support::InstalledShape shape(id);
  const shapes::Manifest& m = shape.manifest();
  const shapes::Places places = shapes::CurrentPlaces();

  // The manifest says what is there.
  for (const Trace& t : m.traces)
    ASSERT_TRUE(shapes::TraceExists(t)) << "the manifest lies: " << shapes::Describe(t);
  ASSERT_FALSE(m.withRole(Role::Leftover).empty());

  // The program is taken as the main window takes it when its uninstall starts.
  const sys::RegKey entry(
      m.entryRoot, std::string(uninstall::kUninstallKeyPath) + "\\" + m.entryKeyName, m.entryView);
  ASSERT_TRUE(entry.exists());
  const uninstall::UninstallTarget target =
      uninstall::ReadUninstallTarget(m.entryRoot, m.entryView, m.entryKeyName);

  // Its uninstaller runs: the entry and the program's own files go, the rest stays.
  shapes::Manifest uninstaller = m;
  uninstaller.traces.clear();
  for (const Trace* t : m.withRole(Role::Removed)) uninstaller.traces.push_back(*t);
  ASSERT_TRUE(shapes::RemoveTraces(uninstaller).empty());
  for (const Trace* t : m.withRole(Role::Removed)) ASSERT_FALSE(shapes::TraceExists(*t));

  std::vector<Thing> leftovers, bystanders, notBystander;
  for (const Trace* t : m.withRole(Role::Leftover)) leftovers.push_back(ThingOf(*t));
  for (const Trace* t : m.withRole(Role::Bystander)) bystanders.push_back(ThingOf(*t));
  for (const Trace* t : m.withRole(Role::Removed)) notBystander.push_back(ThingOf(*t));
  for (const Thing& l : leftovers) notBystander.push_back(l);

  // The system writes a few settings of its own the first time a process makes a window
  // or asks for the known folders: done before the first snapshot, they change nothing.
  DestroyWindow(
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  sys::AllKnownFolderPaths();
  const std::set<std::string> registryBefore = testing_support::SnapshotEveryView();
  const std::vector<std::string> watched = shapes::WatchedFolders(places);
  const std::map<std::string, std::string> diskBefore = testing_support::DiskContents(watched);

  const uninstall::ScanFindings findings =
      uninstall::FindLeftovers(target, uninstall::ReadOtherEntries(target));
  ASSERT_FALSE(findings.cancelled);
  std::map<std::string, std::string> evidence;
  for (const uninstall::FoundKey& key : findings.keys) {
    evidence[Upper(key.text)] = EvidenceText(key.evidence);
    for (const std::string& value : key.values) evidence[Upper(value)] = EvidenceText(key.evidence);
  }
  for (const uninstall::FileEntry& entryFound : findings.files)
    CollectEvidence(entryFound, evidence);

  Trees trees(findings);
  std::vector<Thing> listed, ticked;
  const std::vector<LeftoverItem> tickedItems = trees.ticked();
  for (const LeftoverItem& item : trees.listed()) listed.push_back(ThingOf(item));
  for (const LeftoverItem& item : tickedItems) ticked.push_back(ThingOf(item));

  // The figures, against the manifest.
  auto coveredBy = [](const Thing& t, const std::vector<Thing>& things) -> const Thing* {
    for (const Thing& x : things)
      if (x.covers(t)) return &x;
    return nullptr;
  };
  size_t listedCount = 0, tickedCount = 0;
  std::vector<std::string> notListed, notTicked, bystandersTicked;
  std::vector<const Thing*> tickedLeftovers;
  for (const Thing& l : leftovers) {
    const Thing* shown = coveredBy(l, listed);
    if (!shown) {
      notListed.push_back(l.text);
      continue;
    }
    ++listedCount;
    if (coveredBy(l, ticked)) {
      ++tickedCount;
      tickedLeftovers.push_back(&l);
    } else {
      notTicked.push_back(l.text + "  <- " + shown->text + "  " + evidence[Upper(shown->text)]);
    }
  }
  for (const Thing& x : ticked) {
    for (const Thing& b : bystanders) {
      // Ticked: the bystander itself, something that holds it, or something in it that
      // is not the program's.
      bool takes = x.covers(b) || b.inside(x);
      if (!takes && x.inside(b)) {
        takes = true;
        for (const Thing& own : notBystander) takes = takes && !x.inside(own);
      }
      if (takes)
        bystandersTicked.push_back(x.text + "  (" + b.text + ")  " + evidence[Upper(x.text)]);
    }
  }
  const size_t total = leftovers.size();
  std::printf("[%s] listed %u of %u leftovers (%s), ticked %u (%s); %u bystanders ticked\n",
              id.c_str(), static_cast<unsigned>(listedCount), static_cast<unsigned>(total),
              Percent(listedCount, total).c_str(), static_cast<unsigned>(tickedCount),
              Percent(tickedCount, total).c_str(), static_cast<unsigned>(bystandersTicked.size()));
  std::printf("%s", (notListed.empty() ? "" : "  not listed:\n" + FirstLines(notListed)).c_str());
  std::printf("%s",
              (notTicked.empty() ? "" : "  listed, not ticked:\n" + FirstLines(notTicked)).c_str());
  EXPECT_GE(listedCount * 10, total * 9) << "not listed:\n" << FirstLines(notListed);
  EXPECT_GE(tickedCount * 10, total * 7) << "listed, not ticked:\n" << FirstLines(notTicked);
  EXPECT_TRUE(bystandersTicked.empty()) << "bystanders ticked:\n" << FirstLines(bystandersTicked);

  // Delete takes what is ticked, and only that.
  testing_support::TempDir backups;
  uninstall::RemoveLeftovers(tickedItems, target.keyName, backups.path());
  const std::set<std::string> registryAfter = testing_support::SnapshotEveryView();
  const std::map<std::string, std::string> diskAfter = testing_support::DiskContents(watched);

  for (const Thing* l : tickedLeftovers) {
    for (const Trace* t : m.withRole(Role::Leftover)) {
      if (shapes::Describe(*t) == l->text) {
        EXPECT_FALSE(shapes::TraceExists(*t)) << "ticked, still there: " << l->text;
      }
    }
  }
  std::vector<std::string> added, unexplained, bystandersChanged;
  for (const std::string& line : testing_support::Minus(registryAfter, registryBefore))
    added.push_back(line);
  for (const std::string& line :
       UpperLines(testing_support::Minus(registryBefore, registryAfter))) {
    bool explained = false;
    for (const Thing& x : ticked) explained = explained || (x.registry && x.holdsLine(line));
    if (!explained) unexplained.push_back(line);
  }
  const std::set<std::string> afterUpper = UpperLines(registryAfter);
  for (const std::string& line : UpperLines(registryBefore)) {
    for (const Thing& b : bystanders) {
      if (!b.registry || !b.holdsLine(line)) continue;
      bool own = false;
      for (const Thing& o : notBystander) own = own || (o.registry && o.holdsLine(line));
      if (!own && !afterUpper.count(line)) bystandersChanged.push_back(line);
    }
  }
  for (const auto& [path, content] : diskAfter) {
    auto before = diskBefore.find(path);
    if (before == diskBefore.end())
      added.push_back(path);
    else if (before->second != content)
      added.push_back(path + " changed: " + content);
  }
  for (const auto& [path, content] : diskBefore) {
    if (diskAfter.count(path)) continue;
    Thing gone;
    gone.name = Upper(path);
    bool explained = false;
    for (const Thing& x : ticked) explained = explained || x.covers(gone);
    if (!explained) unexplained.push_back(path);
    for (const Thing& b : bystanders) {
      if (b.registry || !AtOrBelow(gone.name, b.name)) continue;
      bool own = false;
      for (const Thing& o : notBystander)
        own = own || (!o.registry && AtOrBelow(gone.name, o.name));
      if (!own) bystandersChanged.push_back(path);
    }
  }
  EXPECT_TRUE(added.empty()) << "added or changed:\n" << FirstLines(added);
  EXPECT_TRUE(unexplained.empty()) << "gone without being ticked:\n" << FirstLines(unexplained);
  EXPECT_TRUE(bystandersChanged.empty()) << "bystanders changed:\n"
                                         << FirstLines(bystandersChanged);
  EXPECT_EQ(shape.remove(), "");
}

TEST(LeftoverShapes, ScriptInstallerProgram) {
  CheckShape("nsis");
}

TEST(LeftoverShapes, CompiledScriptInstallerProgram) {
  CheckShape("inno");
}

TEST(LeftoverShapes, WindowsInstallerProgram32) {
  CheckShape("msi32");
}

TEST(LeftoverShapes, WindowsInstallerProgram64) {
  CheckShape("msi64");
}

TEST(LeftoverShapes, PerUserRuntimeProgram) {
  CheckShape("electron");
}

TEST(LeftoverShapes, PerUserCompiledScriptProgram) {
  CheckShape("inno-user");
}

}  // namespace
