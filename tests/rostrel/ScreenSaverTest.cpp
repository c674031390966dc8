// The screen savers as the program list shows them: found in the system folders
// and the Windows folder, with texts from their own resources.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "ComponentSupport.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/Registry.h"

using namespace rostrel_test;

namespace {

std::string WindowsFolder() {
  char buffer[MAX_PATH];
  GetWindowsDirectoryA(buffer, MAX_PATH);
  return sys::IncludeTrailingBackslash(buffer);
}

std::string SystemFolder() {
  char buffer[MAX_PATH];
  GetSystemDirectoryA(buffer, MAX_PATH);
  return sys::IncludeTrailingBackslash(buffer);
}

// Screen saver files installed by one test and removed with it.
class InstalledSavers {
 public:
  ~InstalledSavers() {
    for (const auto& path : paths_) DeleteFileA(path.c_str());
  }
  std::string install(const std::string& variant, const std::string& folder,
                      const std::string& name) {
    std::string target = folder + name;
    if (!CopyFileA((TestBinDir() + "RostrelTestSaver" + variant + ".scr").c_str(), target.c_str(),
                   FALSE))
      ADD_FAILURE() << "cannot copy to " << target;
    paths_.push_back(target);
    return target;
  }

 private:
  std::vector<std::string> paths_;
};

class ScreenSaverTest : public ::testing::Test {
 protected:
  sys::ComApartment apartment;
  sys::ComPtr<IProgramList> list = NewProgramList();
  InstalledSavers savers;
  std::string tag = testing_support::UniqueName("RostrelSaver");

  ULONG count() {
    ULONG n = 0;
    EXPECT_EQ(list->GetScreenSaverCount(&n), S_OK);
    return n;
  }
  // Index by file name of this test's screen savers.
  std::map<std::string, ULONG> own() {
    std::map<std::string, ULONG> found;
    for (ULONG i = 0, n = count(); i < n; ++i) {
      Text name;
      EXPECT_EQ(list->GetScreenSaverFileName(i, name.put()), S_OK);
      if (name.narrow().compare(0, tag.size(), tag) == 0) found[name.narrow()] = i;
    }
    return found;
  }
  std::string text(HRESULT (STDMETHODCALLTYPE IProgramList::*getter)(ULONG, BSTR*), ULONG i) {
    Text value;
    EXPECT_EQ((list.get()->*getter)(i, value.put()), S_OK);
    return value.narrow();
  }
};

}  // namespace

TEST_F(ScreenSaverTest, FindsTheScreenSaversOfTheSystemAndWindowsFolders) {
  ASSERT_EQ(list->LoadScreenSavers(), S_OK);
  ULONG before = count();

  std::string nativeFolder = WindowsFolder() + "Sysnative\\";
  ASSERT_TRUE(sys::DirectoryExists(nativeFolder)) << "a 64-bit prefix has the native folder";
  std::string a = savers.install("A", nativeFolder, tag + "-A.scr");
  std::string b = savers.install("B", WindowsFolder(), tag + "-B.scr");
  std::string c = savers.install("C", SystemFolder(), tag + "-C.scr");
  // Not screen savers: another extension, and a folder named like one.
  savers.install("A", SystemFolder(), tag + "-D.scrx");
  ASSERT_TRUE(CreateDirectoryA((WindowsFolder() + tag + "-E.scr").c_str(), nullptr));
  struct RemoveFolder {
    std::string path;
    ~RemoveFolder() { RemoveDirectoryA(path.c_str()); }
  } folder{WindowsFolder() + tag + "-E.scr"};

  // Reading the files may move their last-access time (across midnight, to another
  // day), so the date shown may be the one from before the load or after it.
  auto accessDate = [](const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return LocalShortDate(data.ftLastAccessTime);
  };
  std::map<std::string, std::string> datesBefore = {
      {a, accessDate(a)}, {b, accessDate(b)}, {c, accessDate(c)}};
  ASSERT_EQ(list->LoadScreenSavers(), S_OK);
  EXPECT_EQ(count(), before + 3);
  auto found = own();
  ASSERT_EQ(found.size(), 3u);

  struct Expected {
    std::string path, directory, description, publisher, version;
  };
  std::map<std::string, Expected> expected = {
      {tag + "-A.scr", {a, nativeFolder, "Rostrel Test Aurora", "Rostrel Test Works", "1.2.3.4"}},
      {tag + "-B.scr", {b, WindowsFolder(), "Borealis Saver", "Borealis Company", "2.0"}},
      {tag + "-C.scr", {c, SystemFolder(), "", "", ""}},
  };
  std::map<std::string, LONG> icons;
  for (const auto& [name, want] : expected) {
    SCOPED_TRACE(name);
    ASSERT_EQ(found.count(name), 1u);
    ULONG i = found[name];
    EXPECT_EQ(text(&IProgramList::GetScreenSaverDirectory, i), want.directory);
    EXPECT_EQ(text(&IProgramList::GetScreenSaverPath, i), want.path);
    EXPECT_EQ(text(&IProgramList::GetScreenSaverDescription, i), want.description);
    EXPECT_EQ(text(&IProgramList::GetScreenSaverPublisher, i), want.publisher);
    EXPECT_EQ(text(&IProgramList::GetScreenSaverVersion, i), want.version);

    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(want.path.c_str(), GetFileExInfoStandard, &data));
    ULONG size = 0;
    ASSERT_EQ(list->GetScreenSaverSize(i, &size), S_OK);
    EXPECT_EQ(size, data.nFileSizeLow);
    EXPECT_GT(size, 0u);
    const std::string shown = text(&IProgramList::GetScreenSaverLastUsed, i);
    EXPECT_THAT(shown,
                testing::AnyOf(datesBefore[want.path], LocalShortDate(data.ftLastAccessTime)));
    LONG icon = -1;
    ASSERT_EQ(list->GetScreenSaverIconIndex(i, &icon), S_OK);
    icons[name] = icon;
  }
  // A carries a red icon, B a blue one, C none (its type's icon, as the shell shows it).
  EXPECT_TRUE(IsRed(IconColor(icons[tag + "-A.scr"])))
      << std::hex << IconColor(icons[tag + "-A.scr"]);
  EXPECT_TRUE(IsBlue(IconColor(icons[tag + "-B.scr"])));
  EXPECT_EQ(icons[tag + "-C.scr"], ShellIconIndex(c));
}

TEST_F(ScreenSaverTest, AFileNameInBothSystemFoldersIsListedOnceFromTheNativeOne) {
  // 64-bit Windows keeps 32-bit copies of its screen savers beside the native ones.
  std::string nativeFolder = WindowsFolder() + "Sysnative\\";
  savers.install("B", SystemFolder(), tag + "-twin.scr");
  savers.install("A", nativeFolder, tag + "-twin.scr");
  ASSERT_EQ(list->LoadScreenSavers(), S_OK);
  auto found = own();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(text(&IProgramList::GetScreenSaverDirectory, found.begin()->second), nativeFolder);
  EXPECT_EQ(text(&IProgramList::GetScreenSaverDescription, found.begin()->second),
            "Rostrel Test Aurora");
}

TEST_F(ScreenSaverTest, MarksTheUsersChosenScreenSaver) {
  std::string chosen = savers.install("B", SystemFolder(), tag + "-chosen.scr");
  savers.install("B", SystemFolder(), tag + "-other.scr");
  sys::Registry desktop(HKEY_CURRENT_USER);
  ASSERT_TRUE(desktop.openKey("\\Control Panel\\Desktop", true));
  auto previous = desktop.readString("SCRNSAVE.EXE");
  struct Restore {
    sys::Registry& reg;
    std::optional<std::string> value;
    ~Restore() {
      if (value)
        reg.writeString("SCRNSAVE.EXE", *value);
      else
        reg.deleteValue("SCRNSAVE.EXE");
    }
  } restore{desktop, previous};
  ASSERT_TRUE(desktop.writeString("SCRNSAVE.EXE", chosen));

  ASSERT_EQ(list->LoadScreenSavers(), S_OK);
  auto found = own();
  ASSERT_EQ(found.size(), 2u);
  LONG active = -1;
  ASSERT_EQ(list->GetScreenSaverActive(found[tag + "-chosen.scr"], &active), S_OK);
  EXPECT_EQ(active, 1);
  ASSERT_EQ(list->GetScreenSaverActive(found[tag + "-other.scr"], &active), S_OK);
  EXPECT_EQ(active, 0);
}

TEST_F(ScreenSaverTest, IndexesOutOfRangeAreInvalidArguments) {
  ASSERT_EQ(list->LoadScreenSavers(), S_OK);
  ULONG n = count();
  for (ULONG bad : {n, n + 1, ULONG_MAX}) {
    for (auto getter :
         {&IProgramList::GetScreenSaverFileName, &IProgramList::GetScreenSaverPublisher,
          &IProgramList::GetScreenSaverDirectory, &IProgramList::GetScreenSaverDescription,
          &IProgramList::GetScreenSaverLastUsed, &IProgramList::GetScreenSaverPath,
          &IProgramList::GetScreenSaverVersion}) {
      Text value;
      EXPECT_EQ((list.get()->*getter)(bad, value.put()), E_INVALIDARG);
      EXPECT_EQ(value.get(), nullptr);
    }
    LONG icon = 0, active = 0;
    ULONG size = 0;
    EXPECT_EQ(list->GetScreenSaverIconIndex(bad, &icon), E_INVALIDARG);
    EXPECT_EQ(list->GetScreenSaverSize(bad, &size), E_INVALIDARG);
    EXPECT_EQ(list->GetScreenSaverActive(bad, &active), E_INVALIDARG);
  }
  EXPECT_EQ(list->GetScreenSaverCount(nullptr), E_POINTER);
}

TEST_F(ScreenSaverTest, NothingIsListedBeforeTheFirstLoad) {
  savers.install("A", WindowsFolder(), tag + "-early.scr");
  EXPECT_EQ(count(), 0u);
}
