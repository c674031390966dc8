#include "rostrel/core/ProgramItem.h"

#include "rostrel/core/Comments.h"
#include "rostrel/core/Dates.h"

namespace rostrel {

std::wstring InstallDateText(const ProgramEntry& entry) {
  std::wstring stored = entry.text(L"InstallDate");
  if (stored.empty()) return ShortDateOfFileTime(entry.lastWrite);
  if (auto date = ParseInstallDate(stored)) return ShortDate(*date);
  return stored;  // a date in some other form is still the vendor's date
}

std::wstring VersionText(const ProgramEntry& entry) {
  std::wstring version = entry.text(L"DisplayVersion");
  if (!version.empty()) return version;
  auto major = DwordOf(entry.values, L"VersionMajor");
  auto minor = DwordOf(entry.values, L"VersionMinor");
  if (major && minor) return std::to_wstring(*major) + L"." + std::to_wstring(*minor);
  return std::wstring();
}

ProgramItem::ProgramItem(std::shared_ptr<Inventory> inventory, EntryPtr entry)
    : inventory_(std::move(inventory)), entry_(std::move(entry)) {}

HRESULT ProgramItem::valueText(const wchar_t* valueName, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Guarded([&] { return ReturnText(entry_->text(valueName), out); });
}

HRESULT ProgramItem::GetDisplayName(BSTR* name) {
  return valueText(L"DisplayName", name);
}
HRESULT ProgramItem::GetUninstallString(BSTR* command) {
  return valueText(L"UninstallString", command);
}
HRESULT ProgramItem::GetPublisher(BSTR* publisher) {
  return valueText(L"Publisher", publisher);
}
HRESULT ProgramItem::GetInstallLocation(BSTR* folder) {
  return valueText(L"InstallLocation", folder);
}
HRESULT ProgramItem::GetHelpLink(BSTR* link) {
  return valueText(L"HelpLink", link);
}
HRESULT ProgramItem::GetAboutLink(BSTR* link) {
  return valueText(L"URLInfoAbout", link);
}
HRESULT ProgramItem::GetUpdateLink(BSTR* link) {
  return valueText(L"URLUpdateInfo", link);
}

HRESULT ProgramItem::GetRegistryKeyName(BSTR* keyName) {
  if (!keyName) return E_POINTER;
  *keyName = nullptr;
  return Guarded([&] { return ReturnText(entry_->keyName, keyName); });
}

HRESULT ProgramItem::SetRegistryKeyName(BSTR keyName) {
  return Guarded([&]() -> HRESULT {
    std::wstring name = TextOf(keyName);
    // One sub-key of the uninstall key, nothing above or below it.
    if (name.empty() || name.find_first_of(std::wstring(L"\\\0", 2)) != std::wstring::npos)
      return E_INVALIDARG;
    EntryPtr entry = inventory_->reread(name, entry_->source);
    if (!entry) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    entry_ = std::move(entry);
    return S_OK;
  });
}

HRESULT ProgramItem::GetSystemPatch(LONG* patch) {
  if (!patch) return E_POINTER;
  *patch = entry_->systemPatch ? 1 : 0;
  return S_OK;
}

HRESULT ProgramItem::GetIconIndex(LONG* icon) {
  if (!icon) return E_POINTER;
  *icon = 0;
  return Guarded([&] {
    *icon = inventory_->iconIndex(*entry_);
    return S_OK;
  });
}

HRESULT ProgramItem::GetUsedFrequency(ULONG* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return Guarded([&] {
    *count = inventory_->usage(*entry_).runs;
    return S_OK;
  });
}

HRESULT ProgramItem::GetLastUsed(BSTR* date) {
  if (!date) return E_POINTER;
  *date = nullptr;
  return Guarded(
      [&] { return ReturnText(ShortDateOfFileTime(inventory_->usage(*entry_).lastRun), date); });
}

HRESULT ProgramItem::GetSize(FLOAT* bytes) {
  if (!bytes) return E_POINTER;
  *bytes = 0;
  return Guarded([&] {
    *bytes = static_cast<FLOAT>(inventory_->size(*entry_));
    return S_OK;
  });
}

HRESULT ProgramItem::GetInstallDate(BSTR* date) {
  if (!date) return E_POINTER;
  *date = nullptr;
  return Guarded([&] { return ReturnText(InstallDateText(*entry_), date); });
}

HRESULT ProgramItem::GetVersion(BSTR* version) {
  if (!version) return E_POINTER;
  *version = nullptr;
  return Guarded([&] { return ReturnText(VersionText(*entry_), version); });
}

HRESULT ProgramItem::GetRegistryValueCount(ULONG* count) {
  if (!count) return E_POINTER;
  *count = static_cast<ULONG>(entry_->values.size());
  return S_OK;
}

HRESULT ProgramItem::GetRegistryValueName(ULONG index, BSTR* name) {
  if (!name) return E_POINTER;
  *name = nullptr;
  if (index >= entry_->values.size()) return E_INVALIDARG;
  return Guarded([&] { return ReturnText(entry_->values[index].name, name); });
}

HRESULT ProgramItem::GetRegistryValueData(ULONG index, BSTR* data) {
  if (!data) return E_POINTER;
  *data = nullptr;
  if (index >= entry_->values.size()) return E_INVALIDARG;
  return Guarded([&] { return ReturnText(ValueDataText(entry_->values[index]), data); });
}

HRESULT ProgramItem::SetComment(BSTR comment) {
  return Guarded([&] {
    std::wstring text = TextOf(comment);
    if (auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
    return StoreComment(entry_->keyName, text);
  });
}

}  // namespace rostrel
