// The program list report as text lines, and the conversions between those lines,
// the text field that shows them and the file they are saved to. No windows here.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace reports {

// The values of the report's head.
struct ReportHeader {
  std::string appTitle;
  std::string computerName;
  std::string userName;
  std::string programsText;  // the main window's program count label as it reads
  std::string createdIn;     // local date and time
  std::string createdBy;     // the program's own executable
};

// Title, a block of facts, then one "<n> - <caption>" line per listed row (1-based,
// in the order given) between two hyphen rules. Labels come from the language table.
std::vector<std::string> ProgramReportLines(const ReportHeader& header,
                                            const std::vector<std::string>& captions);

// The head's values as the system gives them now; a name that cannot be read is "".
// Texts are UTF-8, as everywhere in the program.
ReportHeader CurrentReportHeader(const std::string& programsText);
std::string ComputerNameText();
std::string UserNameText();
// The user's short date format, a blank and the long time format.
std::string LocalDateTimeText(const SYSTEMTIME& time);

// Lines joined by CR LF (none after the last), as the text field holds them.
std::string JoinLines(const std::vector<std::string>& lines);
// The lines of a text; CR LF, a lone CR and a lone LF each end a line. A line end
// at the very end starts no further line.
std::vector<std::string> SplitLines(const std::string& text);
// The bytes a saved report has: each line followed by CR LF, in the ANSI code page
// when it holds every character of the text (so that such a report reads as it
// always did), otherwise as UTF-8 after a byte-order mark (EF BB BF), so that no
// name is lost.
std::string ReportFileBytes(const std::string& text);

}  // namespace reports
