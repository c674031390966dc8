// What the details window shows for one program, worked out without a window: the
// rows of its two pages, read from the component in the order they are shown, and
// where a program sits in the window's program box.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "inventory/ProgramRowData.h"
#include "inventory/RostrelLib_TLB.h"

namespace inventory {

struct DetailRow {
  std::string name;
  std::string value;

  bool operator==(const DetailRow&) const = default;
};

// Bytes as megabytes with two decimals, the given decimal separator and " MB":
// 3 * 1048576 -> "3.00 MB".
std::string ProgramSizeText(double bytes, const std::string& decimalSeparator);
// The user's decimal separator ("." when the locale gives none).
std::string LocaleDecimalSeparator();
// "Rarely" below 3, "Occasionally" 3 to 10, "Frequently" above (language texts).
std::string UsedFrequencyText(ULONG count);

// Appends the "Program Properties" rows of `item` to `rows`: the size (when not 0),
// the install date, the used frequency (always), the last access date, the install
// location, the version, the publisher and the three links (each when set).
// Component errors pass through; the rows read before stay in `rows`.
void ReadPropertyRows(const TProgramItem& item, const std::string& decimalSeparator,
                      std::vector<DetailRow>& rows);
// Appends one row per value of the entry's registry key (name, data as text).
// Component errors pass through; the rows read before stay in `rows`.
void ReadRegistryRows(const TProgramItem& item, std::vector<DetailRow>& rows);

// One entry of the program box: a program row of the main list.
struct ProgramBoxEntry {
  std::string text;
  LPARAM data = 0;  // the program's index in the component
  int image = -1;   // system image list index
};

// The program rows of the main list in list order; screen saver rows (by the kind
// their data holds, see ProgramRowData.h) are left out.
struct ListedRow {
  std::string caption;
  LPARAM data = 0;  // the row's data: kind and index
  int image = -1;
};
std::vector<ProgramBoxEntry> ProgramBoxEntries(const std::vector<ListedRow>& rows);

// The position of the entry that holds program `index`, or -1. Found from the
// entries' data, so it is right whatever order the component reports system
// patches in and whether they are hidden or not.
int ProgramBoxPosition(const std::vector<LPARAM>& entryData, ULONG index);

}  // namespace inventory
