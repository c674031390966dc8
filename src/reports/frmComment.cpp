#include "reports/frmComment.h"

#include <exception>

#include "toolkit/DialogFrame.h"
#include "toolkit/WindowPlace.h"
#include "ui/DialogSkin.h"
#include "ui/LanguageTable.h"

namespace forms {
namespace {

using ui::LangText;

constexpr int kMargin = 12;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;

}  // namespace

TCommentForm::~TCommentForm() {
  destroy();
}

bool TCommentForm::Create(HWND owner) {
  if (hwnd()) return true;
  if (!create(tk::DialogParams("TCommentForm", LangText(ui::IDS_COMMENTFORM_Title), owner,
                               kClientWidth, kClientHeight)))
    return false;

  const int width = kClientWidth - 2 * kMargin;
  lblProgramName = tk::Control::Create(hwnd(), "STATIC", kIdCommentProgramName, "",
                                       SS_LEFT | SS_NOPREFIX, kMargin, 10, width, 34);
  lblTitle = tk::Control::Create(hwnd(), "STATIC", kIdCommentTitle,
                                 LangText(ui::IDS_COMMENTFORM_LABEL_TITLE), SS_LEFT | SS_NOPREFIX,
                                 kMargin, 50, width, 30);
  txtComment = tk::Control::Create(hwnd(), "EDIT", kIdCommentText, "", ES_AUTOHSCROLL | WS_TABSTOP,
                                   kMargin, 86, width, 22, WS_EX_CLIENTEDGE);
  txtComment.send(EM_LIMITTEXT, kMaxCommentLength);
  const int buttonTop = kClientHeight - kMargin - kButtonHeight;
  btnOk = tk::Control::Create(hwnd(), "BUTTON", IDOK, LangText(ui::IDS_COMMENTFORM_BUTTON_Ok),
                              BS_DEFPUSHBUTTON | WS_TABSTOP,
                              kClientWidth - 2 * (kMargin + kButtonWidth), buttonTop, kButtonWidth,
                              kButtonHeight);
  btnCancel =
      tk::Control::Create(hwnd(), "BUTTON", IDCANCEL, LangText(ui::IDS_COMMENTFORM_BUTTON_Cancel),
                          BS_PUSHBUTTON | WS_TABSTOP, kClientWidth - kMargin - kButtonWidth,
                          buttonTop, kButtonWidth, kButtonHeight);

  // The program's name stands out in bold.
  LOGFONTW font{};
  auto base = reinterpret_cast<HFONT>(lblProgramName.send(WM_GETFONT));
  if (!base) base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (GetObjectW(base, sizeof font, &font)) {
    font.lfWeight = FW_BOLD;
    boldFont_.reset(CreateFontIndirectW(&font));
    if (boldFont_) lblProgramName.setFont(boldFont_.get());
  }
  ui::SkinDialog(hwnd());
  return true;
}

void TCommentForm::FormShow() {
  setText(LangText(ui::IDS_COMMENTFORM_Title));
  lblTitle.setText(LangText(ui::IDS_COMMENTFORM_LABEL_TITLE));
  btnOk.setText(LangText(ui::IDS_COMMENTFORM_BUTTON_Ok));
  btnCancel.setText(LangText(ui::IDS_COMMENTFORM_BUTTON_Cancel));
}

int TCommentForm::ShowModalFor(HWND owner, const std::string& programName) {
  if (!hwnd() && !Create(owner)) return IDCANCEL;
  lblProgramName.setText(programName);
  txtComment.setText("");  // a stored comment is never shown
  FormShow();
  tk::CentreOver(hwnd(), owner);
  return showModal(owner) == IDOK ? IDOK : IDCANCEL;
}

LRESULT TCommentForm::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && txtComment) {
    txtComment.focus();  // the user types at once
    return 0;
  }
  return tk::Window::handleMessage(msg, wParam, lParam);
}

bool TCommentForm::onCommand(WORD id, WORD code, HWND) {
  if (id == IDOK && code == BN_CLICKED) {  // the button, or Enter in the window
    if (inModalLoop()) endModal(IDOK);
    return true;
  }
  return false;
}

bool ExecuteComment(HWND owner, inventory::TProgramList& programs, int componentIndex) {
  if (componentIndex < 0) return false;
  try {
    inventory::TProgramItem item = programs.GetProgram(static_cast<ULONG>(componentIndex));
    if (!item) return false;
    const std::string name = item.GetDisplayName();
    TCommentForm form;
    if (!form.Create(owner)) return false;
    if (form.ShowModalFor(owner, name) != IDOK) return false;
    item.SetComment(form.Comment());
    return true;
  } catch (const std::exception&) {
    return false;  // the comment is lost; nothing is reported
  }
}

}  // namespace forms
