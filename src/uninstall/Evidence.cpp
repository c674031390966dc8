#include "uninstall/Evidence.h"

#include <algorithm>
#include <iterator>

namespace uninstall {
namespace {

struct ReasonRow {
  Reason reason;
  const char* name;
  int weight;
  bool against;
};

// The whole grading table. One strong reason alone reaches kSafeScore; so do an exact
// name and the publisher together, and nothing weaker does.
constexpr ReasonRow kReasons[] = {
    // For: strong.
    {Reason::KeyNameMatch, "KeyNameMatch", 12, false},
    {Reason::InInstallFolder, "InInstallFolder", 12, false},
    {Reason::PointsIntoInstall, "PointsIntoInstall", 12, false},
    {Reason::ProductCode, "ProductCode", 12, false},
    // For: weak.
    {Reason::NameExact, "NameExact", 6, false},
    {Reason::PublisherMatch, "PublisherMatch", 4, false},
    {Reason::NamePartial, "NamePartial", 2, false},
    // A name that says nothing only weakens the other evidence.
    {Reason::NoNameMatch, "NoNameMatch", -2, false},
    // Against: the finding is never safe, whatever speaks for it.
    {Reason::SharedVendor, "SharedVendor", -4, true},
    {Reason::NamedLikeOther, "NamedLikeOther", -6, true},
    {Reason::UserData, "UserData", -12, true},
    {Reason::OthersExecutables, "OthersExecutables", -12, true},
    // Another program's: always doubtful (see GradeOf).
    {Reason::OwnedByOther, "OwnedByOther", -100, true},
};
static_assert(std::size(kReasons) == static_cast<size_t>(Reason::kCount),
              "every reason has one row");

constexpr int kSafeScore = 10;
constexpr int kLikelyScore = 2;

const ReasonRow* RowOf(Reason reason) {
  for (const ReasonRow& row : kReasons)
    if (row.reason == reason) return &row;
  return nullptr;
}

}  // namespace

int ReasonWeight(Reason reason) {
  const ReasonRow* row = RowOf(reason);
  return row ? row->weight : 0;
}

const char* ReasonName(Reason reason) {
  const ReasonRow* row = RowOf(reason);
  return row ? row->name : "";
}

bool IsAgainst(Reason reason) {
  const ReasonRow* row = RowOf(reason);
  return row && row->against;
}

Grade GradeOf(const std::vector<Reason>& reasons) {
  if (std::find(reasons.begin(), reasons.end(), Reason::OwnedByOther) != reasons.end())
    return Grade::Doubtful;
  int score = 0;
  bool against = false;
  for (Reason reason : reasons) {
    score += ReasonWeight(reason);
    against = against || IsAgainst(reason);
  }
  if (score >= kSafeScore && !against) return Grade::Safe;
  if (score >= kLikelyScore) return Grade::Likely;
  return Grade::Doubtful;
}

void AddReason(Evidence& evidence, Reason reason) {
  if (std::find(evidence.reasons.begin(), evidence.reasons.end(), reason) == evidence.reasons.end())
    evidence.reasons.push_back(reason);
  Regrade(evidence);
}

void Regrade(Evidence& evidence) {
  evidence.grade = GradeOf(evidence.reasons);
}

}  // namespace uninstall
