// Scripted answers for every message box the code under test shows through
// tk::ShowMessageBox; no real box ever appears.
//
//   ScriptedMessageBoxes boxes({IDYES, IDOK});     // answers, in order
//   RunTheCommand();
//   ASSERT_EQ(boxes.count(), 2u);
//   EXPECT_EQ(boxes.request(0).text, "Scan for leftovers?");
//   EXPECT_EQ(boxes.request(0).flags, MB_YESNO | MB_ICONWARNING);
//
// A box that nobody scripted fails the test and is answered with Cancel (No for a
// Yes/No box, OK for an OK box). A scripted answer that is not one of the box's
// buttons fails the test too. Answers still queued when the object goes fail the
// test (call discardUnused() when that is intended). The destructor restores the
// answerer that was installed before.
#pragma once

#include <windows.h>

#include <deque>
#include <initializer_list>
#include <mutex>
#include <vector>

#include "toolkit/MessageBox.h"

namespace testing_support {

class ScriptedMessageBoxes {
 public:
  explicit ScriptedMessageBoxes(std::initializer_list<int> answers = {});
  ~ScriptedMessageBoxes();
  ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
  ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

  // Queues the answer to the next box that nobody answered yet.
  void answer(int id);
  void discardUnused();

  size_t count() const;
  // A copy of the i-th request (0 first); fails the test when there is none.
  tk::MessageBoxRequest request(size_t i) const;
  tk::MessageBoxRequest last() const;
  std::vector<tk::MessageBoxRequest> requests() const;
  size_t pendingAnswers() const;

 private:
  int respond(const tk::MessageBoxRequest& request);

  mutable std::mutex mutex_;
  std::deque<int> answers_;
  std::vector<tk::MessageBoxRequest> requests_;
  tk::MessageBoxAnswerer previous_;
};

// The buttons of a box with these flags (MB_YESNO -> {IDYES, IDNO}, ...).
std::vector<int> ButtonsOf(UINT flags);

}  // namespace testing_support
