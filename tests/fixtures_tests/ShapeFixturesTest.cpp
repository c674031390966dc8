// The sample installations of the common installer shapes: each one writes exactly
// what its manifest says (nothing more, nothing that was there before), and its
// removal leaves both registry views and the folders involved as they were, so that
// the leftover tests count against true data and clean up after themselves.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fixtures/shapes/Layout.h"
#include "fixtures/shapes/Shapes.h"
#include "support/DiskAndRegistry.h"
#include "support/ShapeSamples.h"
#include "sys/BackupFiles.h"
#include "sys/ComInit.h"
#include "sys/KnownFolders.h"

namespace {

using shapes::Kind;
using shapes::Role;
using shapes::Trace;

std::string Upper(const std::string& text) {
  return sys::UpperCase(text);
}

bool AtOrBelow(const std::string& path, const std::string& top) {
  const std::string p = Upper(path), t = Upper(top);
  return p.size() >= t.size() && p.compare(0, t.size(), t) == 0 &&
         (p.size() == t.size() || p[t.size()] == '\\');
}

bool IsRegistry(const Trace& t) {
  return t.kind == Kind::Key || t.kind == Kind::Value;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size() && i < 25; ++i) out += "  " + lines[i] + "\n";
  return out;
}

TEST(ShapeManifest, ReadsBackWhatItWritesAndRejectsBrokenLines) {
  shapes::Manifest m;
  m.shape = "msi64";
  m.entryRoot = HKEY_LOCAL_MACHINE;
  m.entryView = sys::RegView::Wow64;
  m.entryKeyName = "{C4D5E6F7-0819-4A2B-B3C4-D5E6F7081920}";
  m.traces.push_back({Role::Removed, Kind::Key, HKEY_LOCAL_MACHINE, sys::RegView::Wow64,
                      "Software\\A\\B", "", "entry"});
  m.traces.push_back({Role::Bystander, Kind::Value, HKEY_CURRENT_USER, sys::RegView::Default,
                      "Software\\Run", "Other one", ""});
  m.traces.push_back({Role::Leftover, Kind::Folder, nullptr, sys::RegView::Default,
                      "C:\\ProgramData\\A B", "", "data"});
  const std::optional<shapes::Manifest> back = shapes::ParseManifest(shapes::FormatManifest(m));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->shape, m.shape);
  EXPECT_EQ(back->entryView, sys::RegView::Wow64);
  EXPECT_EQ(back->entryKeyName, m.entryKeyName);
  ASSERT_EQ(back->traces.size(), 3u);
  for (size_t i = 0; i < 3; ++i)
    EXPECT_EQ(shapes::Describe(back->traces[i]), shapes::Describe(m.traces[i]));
  EXPECT_EQ(back->traces[1].root, HKEY_CURRENT_USER);
  EXPECT_EQ(back->traces[1].valueName, "Other one");

  const std::string head = "shape\tnsis\r\nentry\tHKCU\tX\r\n";
  EXPECT_TRUE(shapes::ParseManifest(head));
  EXPECT_FALSE(shapes::ParseManifest(head + "leftover\tkey\tHKXX\tSoftware\\A\t\t\r\n"));
  EXPECT_FALSE(shapes::ParseManifest(head + "leftover\tfolder\tHKCU\tC:\\A\t\t\r\n"));
  EXPECT_FALSE(shapes::ParseManifest(head + "kept\tfile\t-\tC:\\A\t\t\r\n"));
  EXPECT_FALSE(shapes::ParseManifest(head + "leftover\tfile\t-\tC:\\A\r\n"));
  EXPECT_FALSE(shapes::ParseManifest("entry\tHKCU\tX\r\n"));
}

TEST(ShapeManifest, PacksProductCodesAsWindowsInstallerStoresThem) {
  EXPECT_EQ(shapes::PackedCode("{12345678-9ABC-DEF0-1234-56789ABCDEF0}"),
            "87654321CBA90FED21436587A9CBED0F");
  EXPECT_EQ(shapes::PackedCode("{3F2A6C41-8B7D-4E19-9A05-6C1D2E3F4A5B}"),
            "14C6A2F3D7B891E4A950C6D1E2F3A4B5");
  EXPECT_EQ(shapes::PackedCode("{3F2A6C41-8B7D-4E19}"), "");
}

// All shapes at once, as the benchmark lays them down: before, nothing of them is
// there; laid down, everything new in the registry and the folders is a trace of a
// manifest, and every trace is there; taken away (last first), all is as before.
TEST(ShapeFixtures, WriteWhatTheirManifestsSayAndTakeItAllAway) {
  sys::ComApartment com;
  const shapes::Places places = shapes::CurrentPlaces();
  const std::vector<std::string> watched = shapes::WatchedFolders(places);
  // Settings the system writes once per process that makes a window or asks for the
  // known folders (the sample programs do both) are made before the first snapshot.
  DestroyWindow(
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  sys::AllKnownFolderPaths();

  std::vector<std::string> clashes;
  for (const std::string& id : shapes::ShapeIds()) {
    shapes::Manifest recorded;
    shapes::Layout layout(recorded, false, std::string());
    shapes::LayDownShape(id, places, layout);
    for (const Trace& t : recorded.traces)
      if (shapes::TraceExists(t)) clashes.push_back(id + ": " + shapes::Describe(t));
  }
  ASSERT_TRUE(clashes.empty()) << "already there:\n" << Lines(clashes);

  const std::set<std::string> registryBefore = testing_support::SnapshotEveryView();
  const std::map<std::string, std::string> diskBefore = testing_support::DiskContents(watched);

  std::vector<std::unique_ptr<testing_support::InstalledShape>> installed;
  for (const std::string& id : shapes::ShapeIds())
    installed.push_back(std::make_unique<testing_support::InstalledShape>(id));
  const std::set<std::string> registryLaid = testing_support::SnapshotEveryView();
  const std::map<std::string, std::string> diskLaid = testing_support::DiskContents(watched);

  std::vector<std::string> problems;
  std::vector<const Trace*> all;
  std::set<std::string> entryNames;
  for (const auto& shape : installed) {
    const shapes::Manifest& m = shape->manifest();
    size_t leftovers = 0, bystanders = 0;
    bool entryRemoved = false;
    for (const Trace& t : m.traces) {
      all.push_back(&t);
      if (!shapes::TraceExists(t)) problems.push_back(m.shape + " missing: " + shapes::Describe(t));
      if (t.role == Role::Leftover) ++leftovers;
      if (t.role == Role::Bystander) ++bystanders;
      entryRemoved = entryRemoved ||
                     (t.role == Role::Removed && t.kind == Kind::Key && t.root == m.entryRoot &&
                      Upper(t.path) == Upper(std::string("Software\\Microsoft\\Windows\\"
                                                         "CurrentVersion\\Uninstall\\") +
                                             m.entryKeyName));
      bool watchedPath = IsRegistry(t);
      for (const std::string& folder : watched)
        watchedPath = watchedPath || AtOrBelow(t.path, folder);
      if (!watchedPath) problems.push_back(m.shape + " outside the folders: " + t.path);
    }
    EXPECT_TRUE(entryRemoved) << m.shape << ": its uninstaller takes its entry";
    EXPECT_GE(leftovers, 5u) << m.shape;
    EXPECT_GE(bystanders, 10u) << m.shape;
    EXPECT_TRUE(entryNames.insert(m.entryKeyName).second) << m.shape;
  }
  // Everything new belongs to a trace.
  std::vector<std::vector<std::string>> prefixes;
  for (const Trace* t : all)
    prefixes.push_back(IsRegistry(*t)
                           ? testing_support::SnapshotPrefixesOf(t->root, t->view, t->path)
                           : std::vector<std::string>());
  for (const std::string& line : testing_support::Minus(registryLaid, registryBefore)) {
    const std::string upper = Upper(line);
    bool traced = false;
    for (size_t i = 0; i < all.size() && !traced; ++i) {
      if (!IsRegistry(*all[i])) continue;
      const std::string valueName = Upper(all[i]->valueName);
      const bool isValue = all[i]->kind == Kind::Value;
      // A key made on the way holds only its own line; what is below it is traced.
      if (all[i]->role == Role::Scaffold)
        traced = !prefixes[i].empty() &&
                 std::find(prefixes[i].begin(), prefixes[i].end(), upper) != prefixes[i].end();
      else
        traced = testing_support::LineBelongsTo(upper, prefixes[i], isValue ? &valueName : nullptr);
    }
    if (!traced) problems.push_back("not in a manifest: " + line);
  }
  EXPECT_TRUE(testing_support::Minus(registryBefore, registryLaid).empty());
  for (const auto& [path, content] : diskLaid) {
    auto before = diskBefore.find(path);
    if (before != diskBefore.end()) {
      if (before->second != content) problems.push_back("changed: " + path);
      continue;
    }
    bool traced = false;
    for (const Trace* t : all)
      traced = traced || (t->kind == Kind::Folder && t->role != Role::Scaffold
                              ? AtOrBelow(path, t->path)
                              : Upper(path) == Upper(t->path));
    if (!traced) problems.push_back("not in a manifest: " + path);
  }
  EXPECT_TRUE(problems.empty()) << Lines(problems);

  for (auto it = installed.rbegin(); it != installed.rend(); ++it)
    EXPECT_EQ((*it)->remove(), "") << (*it)->manifest().shape;
  const std::set<std::string> registryAfter = testing_support::SnapshotEveryView();
  std::vector<std::string> left, gone;
  for (const std::string& line : testing_support::Minus(registryAfter, registryBefore))
    left.push_back(line);
  for (const std::string& line : testing_support::Minus(registryBefore, registryAfter))
    gone.push_back(line);
  const std::map<std::string, std::string> diskAfter = testing_support::DiskContents(watched);
  for (const auto& [path, content] : diskAfter)
    if (!diskBefore.count(path) || diskBefore.at(path) != content) left.push_back(path);
  for (const auto& [path, content] : diskBefore)
    if (!diskAfter.count(path)) gone.push_back(path);
  EXPECT_TRUE(left.empty()) << "left behind:\n" << Lines(left);
  EXPECT_TRUE(gone.empty()) << "gone:\n" << Lines(gone);
}

}  // namespace
