// How sure the leftover scan is that a finding belongs to the uninstalled program
// and to no one else: each finding carries the reasons for and against it, and
// one grade that they give. Only a safe finding starts ticked; what another
// installed program owns is always doubtful.
#pragma once

#include <string>
#include <vector>

namespace uninstall {

enum class Grade : int {
  Safe,      // starts ticked
  Likely,    // listed, unticked
  Doubtful,  // listed, unticked and marked
};

// What the scan saw. Each reason has a weight in the grading table and a text of
// its own in the language files (ReasonLangId).
enum class Reason : int {
  // For.
  KeyNameMatch,       // bears the uninstall entry's key name (the classic passes)
  NameExact,          // named exactly as the program
  NamePartial,        // its name holds the program's name, or the other way round
  PublisherMatch,     // lies under a folder or key of the program's publisher
  InInstallFolder,    // lies in the program's install folder
  PointsIntoInstall,  // a command, target or path in it leads into the install folder
  ProductCode,        // bears the program's product code (plain or packed)
  // Against.
  OwnedByOther,       // is, lies in or holds what another installed program claims
  NamedLikeOther,     // named like another installed program
  UserData,           // a known folder, or it holds the user's documents
  OthersExecutables,  // holds program files that another entry refers to
  SharedVendor,       // lies under a publisher key or folder other programs use
  NoNameMatch,        // its name does not match the program's
  kCount
};

struct Evidence {
  Grade grade = Grade::Safe;
  std::vector<Reason> reasons;  // in the order they were found, each once
  // The other program named by OwnedByOther or NamedLikeOther, for the tip.
  std::string other;
};

// The weight of a reason in the grading table (Evidence.cpp), and its name as the
// language keys spell it (IDS_SCANFORM_REASON_<name>).
int ReasonWeight(Reason reason);
const char* ReasonName(Reason reason);
// Whether a reason speaks against the finding: such a finding is never safe.
bool IsAgainst(Reason reason);

// The grade that `reasons` give: doubtful when another program owns the finding;
// else the sum of their weights decides, and safe needs strong evidence (the
// install folder, a pointer into it, the product code, or the exact name under the
// publisher) with nothing against it.
Grade GradeOf(const std::vector<Reason>& reasons);

// Adds `reason` unless it is there already, and grades again.
void AddReason(Evidence& evidence, Reason reason);
// Grades `evidence` from its reasons.
void Regrade(Evidence& evidence);

}  // namespace uninstall
