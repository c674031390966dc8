// The program collection as the program list fills itself from it: which uninstall
// entries become programs, which are system patches, in which order they come.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ComponentSupport.h"

using namespace rostrel_test;

namespace {

class ProgramListTest : public ::testing::Test {
 protected:
  sys::ComApartment apartment;
  UninstallEntries entries;
  sys::ComPtr<IProgramList> list = NewProgramList();

  ULONG count() {
    ULONG n = 0;
    EXPECT_EQ(list->GetProgramCount(&n), S_OK);
    return n;
  }
  void load() { ASSERT_EQ(list->LoadPrograms(), S_OK); }
};

}  // namespace

TEST_F(ProgramListTest, CountsEveryProgramAndMarksExactlyThePatches) {
  load();
  ULONG before = count();
  ULONG patchesBefore = 0;
  ASSERT_EQ(list->GetSystemPatchCount(&patchesBefore), S_OK);

  // 120 listed entries spread over the three sources, 7 of them patches of every kind.
  std::set<std::string> patches;
  auto patch = [&](Where where, const std::string& key) {
    entries.addProgram(where, key, "Patch " + key);
    patches.insert(key);
  };
  patch(Where::Machine, entries.name("parent"));
  entries.setString(Where::Machine, entries.name("parent"), "ParentKeyName", "OperatingSystem");
  const char* kReleaseTypes[] = {"Security Update", "update", "Hotfix", "Update Rollup",
                                 "Service Pack"};
  int n = 0;
  for (const char* type : kReleaseTypes) {
    std::string key = entries.name("release" + std::to_string(n));
    patch(n % 2 ? Where::Machine32 : Where::Machine, key);
    entries.setString(n % 2 ? Where::Machine32 : Where::Machine, key, "ReleaseType", type);
    ++n;
  }
  // A knowledge-base key name has no room for the tag; its digits make it unique.
  std::string kb = "KB" + std::to_string(GetCurrentProcessId()) + std::to_string(GetTickCount());
  patch(Where::Machine32, kb);

  // Look-alikes that are programs.
  entries.addProgram(Where::Machine, entries.name("feature"), "Feature pack");
  entries.setString(Where::Machine, entries.name("feature"), "ReleaseType", "Feature Pack");
  entries.addProgram(Where::User, entries.name("KB12"), "Not a knowledge-base key");
  for (int i = 0; i < 111; ++i) {
    Where where = i % 3 == 0 ? Where::Machine : i % 3 == 1 ? Where::Machine32 : Where::User;
    entries.addProgram(where, entries.name("app" + std::to_string(i)), "App " + std::to_string(i));
  }

  load();
  EXPECT_EQ(count(), before + 120);
  auto own = OwnPrograms(list.get(), entries.tag());
  auto names = ProgramKeyNames(list.get());
  auto kbAt = std::find(names.begin(), names.end(), kb);
  ASSERT_NE(kbAt, names.end());
  own[kb] = static_cast<ULONG>(kbAt - names.begin());
  ASSERT_EQ(own.size(), 120u);

  std::set<std::string> marked;
  for (const auto& [key, index] : own) {
    LONG isPatch = -1;
    ASSERT_EQ(Program(list.get(), index)->GetSystemPatch(&isPatch), S_OK);
    EXPECT_TRUE(isPatch == 0 || isPatch == 1) << key << " " << isPatch;
    if (isPatch == 1) marked.insert(key);
  }
  EXPECT_EQ(marked, patches);

  ULONG patchCount = 0;
  ASSERT_EQ(list->GetSystemPatchCount(&patchCount), S_OK);
  EXPECT_EQ(patchCount, patchesBefore + 7u);
}

TEST_F(ProgramListTest, ListsEntriesWithANameOrAnUninstallerUnlessTheyAreSystemComponents) {
  entries.create(Where::Machine, entries.name("nameless"));
  entries.setString(Where::Machine, entries.name("nameless"), "UninstallString", "unins.exe");
  entries.create(Where::Machine, entries.name("nameonly"));
  entries.setString(Where::Machine, entries.name("nameonly"), "DisplayName", "Only a name");
  entries.addProgram(Where::Machine, entries.name("component"), "Hidden component");
  entries.setDword(Where::Machine, entries.name("component"), "SystemComponent", 1);
  entries.addProgram(Where::Machine, entries.name("notcomponent"), "Visible component");
  entries.setDword(Where::Machine, entries.name("notcomponent"), "SystemComponent", 0);
  entries.create(Where::Machine, entries.name("neither"));
  entries.setString(Where::Machine, entries.name("neither"), "Publisher", "Someone");
  entries.create(Where::Machine32, entries.name("empty"));
  entries.setString(Where::Machine32, entries.name("empty"), "DisplayName", "");
  entries.setString(Where::Machine32, entries.name("empty"), "UninstallString", "");
  load();

  auto own = OwnPrograms(list.get(), entries.tag());
  std::set<std::string> listed;
  for (const auto& entry : own) listed.insert(entry.first);
  EXPECT_EQ(listed, (std::set<std::string>{entries.name("nameless"), entries.name("nameonly"),
                                           entries.name("notcomponent")}));
  EXPECT_EQ(DisplayName(Program(list.get(), own[entries.name("nameless")]).get()), "");
}

TEST_F(ProgramListTest, ListsPerUserEntriesAndEntriesOfBothMachineViews) {
  entries.addProgram(Where::User, entries.name("user"), "Per-user program");
  entries.addProgram(Where::Machine, entries.name("native"), "Native program");
  entries.addProgram(Where::Machine32, entries.name("wow"), "32-bit program");
  load();

  auto own = OwnPrograms(list.get(), entries.tag());
  ASSERT_EQ(own.size(), 3u);
  LONG source = -1;
  ASSERT_EQ(list->GetProgramSource(own[entries.name("user")], &source), S_OK);
  EXPECT_EQ(source, rostrel::kSourceCurrentUser);
  ASSERT_EQ(list->GetProgramSource(own[entries.name("native")], &source), S_OK);
  EXPECT_EQ(source, rostrel::kSourceMachine);
  ASSERT_EQ(list->GetProgramSource(own[entries.name("wow")], &source), S_OK);
  EXPECT_EQ(source, rostrel::kSourceMachine32);

  Text path;
  ASSERT_EQ(list->GetProgramRegistryPath(own[entries.name("wow")], path.put()), S_OK);
  EXPECT_EQ(path.narrow(),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\"
            "Uninstall\\" +
                entries.name("wow"));
  ASSERT_EQ(list->GetProgramRegistryPath(own[entries.name("user")], path.put()), S_OK);
  EXPECT_EQ(path.narrow(),
            "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                entries.name("user"));
}

TEST_F(ProgramListTest, AnEntryThatBothViewsShowIsListedOnce) {
  // The same entry seen through both views...
  for (Where where : {Where::Machine, Where::Machine32}) {
    entries.addProgram(where, entries.name("shared"), "Shared program");
  }
  // ...but two different programs that only share a key name are both listed.
  entries.addProgram(Where::Machine, entries.name("twin"), "Twin program");
  entries.addProgram(Where::Machine32, entries.name("twin"), "Twin program");
  entries.setString(Where::Machine32, entries.name("twin"), "UninstallString", "other.exe");
  load();

  auto names = ProgramKeyNames(list.get());
  EXPECT_EQ(std::count(names.begin(), names.end(), entries.name("shared")), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), entries.name("twin")), 2);
  ULONG index = 0;
  ASSERT_EQ(list->FindProgram(InText(entries.name("shared")), &index), S_OK);
  LONG source = -1;
  ASSERT_EQ(list->GetProgramSource(index, &source), S_OK);
  EXPECT_EQ(source, rostrel::kSourceMachine);
}

TEST_F(ProgramListTest, SortsByDisplayNameOrKeyNameIgnoringCase) {
  entries.addProgram(Where::Machine, entries.name("1"), "zeta");
  entries.addProgram(Where::User, entries.name("2"), "Alpha");
  entries.addProgram(Where::Machine32, entries.name("3"), "beta");
  entries.create(Where::Machine, "C" + entries.name("4"));  // sorts by its key name
  entries.setString(Where::Machine, "C" + entries.name("4"), "UninstallString", "x.exe");
  entries.addProgram(Where::Machine, entries.name("5"), "GAMMA");
  load();

  std::vector<std::string> order;
  for (const auto& key : ProgramKeyNames(list.get())) {
    if (key.find(entries.tag()) != std::string::npos) order.push_back(key);
  }
  EXPECT_EQ(order,
            (std::vector<std::string>{entries.name("2"), entries.name("3"), "C" + entries.name("4"),
                                      entries.name("5"), entries.name("1")}));
}

TEST_F(ProgramListTest, IndexesOutOfRangeGiveNoItem) {
  load();
  ULONG n = count();
  IProgramItem* item = reinterpret_cast<IProgramItem*>(1);
  EXPECT_EQ(list->GetProgram(n, &item), S_FALSE);
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(list->GetProgram(ULONG_MAX, &item), S_FALSE);
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(list->GetProgram(0, nullptr), E_POINTER);
  EXPECT_EQ(list->GetProgramCount(nullptr), E_POINTER);

  Text text;
  LONG value = 0;
  EXPECT_EQ(list->GetProgramRegistryPath(n, text.put()), E_INVALIDARG);
  EXPECT_EQ(text.get(), nullptr);
  EXPECT_EQ(list->GetProgramSource(n, &value), E_INVALIDARG);
  EXPECT_EQ(list->GetProgramComment(n, text.put()), E_INVALIDARG);
}

TEST_F(ProgramListTest, IndexesStayValidUntilTheNextLoadAndItemsOutliveIt) {
  entries.addProgram(Where::Machine, entries.name("first"), "First");
  load();
  ULONG index = 0;
  ASSERT_EQ(list->FindProgram(InText(entries.name("first")), &index), S_OK);
  auto kept = Program(list.get(), index);

  // Until the next load, the list answers from what it loaded...
  entries.remove(Where::Machine, entries.name("first"));
  EXPECT_EQ(KeyName(Program(list.get(), index).get()), entries.name("first"));
  // ...and an item handed out before a load keeps answering afterwards.
  load();
  EXPECT_EQ(list->FindProgram(InText(entries.name("first")), &index), S_FALSE);
  EXPECT_EQ(index, ULONG_MAX);
  EXPECT_EQ(DisplayName(kept.get()), "First");
}

TEST_F(ProgramListTest, NothingIsListedBeforeTheFirstLoad) {
  entries.addProgram(Where::Machine, entries.name("early"), "Early");
  EXPECT_EQ(count(), 0u);
  IProgramItem* item = nullptr;
  EXPECT_EQ(list->GetProgram(0, &item), S_FALSE);
}
