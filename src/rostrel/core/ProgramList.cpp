#include "rostrel/core/ProgramList.h"

#include <climits>

#include "rostrel/core/ClassFactory.h"
#include "rostrel/core/Comments.h"
#include "rostrel/core/Dates.h"
#include "rostrel/core/ProgramItem.h"
#include "rostrel/core/ProgramRules.h"

namespace rostrel {

HRESULT CreateProgramList(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Guarded([&] {
    auto* list = new ProgramList();
    HRESULT hr = list->QueryInterface(riid, out);
    list->Release();
    return hr;
  });
}

ProgramList::ProgramList()
    : icons_(std::make_shared<IconCache>()),
      inventory_(std::make_shared<Inventory>(std::vector<UninstallSource>(), icons_)) {}

const ProgramEntry* ProgramList::entryAt(ULONG index) const {
  const auto& entries = inventory_->entries();
  return index < entries.size() ? entries[index].get() : nullptr;
}

template <typename Field>
HRESULT ProgramList::saverText(ULONG index, BSTR* out, Field field) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (index >= savers_.size()) return E_INVALIDARG;
  return Guarded([&] { return ReturnText(field(savers_[index]), out); });
}

HRESULT ProgramList::GetProgram(ULONG index, IProgramItem** item) {
  if (!item) return E_POINTER;
  *item = nullptr;
  if (index >= inventory_->entries().size()) return S_FALSE;
  return Guarded([&] {
    *item = new ProgramItem(inventory_, inventory_->entries()[index]);
    return S_OK;
  });
}

HRESULT ProgramList::GetProgramCount(ULONG* count) {
  if (!count) return E_POINTER;
  *count = static_cast<ULONG>(inventory_->entries().size());
  return S_OK;
}

HRESULT ProgramList::GetScreenSaverCount(ULONG* count) {
  if (!count) return E_POINTER;
  *count = static_cast<ULONG>(savers_.size());
  return S_OK;
}

HRESULT ProgramList::GetScreenSaverFileName(ULONG index, BSTR* fileName) {
  return saverText(index, fileName, [](const ScreenSaver& s) { return s.fileName; });
}
HRESULT ProgramList::GetScreenSaverPublisher(ULONG index, BSTR* publisher) {
  return saverText(index, publisher, [](const ScreenSaver& s) { return s.publisher; });
}
HRESULT ProgramList::GetScreenSaverDirectory(ULONG index, BSTR* directory) {
  return saverText(index, directory, [](const ScreenSaver& s) { return s.directory; });
}
HRESULT ProgramList::GetScreenSaverDescription(ULONG index, BSTR* title) {
  return saverText(index, title, [](const ScreenSaver& s) { return s.description; });
}
HRESULT ProgramList::GetScreenSaverLastUsed(ULONG index, BSTR* date) {
  return saverText(index, date,
                   [](const ScreenSaver& s) { return ShortDateOfFileTime(s.lastAccess); });
}
HRESULT ProgramList::GetScreenSaverPath(ULONG index, BSTR* path) {
  return saverText(index, path, [](const ScreenSaver& s) { return s.path(); });
}
HRESULT ProgramList::GetScreenSaverVersion(ULONG index, BSTR* version) {
  return saverText(index, version, [](const ScreenSaver& s) { return s.version; });
}

HRESULT ProgramList::GetScreenSaverIconIndex(ULONG index, LONG* icon) {
  if (!icon) return E_POINTER;
  *icon = 0;
  if (index >= savers_.size()) return E_INVALIDARG;
  return Guarded([&] {
    ScreenSaver& saver = savers_[index];
    if (!saver.iconIndex) {
      saver.iconIndex = saverIcons_.indexOf({saver.path(), 0}).value_or(saverIcons_.generic());
    }
    *icon = *saver.iconIndex;
    return S_OK;
  });
}

HRESULT ProgramList::GetScreenSaverSize(ULONG index, ULONG* bytes) {
  if (!bytes) return E_POINTER;
  *bytes = 0;
  if (index >= savers_.size()) return E_INVALIDARG;
  ULONGLONG size = savers_[index].size;
  *bytes = size > ULONG_MAX ? ULONG_MAX : static_cast<ULONG>(size);
  return S_OK;
}

HRESULT ProgramList::GetScreenSaverActive(ULONG index, LONG* active) {
  if (!active) return E_POINTER;
  *active = 0;
  if (index >= savers_.size()) return E_INVALIDARG;
  return Guarded([&] {
    *active = IsActiveScreenSaver(savers_[index], ActiveScreenSaver()) ? 1 : 0;
    return S_OK;
  });
}

HRESULT ProgramList::LoadPrograms() {
  return Guarded([&] {
    icons_->forgetMisses();
    inventory_ = std::make_shared<Inventory>(UninstallSources(), icons_, inventory_.get());
    return S_OK;
  });
}

HRESULT ProgramList::LoadScreenSavers() {
  return Guarded([&] {
    savers_ = FindScreenSavers(ScreenSaverFolders());
    saverIcons_ = IconCache();
    return S_OK;
  });
}

HRESULT ProgramList::FindProgram(BSTR keyName, ULONG* index) {
  if (!index) return E_POINTER;
  *index = ULONG_MAX;
  return Guarded([&] {
    std::wstring wanted = Folded(TextOf(keyName));
    const auto& entries = inventory_->entries();
    for (size_t i = 0; i < entries.size(); ++i) {
      if (Folded(entries[i]->keyName) == wanted) {
        *index = static_cast<ULONG>(i);
        return S_OK;
      }
    }
    return S_FALSE;
  });
}

HRESULT ProgramList::GetSystemPatchCount(ULONG* count) {
  if (!count) return E_POINTER;
  ULONG patches = 0;
  for (const auto& entry : inventory_->entries()) patches += entry->systemPatch ? 1 : 0;
  *count = patches;
  return S_OK;
}

HRESULT ProgramList::GetProgramRegistryPath(ULONG index, BSTR* path) {
  if (!path) return E_POINTER;
  *path = nullptr;
  const ProgramEntry* entry = entryAt(index);
  if (!entry) return E_INVALIDARG;
  return Guarded([&] { return ReturnText(RegistryPathOf(entry->source, entry->keyName), path); });
}

HRESULT ProgramList::GetProgramSource(ULONG index, LONG* source) {
  if (!source) return E_POINTER;
  *source = 0;
  const ProgramEntry* entry = entryAt(index);
  if (!entry) return E_INVALIDARG;
  *source = entry->source;
  return S_OK;
}

HRESULT ProgramList::GetProgramComment(ULONG index, BSTR* comment) {
  if (!comment) return E_POINTER;
  *comment = nullptr;
  const ProgramEntry* entry = entryAt(index);
  if (!entry) return E_INVALIDARG;
  return Guarded([&] { return ReturnText(ReadComment(entry->keyName), comment); });
}

}  // namespace rostrel
