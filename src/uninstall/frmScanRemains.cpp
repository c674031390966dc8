#include "uninstall/frmScanRemains.h"

#include <exception>

#include "settings/Product.h"
#include "toolkit/DialogFrame.h"
#include "toolkit/GradeImages.h"
#include "toolkit/MessageBox.h"
#include "toolkit/WindowPlace.h"
#include "ui/ControlSkins.h"
#include "ui/DialogSkin.h"
#include "ui/LanguageTable.h"
#include "ui/TextFormat.h"
#include "uninstall/EvidenceText.h"
#include "uninstall/LeftoverSearch.h"
#include "uninstall/ScanTrees.h"

namespace forms {
namespace {

using ui::LangText;

// The legend: one row per grade, left of the buttons and below the file tree.
constexpr int kLegendTop = 407;
constexpr int kLegendRow = 16;

void Notice(HWND owner, const std::string& text, UINT flags = MB_OK) {
  tk::ShowMessageBox(owner, text, settings::kAppTitle, flags);
}

uninstall::Grade GradeAt(int index) {
  return static_cast<uninstall::Grade>(index);
}

}  // namespace

TScanForm::TScanForm(const settings::TSettings& settings, uninstall::UninstallTarget target,
                     uninstall::LeftoverSearchFn search)
    : settings_(settings), target_(std::move(target)), search_(std::move(search)) {}

TScanForm::~TScanForm() {
  stopScan();
  destroy();
}

bool TScanForm::Create(HWND owner) {
  owner_ = owner;
  if (!create(tk::DialogParams("TScanForm", LangText(ui::IDS_SCANFORM_Title), owner, kClientWidth,
                               kClientHeight)))
    return false;
  createControls();
  const ui::TSkinColours colours = ui::CurrentSkinColours();
  ui::SkinDialog(hwnd(), colours);
  for (tk::TickTreeView* tree : {&tvScanRegInfo, &tvScanFiles})
    tree->setTickColours(ui::TickColoursOf(colours));
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
  // The nodes' tips are ours (their reasons); the control's own would cover them.
  tvScanRegInfo.setNodeImages(tk::CreateGradeImages());
  tvScanRegInfo.create(self, kIdScanRegInfo, {9, 66, 9 + 545, 66 + 153}, TVS_NOTOOLTIPS);
  lblFileLeft =
      tk::Control::Create(self, "STATIC", kIdFileLeft, "", SS_LEFT | SS_NOPREFIX, 9, 228, 545, 16);
  tvScanFiles.setNodeImages(tk::CreateGradeImages());
  tvScanFiles.create(self, kIdScanFiles, {9, 246, 9 + 545, 246 + 155}, TVS_NOTOOLTIPS);
  btnDelete = tk::Control::Create(self, "BUTTON", kIdScanDelete, "",
                                  BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 370, 417, 89, 25);
  btnCancel = tk::Control::Create(self, "BUTTON", IDCANCEL, "",
                                  BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 465, 417, 89, 25);
  createLegend();
  tvScanRegInfo.onTickClick = [this](HTREEITEM node, UINT) { tvScanRegInfoMouseDown(node); };
  tvScanFiles.onTickClick = [this](HTREEITEM node, UINT) { tvScanFilesMouseDown(node); };
  tvScanRegInfo.setNodeTips(
      [this](HTREEITEM node) { return uninstall::NodeTip(tvScanRegInfo, nodes_, node); });
  tvScanFiles.setNodeTips(
      [this](HTREEITEM node) { return uninstall::NodeTip(tvScanFiles, nodes_, node); });
  applyTexts();
}

void TScanForm::createLegend() {
  HWND self = hwnd();
  // The trees' pictures, taken out as icons of the window's own for the statics.
  tk::UniqueImageList pictures = tk::CreateGradeImages();
  for (int i = 0; i < kGradeCount; ++i) {
    const int top = kLegendTop + i * kLegendRow;
    imgLegend[i] = tk::Control::Create(self, "STATIC", kIdLegendImage + i, "",
                                       SS_ICON | SS_CENTERIMAGE, 9, top, 16, 16);
    lblLegend[i] = tk::Control::Create(self, "STATIC", kIdLegendLabel + i, "",
                                       SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 29, top, 330, 16);
    if (pictures)
      legendIcons_[i].reset(
          ImageList_GetIcon(pictures.get(), uninstall::GradeImage(GradeAt(i)), ILD_NORMAL));
    if (legendIcons_[i])
      imgLegend[i].send(STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(legendIcons_[i].get()));
  }
}

void TScanForm::applyTexts() {
  setText(LangText(ui::IDS_SCANFORM_Title));
  lblScaning.setText(LangText(ui::IDS_SCANFORM_LABEL_Scaning));
  lblRegInfoLeft.setText(LangText(ui::IDS_SCANFORM_LABEL_RegInfoLeft));
  lblFileLeft.setText(LangText(ui::IDS_SCANFORM_LABEL_FilesLeft));
  btnDelete.setText(LangText(ui::IDS_SCANFORM_BUTTON_Delete));
  btnCancel.setText(LangText(ui::IDS_SCANFORM_BUTTON_Cancel));
  for (int i = 0; i < kGradeCount; ++i)
    lblLegend[i].setText(LangText(uninstall::GradeLegendId(GradeAt(i))));
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

void TScanForm::StartScan() {
  // Once per window: a tick that comes while the scan runs, or after it, starts nothing.
  if (scanning_ || scanned_ || !hwnd()) return;
  killTimer(kTimerStartScan);
  scanning_ = true;
  btnDelete.setEnabled(false);
  btnCancel.setEnabled(true);
  scan_ = std::make_unique<uninstall::TScanThread>(target_, hwnd(), search_);
  if (scan_->Start()) return;  // the thread reports by message
  // Without a thread the search runs here; the window waits for it.
  scan_.reset();
  uninstall::ScanFindings findings;
  try {
    const uninstall::LeftoverSearchFn search =
        search_ ? search_ : uninstall::LeftoverSearchFn(&uninstall::FindLeftovers);
    findings = search(target_, uninstall::ReadOtherEntries(target_), {}, nullptr);
  } catch (const std::exception&) {
    findings = uninstall::ScanFindings{};
  }
  showFindings(std::move(findings));
}

void TScanForm::CancelScan() {
  if (scan_) scan_->Cancel();
}

void TScanForm::stopScan() {
  if (!scan_) return;
  // The thread writes to nothing of the window, but it posts to it: it ends first.
  scan_->Cancel();
  scan_->Wait();
  scan_.reset();
  scanning_ = false;
}

void TScanForm::scanProgress() {
  if (!scan_) return;  // a report that was on its way when the search went
  const std::string path = scan_->TakeProgress();
  lblScanInfo.setText(path);
  if (onScanProgress) onScanProgress(path);
}

void TScanForm::scanFinished() {
  if (!scan_) return;
  std::optional<uninstall::ScanFindings> findings = scan_->TakeFindings();
  if (!findings) return;
  scan_->Wait();  // it has nothing left to do but end
  scan_.reset();
  showFindings(std::move(*findings));
}

void TScanForm::showFindings(uninstall::ScanFindings findings) {
  scanning_ = false;
  scanned_ = true;
  cancelled_ = findings.cancelled;
  uninstall::AddRegistryNodes(tvScanRegInfo, nodes_, findings.keys);
  uninstall::AddFileNodes(tvScanFiles, nodes_, findings.files);
  // When the program still seems installed, whatever was found may still be in use:
  // it is shown, and nothing is recommended.
  if (!target_.uninstalled) {
    uninstall::UntickAll(tvScanRegInfo);
    uninstall::UntickAll(tvScanFiles);
  }
  tvScanRegInfo.expandAll();
  tvScanFiles.expandAll();
  lblScanInfo.setText(cancelled_ ? LangText(ui::IDS_SCANFORM_LABEL_Cancelled) : std::string());
  const bool nothing = tvScanRegInfo.count() == 0 && tvScanFiles.count() == 0;
  if (nothing && !cancelled_) {
    Notice(hwnd(), LangText(ui::IDS_MESSAGEBOX_WARNING_Noremains));
    // The window is closing (and is gone at once when not shown modally): its
    // buttons are left as they are.
    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    return;
  }
  btnDelete.setEnabled(!nothing);
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

LRESULT TScanForm::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == uninstall::WM_SCAN_PROGRESS) {
    scanProgress();
    return 0;
  }
  if (msg == uninstall::WM_SCAN_FINISHED) {
    scanFinished();
    return 0;
  }
  return tk::Window::handleMessage(msg, wParam, lParam);
}

bool TScanForm::onCommand(WORD id, WORD code, HWND) {
  if (code != BN_CLICKED) return false;
  if (id == kIdScanDelete) {
    btnDeleteClick();
    return true;
  }
  if (id == IDCANCEL) {
    // During the search, Cancel and Escape end the search; the window stays open
    // with what was found until then.
    if (scanning_)
      CancelScan();
    else
      btnCancelClick();
    return true;
  }
  return false;
}

bool TScanForm::onClose() {
  // Closing during the search ends it first; nothing it found is kept.
  stopScan();
  return true;
}

void TScanForm::onDestroy() {
  stopScan();
}

}  // namespace forms
