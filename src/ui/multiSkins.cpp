#include "ui/multiSkins.h"

#include <exception>
#include <initializer_list>
#include <optional>
#include <string>

#include "settings/Product.h"
#include "sys/Files.h"
#include "toolkit/MessageBox.h"
#include "toolkit/SidePanel.h"
#include "ui/ControlSkins.h"
#include "ui/LanguageTable.h"
#include "ui/MenuSkin.h"
#include "ui/PngImage.h"
#include "ui/SkinFile.h"
#include "ui/TextFormat.h"

namespace ui {
namespace {

// A picture the skin names but does not have leaves the design-time one (none),
// also in place of what an earlier skin gave.
void ImagePicture(const settings::TSettings& settings, const TSkinImage& image,
                  const std::string& fileName) {
  if (!image.setPicture) return;
  Picture picture;
  LoadSkinPicture(settings, fileName, picture);
  image.setPicture(std::move(picture));
  if (image.window) InvalidateRect(image.window, nullptr, TRUE);
}

void StatePicture(const settings::TSettings& settings, TArButton& button, ButtonState state,
                  const std::string& fileName) {
  if (!LoadButtonPicture(settings, button, state, fileName))
    button.SetStatePicture(state, Picture{});
}

// One key, as its target says. Colours come afterwards, all at once; the other
// keys are not this window's.
void ApplyKey(const settings::TSettings& settings, const TMainSkinTargets& t,
              const TSkinTarget& target, const std::string& value) {
  switch (target.effect) {
    case SkinEffect::Bounds:
      if (HWND window = target.windowIn(t)) SetBoundsFromText(window, value);
      break;
    case SkinEffect::Picture:
      if (const TSkinImage* image = target.imageIn(t)) ImagePicture(settings, *image, value);
      break;
    case SkinEffect::StatePicture:
      if (TArButton* button = target.buttonIn(t))
        StatePicture(settings, *button, target.state, value);
      break;
    case SkinEffect::Colour:
    case SkinEffect::Elsewhere:
    case SkinEffect::NotApplied:
      break;
  }
}

void ApplyInOrder(const settings::TSettings& settings, const TMainSkinTargets& t) {
  for (int i = 0; i < kSkinEntryCount; ++i) {
    const auto id = static_cast<SkinId>(i);
    ApplyKey(settings, t, SkinTargetOf(id), SkinValue(id));
    // The title's place and picture are built in; they follow the background.
    if (id == SK_MAINFORM_PicBackGround) {
      if (t.ImgTitle.window) SetBoundsFromText(t.ImgTitle.window, kTitleBounds);
      ImagePicture(settings, t.ImgTitle, TitlePictureName(settings));
    }
  }
}

void CaptionColours(TArButton* button, std::initializer_list<ButtonState> states,
                    std::optional<COLORREF> colour) {
  if (!button) return;
  for (ButtonState state : states) button->SetSkinCaptionColor(state, colour);
}

void ApplyColours(const TMainSkinTargets& t) {
  const TSkinColours c = CurrentSkinColours();
  for (HWND container : {t.imgPanelP.window, t.imgPanelS.window, t.StatusPanel})
    SetContainerColours(container, c);
  SetListColours(t.lsvProgramList, c);
  SetListColours(t.lsvStartupList, c);
  // The page control and its pages show only in the seams between what they hold.
  for (HWND page : {t.PageControl, t.tsProgramList, t.tsStartupItems}) {
    if (auto* panel = dynamic_cast<tk::Panel*>(tk::Window::FromHandle(page)))
      panel->setBackground(c.PanelBack.value_or(GetSysColor(COLOR_BTNFACE)));
  }
  for (HWND bar : {t.SizePanelPL, t.SizePanelSI}) {
    if (auto* panel = dynamic_cast<tk::SidePanel*>(tk::Window::FromHandle(bar)))
      panel->setBarColours(SidePanelBarColours(c));
  }
  if (t.programListLinkColour) t.programListLinkColour(c.Link);
  for (TArButton* tab : {t.btnProgramList, t.btnStartupItemList}) {
    CaptionColours(tab, {ButtonState::Normal, ButtonState::MouseHover, ButtonState::MouseDown},
                   c.TabText);
    CaptionColours(tab, {ButtonState::Disabled}, c.TabSelectedText);
  }
  for (TArButton* side : {t.btnUninstall, t.btnShowDetails, t.btnRefresh, t.btnSearch,
                          t.btnSelectAll, t.btnDelete, t.btnApply})
    CaptionColours(side, {ButtonState::Disabled}, c.ButtonDisabledText);
  // The popup menus, from their next showing.
  ApplyMenuColours(c);
  // The lists' item tips and the links' hints, which live beside the window.
  if (t.lsvProgramList) SetOwnedTipColours(GetAncestor(t.lsvProgramList, GA_ROOT), c);
}

}  // namespace

std::string TitlePictureName(const settings::TSettings& settings) {
  const std::string beside =
      sys::ExtractFilePath(SkinValue(SK_MAINFORM_PicBackGround)) + kTitlePicture;
  return sys::FileExists(settings.paths().SkinsDir + beside) ? beside : kTitlePicture;
}

bool WriteSkinDefaults(const settings::TSettings& settings) {
  return WriteSkinToFile(SkinTable(), settings.paths().SkinFilePath);
}

bool LoadSkinTable(const settings::TSettings& settings) {
  const std::string& path = settings.paths().SkinFilePath;
  if (!sys::FileExists(path) && !WriteSkinDefaults(settings)) {
    tk::ShowMessageBox(nullptr, FormatText(LangText(IDS_MESSAGEBOX_WARNING_SaveFileFailed), {path}),
                       settings::kAppTitle, MB_OK | MB_ICONERROR);
    return false;
  }
  return ReadSkinFromFile(SkinTable(), path);
}

bool LoadSkinPicture(const settings::TSettings& settings, const std::string& fileName,
                     Picture& out) {
  std::string path = settings.paths().SkinsDir + fileName;
  if (!sys::FileExists(path)) return false;
  out = LoadPictureFile(path);
  return true;
}

bool LoadButtonPicture(const settings::TSettings& settings, TArButton& button, ButtonState state,
                       const std::string& fileName) {
  Picture picture;
  if (!LoadSkinPicture(settings, fileName, picture)) return false;
  button.SetStatePicture(state, std::move(picture));
  return true;
}

bool ApplySkin(const settings::TSettings& settings, const TMainSkinTargets& targets) {
  bool complete = true;
  try {
    ApplyInOrder(settings, targets);
  } catch (const std::exception&) {
    // A bad value stops the pictures here; the window keeps what it has.
    complete = false;
  }
  ApplyColours(targets);
  return complete;
}

}  // namespace ui
