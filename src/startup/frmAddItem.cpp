#include "startup/frmAddItem.h"

#include <commdlg.h>

#include <stdexcept>

#include "settings/Product.h"
#include "sys/SysError.h"
#include "sys/FileOps.h"
#include "toolkit/ComboItems.h"
#include "toolkit/DialogFrame.h"
#include "toolkit/FileDialog.h"
#include "toolkit/MessageBox.h"
#include "toolkit/WinText.h"
#include "toolkit/WindowPlace.h"
#include "ui/DialogSkin.h"
#include "ui/LanguageTable.h"

namespace forms {
namespace {

using ui::LangText;

// The section list's items, by AddSection index.
constexpr ui::LangId kSectionTexts[] = {
    ui::IDS_ADDITEMFORM_COMBOBOX_Items1,
    ui::IDS_ADDITEMFORM_COMBOBOX_Items2,
    ui::IDS_ADDITEMFORM_COMBOBOX_Items3,
    ui::IDS_ADDITEMFORM_COMBOBOX_Items4,
};

// The browse filter is a file pattern, not a text for the reader: never translated.
constexpr char kBrowseFilter[] = "All Files (*.*)|*.*";

}  // namespace

bool IsExistingFile(const std::string& path) {
  if (path.empty()) return false;
  DWORD attrs = sys::FileAttributes(path);
  return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

TAddItemForm::~TAddItemForm() {
  destroy();
}

bool TAddItemForm::Create(HWND owner) {
  owner_ = owner;
  tk::WindowParams params =
      tk::DialogParams("TAddItemForm", LangText(ui::IDS_ADDITEMFORM_Title), owner, 0, 0);
  // This window's design size is its outer size, frame included.
  params.width = kWidth;
  params.height = kHeight;
  if (!create(params)) return false;

  HWND self = hwnd();
  lblTarget = tk::Control::Create(self, "STATIC", kIdAddTargetLabel, "", SS_LEFT | SS_NOPREFIX, 16,
                                  14, 200, 16);
  txtTarget = tk::Control::Create(self, "EDIT", kIdAddTarget, "", ES_AUTOHSCROLL | WS_TABSTOP, 16,
                                  34, 240, 22, WS_EX_CLIENTEDGE);
  btnBrowse = tk::Control::Create(self, "BUTTON", kIdAddBrowse, "", BS_PUSHBUTTON | WS_TABSTOP, 264,
                                  33, 84, 24);
  lblSection = tk::Control::Create(self, "STATIC", kIdAddSectionLabel, "", SS_LEFT | SS_NOPREFIX,
                                   16, 68, 200, 16);
  cmbSection = tk::Control::Create(self, "COMBOBOX", kIdAddSection, "",
                                   CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 16, 88, 332, 120);
  btnOK = tk::Control::Create(self, "BUTTON", IDOK, "", BS_DEFPUSHBUTTON | WS_TABSTOP, 172, 134, 84,
                              26);
  btnCancel = tk::Control::Create(self, "BUTTON", IDCANCEL, "", BS_PUSHBUTTON | WS_TABSTOP, 264,
                                  134, 84, 26);
  if (!lblTarget || !txtTarget || !btnBrowse || !lblSection || !cmbSection || !btnOK || !btnCancel)
    return false;
  // The list is filled once per window; the items keep their positions, which are
  // what the choice means.
  for (ui::LangId text : kSectionTexts)
    toolkit::AddComboItemUtf8(cmbSection.hwnd(), LangText(text));
  setSection(startup::AddSection::RunCurrentUser);
  ui::SkinDialog(self);
  return true;
}

void TAddItemForm::applyTexts() {
  toolkit::SetWindowTextUtf8(hwnd(), LangText(ui::IDS_ADDITEMFORM_Title));
  toolkit::SetWindowTextUtf8(lblTarget.hwnd(), LangText(ui::IDS_ADDITEMFORM_LABEL_Target));
  toolkit::SetWindowTextUtf8(lblSection.hwnd(), LangText(ui::IDS_ADDITEMFORM_LABEL_Section));
  toolkit::SetWindowTextUtf8(btnBrowse.hwnd(), LangText(ui::IDS_ADDITEMFORM_BUTTON_Browse));
  toolkit::SetWindowTextUtf8(btnOK.hwnd(), LangText(ui::IDS_ADDITEMFORM_BUTTON_Ok));
  toolkit::SetWindowTextUtf8(btnCancel.hwnd(), LangText(ui::IDS_ADDITEMFORM_BUTTON_Cancel));
}

int TAddItemForm::Execute() {
  if (!hwnd()) return IDCANCEL;
  applyTexts();
  tk::CentreOver(hwnd(), owner_);
  txtTarget.focus();
  return showModal(owner_);
}

startup::AddSection TAddItemForm::section() const {
  auto index = static_cast<int>(cmbSection.send(CB_GETCURSEL));
  if (index < 0 || index > static_cast<int>(startup::AddSection::RunLocalMachine))
    return startup::AddSection::RunCurrentUser;
  return static_cast<startup::AddSection>(index);
}

void TAddItemForm::setSection(startup::AddSection section) {
  cmbSection.send(CB_SETCURSEL, static_cast<WPARAM>(section));
}

void TAddItemForm::btnBrowseClick() {
  try {
    tk::FileDialogRequest request;
    request.owner = hwnd();
    request.filter = kBrowseFilter;
    request.flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                    OFN_NOCHANGEDIR;
    if (std::optional<std::string> chosen = tk::ShowFileDialog(request))
      toolkit::SetWindowTextUtf8(txtTarget.hwnd(), *chosen);
  } catch (const std::exception&) {
    // The dialog is a convenience; the path can be typed as well.
  }
}

bool TAddItemForm::btnOKClick() {
  const std::string target = toolkit::GetWindowTextUtf8(txtTarget.hwnd());
  if (!IsExistingFile(target)) {
    tk::ShowMessageBox(hwnd(), kTargetNotFoundText, settings::kAppTitle, MB_OK);
    toolkit::SetWindowTextUtf8(txtTarget.hwnd(), "");
    txtTarget.focus();
    return false;
  }
  const startup::AddOutcome outcome = startup::AddStartupEntry(section(), target);
  if (outcome.status == startup::AddStatus::Failed) {
    tk::ShowExceptionMessage(hwnd(), std::runtime_error(sys::ErrorText(outcome.error)));
    return false;
  }
  // Added, or there was no place to add to: either way the list is read anew and
  // shows what arrived.
  endModal(IDOK);
  return true;
}

void TAddItemForm::btnCancelClick() {
  endModal(IDCANCEL);
}

bool TAddItemForm::onCommand(WORD id, WORD code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kIdAddBrowse:
      btnBrowseClick();
      return true;
    case IDOK:
      btnOKClick();
      return true;
    case IDCANCEL:
      btnCancelClick();
      return true;
  }
  return false;
}

}  // namespace forms
