#include "reports/frmPrintPage.h"

#include <algorithm>
#include <stdexcept>

#include "settings/Product.h"
#include "reports/PrintLayout.h"
#include "reports/ProgramReport.h"
#include "sys/Files.h"
#include "sys/SysError.h"
#include "toolkit/DialogFrame.h"
#include "toolkit/FileDialog.h"
#include "toolkit/GdiText.h"
#include "toolkit/MessageBox.h"
#include "toolkit/PrintDialog.h"
#include "ui/DialogSkin.h"
#include "ui/LanguageTable.h"

namespace reports {
namespace {

constexpr int kIdSave = 101;
constexpr int kIdPrint = 102;
constexpr int kIdMemo = 103;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kMemoTop = 2 * 6 + kButtonHeight;
constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME;

}  // namespace

void ExecuteExportList(HWND owner, const std::string& programsText,
                       const std::vector<std::string>& captions) {
  TPrintListForm form;
  if (!form.Create(owner)) return;
  form.SetReportLines(ProgramReportLines(CurrentReportHeader(programsText), captions));
  form.ApplyTexts();
  form.showModal(owner);
}

std::vector<std::string> ShownCaptions(const tk::ListView& list) {
  std::vector<std::string> captions;
  const int count = list.count();
  captions.reserve(static_cast<size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) captions.push_back(list.itemText(i, 0));
  return captions;
}

TPrintListForm::~TPrintListForm() {
  destroy();
}

bool TPrintListForm::Create(HWND owner) {
  // The caption comes with the other texts (ApplyTexts).
  tk::WindowParams params = tk::DialogParams("PrunaxisPrintListForm", {}, owner, kClientWidth,
                                             kClientHeight, kFrameStyle, kFrameExStyle);
  params.x = (GetSystemMetrics(SM_CXSCREEN) - params.width) / 2;
  params.y = (GetSystemMetrics(SM_CYSCREEN) - params.height) / 2;
  if (!create(params)) return false;

  btnSave = tk::Control::Create(hwnd(), "BUTTON", kIdSave, "", BS_PUSHBUTTON | WS_TABSTOP, 6, 6,
                                kButtonWidth, kButtonHeight);
  btnPrint = tk::Control::Create(hwnd(), "BUTTON", kIdPrint, "", BS_PUSHBUTTON | WS_TABSTOP,
                                 12 + kButtonWidth, 6, kButtonWidth, kButtonHeight);
  MemoList =
      tk::Control::Create(hwnd(), "EDIT", kIdMemo, "",
                          ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
                          0, kMemoTop, kClientWidth, kClientHeight - kMemoTop, WS_EX_CLIENTEDGE);
  // The report grows with the list: no limit but memory's.
  MemoList.send(EM_SETLIMITTEXT, 0, 0);
  memoFont_.reset(tk::CreateFaceFont(-13, "MS Sans Serif", FW_NORMAL, DEFAULT_PITCH | FF_SWISS));
  if (memoFont_) MemoList.setFont(memoFont_.get());
  if (!btnSave || !btnPrint || !MemoList) return false;
  ui::SkinDialog(hwnd());
  return true;
}

void TPrintListForm::ApplyTexts() {
  setText(ui::LangText(ui::IDS_PRINTFORM_Title));
  btnSave.setText(ui::LangText(ui::IDS_PRINTFORM_BUTTON_Save));
  btnPrint.setText(ui::LangText(ui::IDS_PRINTFORM_BUTTON_Print));
}

void TPrintListForm::SetReportLines(const std::vector<std::string>& lines) {
  MemoList.setText(JoinLines(lines));
}

std::vector<std::string> TPrintListForm::MemoLines() const {
  return SplitLines(MemoList.text());
}

void TPrintListForm::btnSaveClick() {
  tk::FileDialogRequest request;
  request.owner = hwnd();
  request.save = true;
  request.filter = kSaveFilter;
  request.defaultExt = "txt";
  // The process's current folder stays where it was (programs named without a
  // folder are looked for there).
  request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_PATHMUSTEXIST |
                  OFN_NOCHANGEDIR;
  const auto path = tk::ShowFileDialog(request);
  if (!path) return;
  try {
    if (!sys::WriteFileBytes(*path, ReportFileBytes(MemoList.text())))
      throw std::runtime_error("Cannot create file \"" + *path + "\". " + sys::LastErrorText());
  } catch (const std::exception& error) {
    tk::ShowExceptionMessage(hwnd(), error);
  }
}

void TPrintListForm::btnPrintClick() {
  tk::PrintDialogRequest request;
  request.owner = hwnd();
  tk::UniquePrinterDc printer = tk::ShowPrintDialog(request);
  if (!printer) return;
  try {
    DWORD error = ERROR_SUCCESS;
    if (!PrintTextLines(printer.get(), settings::kAppTitle, MemoLines(), error))
      tk::ShowMessageBox(hwnd(), ui::LangText(ui::IDS_MESSAGEBOX_MESSAGE_PrintError),
                         settings::kAppTitle, MB_OK | MB_ICONWARNING);
  } catch (const std::exception& error) {
    tk::ShowExceptionMessage(hwnd(), error);
  }
}

bool TPrintListForm::onCommand(WORD id, WORD code, HWND /*control*/) {
  if (code != BN_CLICKED) return false;
  if (id == kIdSave) {
    btnSaveClick();
    return true;
  }
  if (id == kIdPrint) {
    btnPrintClick();
    return true;
  }
  return false;
}

}  // namespace reports
