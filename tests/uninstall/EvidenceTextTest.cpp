// How a finding's grade and reasons are told: each reason and grade has a text and
// a picture of its own (what the tips and pictures show is checked in the window).
#include <gtest/gtest.h>

#include <set>

#include "toolkit/GradeImages.h"
#include "uninstall/EvidenceText.h"

namespace {

using uninstall::Grade;
using uninstall::Reason;

TEST(EvidenceText, EveryReasonAndGradeHasATextOfItsOwn) {
  std::set<int> reasons;
  for (int r = 0; r < static_cast<int>(Reason::kCount); ++r)
    reasons.insert(uninstall::ReasonLangId(static_cast<Reason>(r)));
  EXPECT_EQ(reasons.size(), static_cast<size_t>(Reason::kCount));
  const std::string owned = ui::LangText(uninstall::ReasonLangId(Reason::OwnedByOther));
  EXPECT_NE(owned.find("%s"), std::string::npos) << owned;
  std::set<int> legends, images;
  for (Grade grade : {Grade::Safe, Grade::Likely, Grade::Doubtful}) {
    legends.insert(uninstall::GradeLegendId(grade));
    images.insert(uninstall::GradeImage(grade));
  }
  EXPECT_EQ(legends.size(), 3u);
  EXPECT_EQ(images,
            (std::set<int>{tk::kGradeImageSure, tk::kGradeImageLikely, tk::kGradeImageDoubtful}));
  EXPECT_EQ(uninstall::GradeImage(Grade::Doubtful), tk::kGradeImageDoubtful);
}

}  // namespace
