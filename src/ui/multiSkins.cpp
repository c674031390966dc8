#include "ui/multiSkins.h"

#include <exception>
#include <initializer_list>
#include <optional>

#include "app/globals.h"
#include "sys/Files.h"
#include "toolkit/MessageBox.h"
#include "toolkit/SidePanel.h"
#include "ui/LanguageTable.h"
#include "ui/PngImage.h"
#include "ui/SkinFile.h"
#include "ui/TextFormat.h"

namespace ui {
namespace {

struct ButtonRows {
  SkinId pos, normal, hover, down, disabled;
};

void Place(HWND control, SkinId row) {
  if (control) SetBoundsFromText(control, SkinValue(row));
}

// A picture the skin names but does not have leaves the design-time one (none),
// also in place of what an earlier skin gave.
void ImagePicture(const TSkinImage& image, const std::string& fileName) {
  if (!image.setPicture) return;
  Picture picture;
  LoadSkinPicture(fileName, picture);
  image.setPicture(std::move(picture));
  if (image.window) InvalidateRect(image.window, nullptr, TRUE);
}

void Image(const TSkinImage& image, SkinId boundsRow, SkinId pictureRow) {
  Place(image.window, boundsRow);
  ImagePicture(image, SkinValue(pictureRow));
}

void StatePicture(TArButton& button, ButtonState state, SkinId row) {
  if (!LoadButtonPicture(button, state, SkinValue(row))) button.SetStatePicture(state, Picture{});
}

void Button(TArButton* button, const ButtonRows& rows) {
  if (!button) return;
  SetBoundsFromText(button->hwnd(), SkinValue(rows.pos));
  StatePicture(*button, ButtonState::Normal, rows.normal);
  StatePicture(*button, ButtonState::MouseHover, rows.hover);
  StatePicture(*button, ButtonState::MouseDown, rows.down);
  StatePicture(*button, ButtonState::Disabled, rows.disabled);
}

// The tab buttons take no pressed picture; their disabled one shows the selected tab.
void TabButton(TArButton* button, SkinId pos, SkinId normal, SkinId hover, SkinId disabled) {
  if (!button) return;
  SetBoundsFromText(button->hwnd(), SkinValue(pos));
  StatePicture(*button, ButtonState::Normal, normal);
  StatePicture(*button, ButtonState::MouseHover, hover);
  StatePicture(*button, ButtonState::Disabled, disabled);
}

void ApplyInOrder(const TMainSkinTargets& t) {
  Place(t.MainForm, SK_MAINFORM_Pos);
  // The background fills the window at its own size: a picture, no bounds.
  ImagePicture(t.imgBackGround, SkinValue(SK_MAINFORM_PicBackGround));
  // The title's place and picture are built in.
  if (t.ImgTitle.window) SetBoundsFromText(t.ImgTitle.window, kTitleBounds);
  ImagePicture(t.ImgTitle, TitlePictureName());

  Button(t.btnMin, {SK_MAINFORM_BUTTON_Min_Pos, SK_MAINFORM_BUTTON_Min_PicNormal,
                    SK_MAINFORM_BUTTON_Min_PicMouseHover, SK_MAINFORM_BUTTON_Min_PicMouseDown,
                    SK_MAINFORM_BUTTON_Min_PicDisabled});
  Button(t.btnHelpContent,
         {SK_MAINFORM_BUTTON_HelpContent_Pos, SK_MAINFORM_BUTTON_HelpContent_PicNormal,
          SK_MAINFORM_BUTTON_HelpContent_PicMouseHover, SK_MAINFORM_BUTTON_HelpContent_PicMouseDown,
          SK_MAINFORM_BUTTON_HelpContent_PicDisabled});
  Button(t.btnClose, {SK_MAINFORM_BUTTON_Close_Pos, SK_MAINFORM_BUTTON_Close_PicNormal,
                      SK_MAINFORM_BUTTON_Close_PicMouseHover, SK_MAINFORM_BUTTON_Close_PicMouseDown,
                      SK_MAINFORM_BUTTON_Close_PicDisabled});
  Button(t.btnFile, {SK_MAINFORM_BUTTON_File_Pos, SK_MAINFORM_BUTTON_File_PicNormal,
                     SK_MAINFORM_BUTTON_File_PicMouseHover, SK_MAINFORM_BUTTON_File_PicMouseDown,
                     SK_MAINFORM_BUTTON_File_PicDisabled});
  Button(t.btnView, {SK_MAINFORM_BUTTON_View_Pos, SK_MAINFORM_BUTTON_View_PicNormal,
                     SK_MAINFORM_BUTTON_View_PicMouseHover, SK_MAINFORM_BUTTON_View_PicMouseDown,
                     SK_MAINFORM_BUTTON_View_PicDisabled});
  Button(t.btnTools, {SK_MAINFORM_BUTTON_Tools_Pos, SK_MAINFORM_BUTTON_Tools_PicNormal,
                      SK_MAINFORM_BUTTON_Tools_PicMouseHover, SK_MAINFORM_BUTTON_Tools_PicMouseDown,
                      SK_MAINFORM_BUTTON_Tools_PicDisabled});
  Button(t.btnHelp, {SK_MAINFORM_BUTTON_Help_Pos, SK_MAINFORM_BUTTON_Help_PicNormal,
                     SK_MAINFORM_BUTTON_Help_PicMouseHover, SK_MAINFORM_BUTTON_Help_PicMouseDown,
                     SK_MAINFORM_BUTTON_Help_PicDisabled});

  TabButton(t.btnProgramList, SK_MAINFORM_BUTTON_ProgramList_Pos,
            SK_MAINFORM_BUTTON_ProgramList_PicNormal, SK_MAINFORM_BUTTON_ProgramList_PicMouseHover,
            SK_MAINFORM_BUTTON_ProgramList_PosDisabled);
  TabButton(t.btnStartupItemList, SK_MAINFORM_BUTTON_StartupItems_Pos,
            SK_MAINFORM_BUTTON_StartupItems_PicNormal,
            SK_MAINFORM_BUTTON_StartupItems_PicMouseHover,
            SK_MAINFORM_BUTTON_StartupItems_PosDisabled);

  Place(t.PageControl, SK_MAINFORM_PAGECONTROL_Pos);
  Place(t.tsProgramList, SK_MAINFORM_PAGE1_Pos);
  Place(t.lsvProgramList, SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_Pos);
  Place(t.SizePanelPL, SK_MAINFORM_PAGE1_SizePanel_Pos);
  Image(t.imgPanelP, SK_MAINFORM_PAGE1_ImgPanel_Pos, SK_MAINFORM_PAGE1_ImgPanel_Pic);

  Button(t.btnUninstall,
         {SK_MAINFORM_PAGE1_BUTTON_Uninstall_Pos, SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicNormal,
          SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicMouseHover,
          SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicMouseDown,
          SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicDisabled});
  Button(t.btnShowDetails,
         {SK_MAINFORM_PAGE1_BUTTON_ShowDetails_Pos, SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicNormal,
          SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicMouseHover,
          SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicMouseDown,
          SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicDisabled});
  Button(t.btnRefresh,
         {SK_MAINFORM_PAGE1_BUTTON_Refresh_Pos, SK_MAINFORM_PAGE1_BUTTON_Refresh_PicNormal,
          SK_MAINFORM_PAGE1_BUTTON_Refresh_PicMouseHover,
          SK_MAINFORM_PAGE1_BUTTON_Refresh_PicMouseDown,
          SK_MAINFORM_PAGE1_BUTTON_Refresh_PicDisabled});

  Place(t.grbSearch, SK_MAINFORM_PAGE1_GROUPBOX_GrbSearch_Pos);
  Place(t.lblSearchTitle, SK_MAINFORM_PAGE1_GROUPBOX_LABEL_Title_Pos);
  Place(t.txtSearchInfo, SK_MAINFORM_PAGE1_GROUPBOX_TEXT_KeyWorld_Pos);
  Button(t.btnSearch, {SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_Pos,
                       SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicNormal,
                       SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicMouseHover,
                       SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicMouseDown,
                       SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicDisabled});
  Place(t.ckbHidePatch, SK_MAINFORM_PAGE1_GROUPBOX_CHECKBOX_HidePatch_Pos);
  Place(t.ckbHideScr, SK_MAINFORM_PAGE1_GROUPBOX_CHECKBOX_HideScr_Pos);

  Place(t.tsStartupItems, SK_MAINFORM_PAGE2_Pos);
  Place(t.lsvStartupList, SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_Pos);
  Place(t.SizePanelSI, SK_MAINFORM_PAGE2_SizePanel_Pos);
  Image(t.imgPanelS, SK_MAINFORM_PAGE2_ImgPanel_Pos, SK_MAINFORM_PAGE2_ImgPanel_Pic);

  Place(t.grbItemInfo, SK_MAINFORM_PAGE2_GROUPBOX_grbItemInfo_Pos);
  Place(t.lblPublisher, SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Publisher_Pos);
  Place(t.lblPublisherValue, SK_MAINFORM_PAGE2_GROUPBOX_LABEL_PublisherValue_Pos);
  Place(t.lblVersion, SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Version_Pos);
  Place(t.lblVersionValue, SK_MAINFORM_PAGE2_GROUPBOX_LABEL_VersionValue_Pos);
  Place(t.lblDes, SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Des_Pos);
  Place(t.lblDescription, SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Description_Pos);

  Button(t.btnSelectAll,
         {SK_MAINFORM_PAGE2_BUTTON_SelectAll_Pos, SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicNormal,
          SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicMouseHover,
          SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicMouseDown,
          SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicDisabled});
  Button(
      t.btnDelete,
      {SK_MAINFORM_PAGE2_BUTTON_Delete_Pos, SK_MAINFORM_PAGE2_BUTTON_Delete_PicNormal,
       SK_MAINFORM_PAGE2_BUTTON_Delete_PicMouseHover, SK_MAINFORM_PAGE2_BUTTON_Delete_PicMouseDown,
       SK_MAINFORM_PAGE2_BUTTON_Delete_PicDisabled});
  Button(t.btnApply,
         {SK_MAINFORM_PAGE2_BUTTON_Apply_Pos, SK_MAINFORM_PAGE2_BUTTON_Apply_PicNormal,
          SK_MAINFORM_PAGE2_BUTTON_Apply_PicMouseHover, SK_MAINFORM_PAGE2_BUTTON_Apply_PicMouseDown,
          SK_MAINFORM_PAGE2_BUTTON_Apply_PicDisabled});
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
}

}  // namespace

std::string TitlePictureName() {
  const std::string beside =
      sys::ExtractFilePath(SkinValue(SK_MAINFORM_PicBackGround)) + kTitlePicture;
  return sys::FileExists(app::AppPaths.SkinsDir + beside) ? beside : kTitlePicture;
}

bool WriteSkinDefaults() {
  return WriteSkinToFile(SkinTable(), app::AppPaths.SkinFilePath);
}

bool LoadSkinTable() {
  const std::string& path = app::AppPaths.SkinFilePath;
  if (!sys::FileExists(path) && !WriteSkinDefaults()) {
    tk::ShowMessageBox(nullptr, FormatText(LangText(IDS_MESSAGEBOX_WARNING_SaveFileFailed), {path}),
                       app::kAppTitle, MB_OK | MB_ICONERROR);
    return false;
  }
  return ReadSkinFromFile(SkinTable(), path);
}

bool LoadSkinPicture(const std::string& fileName, Picture& out) {
  std::string path = app::AppPaths.SkinsDir + fileName;
  if (!sys::FileExists(path)) return false;
  out = LoadPictureFile(path);
  return true;
}

bool LoadButtonPicture(TArButton& button, ButtonState state, const std::string& fileName) {
  Picture picture;
  if (!LoadSkinPicture(fileName, picture)) return false;
  button.SetStatePicture(state, std::move(picture));
  return true;
}

bool ApplySkin(const TMainSkinTargets& targets) {
  bool complete = true;
  try {
    ApplyInOrder(targets);
  } catch (const std::exception&) {
    // A bad value stops the pictures here; the window keeps what it has.
    complete = false;
  }
  ApplyColours(targets);
  return complete;
}

}  // namespace ui
