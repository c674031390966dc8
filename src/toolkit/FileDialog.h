// The one place where the program shows the open and save dialogs. Tests replace
// the answerer so that no test ever waits on a modal dialog.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <optional>
#include <string>

namespace tk {

struct FileDialogRequest {
  HWND owner = nullptr;
  bool save = false;  // the save dialog, else the open dialog
  // Pairs of description and pattern separated by "|", as in
  // "Registration Files(*.reg)|*.reg".
  std::string filter;
  std::string initialDir;  // "" leaves the dialog's own choice
  std::string fileName;    // proposed name
  std::string defaultExt;  // without the dot; appended when the user types none
  DWORD flags = OFN_HIDEREADONLY | OFN_ENABLESIZING;  // OFN_... beside OFN_EXPLORER
};

// The full path the user chose, or nothing when the dialog was cancelled.
std::optional<std::string> ShowFileDialog(const FileDialogRequest& request);

using FileDialogAnswerer = std::function<std::optional<std::string>(const FileDialogRequest&)>;
// Installs an answerer in place of the real dialogs; an empty one restores them.
// Returns the previous answerer.
FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer answerer);

// "a|b" -> "a\0b\0" (c_str() adds the closing second zero), the form the dialogs take.
std::string FileDialogFilter(const std::string& filter);

}  // namespace tk
