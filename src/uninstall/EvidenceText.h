// How the scan window tells a finding's grade and reasons: the language entry of
// each reason and grade, the picture of each grade, the tip text of a finding, and
// the grade a node shows when it lies below another finding.
#pragma once

#include <string>

#include "ui/LanguageTable.h"
#include "uninstall/Evidence.h"

namespace uninstall {

// IDS_SCANFORM_REASON_<name> of the reason.
ui::LangId ReasonLangId(Reason reason);
// IDS_SCANFORM_LEGEND_<name> of the grade.
ui::LangId GradeLegendId(Grade grade);
// The grade's picture in tk::CreateGradeImages.
int GradeImage(Grade grade);

// One line per reason, in their order, joined by CR LF; "%s" in a reason's text
// is the other program's name.
std::string EvidenceTip(const Evidence& evidence);

// What a node below `holder` shows: its own evidence when it has reasons of its
// own, else its holder's (a node nobody judged is offered no more than what holds
// it).
Evidence InheritEvidence(const Evidence& holder, Evidence own);

// The evidence of a finding that another program claims (`owner`, "" for none):
// doubtful, with that reason, whatever else was found.
Evidence WithOwner(Evidence evidence, const std::string& owner);

}  // namespace uninstall
