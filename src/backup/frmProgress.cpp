#include "backup/frmProgress.h"

#include <commctrl.h>

#include <exception>
#include <string>

#include "settings/Product.h"
#include "sys/Files.h"
#include "toolkit/DialogFrame.h"
#include "toolkit/MessageBox.h"
#include "toolkit/WinText.h"
#include "ui/DialogSkin.h"
#include "ui/LanguageTable.h"
#include "ui/PictureBox.h"
#include "ui/TextFormat.h"
#include "ui/multiSkins.h"

namespace backup {
namespace {

constexpr int kIdInfo = 101;
constexpr int kIdProgress = 102;
constexpr int kControlWidth = 281;
constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME;

// Paints "<position>%" centred over the bar after the control has drawn itself.
LRESULT CALLBACK ProgressCaptionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ProgressCaptionProc, 1);
  LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
  if (msg == WM_PAINT) {
    HDC dc = GetDC(hwnd);
    if (dc) {
      RECT rc;
      GetClientRect(hwnd, &rc);
      const std::string caption = std::to_string(SendMessageW(hwnd, PBM_GETPOS, 0, 0)) + "%";
      HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, ui::SkinColourOr(ui::SK_COLOR_ListText, GetSysColor(COLOR_WINDOWTEXT)));
      toolkit::DrawTextUtf8(dc, caption, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      SelectObject(dc, oldFont);
      ReleaseDC(hwnd, dc);
    }
  }
  return result;
}

}  // namespace

void ExecuteCreateBackup(HWND owner, const settings::TSettings& settings) {
  if (tk::ShowMessageBox(owner, ui::LangText(ui::IDS_MESSAGEBOX_WARNING_BackupReg),
                         settings::kAppTitle, MB_YESNO | MB_ICONINFORMATION) != IDYES)
    return;
  TProgressForm form(settings);
  if (!form.Create(owner)) return;
  form.FormShow();
  form.showModal(owner);
}

TProgressForm::~TProgressForm() {
  destroy();
}

bool TProgressForm::Create(HWND owner) {
  // The caption comes with the other texts (FormShow).
  tk::WindowParams params = tk::DialogParams("PrunaxisProgressForm", {}, owner, kClientWidth,
                                             kClientHeight, kFrameStyle, kFrameExStyle);
  RECT area{};
  if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  params.x = area.left + (area.right - area.left - params.width) / 2;
  params.y = area.top + (area.bottom - area.top - params.height) / 2;
  if (!create(params)) return false;

  const int left = (kClientWidth - kControlWidth) / 2;
  lblInfo =
      tk::Control::Create(hwnd(), "STATIC", kIdInfo, "", SS_CENTER, left, 50, kControlWidth, 40);
  ProgressBar = tk::ProgressBar::Create(hwnd(), kIdProgress, left, 100, kControlWidth, 20);
  SetWindowSubclass(ProgressBar.hwnd(), ProgressCaptionProc, 1, 0);
  setTimer(TimerBackup, kIdleInterval);
  sys::ForceDirectories(settings_.paths().RegBackupDir);
  ui::SkinDialog(hwnd());
  return true;
}

void TProgressForm::FormShow() {
  setText(ui::LangText(ui::IDS_PROGRESSFORM_Title));
  lblInfo.setText(ui::LangText(ui::IDS_PROGRESSFORM_LABEL_Info));
  ui::Picture picture;
  try {
    if (ui::LoadSkinPicture(settings_, ui::SkinValue(ui::SK_PROGRESSFORM_ImageBG_Pic), picture))
      ImageBK = std::move(picture);
  } catch (const std::exception&) {
    // A picture that cannot be decoded leaves the window without one.
  }
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void TProgressForm::onTimer(UINT_PTR id) {
  if (id == TimerBackup) RunBackup();
}

void TProgressForm::RunBackup() {
  // The final message box runs a loop of its own, in which ticks still arrive.
  if (reporting_) return;
  try {
    if (!run_) {
      sys::ForceDirectories(settings_.paths().RegBackupDir);
      auto names = ReadUninstallEntryNames();
      // Nothing to back up (yet): the next tick looks again.
      if (!names || names->empty()) return;
      run_ = std::make_unique<BackupRun>(settings_.paths().RegBackupDir, std::move(*names), hwnd(),
                                         maxRunning, startEditor);
      setTimer(TimerBackup, kRunInterval);
    }
    const bool done = run_->poll();
    setPosition(run_->position());
    if (done) finishRun();
  } catch (const std::exception&) {
    killTimer(TimerBackup);
    closeForm(IDABORT);
  }
}

void TProgressForm::setPosition(int position) {
  ProgressBar.setPosition(position);
  // The bar repaints at once, not when the queue gets to it.
  RedrawWindow(ProgressBar.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TProgressForm::finishRun() {
  killTimer(TimerBackup);
  reporting_ = true;
  const std::size_t failed = run_->failedNames().size();
  if (failed == 0) {
    tk::ShowMessageBox(hwnd(), ui::LangText(ui::IDS_MESSAGEBOX_MESSAGE_BackupSucceed),
                       settings::kAppTitle, MB_OK);
  } else {
    tk::ShowMessageBox(hwnd(),
                       ui::FormatText(ui::LangText(ui::IDS_MESSAGEBOX_WARNING_BackupIncomplete),
                                      {std::to_string(failed)}),
                       settings::kAppTitle, MB_OK | MB_ICONWARNING);
  }
  reporting_ = false;
  closeForm(IDOK);
}

void TProgressForm::closeForm(int result) {
  if (inModalLoop())
    endModal(result);
  else
    hide();
}

LRESULT TProgressForm::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      if (ImageBK.empty()) break;
      return 1;
    case WM_PAINT:
      if (ImageBK.empty()) break;
      paint();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == lblInfo.hwnd()) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      }
      break;
    default:
      break;
  }
  return tk::Window::handleMessage(msg, wParam, lParam);
}

// The background picture over the whole client area, at its own size; the rest
// in the button face colour.
void TProgressForm::paint() {
  ui::PaintWindowPicture(hwnd(), ImageBK, GetSysColor(COLOR_BTNFACE));
}

}  // namespace backup
