#include "uninstall/frmScanRemains.h"

#include <exception>

#include "settings/Product.h"
#include "toolkit/DialogFrame.h"
#include "toolkit/MessageBox.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/WindowPlace.h"
#include "ui/LanguageTable.h"
#include "ui/TextFormat.h"
#include "uninstall/LeftoverScan.h"
#include "uninstall/Ownership.h"
#include "uninstall/ScanTrees.h"

namespace forms {
namespace {

using ui::LangText;

void Notice(HWND owner, const std::string& text, UINT flags = MB_OK) {
  tk::ShowMessageBox(owner, text, settings::kAppTitle, flags);
}

}  // namespace

TScanForm::TScanForm(const settings::TSettings& settings, uninstall::UninstallTarget target)
    : settings_(settings), target_(std::move(target)) {}

TScanForm::~TScanForm() {
  destroy();
}

bool TScanForm::Create(HWND owner) {
  owner_ = owner;
  if (!create(tk::DialogParams("TScanForm", LangText(ui::IDS_SCANFORM_Title), owner, kClientWidth,
                               kClientHeight)))
    return false;
  createControls();
  setTimer(kTimerStartScan, kStartScanDelayMs);
  return true;
}

void TScanForm::createControls() {
  HWND self = hwnd();
  lblScaning =
      tk::Control::Create(self, "STATIC", kIdScanLabel, "", SS_LEFT | SS_NOPREFIX, 9, 9, 70, 16);
  // Two lines high, wrapped at word breaks: long paths show whole.
  lblScanInfo =
      tk::Control::Create(self, "STATIC", kIdScanInfo, "", SS_LEFT | SS_NOPREFIX, 82, 9, 472, 32);
  lblRegInfoLeft = tk::Control::Create(self, "STATIC", kIdRegInfoLeft, "", SS_LEFT | SS_NOPREFIX, 9,
                                       48, 545, 16);
  tvScanRegInfo.create(self, kIdScanRegInfo, {9, 66, 9 + 545, 66 + 153});
  lblFileLeft =
      tk::Control::Create(self, "STATIC", kIdFileLeft, "", SS_LEFT | SS_NOPREFIX, 9, 228, 545, 16);
  tvScanFiles.create(self, kIdScanFiles, {9, 246, 9 + 545, 246 + 155});
  btnDelete = tk::Control::Create(self, "BUTTON", kIdScanDelete, "",
                                  BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 370, 417, 89, 25);
  btnCancel = tk::Control::Create(self, "BUTTON", IDCANCEL, "",
                                  BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 465, 417, 89, 25);
  tvScanRegInfo.onTickClick = [this](HTREEITEM node, UINT) { tvScanRegInfoMouseDown(node); };
  tvScanFiles.onTickClick = [this](HTREEITEM node, UINT) { tvScanFilesMouseDown(node); };
  applyTexts();
}

void TScanForm::applyTexts() {
  setText(LangText(ui::IDS_SCANFORM_Title));
  lblScaning.setText(LangText(ui::IDS_SCANFORM_LABEL_Scaning));
  lblRegInfoLeft.setText(LangText(ui::IDS_SCANFORM_LABEL_RegInfoLeft));
  lblFileLeft.setText(LangText(ui::IDS_SCANFORM_LABEL_FilesLeft));
  btnDelete.setText(LangText(ui::IDS_SCANFORM_BUTTON_Delete));
  btnCancel.setText(LangText(ui::IDS_SCANFORM_BUTTON_Cancel));
}

int TScanForm::ShowModal() {
  if (!hwnd()) return -1;
  applyTexts();
  tk::CentreOver(hwnd(), owner_);
  return showModal(owner_);
}

void TScanForm::onTimer(UINT_PTR id) {
  if (id == kTimerStartScan) StartScan();
}

void TScanForm::showProgress(const std::string& path) {
  // The label and the repaint follow the scan a few times a second rather than at
  // every key: a message round per key would cost more than the key itself.
  const DWORD now = GetTickCount();
  if (now - lastProgress_ < kProgressIntervalMs) return;
  lastProgress_ = now;
  lblScanInfo.setText(path);
  tk::ProcessPendingMessages();
}

void TScanForm::ScanRegistryPasses() {
  lastProgress_ = GetTickCount() - kProgressIntervalMs;  // show the first key at once
  std::vector<uninstall::FoundKey> found = uninstall::ScanRegistry(
      target_.keyName, [this](const std::string& path) { showProgress(path); });
  uninstall::MarkOwnedKeys(found, otherPrograms());
  uninstall::AddRegistryNodes(tvScanRegInfo, nodes_, found,
                              LangText(ui::IDS_SCANFORM_LABEL_SharedWith));
}

void TScanForm::ScanFiles() {
  std::vector<uninstall::FileEntry> tree = uninstall::ScanInstallFolder(
      target_.installDir, [this](const std::string& path) { showProgress(path); });
  uninstall::MarkOwnedFolders(tree, otherPrograms());
  uninstall::AddFileNodes(tvScanFiles, nodes_, tree, LangText(ui::IDS_SCANFORM_LABEL_SharedWith));
}

const std::vector<uninstall::InstalledEntry>& TScanForm::otherPrograms() {
  // Read once per scan: both passes judge ownership against the same entries.
  if (!others_) others_ = uninstall::ReadOtherEntries(target_);
  return *others_;
}

void TScanForm::StartScan() {
  // Once per window: a tick that comes while the scan runs, or after it, starts nothing.
  if (scanning_ || scanned_ || !hwnd()) return;
  scanning_ = true;
  killTimer(kTimerStartScan);
  EnableWindow(hwnd(), FALSE);
  try {
    // Without a name there is nothing to match: every key would be walked for nothing.
    if (!target_.keyName.empty()) ScanRegistryPasses();
    ScanFiles();
  } catch (const std::exception&) {
    // What the passes that ended found stays listed; the window becomes usable again.
  }
  if (!hwnd()) return;
  EnableWindow(hwnd(), TRUE);
  scanning_ = false;
  scanned_ = true;
  // When the program still seems installed, whatever was found may still be in use:
  // it is shown, and nothing is recommended.
  if (!target_.uninstalled) {
    uninstall::UntickAll(tvScanRegInfo);
    uninstall::UntickAll(tvScanFiles);
  }
  tvScanRegInfo.expandAll();
  tvScanFiles.expandAll();
  if (tvScanRegInfo.count() == 0 && tvScanFiles.count() == 0) {
    Notice(hwnd(), LangText(ui::IDS_MESSAGEBOX_WARNING_Noremains));
    // The window is closing (and is gone at once when not shown modally): its
    // buttons are left as they are.
    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    return;
  }
  btnDelete.setEnabled(true);
  btnCancel.setEnabled(true);
}

void TScanForm::tvScanRegInfoMouseDown(HTREEITEM node) {
  uninstall::ToggleTreeNode(tvScanRegInfo, node);
}

void TScanForm::tvScanFilesMouseDown(HTREEITEM node) {
  uninstall::ToggleTreeNode(tvScanFiles, node);
}

void TScanForm::btnDeleteClick() {
  if (!scanned_ || scanning_) return;
  lblScanInfo.setText("");
  const bool fileTreeEmpty = tvScanFiles.count() == 0;
  std::vector<uninstall::LeftoverItem> items =
      uninstall::TickedRegistryItems(tvScanRegInfo, nodes_);
  for (uninstall::LeftoverItem& item : uninstall::TickedFileItems(tvScanFiles, nodes_))
    items.push_back(std::move(item));
  size_t failed = 0;
  size_t kept = 0;
  bool interrupted = false;
  try {
    // Registry items are exported into Back up\reg\ first; without that file none
    // of them is deleted.
    uninstall::RemovalOutcome outcome =
        uninstall::RemoveLeftovers(items, target_.keyName, settings_.paths().RegBackupDir);
    lastBackupFile_ = outcome.backupFile;
    failed = outcome.failed();
    kept = outcome.keptFolders();
  } catch (const std::exception&) {
    interrupted = true;  // counted below from what is really there
  }
  // The trees keep exactly what is still there.
  uninstall::RemoveVanishedNodes(tvScanRegInfo, nodes_);
  uninstall::RemoveVanishedNodes(tvScanFiles, nodes_);
  if (interrupted) {
    for (const uninstall::LeftoverItem& item : items)
      if (uninstall::LeftoverExists(item)) ++failed;
  }
  lastFailedCount_ = failed;
  lastKeptCount_ = kept;
  std::string warning;
  if (failed > 0)
    warning = ui::FormatText(LangText(ui::IDS_MESSAGEBOX_WARNING_CleanIncomplete),
                             {std::to_string(failed)});
  if (kept > 0) {
    if (!warning.empty()) warning += "\n";
    warning +=
        ui::FormatText(LangText(ui::IDS_MESSAGEBOX_WARNING_FoldersKept), {std::to_string(kept)});
  }
  if (!warning.empty()) {
    Notice(hwnd(), warning, MB_OK | MB_ICONWARNING);
  } else if (!fileTreeEmpty) {
    Notice(hwnd(), LangText(ui::IDS_MESSAGEBOX_WARNING_CleanSuccess));
  }
}

void TScanForm::btnCancelClick() {
  SendMessageW(hwnd(), WM_CLOSE, 0, 0);
}

bool TScanForm::onCommand(WORD id, WORD code, HWND) {
  if (code != BN_CLICKED) return false;
  if (id == kIdScanDelete) {
    btnDeleteClick();
    return true;
  }
  if (id == IDCANCEL) {
    // Escape while the scan runs closes nothing: there is no cancelling a scan.
    if (!scanning_) btnCancelClick();
    return true;
  }
  return false;
}

bool TScanForm::onClose() {
  return !scanning_;
}

}  // namespace forms
