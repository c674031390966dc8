// The parts of the test prefix that every test program sees: the uninstall keys,
// the screen savers of the system folders, the component's registration and the
// Run keys. A test changes one of them only while it holds the CTest resource lock
// of that name (tests/CMakeLists.txt), and a guard puts the place back exactly as
// it found it, whatever the test added, changed or removed, also when an assertion
// ended the test early.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace testing_support {

enum class SharedPlace { UninstallEntries, ScreenSavers, ComponentRegistration, StartupSources };

// The resource lock of the place, e.g. "prefix_uninstall_entries".
const char* LockName(SharedPlace place);

// The places a test holds the locks of, from the run's PRUNAXIS_TEST_LOCKS
// (lock names separated by commas, "all", or "none"); all of them when that is
// unset, as when a test program is run by hand, alone.
std::vector<SharedPlace> PlacesOfThisRun();

// Remembers the places when constructed and puts them back in restore() or, at the
// latest, in the destructor.
class SharedPlacesGuard {
 public:
  explicit SharedPlacesGuard(const std::vector<SharedPlace>& places);
  ~SharedPlacesGuard();
  SharedPlacesGuard(const SharedPlacesGuard&) = delete;
  SharedPlacesGuard& operator=(const SharedPlacesGuard&) = delete;

  // One line for each key or file that could not be put back; empty when all were.
  std::vector<std::string> restore();

 private:
  struct Snapshot;
  std::unique_ptr<Snapshot> snapshot_;
};

}  // namespace testing_support
