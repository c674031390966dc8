#include "uninstall/EvidenceText.h"

#include <algorithm>

#include "toolkit/GradeImages.h"
#include "ui/TextFormat.h"

namespace uninstall {
namespace {

bool Has(const Evidence& evidence, Reason reason) {
  return std::find(evidence.reasons.begin(), evidence.reasons.end(), reason) !=
         evidence.reasons.end();
}

}  // namespace

ui::LangId ReasonLangId(Reason reason) {
  switch (reason) {
    case Reason::KeyNameMatch:
      return ui::IDS_SCANFORM_REASON_KeyNameMatch;
    case Reason::NameExact:
      return ui::IDS_SCANFORM_REASON_NameExact;
    case Reason::NamePartial:
      return ui::IDS_SCANFORM_REASON_NamePartial;
    case Reason::PublisherMatch:
      return ui::IDS_SCANFORM_REASON_PublisherMatch;
    case Reason::InInstallFolder:
      return ui::IDS_SCANFORM_REASON_InInstallFolder;
    case Reason::PointsIntoInstall:
      return ui::IDS_SCANFORM_REASON_PointsIntoInstall;
    case Reason::ProductCode:
      return ui::IDS_SCANFORM_REASON_ProductCode;
    case Reason::OwnedByOther:
      return ui::IDS_SCANFORM_REASON_OwnedByOther;
    case Reason::NamedLikeOther:
      return ui::IDS_SCANFORM_REASON_NamedLikeOther;
    case Reason::UserData:
      return ui::IDS_SCANFORM_REASON_UserData;
    case Reason::OthersExecutables:
      return ui::IDS_SCANFORM_REASON_OthersExecutables;
    case Reason::SharedVendor:
      return ui::IDS_SCANFORM_REASON_SharedVendor;
    case Reason::NoNameMatch:
    case Reason::kCount:
      break;
  }
  return ui::IDS_SCANFORM_REASON_NoNameMatch;
}

ui::LangId GradeLegendId(Grade grade) {
  switch (grade) {
    case Grade::Safe:
      return ui::IDS_SCANFORM_LEGEND_Safe;
    case Grade::Likely:
      return ui::IDS_SCANFORM_LEGEND_Likely;
    case Grade::Doubtful:
      break;
  }
  return ui::IDS_SCANFORM_LEGEND_Doubtful;
}

int GradeImage(Grade grade) {
  switch (grade) {
    case Grade::Safe:
      return tk::kGradeImageSure;
    case Grade::Likely:
      return tk::kGradeImageLikely;
    case Grade::Doubtful:
      break;
  }
  return tk::kGradeImageDoubtful;
}

std::string EvidenceTip(const Evidence& evidence) {
  std::string tip;
  for (Reason reason : evidence.reasons) {
    if (!tip.empty()) tip += "\r\n";
    tip += ui::FormatText(ui::LangText(ReasonLangId(reason)), {evidence.other});
  }
  return tip;
}

Evidence InheritEvidence(const Evidence& holder, Evidence own) {
  if (!own.reasons.empty()) return own;
  return holder;
}

Evidence WithOwner(Evidence evidence, const std::string& owner) {
  if (owner.empty()) return evidence;
  evidence.grade = Grade::Doubtful;
  if (!Has(evidence, Reason::OwnedByOther)) evidence.reasons.push_back(Reason::OwnedByOther);
  if (evidence.other.empty()) evidence.other = owner;
  return evidence;
}

}  // namespace uninstall
