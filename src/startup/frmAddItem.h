// The Add Item window: the user names an existing file and one of four places
// (a shortcut in either start-up folder, a value in either Run key) and OK makes the
// file start at log-on. Created for one showing by the startup page's Add Entry
// command and destroyed afterwards; it keeps nothing between uses.
#pragma once

#include <windows.h>

#include <string>

#include "startup/StartupAdd.h"
#include "toolkit/Control.h"
#include "toolkit/Window.h"

namespace forms {

// Control ids of the window (OK and Cancel are the dialog ids, so that Enter and
// Escape reach them).
enum AddItemId : int {
  kIdAddTarget = 500,
  kIdAddTargetLabel,
  kIdAddBrowse,
  kIdAddSectionLabel,
  kIdAddSection,
};

class TAddItemForm : public tk::Window {
 public:
  static constexpr int kWidth = 373;
  static constexpr int kHeight = 214;

  TAddItemForm() = default;
  ~TAddItemForm() override;

  // Creates the window hidden, owned by `owner`, with its section list filled from
  // the language table and the Run key of the current user preselected.
  bool Create(HWND owner);
  // Labels the window from the language table, centres it on its owner and shows it
  // modally. IDOK once OK has been accepted: the entry was written, or its place (a
  // Run key that does not open, a start-up folder the shell cannot name) was not
  // there and nothing was written; the caller then rebuilds its list. IDCANCEL when
  // the user cancelled.
  int Execute();

  // Handlers, named after their controls.
  void btnBrowseClick();
  // Validates the target and writes the entry. False while the window stays open:
  // the target is no existing file (the edit field is then cleared), or writing
  // failed and the error was shown.
  bool btnOKClick();
  void btnCancelClick();

  // The section chosen in the list, by position.
  startup::AddSection section() const;
  void setSection(startup::AddSection section);

  tk::Control lblTarget, txtTarget, btnBrowse, lblSection, cmbSection, btnOK, btnCancel;

 protected:
  bool onCommand(WORD id, WORD code, HWND control) override;

 private:
  void applyTexts();

  HWND owner_ = nullptr;
};

// The message for a target that is no existing file. It is fixed, not translated.
inline constexpr char kTargetNotFoundText[] =
    "The specified target file can't be found, please reset!";

// True when `path` names an existing file (not a folder).
bool IsExistingFile(const std::string& path);

}  // namespace forms
