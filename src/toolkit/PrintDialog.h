// The one place where the program shows the print dialog. Tests replace the
// answerer so that no test ever waits on a modal dialog.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>

#include "sys/Handles.h"

namespace tk {

struct PrinterDcTraits {
  using Handle = HDC;
  static Handle invalid() { return nullptr; }
  static bool valid(Handle h) { return h != nullptr; }
  static void close(Handle h) { DeleteDC(h); }
};
// A device context made for a printer, deleted when it goes.
using UniquePrinterDc = sys::Scoped<PrinterDcTraits>;

struct PrintDialogRequest {
  HWND owner = nullptr;
  DWORD flags = PD_NOPAGENUMS | PD_NOSELECTION;  // PD_RETURNDC is always added
};

// The device context of the printer the user chose, or an empty one when the
// dialog was cancelled (also after the dialog's own "no printer" warning).
UniquePrinterDc ShowPrintDialog(const PrintDialogRequest& request);

// Returns a printer device context whose ownership passes to the caller, or
// nullptr for a cancelled dialog.
using PrintDialogAnswerer = std::function<HDC(const PrintDialogRequest&)>;
// Installs an answerer in place of the real dialog; an empty one restores it.
// Returns the previous answerer.
PrintDialogAnswerer SetPrintDialogAnswerer(PrintDialogAnswerer answerer);

}  // namespace tk
