#include "main/frmSplash.h"

#include "settings/Product.h"
#include "ui/ArFont.h"
#include "ui/LanguageTable.h"
#include "ui/PictureBox.h"
#include "ui/PngImage.h"
#include "ui/SkinTable.h"
#include "ui/TextFormat.h"
#include "ui/multiSkins.h"

namespace forms {
namespace {

constexpr UINT_PTR kTimerShow = 1;  // tmrShow
constexpr int kIdCopyrightInfo = 101;

// lblCopyrightInfo's design place.
constexpr RECT kCopyrightInfoBounds{20, 176, 20 + 340, 176 + 57};

}  // namespace

bool TSplashForm::Create(HWND owner) {
  tk::WindowParams params;
  params.className = "TSplashForm";
  params.caption = settings::kAppTitle;
  params.style = WS_POPUP;
  // No taskbar button of its own for a window that lives a second and a half.
  params.exStyle = WS_EX_TOOLWINDOW;
  params.parent = owner;
  params.width = kDesignWidth;
  params.height = kDesignHeight;
  params.x = 0;
  params.y = 0;
  if (!create(params)) return false;

  font_ = ui::CreatePointFont("Tahoma", 8, FW_NORMAL);
  lblCopyrightInfo = tk::Control::Create(
      hwnd(), "STATIC", kIdCopyrightInfo, {}, SS_LEFT | SS_NOPREFIX, kCopyrightInfoBounds.left,
      kCopyrightInfoBounds.top, kCopyrightInfoBounds.right - kCopyrightInfoBounds.left,
      kCopyrightInfoBounds.bottom - kCopyrightInfoBounds.top);
  if (!lblCopyrightInfo) return false;
  if (font_) lblCopyrightInfo.setFont(font_.get());

  FormCreate();
  return true;
}

void TSplashForm::FormCreate() {
  setTimer(kTimerShow, kShowMilliseconds);

  // A picture that cannot be decoded shows like a missing one: start-up goes on
  // with the notice on the plain background.
  try {
    ui::LoadSkinPicture(settings_, ui::SkinValue(ui::SK_SPLASHFORM_IMAGE_CHARGE), imgBackground_);
  } catch (const ui::PictureError&) {
    imgBackground_.clear();
  }

  // The table holds the notice with its "#13" markers still in it when no language
  // file could be read (its built-in text); they are line breaks all the same.
  lblCopyrightInfo.setText(ui::ConvertLineBreaks(ui::LangText(ui::IDS_SPLASHFORM_LABEL_Copyright),
                                                 ui::LineBreakDirection::Reading));

  // The window takes the picture's size (the design size without one), centred on
  // the screen.
  const int width = imgBackground_.empty() ? kDesignWidth : imgBackground_.width();
  const int height = imgBackground_.empty() ? kDesignHeight : imgBackground_.height();
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSplashForm::onTimer(UINT_PTR id) {
  if (id == kTimerShow) tmrShowTimer();
}

void TSplashForm::tmrShowTimer() {
  killTimer(kTimerShow);
  // Ends the modal loop (start-up then shows the main window); a splash that was
  // not shown modally is simply destroyed.
  PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

LRESULT TSplashForm::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      if (!imgBackground_.empty()) return 1;  // the picture covers everything it needs
      break;
    case WM_PAINT:
      if (!imgBackground_.empty()) {
        paint();
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      // The notice is white on the picture, without a background of its own.
      if (reinterpret_cast<HWND>(lParam) == lblCopyrightInfo.hwnd()) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      }
      break;
    default:
      break;
  }
  return tk::Window::handleMessage(msg, wParam, lParam);
}

void TSplashForm::paint() {
  // Where the picture does not reach (a picture with transparent parts, a window
  // that the screen could not fit), the button face shows.
  ui::PaintWindowPicture(hwnd(), imgBackground_, GetSysColor(COLOR_BTNFACE));
}

void ShowSplash(const settings::TSettings& settings, HWND owner) {
  TSplashForm splash(settings);
  if (!splash.Create(owner)) return;  // start-up goes on without a splash
  splash.showModal(owner);
}

}  // namespace forms
