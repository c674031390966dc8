// The program list's logic that needs no window: rows built from the inventory
// component, the counts text, the sort order, the caption search and the info tip
// texts. The program page (ProgramListPage) puts the results into its controls.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "inventory/ProgramRowData.h"
#include "inventory/RostrelLib_TLB.h"

namespace forms {

// One row of the program list. `data` holds the row's kind and its index in the
// component's programs or screen savers (inventory::MakeRowData); the caption is
// only shown, never read back for either. A row carries no icon: looking one up
// costs the shell a read of the icon's file, so the list asks for it (RowImage)
// when it draws the row.
struct ProgramRow {
  std::string caption;
  std::string publisher;
  std::string directory;
  LPARAM data = 0;
};

// "[" + word + "]" + description, or + file name when the description is empty;
// an empty caption when the file name is empty.
std::string ScreenSaverCaption(const std::string& word, const std::string& fileName,
                               const std::string& description);

struct FillOptions {
  bool hideSysPatch = false;
  bool hideScreenSaver = true;
  std::string screenSaverWord;  // the word inside the screen saver captions' brackets
};

struct FillResult {
  ULONG programCount = 0;
  ULONG screenSaverCount = 0;
  ULONG sysPatchCount = 0;  // patches met so far, hidden or not
  // False when the component had no item at some index: the fill stopped there and
  // the screen savers were not loaded.
  bool complete = false;
};

// Reads the programs and screen savers from the component in the order that it
// expects: `loaded` runs once the programs are loaded and counted (the caller
// empties its list there), then each row goes to `append` as it is read.
// Component errors pass through as inventory::InventoryError; rows handed over
// before stay handed over, and `result` holds the counts met so far.
void FillProgramRows(inventory::TProgramList& programs, const FillOptions& options,
                     FillResult& result, const std::function<void()>& loaded,
                     const std::function<void(const ProgramRow&)>& append);

// The system image list index of the icon of the row whose data is `data`, asked
// from the component; -1 when the program is gone or the component fails.
int RowImage(inventory::TProgramList& programs, LPARAM data);

// "123 (Windows Updates: 7, Screen Saver: 3)".
std::string ProgramCountsText(ULONG total, ULONG sysPatches, ULONG screenSavers,
                              const std::string& updatesWord, const std::string& screenSaverWord);

// A sub-item's sort key: right-aligned in ten characters (longer texts unchanged).
std::string PaddedSortKey(const std::string& text);
// Byte-wise comparison that ignores the case of the ASCII letters only: <0, 0, >0.
int CompareIgnoringAsciiCase(const std::string& a, const std::string& b);
// The order of two rows' texts in `column` (0: captions; else padded sub-items),
// reversed when not ascending.
int CompareListTexts(int column, const std::string& a, const std::string& b, bool ascending);

// The first row from `searchStart` on whose caption contains `text` (ASCII letters
// compared upper-cased); then `searchStart` moves past it. -1 when there is none,
// leaving `searchStart` alone.
int FindProgramRow(const std::vector<std::string>& captions, unsigned& searchStart,
                   const std::string& text);

// The first non-empty link of the three, or empty.
std::string FirstLink(const std::string& about, const std::string& help, const std::string& update);

// Bytes as megabytes with two decimals and the given decimal separator.
std::string Megabytes(ULONG bytes, const std::string& decimalSeparator);
// The user's decimal separator ("." when the locale gives none).
std::string UserDecimalSeparator();

// "Rarely" below 3, "Occasionally" 3 to 10, "Frequently" above.
std::string UsedFrequencyWord(ULONG count);
// Lines end with CR LF except the uninstall string's, which is last.
std::string ProgramTipText(ULONG usedFrequency, const std::string& lastUsed,
                           const std::string& uninstallString);
// Three lines, each ending with CR LF.
std::string ScreenSaverTipText(ULONG sizeBytes, const std::string& fileName,
                               const std::string& lastUsed, const std::string& decimalSeparator);
// The tip of the row whose data is `data`, asked from the component; empty when the
// program is gone or the component fails.
std::string RowTipText(inventory::TProgramList& programs, LPARAM data);

}  // namespace forms
