// Linked into every test program: the shared places whose locks the test holds are
// remembered before its first test and put back after its last one, also when a
// test failed.
#include <gtest/gtest.h>

#include "support/SharedPlaces.h"

namespace {

class KeepSharedPlaces : public ::testing::Environment {
 public:
  void SetUp() override {
    guard_ =
        std::make_unique<testing_support::SharedPlacesGuard>(testing_support::PlacesOfThisRun());
  }
  void TearDown() override {
    if (!guard_) return;
    for (const std::string& problem : guard_->restore()) ADD_FAILURE() << problem;
    guard_.reset();
  }

 private:
  std::unique_ptr<testing_support::SharedPlacesGuard> guard_;
};

[[maybe_unused]] ::testing::Environment* const kKeepSharedPlaces =
    ::testing::AddGlobalTestEnvironment(new KeepSharedPlaces);

}  // namespace
