// The grading rules, the product names the search compares and the packed product
// code, as plain functions.
#include <gtest/gtest.h>

#include <vector>

#include "uninstall/Evidence.h"
#include "uninstall/FindingGrades.h"
#include "uninstall/MsiTraces.h"
#include "uninstall/ProductNames.h"

namespace {

using namespace uninstall;
using R = Reason;

TEST(LeftoverGrades, OwnershipByAnotherProgramAlwaysGivesDoubtful) {
  EXPECT_EQ(GradeOf({R::InInstallFolder, R::ProductCode, R::KeyNameMatch, R::OwnedByOther}),
            Grade::Doubtful);
  EXPECT_EQ(GradeOf({R::OwnedByOther}), Grade::Doubtful);
}

TEST(LeftoverGrades, SafeNeedsStrongEvidenceAndNothingAgainst) {
  for (Reason strong : {R::KeyNameMatch, R::InInstallFolder, R::PointsIntoInstall, R::ProductCode})
    EXPECT_EQ(GradeOf({strong}), Grade::Safe) << ReasonName(strong);
  EXPECT_EQ(GradeOf({R::NameExact, R::PublisherMatch}), Grade::Safe);
  // A shortcut into the install folder whose name says nothing.
  EXPECT_EQ(GradeOf({R::PointsIntoInstall, R::NoNameMatch}), Grade::Safe);
  // Weak evidence alone is never enough.
  EXPECT_EQ(GradeOf({R::NameExact}), Grade::Likely);
  EXPECT_EQ(GradeOf({R::NamePartial, R::PublisherMatch}), Grade::Likely);
  EXPECT_EQ(GradeOf({R::PublisherMatch, R::NoNameMatch}), Grade::Likely);  // a vendor key
  EXPECT_EQ(GradeOf({R::NamePartial}), Grade::Likely);
  EXPECT_EQ(GradeOf({R::NoNameMatch}), Grade::Doubtful);
  EXPECT_EQ(GradeOf({}), Grade::Doubtful);
  // However strong the evidence for it, a reason against it keeps it from Safe.
  for (Reason against : {R::NamedLikeOther, R::UserData, R::OthersExecutables, R::SharedVendor}) {
    EXPECT_TRUE(IsAgainst(against));
    EXPECT_NE(GradeOf({R::InInstallFolder, R::PointsIntoInstall, R::ProductCode, R::NameExact,
                       R::PublisherMatch, against}),
              Grade::Safe)
        << ReasonName(against);
  }
  EXPECT_EQ(GradeOf({R::NameExact, R::PublisherMatch, R::SharedVendor}), Grade::Likely);
  EXPECT_EQ(GradeOf({R::NamePartial, R::NamedLikeOther}), Grade::Doubtful);
  EXPECT_EQ(GradeOf({R::InInstallFolder, R::UserData}), Grade::Doubtful);
}

TEST(LeftoverGrades, EveryReasonHasANameAndAddingOneGradesAgain) {
  for (int i = 0; i < static_cast<int>(R::kCount); ++i)
    EXPECT_STRNE(ReasonName(static_cast<Reason>(i)), "") << i;
  EXPECT_STREQ(ReasonName(R::OthersExecutables), "OthersExecutables");
  Evidence evidence;
  AddReason(evidence, R::NameExact);
  EXPECT_EQ(evidence.grade, Grade::Likely);
  AddReason(evidence, R::PublisherMatch);
  AddReason(evidence, R::PublisherMatch);
  EXPECT_EQ(evidence.reasons, (std::vector<Reason>{R::NameExact, R::PublisherMatch}));
  EXPECT_EQ(evidence.grade, Grade::Safe);
  AddReason(evidence, R::UserData);
  EXPECT_EQ(evidence.grade, Grade::Doubtful);
}

TEST(LeftoverGrades, DocumentsAndProgramFilesByType) {
  for (const char* name : {"report.DOCX", "holiday.jpg", "budget.xlsx", "clip.mp4"}) {
    EXPECT_TRUE(IsUserDocument(name, false)) << name;
    EXPECT_TRUE(IsUserDocument(name, true)) << name;
  }
  // Setups bring their own readme files and pictures.
  for (const char* name : {"notes.txt", "scan.pdf", "logo.png"}) {
    EXPECT_TRUE(IsUserDocument(name, false)) << name;
    EXPECT_FALSE(IsUserDocument(name, true)) << name;
  }
  for (const char* name : {"app.exe", "settings.json", "cache.db", "txt", "archive.txt.bak"})
    EXPECT_FALSE(IsUserDocument(name, false)) << name;
  EXPECT_TRUE(IsProgramFile("Core.DLL"));
  EXPECT_TRUE(IsProgramFile("app.exe"));
  EXPECT_FALSE(IsProgramFile("app.exe.config"));
}

TEST(LeftoverGrades, KeysFoundTwiceBecomeOneWithBothReasons) {
  auto key = [](const char* identity, std::vector<std::string> names, bool valuesOnly,
                Reason reason) {
    FoundKey found;
    found.identity = identity;
    found.text = std::string("HKEY_CURRENT_USER\\") + identity;
    for (const std::string& name : names) {
      found.valueNames.push_back(name);
      found.values.push_back(found.text + "\\" + name);
    }
    found.valuesOnly = valuesOnly;
    found.evidence.reasons = {reason};
    return found;
  };
  std::vector<FoundKey> merged = MergeFoundKeys({
      key("A", {"x", "y"}, false, R::KeyNameMatch),
      key("RUN", {"one"}, true, R::PointsIntoInstall),
      key("A", {"x", "y"}, false, R::NameExact),
      key("RUN", {"two", "one"}, true, R::PointsIntoInstall),
      key("B", {"v"}, true, R::ProductCode),
      key("B", {"v", "w"}, false, R::NamePartial),
  });
  ASSERT_EQ(merged.size(), 3u);
  EXPECT_EQ(merged[0].evidence.reasons, (std::vector<Reason>{R::KeyNameMatch, R::NameExact}));
  EXPECT_TRUE(merged[1].valuesOnly);
  EXPECT_EQ(merged[1].valueNames, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(merged[1].values.back(), "HKEY_CURRENT_USER\\RUN\\two");
  // The whole key found by one place takes in the values another place found.
  EXPECT_FALSE(merged[2].valuesOnly);
  EXPECT_EQ(merged[2].valueNames, (std::vector<std::string>{"v", "w"}));
  EXPECT_EQ(merged[2].evidence.reasons, (std::vector<Reason>{R::ProductCode, R::NamePartial}));
}

TEST(PackedProductCode, ReversesGroupsAsTheInstallerStoresThem) {
  EXPECT_EQ(PackProductCode("{12345678-ABCD-EF01-2345-6789ABCDEF01}"),
            "87654321DCBA10FE32547698BADCFE10");
  EXPECT_EQ(PackProductCode("{90160000-008c-0000-0000-0000000ff1ce}"),
            "00006109C80000000000000000F01FEC");
  EXPECT_EQ(PackProductCode("12345678-ABCD-EF01-2345-6789ABCDEF01"), "");
  EXPECT_EQ(PackProductCode("{12345678-ABCD-EF01-2345-6789ABCDEF0G}"), "");
  EXPECT_EQ(PackProductCode(""), "");
}

TEST(ProductNames, DropsVersionsAndPlatformWords) {
  EXPECT_EQ(ProductName("Acme Paint 2.4.1 (x64)"), "Acme Paint");
  EXPECT_EQ(ProductName("7-Zip 23.01 (x64)"), "7-Zip");
  EXPECT_EQ(ProductName("Python 3.11.4 (64-bit)"), "Python");
  EXPECT_EQ(ProductName("Mozilla Firefox (x64 en-US)"), "Mozilla Firefox");
  EXPECT_EQ(ProductName("Acme Tool x86"), "Acme Tool");
  EXPECT_EQ(ProductName("Acme Tool 64 bit"), "Acme Tool");
  EXPECT_EQ(ProductName("Acme Tool version 5.2"), "Acme Tool");
  EXPECT_EQ(ProductName("Acme Tool v3"), "Acme Tool");
  EXPECT_EQ(ProductName("Acme Tool - 1.0.2-beta"), "Acme Tool");
  // Plain numbers and other brackets belong to the name.
  EXPECT_EQ(ProductName("Office 2019"), "Office 2019");
  EXPECT_EQ(ProductName("Acme Tool (Portable)"), "Acme Tool (Portable)");
  EXPECT_EQ(ProductName("  1.0  "), "1.0");
  EXPECT_EQ(ProductName(""), "");
}

TEST(ProductNames, MatchesExactlyPartlyOrNot) {
  EXPECT_EQ(MatchName("acme-paint", "Acme Paint"), NameMatch::Exact);
  EXPECT_EQ(MatchName("AcmePaint", "Acme Paint"), NameMatch::Exact);
  EXPECT_EQ(MatchName("Acme Paint Updater", "Acme Paint"), NameMatch::Partial);
  EXPECT_EQ(MatchName("AcmePaintHelper", "Acme Paint"), NameMatch::Partial);
  EXPECT_EQ(MatchName("Acme Paint", "Acme Paint Studio"), NameMatch::Partial);
  EXPECT_EQ(MatchName("Acme", "Acme Paint Studio"), NameMatch::None);
  EXPECT_EQ(MatchName("Firefox", "Mozilla Firefox"), NameMatch::Partial);
  EXPECT_EQ(MatchName("Microsoft", "Microsoft Edge"), NameMatch::None);  // the vendor
  EXPECT_EQ(MatchName("Paintbrush", "Acme Paint"), NameMatch::None);
  EXPECT_EQ(MatchName("Notepad", "Notepad++"), NameMatch::None);
  EXPECT_EQ(MatchName("Notepad++", "Notepad++"), NameMatch::Exact);
  EXPECT_EQ(MatchName("X", "X"), NameMatch::None);  // too short to tell
  EXPECT_EQ(BestMatch("AcmePaint", {"Acme Draw", "Acme Paint"}), NameMatch::Exact);
  EXPECT_EQ(ProgramNames("Acme Paint 2.0", "AcmePaint_is1"),
            (std::vector<std::string>{"Acme Paint"}));
  EXPECT_EQ(ProgramNames("Acme Paint 2.0", "{12345678-ABCD-EF01-2345-6789ABCDEF01}_is1"),
            (std::vector<std::string>{"Acme Paint"}));
  EXPECT_EQ(ProgramNames("", "PaintPro"), (std::vector<std::string>{"PaintPro"}));
}

TEST(ProductNames, KnowsThePublisherWithoutItsLegalForm) {
  EXPECT_TRUE(IsPublisherName("Acme Software", "Acme Software, Inc."));
  EXPECT_TRUE(IsPublisherName("Acme", "Acme Software GmbH"));
  EXPECT_TRUE(IsPublisherName("AcmeSoftware", "The Acme Software Company"));
  EXPECT_FALSE(IsPublisherName("Software", "Acme Software, Inc."));
  EXPECT_FALSE(IsPublisherName("Acme Games", "Acme Software, Inc."));
  EXPECT_FALSE(IsPublisherName("Acme", ""));
}

}  // namespace
