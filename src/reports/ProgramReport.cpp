#include "reports/ProgramReport.h"

#include "settings/Product.h"
#include "sys/DateText.h"
#include "sys/Files.h"
#include "sys/Shell.h"
#include "sys/Text.h"
#include "ui/LanguageTable.h"
#include "ui/TextFormat.h"

namespace reports {
namespace {

constexpr char kDoubleRule[] = "=======================";
constexpr char kSingleRule[] = "----------------------";
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

}  // namespace

std::vector<std::string> ProgramReportLines(const ReportHeader& header,
                                            const std::vector<std::string>& captions) {
  using ui::LangText;
  std::vector<std::string> lines;
  lines.reserve(16 + captions.size());
  lines.push_back(ui::FormatText(LangText(ui::IDS_PRINTFORM_MEMO_Title), {header.appTitle}));
  lines.emplace_back();
  lines.emplace_back();
  lines.emplace_back(kDoubleRule);
  lines.push_back(LangText(ui::IDS_PRINTFORM_MEMO_ComputerName) + header.computerName);
  lines.push_back(LangText(ui::IDS_PRINTFORM_MEMO_UserName) + header.userName);
  lines.push_back(LangText(ui::IDS_PRINTFORM_MEMO_Programs) + header.programsText);
  lines.push_back(LangText(ui::IDS_PRINTFORM_MEMO_CreatedIn) + header.createdIn);
  lines.push_back(LangText(ui::IDS_PRINTFORM_MEMO_CreatedBy) + header.createdBy);
  lines.emplace_back(kDoubleRule);
  lines.emplace_back();
  lines.emplace_back();
  lines.push_back(LangText(ui::IDS_PRINTFORM_MEMO_InstalledPL));
  lines.emplace_back(kSingleRule);
  for (size_t i = 0; i < captions.size(); ++i)
    lines.push_back(std::to_string(i + 1) + " - " + captions[i]);
  lines.emplace_back(kSingleRule);
  return lines;
}

ReportHeader CurrentReportHeader(const std::string& programsText) {
  ReportHeader header;
  header.appTitle = settings::kAppTitle;
  header.computerName = ComputerNameText();
  header.userName = UserNameText();
  header.programsText = programsText;
  SYSTEMTIME now;
  GetLocalTime(&now);
  header.createdIn = LocalDateTimeText(now);
  header.createdBy = sys::ModuleFileName();
  return header;
}

std::string ComputerNameText() {
  return sys::ComputerName();
}

std::string UserNameText() {
  return sys::UserName();
}

std::string LocalDateTimeText(const SYSTEMTIME& time) {
  return sys::DateText(time, DATE_SHORTDATE) + " " + sys::TimeText(time, 0);
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

std::string ReportFileBytes(const std::string& text) {
  std::string utf8;
  for (const auto& line : SplitLines(text)) utf8 += line + "\r\n";
  std::string ansi;
  if (sys::AnsiFromUtf8(utf8, ansi)) return ansi;
  return kUtf8Mark + utf8;
}

}  // namespace reports
