#include "main/frmAbout.h"

#include "settings/Product.h"
#include "toolkit/DialogFrame.h"
#include "ui/ArFont.h"
#include "ui/Bounds.h"
#include "ui/DialogSkin.h"
#include "ui/LanguageTable.h"
#include "ui/PngImage.h"
#include "ui/SkinTable.h"
#include "ui/TextFormat.h"
#include "ui/multiSkins.h"

namespace forms {
namespace {

enum ControlId : int {
  kIdImgAbout = 101,
  kIdProductTitle,
  kIdCopyright,
  kIdWebOnline,
  kIdSupportEmail,
  kIdWarning,
  kIdRule1,
  kIdRule2,
  kIdRule3,
};

}  // namespace

bool TAboutForm::Create(HWND owner) {
  tk::WindowParams params = tk::DialogParams("TAboutForm", ui::LangText(ui::IDS_ABOUTFORM_Title),
                                             owner, kClientWidth, kClientHeight);
  params.x = (GetSystemMetrics(SM_CXSCREEN) - params.width) / 2;
  params.y = (GetSystemMetrics(SM_CYSCREEN) - params.height) / 2;
  if (!create(params)) return false;
  return createControls();
}

bool TAboutForm::createControls() {
  font_ = ui::CreatePointFont("Tahoma", 8, FW_NORMAL);
  titleFont_ = ui::CreatePointFont("Tahoma", 9, FW_BOLD);
  const HWND self = hwnd();

  if (!ImgAbout.create(self, kIdImgAbout, RECT{10, 11, 10 + 125, 11 + 278},
                       GetSysColor(COLOR_BTNFACE))) {
    return false;
  }
  lblProductTitle = tk::Control::Create(self, "STATIC", kIdProductTitle, {}, SS_LEFT | SS_NOPREFIX,
                                        152, 11, 289, 30);
  // Two lines fit above the first rule.
  lblCopyright = tk::Control::Create(self, "STATIC", kIdCopyright, {}, SS_LEFT | SS_NOPREFIX, 152,
                                     42, 289, 26);
  tk::Control::Create(self, "STATIC", kIdRule1, {}, SS_ETCHEDHORZ, 152, 68, 280, 2);
  tk::Control::Create(self, "STATIC", kIdRule2, {}, SS_ETCHEDHORZ, 153, 148, 280, 2);
  if (!lnkWebOnline.create(self, kIdWebOnline, 152, 162, 13) ||
      !lnkSupportEmail.create(self, kIdSupportEmail, 152, 184, 13)) {
    return false;
  }
  lblWarning = tk::Control::Create(self, "STATIC", kIdWarning, {}, SS_LEFT | SS_NOPREFIX, 152, 206,
                                   288, 100);
  tk::Control::Create(self, "STATIC", kIdRule3, {}, SS_ETCHEDHORZ, 11, 308, 430, 2);
  btnOK = tk::Control::Create(self, "BUTTON", IDOK, {}, BS_DEFPUSHBUTTON | WS_TABSTOP, 344, 316, 98,
                              25);
  if (!lblProductTitle || !lblCopyright || !lblWarning || !btnOK) return false;

  for (HWND child = GetWindow(self, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  lblProductTitle.setFont(titleFont_.get());
  // The link labels draw in their own link colours (blue, red under the mouse)
  // unless the skin gives them one.
  ui::SkinDialog(self);
  return true;
}

void TAboutForm::FormShow() {
  setText(ui::LangText(ui::IDS_ABOUTFORM_Title));
  lblProductTitle.setText(
      ui::FormatText("%s %s", {settings::kAppTitle, settings::kProductSecondTitle}));
  lblWarning.setText(ui::LangText(ui::IDS_ABOUTFORM_LABEL_Warning));
  btnOK.setText(ui::LangText(ui::IDS_ABOUTFORM_BUTTON_Ok));
  lblCopyright.setText(ui::LangText(ui::IDS_ABOUTFORM_LABEL_CopyRight));

  lnkWebOnline.setCaption(settings::kMakerWebAddress);
  lnkWebOnline.setTarget(settings::kMakerWebAddress);
  lnkSupportEmail.setCaption(settings::kSupportMailAddress);
  lnkSupportEmail.setTarget(std::string("mailto:") + settings::kSupportMailAddress);

  // A bad picture or a bad place in the skin leaves the picture empty or at its
  // design place; the window shows all the same.
  ui::Picture picture;
  try {
    if (ui::LoadSkinPicture(settings_, ui::SkinValue(ui::SK_ABOUTFORM_IMGABOUT_Pic), picture)) {
      ImgAbout.setPicture(std::move(picture));
    }
  } catch (const ui::PictureError&) {
  }
  try {
    ui::SetBoundsFromText(ImgAbout.hwnd(), ui::SkinValue(ui::SK_ABOUTFORM_IMGABOUT_POS));
  } catch (const ui::BoundsError&) {
  }
}

bool TAboutForm::onCommand(WORD id, WORD code, HWND control) {
  if (id == IDOK && (!control || code == BN_CLICKED)) {
    if (inModalLoop()) {
      endModal(IDOK);
    } else {
      PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    }
    return true;
  }
  return tk::Window::onCommand(id, code, control);
}

LRESULT TAboutForm::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (wParam) FormShow();
      break;
    case WM_ACTIVATE:
      // Like a dialog: the keyboard focus goes to the default button, so that
      // Enter and Escape reach the window's keys at once.
      if (LOWORD(wParam) != WA_INACTIVE) {
        if (!IsChild(hwnd(), GetFocus())) btnOK.focus();
        return 0;
      }
      break;
    default:
      break;
  }
  return tk::Window::handleMessage(msg, wParam, lParam);
}

int ShowAboutForm(HWND owner, const settings::TSettings& settings) {
  TAboutForm about(settings);
  if (!about.Create(owner)) return -1;
  return about.showModal(owner);
}

}  // namespace forms
