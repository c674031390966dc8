// The prefix's inventory made known for the program page tests: the uninstall keys
// of both machine views and of the user emptied, then filled with the programs a
// test names, and the system folder's screen savers replaced by the test savers.
// The tests hold the locks of those places, and the shared guard
// (support/SharedPlaces.h) puts them back after each test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "main/frmMain.h"
#include "settings/Settings.h"
#include "support/Sandbox.h"
#include "sys/ComInit.h"

namespace proglist_test {

struct TestProgram {
  std::string keyName;
  std::string displayName;
  std::string publisher;
  std::string location;
  bool patch = false;
  std::string helpLink;
  std::string displayIcon;  // written when not empty
};

// 120 programs, 7 of them system patches; publishers "0" to "12" and folders
// "C:\Apps\Program NNN\".
std::vector<TestProgram> StandardPrograms();

// Empties the uninstall keys and writes `programs` into HKLM's native view.
void FillUninstallKeys(const std::vector<TestProgram>& programs);
// Deletes the entries of `programs` from HKLM's native view again.
void RemoveUninstallEntries(const std::vector<TestProgram>& programs);

// FillUninstallKeys for the life of the object; the entries it wrote go with it,
// also when an assertion ended the test early.
class FilledUninstallKeys {
 public:
  explicit FilledUninstallKeys(std::vector<TestProgram> programs);
  ~FilledUninstallKeys();
  FilledUninstallKeys(const FilledUninstallKeys&) = delete;
  FilledUninstallKeys& operator=(const FilledUninstallKeys&) = delete;

 private:
  std::vector<TestProgram> programs_;
};
// Removes every screen saver that the component finds and installs the three
// test screen savers in the system folder. Returns their full paths.
std::vector<std::string> InstallOnlyTestSavers();
// Registers the build's Rostrel.dll (once per process).
void RegisterComponent();

// A main window (not yet created) over the registered component, with COM on this
// thread, Config.ini in a folder of the test's own, system patches shown and screen
// savers hidden.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // The options as a start-up would have read them (nothing is written).
  void startWith(bool hideSysPatch, bool hideScreenSaver);
  // Changes the paths before the window is created; it goes on using `config`.
  void changePaths(const std::function<void(settings::TPaths& paths)>& change);

  sys::ComApartment com;
  testing_support::TempDir dir;
  // What start-up hands the window: no folders but Config.ini's until a test
  // gives some.
  settings::TSettings config;
  forms::TMainForm form{config};
};

}  // namespace proglist_test
