#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/ScriptedMessageBoxes.h"
#include "toolkit/MessageBox.h"

namespace toolkit_tests {
namespace {

using testing_support::ScriptedMessageBoxes;

TEST(ScriptedMessageBoxes, RecordsRequestsAndAnswersInOrder) {
  ScriptedMessageBoxes boxes({IDYES, IDNO});
  HWND owner = GetDesktopWindow();
  EXPECT_EQ(tk::ShowMessageBox(owner, "Scan for leftovers?", "Prunaxis", MB_YESNO | MB_ICONWARNING),
            IDYES);
  boxes.answer(IDOK);
  EXPECT_EQ(tk::ShowMessageBox(nullptr, "Second", "Cap", MB_YESNO), IDNO);
  EXPECT_EQ(tk::ShowMessageBox(nullptr, "Third", "Cap", MB_OK), IDOK);

  ASSERT_EQ(boxes.count(), 3u);
  EXPECT_EQ(boxes.request(0).owner, owner);
  EXPECT_EQ(boxes.request(0).text, "Scan for leftovers?");
  EXPECT_EQ(boxes.request(0).caption, "Prunaxis");
  EXPECT_EQ(boxes.request(0).flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
  EXPECT_EQ(boxes.request(1).text, "Second");
  EXPECT_EQ(boxes.last().text, "Third");
  EXPECT_EQ(boxes.pendingAnswers(), 0u);
}

TEST(ScriptedMessageBoxes, RestoresThePreviousAnswerer) {
  int outerCalls = 0;
  tk::MessageBoxAnswerer before = tk::SetMessageBoxAnswerer([&](const tk::MessageBoxRequest&) {
    ++outerCalls;
    return IDRETRY;
  });
  {
    ScriptedMessageBoxes boxes({IDCANCEL});
    EXPECT_EQ(tk::ShowMessageBox(nullptr, "inner", "c", MB_RETRYCANCEL), IDCANCEL);
    {
      ScriptedMessageBoxes nested({IDOK});
      EXPECT_EQ(tk::ShowMessageBox(nullptr, "nested", "c", MB_OK), IDOK);
    }
    boxes.answer(IDRETRY);
    EXPECT_EQ(tk::ShowMessageBox(nullptr, "inner again", "c", MB_RETRYCANCEL), IDRETRY);
    EXPECT_EQ(boxes.count(), 2u) << "the nested answerer took the box meant for it";
  }
  EXPECT_EQ(tk::ShowMessageBox(nullptr, "outer", "c", MB_RETRYCANCEL), IDRETRY);
  EXPECT_EQ(outerCalls, 1);
  tk::SetMessageBoxAnswerer(std::move(before));
}

TEST(ScriptedMessageBoxes, UnscriptedBoxFailsAndGetsTheSafeAnswer) {
  ScriptedMessageBoxes boxes;
  int answer = 0;
  EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
      answer = tk::ShowMessageBox(nullptr, "Delete?", "P", MB_YESNO),
      "unexpected message box: caption \"P\", text \"Delete?\"");
  EXPECT_EQ(answer, IDNO);
  EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
      answer = tk::ShowMessageBox(nullptr, "t", "c", MB_YESNOCANCEL), "unexpected message box");
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
      answer = tk::ShowMessageBox(nullptr, "t", "c", MB_OK | MB_ICONERROR),
      "unexpected message box");
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(boxes.count(), 3u) << "unscripted boxes are recorded too";
}

TEST(ScriptedMessageBoxes, AnswerThatIsNoButtonOfTheBoxFails) {
  ScriptedMessageBoxes boxes({IDYES});
  EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(tk::ShowMessageBox(nullptr, "Notice", "P", MB_OK),
                                         "is not a button of the message box");
}

TEST(ScriptedMessageBoxes, UnusedAnswersFailWhenTheScriptEnds) {
  EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
      {
        ScriptedMessageBoxes boxes({IDYES, IDNO});
      },
      "2 scripted message box answer(s) unused");
  // Unless they are discarded on purpose.
  ScriptedMessageBoxes boxes({IDYES});
  boxes.discardUnused();
  EXPECT_EQ(boxes.pendingAnswers(), 0u);
}

TEST(ScriptedMessageBoxes, ButtonsOfEachBoxType) {
  using testing_support::ButtonsOf;
  EXPECT_EQ(ButtonsOf(MB_OK | MB_ICONINFORMATION), (std::vector<int>{IDOK}));
  EXPECT_EQ(ButtonsOf(MB_YESNO | MB_ICONWARNING), (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(ButtonsOf(MB_OKCANCEL), (std::vector<int>{IDOK, IDCANCEL}));
  EXPECT_EQ(ButtonsOf(MB_YESNOCANCEL), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
  EXPECT_EQ(ButtonsOf(MB_RETRYCANCEL), (std::vector<int>{IDRETRY, IDCANCEL}));
  EXPECT_EQ(ButtonsOf(MB_ABORTRETRYIGNORE), (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
}

}  // namespace
}  // namespace toolkit_tests
