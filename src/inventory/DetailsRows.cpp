#include "inventory/DetailsRows.h"

#include <cstdio>

#include "sys/DateText.h"
#include "ui/LanguageTable.h"

namespace inventory {
namespace {

using ui::LangText;

// Adds a row only when the component has a text for it.
void AddWhenSet(std::vector<DetailRow>& rows, ui::LangId name, const std::string& value) {
  if (!value.empty()) rows.push_back({LangText(name), value});
}

}  // namespace

std::string ProgramSizeText(double bytes, const std::string& decimalSeparator) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", bytes / 1048576.0);
  std::string text(buffer);
  if (size_t dot = text.find('.'); dot != std::string::npos) text.replace(dot, 1, decimalSeparator);
  return text + " MB";
}

std::string LocaleDecimalSeparator() {
  std::string separator = sys::LocaleInfoText(LOCALE_SDECIMAL);
  return separator.empty() ? "." : separator;
}

std::string UsedFrequencyText(ULONG count) {
  if (count < 3) return LangText(ui::IDS_ListView_Tips_UsedFrequency_Rarely);
  if (count <= 10) return LangText(ui::IDS_ListView_Tips_UsedFrequency_Occasionally);
  return LangText(ui::IDS_ListView_Tips_UsedFrequency_Frequently);
}

void ReadPropertyRows(const TProgramItem& item, const std::string& decimalSeparator,
                      std::vector<DetailRow>& rows) {
  if (const float size = item.GetSize(); size != 0.0f) {
    rows.push_back({LangText(ui::IDS_DETAILSFORM_LISTVIEW_Items_ProgramSize),
                    ProgramSizeText(size, decimalSeparator)});
  }
  AddWhenSet(rows, ui::IDS_DETAILSFORM_LISTVIEW_Items_InstallDate, item.GetInstallDate());
  rows.push_back({LangText(ui::IDS_DETAILSFORM_LISTVIEW_Items_UsedFrequency),
                  UsedFrequencyText(item.GetUsedFrequency())});
  AddWhenSet(rows, ui::IDS_DETAILSFORM_LISTVIEW_Items_LastAccessDate, item.GetLastUsed());
  AddWhenSet(rows, ui::IDS_DETAILSFORM_LISTVIEW_Items_InstallLocation, item.GetInstallLocation());
  AddWhenSet(rows, ui::IDS_DETAILSFORM_LISTVIEW_Items_ProgramVersion, item.GetVersion());
  AddWhenSet(rows, ui::IDS_DETAILSFORM_LISTVIEW_Items_Publisher, item.GetPublisher());
  AddWhenSet(rows, ui::IDS_DETAILSFORM_LISTVIEW_Items_HelpInfo, item.GetHelpLink());
  AddWhenSet(rows, ui::IDS_DETAILSFORM_LISTVIEW_Items_AboutLink, item.GetAboutLink());
  AddWhenSet(rows, ui::IDS_DETAILSFORM_LISTVIEW_Items_UpdateLink, item.GetUpdateLink());
}

void ReadRegistryRows(const TProgramItem& item, std::vector<DetailRow>& rows) {
  const ULONG count = item.GetRegistryValueCount();
  for (ULONG i = 0; i < count; ++i) {
    rows.push_back({item.GetRegistryValueName(i), item.GetRegistryValueData(i)});
  }
}

std::vector<ProgramBoxEntry> ProgramBoxEntries(const std::vector<ListedRow>& rows) {
  std::vector<ProgramBoxEntry> entries;
  entries.reserve(rows.size());
  for (const ListedRow& row : rows) {
    if (RowKind(row.data) != ProgramRowKind::Program) continue;
    entries.push_back({row.caption, static_cast<LPARAM>(RowIndex(row.data)), row.image});
  }
  return entries;
}

int ProgramBoxPosition(const std::vector<LPARAM>& entryData, ULONG index) {
  for (size_t i = 0; i < entryData.size(); ++i) {
    if (entryData[i] >= 0 && static_cast<ULONG>(entryData[i]) == index) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace inventory
