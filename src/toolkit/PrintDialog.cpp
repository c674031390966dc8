#include "toolkit/PrintDialog.h"

#include <utility>

namespace tk {
namespace {

PrintDialogAnswerer& Answerer() {
  static PrintDialogAnswerer answerer;
  return answerer;
}

HDC ShowRealDialog(const PrintDialogRequest& request) {
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = request.owner;
  pd.Flags = request.flags | PD_RETURNDC;
  pd.nCopies = 1;
  const BOOL chosen = PrintDlgW(&pd);
  // The dialog hands back its printer settings even when it fails; they are ours.
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  if (!chosen) {
    if (pd.hDC) DeleteDC(pd.hDC);
    return nullptr;
  }
  return pd.hDC;
}

}  // namespace

UniquePrinterDc ShowPrintDialog(const PrintDialogRequest& request) {
  if (Answerer()) return UniquePrinterDc(Answerer()(request));
  return UniquePrinterDc(ShowRealDialog(request));
}

PrintDialogAnswerer SetPrintDialogAnswerer(PrintDialogAnswerer answerer) {
  return std::exchange(Answerer(), std::move(answerer));
}

}  // namespace tk
