#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "sys/Files.h"
#include "sys/IniFile.h"
#include "ui/ArButton.h"
#include "ui/PngImage.h"
#include "ui/multiSkins.h"

using namespace ui;
using ui_test::WriteText;

namespace {

constexpr char kDesign[] = "1, 1, 5, 5";  // every control's design-time place

// A form with every control the skin positions, all at their design places.
class SkinnedForm {
 public:
  SkinnedForm() {
    form_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                            nullptr);
    for (TArButton** slot :
         {&t.btnMin, &t.btnHelpContent, &t.btnClose, &t.btnFile, &t.btnView, &t.btnTools,
          &t.btnHelp, &t.btnProgramList, &t.btnStartupItemList, &t.btnUninstall, &t.btnShowDetails,
          &t.btnRefresh, &t.btnSearch, &t.btnSelectAll, &t.btnDelete, &t.btnApply}) {
      buttons_.push_back(std::make_unique<TArButton>());
      buttons_.back()->Create(form_, 100 + static_cast<int>(buttons_.size()), 1, 1, 5, 5);
      *slot = buttons_.back().get();
    }
    for (HWND* slot :
         {&t.PageControl, &t.tsProgramList, &t.lsvProgramList, &t.SizePanelPL, &t.grbSearch,
          &t.lblSearchTitle, &t.txtSearchInfo, &t.ckbHidePatch, &t.ckbHideScr, &t.tsStartupItems,
          &t.lsvStartupList, &t.SizePanelSI, &t.grbItemInfo, &t.lblPublisher, &t.lblPublisherValue,
          &t.lblVersion, &t.lblVersionValue, &t.lblDes, &t.lblDescription})
      *slot = Child();
    t.MainForm = form_;
    t.imgBackGround = Image(&background);
    t.ImgTitle = Image(&title);
    t.ImgTitle.window = Child();
    t.imgPanelP = Image(&panelP);
    t.imgPanelP.window = Child();
    t.imgPanelS = Image(&panelS);
    t.imgPanelS.window = Child();
  }
  ~SkinnedForm() {
    buttons_.clear();
    DestroyWindow(form_);
  }

  static std::string Place(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    HWND parent = GetParent(w);
    if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    std::string out = std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
                      std::to_string(r.right - r.left) + ", " + std::to_string(r.bottom - r.top);
    return parent ? out : out.substr(out.find(", ", out.find(", ") + 2) + 2);  // size only
  }
  static std::string Place(const TArButton* b) { return Place(b->hwnd()); }
  // The widths of a button's four state pictures, 0 for none.
  static std::vector<int> Widths(const TArButton* b) {
    return {b->PicNormal().width(), b->PicMouseHover().width(), b->PicMouseDown().width(),
            b->PicDisabled().width()};
  }

  // The picture that `image` of t hands its pictures to.
  const Picture& pictureOf(const TSkinImage* image) const {
    if (image == &t.imgBackGround) return background;
    if (image == &t.imgPanelP) return panelP;
    if (image == &t.imgPanelS) return panelS;
    return title;
  }
  // The form and every control on it.
  std::set<HWND> windows() const {
    std::set<HWND> all{form_};
    for (HWND w = GetWindow(form_, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) all.insert(w);
    return all;
  }

  TMainSkinTargets t;
  Picture background, title, panelP, panelS;

 private:
  HWND Child() {
    return CreateWindowExA(0, "STATIC", "", WS_CHILD, 1, 1, 5, 5, form_, nullptr, nullptr, nullptr);
  }
  static TSkinImage Image(Picture* target) {
    TSkinImage image;
    image.setPicture = [target](Picture&& p) { *target = std::move(p); };
    return image;
  }

  HWND form_ = nullptr;
  std::vector<std::unique_ptr<TArButton>> buttons_;
};

class ApplySkinTest : public ui_test::ProgramFolderTest {
 protected:
  void SetUp() override {
    ui_test::ProgramFolderTest::SetUp();
    ui_test::CopyDefaultPictures(skins());
  }
};

}  // namespace

TEST_F(ApplySkinTest, TheDefaultSkinPlacesAndPicturesEveryControl) {
  SkinnedForm f;
  ASSERT_TRUE(LoadSkinTable(config));
  ASSERT_TRUE(ApplySkin(config, f.t));
  const auto& t = f.t;

  EXPECT_EQ(SkinnedForm::Place(t.MainForm), "763, 538");
  EXPECT_EQ(f.background.width(), 763);
  EXPECT_EQ(SkinnedForm::Place(t.ImgTitle.window), "351, 81, 287, 17");
  EXPECT_EQ(f.title.width(), 287);
  EXPECT_EQ(SkinnedForm::Place(t.btnMin), "680, 9, 21, 21");
  EXPECT_EQ(SkinnedForm::Widths(t.btnMin), (std::vector<int>{21, 21, 21, 21}));
  EXPECT_EQ(SkinnedForm::Place(t.btnHelp), "362, 28, 117, 34");
  EXPECT_EQ(SkinnedForm::Widths(t.btnHelp), (std::vector<int>{117, 117, 117, 117}));
  // Tab buttons: no pressed picture; the disabled one shows the selected tab.
  EXPECT_EQ(SkinnedForm::Place(t.btnProgramList), "5, 78, 106, 35");
  EXPECT_EQ(SkinnedForm::Widths(t.btnProgramList), (std::vector<int>{106, 106, 0, 106}));
  EXPECT_EQ(SkinnedForm::Widths(t.btnStartupItemList), (std::vector<int>{164, 164, 0, 164}));
  EXPECT_EQ(SkinnedForm::Place(t.PageControl), "5, 112, 750, 394");
  EXPECT_EQ(SkinnedForm::Place(t.lsvProgramList), "169, 0, 582, 394");
  EXPECT_EQ(SkinnedForm::Place(t.imgPanelP.window), "0, 0, 160, 394");
  EXPECT_EQ(f.panelP.height(), 394);
  EXPECT_EQ(SkinnedForm::Place(t.btnRefresh), "15, 112, 130, 36");
  EXPECT_EQ(SkinnedForm::Place(t.txtSearchInfo), "0, 67, 127, 21");
  EXPECT_EQ(SkinnedForm::Widths(t.btnSearch), (std::vector<int>{130, 130, 130, 130}));
  EXPECT_EQ(SkinnedForm::Place(t.ckbHideScr), "15, 343, 128, 26");
  EXPECT_EQ(SkinnedForm::Place(t.lsvStartupList), "169, 0, 582, 394");
  EXPECT_EQ(f.panelS.width(), 160);
  EXPECT_EQ(SkinnedForm::Place(t.lblDescription), "5, 141, 121, 42");
  EXPECT_EQ(SkinnedForm::Place(t.btnApply), "15, 112, 130, 36");
  EXPECT_EQ(SkinnedForm::Widths(t.btnApply), (std::vector<int>{130, 130, 130, 130}));
}

TEST_F(ApplySkinTest, ABadNumberStopsAtItsControl) {
  WriteText(skins() + "Default.ini", "[MainForm]\r\nSK_MAINFORM_BUTTON_File_Pos=11, 28, x, 34\r\n");
  ASSERT_TRUE(LoadSkinTable(config));
  SkinnedForm f;
  EXPECT_FALSE(ApplySkin(config, f.t));
  const auto& t = f.t;
  // Everything before btnFile has its skin...
  EXPECT_EQ(SkinnedForm::Place(t.MainForm), "763, 538");
  EXPECT_FALSE(f.background.empty());
  EXPECT_FALSE(f.title.empty());
  EXPECT_EQ(SkinnedForm::Place(t.btnClose), "722, 9, 21, 21");
  EXPECT_EQ(SkinnedForm::Widths(t.btnClose), (std::vector<int>{21, 21, 21, 21}));
  // ...btnFile and everything after it keep their design-time state.
  for (const TArButton* b : {t.btnFile, t.btnView, t.btnProgramList, t.btnApply}) {
    EXPECT_EQ(SkinnedForm::Place(b), kDesign);
    EXPECT_EQ(SkinnedForm::Widths(b), (std::vector<int>{0, 0, 0, 0}));
  }
  EXPECT_EQ(SkinnedForm::Place(t.PageControl), kDesign);
  EXPECT_TRUE(f.panelS.empty());
}

TEST_F(ApplySkinTest, UnusableBoundsAndMissingPicturesOnlySkipTheirOwnPart) {
  WriteText(skins() + "Default.ini",
            "[MainForm]\r\n"
            "SK_MAINFORM_BUTTON_View_Pos=128, 28, 117\r\n"           // three numbers
            "SK_MAINFORM_BUTTON_View_PicMouseHover=renamed.png\r\n"  // no such file
            "SK_MAINFORM_PAGECONTROL_Pos=\r\n"                       // empty
            "SK_MAINFORM_PAGE1_ImgPanel_Pic=\r\n"                    // names the folder
            "SK_MAINFORM_BUTTON_Tools_Pos=245 , 28 , 117 , 34 , 7\r\n");
  ASSERT_TRUE(LoadSkinTable(config));
  SkinnedForm f;
  EXPECT_TRUE(ApplySkin(config, f.t));
  EXPECT_EQ(SkinnedForm::Place(f.t.btnView), kDesign);
  EXPECT_EQ(SkinnedForm::Widths(f.t.btnView), (std::vector<int>{117, 0, 117, 117}));
  EXPECT_EQ(SkinnedForm::Place(f.t.PageControl), kDesign);
  EXPECT_TRUE(f.panelP.empty());
  EXPECT_EQ(SkinnedForm::Place(f.t.imgPanelP.window), "0, 0, 160, 394");
  EXPECT_EQ(SkinnedForm::Place(f.t.btnTools), "245, 28, 117, 34");
  EXPECT_EQ(SkinnedForm::Place(f.t.btnApply), "15, 112, 130, 36");
}

TEST_F(ApplySkinTest, APictureThatCannotBeDecodedStopsAfterWhatCameBefore) {
  WriteText(skins() + "btnView_Hover.png", "\x89PNG\r\n\x1a\n and then nonsense");
  ASSERT_TRUE(LoadSkinTable(config));
  SkinnedForm f;
  EXPECT_FALSE(ApplySkin(config, f.t));
  // btnView got its bounds and its normal picture, then the hover picture failed.
  EXPECT_EQ(SkinnedForm::Place(f.t.btnView), "128, 28, 117, 34");
  EXPECT_EQ(SkinnedForm::Widths(f.t.btnView), (std::vector<int>{117, 0, 0, 0}));
  EXPECT_EQ(SkinnedForm::Place(f.t.btnTools), kDesign);
  EXPECT_EQ(SkinnedForm::Widths(f.t.btnFile), (std::vector<int>{117, 117, 117, 117}));
}

TEST_F(ApplySkinTest, PicturesMayLieInSubfoldersAndBeSharedBySkins) {
  ASSERT_TRUE(sys::ForceDirectories(skins() + "dark"));
  ASSERT_TRUE(
      CopyFileA((skins() + "btnMin_Down.png").c_str(), (skins() + "dark\\min.png").c_str(), FALSE));
  WriteText(skins() + "Dark.ini",
            "[MainForm]\r\nSK_MAINFORM_BUTTON_Min_PicNormal=dark\\min.png\r\n");
  useFiles("English.ini", "Dark.ini");
  ASSERT_TRUE(LoadSkinTable(config));
  SkinnedForm f;
  EXPECT_TRUE(ApplySkin(config, f.t));
  Picture down = LoadPictureFile(skins() + "btnMin_Down.png");
  EXPECT_EQ(f.t.btnMin->PicNormal().pixel(10, 10), down.pixel(10, 10));
  EXPECT_EQ(f.t.btnFile->PicNormal().width(), 117);  // the shared default pictures
}

TEST_F(ApplySkinTest, ControlsTheWindowHasNotBuiltAreSkipped) {
  ASSERT_TRUE(LoadSkinTable(config));
  TMainSkinTargets nothing;
  EXPECT_TRUE(ApplySkin(config, nothing));
  SkinnedForm f;
  TMainSkinTargets some;
  some.btnClose = f.t.btnClose;
  EXPECT_TRUE(ApplySkin(config, some));
  EXPECT_EQ(SkinnedForm::Place(f.t.btnClose), "722, 9, 21, 21");
  EXPECT_EQ(SkinnedForm::Place(f.t.btnMin), kDesign);
}

TEST_F(ApplySkinTest, LoadButtonPictureReportsMissingFiles) {
  TArButton button;
  EXPECT_FALSE(LoadButtonPicture(config, button, ButtonState::Disabled, "nothing.png"));
  EXPECT_TRUE(button.PicDisabled().empty());
  EXPECT_TRUE(LoadButtonPicture(config, button, ButtonState::Disabled, "btnApply_Disabled.png"));
  EXPECT_EQ(button.PicDisabled().width(), 130);
  WriteText(skins() + "broken.png", "not a picture");
  EXPECT_THROW(LoadButtonPicture(config, button, ButtonState::Normal, "broken.png"), PictureError);
  EXPECT_TRUE(button.PicNormal().empty());
  EXPECT_EQ(button.PicDisabled().width(), 130);
}

// Each key that names a control reaches exactly that one: every bounds key moves
// its control to its own place, every picture key gives its image or button state
// its own picture, and no control the window builds is left without a place but
// the title, whose place is built in.
TEST_F(ApplySkinTest, EveryKeyWithATargetReachesItsOwnControl) {
  std::map<std::string, std::string> sections;
  auto value = [](int i, SkinEffect effect) {
    if (effect == SkinEffect::Bounds)
      return std::to_string(i) + ", " + std::to_string(i + 1) + ", " + std::to_string(i + 10) +
             ", " + std::to_string(i + 20);
    return "key" + std::to_string(i) + ".png";
  };
  for (int i = 0; i < kSkinEntryCount; ++i) {
    const SkinEffect effect = SkinTargetOf(static_cast<SkinId>(i)).effect;
    if (effect != SkinEffect::Bounds && effect != SkinEffect::Picture &&
        effect != SkinEffect::StatePicture)
      continue;
    if (effect != SkinEffect::Bounds) {
      // A picture as wide as the key's row number plus one says where it came from.
      ui_test::PngDesc png;
      png.width = i + 1;
      WriteText(skins() + value(i, effect),
                ui_test::EncodePng(png, std::vector<unsigned>(4 * png.width, 255)));
    }
    const SkinEntry& entry = SkinEntries()[i];
    sections[entry.section] += std::string(entry.key) + "=" + value(i, effect) + "\r\n";
  }
  std::string file;
  for (const auto& [section, lines] : sections) file += "[" + section + "]\r\n" + lines;
  WriteText(skins() + "Default.ini", file);
  ASSERT_TRUE(LoadSkinTable(config));

  SkinnedForm f;
  ASSERT_TRUE(ApplySkin(config, f.t));
  std::set<HWND> placed;
  for (int i = 0; i < kSkinEntryCount; ++i) {
    const TSkinTarget& target = SkinTargetOf(static_cast<SkinId>(i));
    const std::string key = SkinEntries()[i].key;
    switch (target.effect) {
      case SkinEffect::Bounds: {
        HWND window = target.windowIn(f.t);
        ASSERT_TRUE(window) << key;
        const std::string place = value(i, target.effect);
        // The form is a top-level window: only its size is compared.
        EXPECT_EQ(
            SkinnedForm::Place(window),
            GetParent(window) ? place : std::to_string(i + 10) + ", " + std::to_string(i + 20))
            << key;
        EXPECT_TRUE(placed.insert(window).second) << key << " moves a control placed before";
        break;
      }
      case SkinEffect::StatePicture: {
        const TArButton* button = target.buttonIn(f.t);
        ASSERT_TRUE(button) << key;
        EXPECT_EQ(SkinnedForm::Widths(button)[static_cast<int>(target.state)], i + 1) << key;
        break;
      }
      case SkinEffect::Picture:
        ASSERT_TRUE(target.imageIn(f.t)) << key;
        EXPECT_EQ(f.pictureOf(target.imageIn(f.t)).width(), i + 1) << key;
        break;
      default:
        break;
    }
  }
  std::set<HWND> unplaced = f.windows();
  for (HWND window : placed) unplaced.erase(window);
  EXPECT_EQ(unplaced, (std::set<HWND>{f.t.ImgTitle.window}));
}
