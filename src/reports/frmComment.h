// The comment window: names one program and takes one line of comment, which the
// Comment Entry command hands to the inventory component on OK.
#pragma once

#include <windows.h>

#include <string>

#include "inventory/RostrelLib_TLB.h"
#include "sys/Handles.h"
#include "toolkit/Control.h"
#include "toolkit/Window.h"

namespace forms {

// Control ids of the comment window (the buttons are the dialog's own IDOK/IDCANCEL).
enum CommentFormId : int {
  kIdCommentProgramName = 100,
  kIdCommentTitle,
  kIdCommentText,
};

class TCommentForm : public tk::Window {
 public:
  static constexpr int kClientWidth = 302;
  static constexpr int kClientHeight = 174;
  // The edit field's limit (the label speaks of fewer than 260 characters).
  static constexpr int kMaxCommentLength = 250;

  TCommentForm() = default;
  ~TCommentForm() override;

  // Creates the window hidden, owned by `owner`, with its controls.
  bool Create(HWND owner);
  // Names `programName`, empties the comment field, labels the window from the
  // language table, centres it over `owner` and shows it modally. IDOK when the
  // user pressed OK, else IDCANCEL.
  int ShowModalFor(HWND owner, const std::string& programName);
  std::string Comment() const { return txtComment.text(); }

  tk::Control lblProgramName, lblTitle, txtComment, btnOk, btnCancel;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool onCommand(WORD id, WORD code, HWND control) override;

 private:
  void FormShow();

  sys::UniqueFont boldFont_;
};

// The Comment Entry command for the program at `componentIndex` (the index that the
// selected program row holds; -1 when no program row is selected): shows the
// comment window for it and, on OK, hands the comment to the component, also when
// it is empty. Failures end the command silently. True when a comment was handed
// over.
bool ExecuteComment(HWND owner, inventory::TProgramList& programs, int componentIndex);

}  // namespace forms
