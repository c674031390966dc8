// The Save/Print window: the program list report in an editable text field, with
// buttons that save the field's text to a file or print it. Nothing is written
// anywhere until the user chooses one of them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "sys/Handles.h"
#include "toolkit/Control.h"
#include "toolkit/ListView.h"
#include "toolkit/Window.h"

namespace reports {

// The File menu's Export Program List command: the report of the rows that the
// program list shows now (`captions` in the list's order, `programsText` the
// program count label as it reads), in the Save/Print window shown modally over
// `owner`; the window is destroyed when it closes.
void ExecuteExportList(HWND owner, const std::string& programsText,
                       const std::vector<std::string>& captions);

// The captions of `list`'s rows in the order the list shows them now (after its
// sorting; rows hidden by filters are not in the list at all).
std::vector<std::string> ShownCaptions(const tk::ListView& list);

class TPrintListForm : public tk::Window {
 public:
  static constexpr int kClientWidth = 512;
  static constexpr int kClientHeight = 386;
  static constexpr char kSaveFilter[] = "Text File (*.txt)|*.txt";

  ~TPrintListForm() override;

  // Creates the window hidden, centred on the screen, owned by `owner`.
  bool Create(HWND owner);
  // The language texts; applied each time the window is shown.
  void ApplyTexts();
  void SetReportLines(const std::vector<std::string>& lines);
  // The field's text as the user left it, line by line.
  std::vector<std::string> MemoLines() const;

  // Save dialog, then the field's text into the chosen file (CR LF line ends).
  void btnSaveClick();
  // Print dialog, then the field's text on the chosen printer.
  void btnPrintClick();

  tk::Control btnSave;
  tk::Control btnPrint;
  tk::Control MemoList;

 protected:
  bool onCommand(WORD id, WORD code, HWND control) override;

 private:
  sys::UniqueFont memoFont_;
};

}  // namespace reports
