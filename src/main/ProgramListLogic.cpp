#include "main/ProgramListLogic.h"

#include <cstdio>

#include "sys/DateText.h"
#include "ui/LanguageTable.h"
#include "ui/TextFormat.h"

namespace forms {
namespace {

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperAscii(const std::string& text) {
  std::string out(text);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

}  // namespace

std::string ScreenSaverCaption(const std::string& word, const std::string& fileName,
                               const std::string& description) {
  if (fileName.empty()) return std::string();
  return "[" + word + "]" + (description.empty() ? fileName : description);
}

void FillProgramRows(inventory::TProgramList& programs, const FillOptions& options,
                     FillResult& result, const std::function<void()>& loaded,
                     const std::function<void(const ProgramRow&)>& append) {
  result = FillResult();
  programs.LoadPrograms();
  result.programCount = programs.GetProgramCount();
  if (loaded) loaded();
  for (ULONG i = 0; i < result.programCount; ++i) {
    inventory::TProgramItem item = programs.GetProgram(i);
    if (!item) return;
    if (item.GetSystemPatch() == 1) ++result.sysPatchCount;
    if (options.hideSysPatch && item.GetSystemPatch() == 1) continue;
    ProgramRow row;
    row.caption = item.GetDisplayName();
    if (row.caption.empty()) row.caption = item.GetRegistryKeyName();
    row.publisher = item.GetPublisher();
    row.directory = item.GetInstallLocation();
    row.data = inventory::MakeRowData(inventory::ProgramRowKind::Program, i);
    append(row);
  }
  programs.LoadScreenSavers();
  result.screenSaverCount = programs.GetScreenSaverCount();
  if (!options.hideScreenSaver) {
    for (ULONG j = 0; j < result.screenSaverCount; ++j) {
      ProgramRow row;
      if (!programs.GetScreenSaverFileName(j).empty()) {
        std::string description = programs.GetScreenSaverDescription(j);
        row.caption = ScreenSaverCaption(options.screenSaverWord,
                                         programs.GetScreenSaverFileName(j), description);
      }
      row.data = inventory::MakeRowData(inventory::ProgramRowKind::ScreenSaver, j);
      row.publisher = programs.GetScreenSaverPublisher(j);
      row.directory = programs.GetScreenSaverDirectory(j);
      append(row);
    }
  }
  result.complete = true;
}

int RowImage(inventory::TProgramList& programs, LPARAM data) {
  try {
    const ULONG index = inventory::RowIndex(data);
    if (inventory::RowKind(data) == inventory::ProgramRowKind::ScreenSaver) {
      return programs.GetScreenSaverIconIndex(index);
    }
    inventory::TProgramItem item = programs.GetProgram(index);
    return item ? item.GetIconIndex() : -1;
  } catch (const std::exception&) {
    return -1;  // the row is drawn without an icon
  }
}

std::string ProgramCountsText(ULONG total, ULONG sysPatches, ULONG screenSavers,
                              const std::string& updatesWord, const std::string& screenSaverWord) {
  // The pattern is ours, not a translated text; the words are only ever values.
  return ui::FormatText("%d (%s: %d, %s: %d)",
                        {std::to_string(total), updatesWord, std::to_string(sysPatches),
                         screenSaverWord, std::to_string(screenSavers)});
}

std::string PaddedSortKey(const std::string& text) {
  if (text.size() >= 10) return text;
  return std::string(10 - text.size(), ' ') + text;
}

int CompareIgnoringAsciiCase(const std::string& a, const std::string& b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    auto ca = static_cast<unsigned char>(UpperAscii(a[i]));
    auto cb = static_cast<unsigned char>(UpperAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int CompareListTexts(int column, const std::string& a, const std::string& b, bool ascending) {
  int order = column == 0 ? CompareIgnoringAsciiCase(a, b)
                          : CompareIgnoringAsciiCase(PaddedSortKey(a), PaddedSortKey(b));
  return ascending ? order : -order;
}

int FindProgramRow(const std::vector<std::string>& captions, unsigned& searchStart,
                   const std::string& text) {
  if (searchStart >= captions.size()) return -1;
  std::string wanted = UpperAscii(text);
  for (size_t row = searchStart; row < captions.size(); ++row) {
    if (UpperAscii(captions[row]).find(wanted) != std::string::npos) {
      searchStart = static_cast<unsigned>(row + 1);
      return static_cast<int>(row);
    }
  }
  return -1;
}

std::string FirstLink(const std::string& about, const std::string& help,
                      const std::string& update) {
  if (!about.empty()) return about;
  if (!help.empty()) return help;
  return update;
}

std::string Megabytes(ULONG bytes, const std::string& decimalSeparator) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(bytes) / 1048576.0);
  std::string text(buffer);
  size_t dot = text.find('.');
  if (dot != std::string::npos) text.replace(dot, 1, decimalSeparator);
  return text;
}

std::string UserDecimalSeparator() {
  std::string separator = sys::LocaleInfoText(LOCALE_SDECIMAL);
  return separator.empty() ? "." : separator;
}

std::string UsedFrequencyWord(ULONG count) {
  if (count < 3) return ui::LangText(ui::IDS_ListView_Tips_UsedFrequency_Rarely);
  if (count <= 10) return ui::LangText(ui::IDS_ListView_Tips_UsedFrequency_Occasionally);
  return ui::LangText(ui::IDS_ListView_Tips_UsedFrequency_Frequently);
}

std::string ProgramTipText(ULONG usedFrequency, const std::string& lastUsed,
                           const std::string& uninstallString) {
  std::string tip = ui::FormatText(ui::LangText(ui::IDS_LISTVIEW_TIPS_UsedFrequency),
                                   {UsedFrequencyWord(usedFrequency)}) +
                    "\r\n";
  if (!lastUsed.empty()) {
    tip += ui::FormatText(ui::LangText(ui::IDS_LISTVIEW_TIPS_LastUsed), {lastUsed}) + "\r\n";
  }
  tip += ui::FormatText(ui::LangText(ui::IDS_LISTVIEW_TIPS_UninstallString), {uninstallString});
  return tip;
}

std::string ScreenSaverTipText(ULONG sizeBytes, const std::string& fileName,
                               const std::string& lastUsed, const std::string& decimalSeparator) {
  return ui::FormatText(ui::LangText(ui::IDS_LISTVIEW_TIPS_Size),
                        {Megabytes(sizeBytes, decimalSeparator)}) +
         "\r\n" + ui::FormatText(ui::LangText(ui::IDS_LISTVIEW_TIPS_ScrName), {fileName}) + "\r\n" +
         ui::FormatText(ui::LangText(ui::IDS_LISTVIEW_TIPS_LastUsed), {lastUsed}) + "\r\n";
}

std::string RowTipText(inventory::TProgramList& programs, LPARAM data) {
  try {
    const ULONG index = inventory::RowIndex(data);
    if (inventory::RowKind(data) == inventory::ProgramRowKind::ScreenSaver) {
      return ScreenSaverTipText(programs.GetScreenSaverSize(index),
                                programs.GetScreenSaverFileName(index),
                                programs.GetScreenSaverLastUsed(index), UserDecimalSeparator());
    }
    inventory::TProgramItem item = programs.GetProgram(index);
    if (!item) return std::string();
    return ProgramTipText(item.GetUsedFrequency(), item.GetLastUsed(), item.GetUninstallString());
  } catch (const std::exception&) {
    return std::string();  // a tip that cannot be built shows nothing
  }
}

}  // namespace forms
