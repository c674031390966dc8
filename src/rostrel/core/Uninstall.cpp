#include "rostrel/core/Uninstall.h"

#include <algorithm>
#include <unordered_map>

#include "rostrel/core/ProgramRules.h"
#include "sys/Registry.h"

namespace rostrel {
namespace {

// sys::Registry speaks ANSI; the uninstall path is plain ASCII.
constexpr char kUninstallKeyAnsi[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::vector<std::wstring> SubKeyNames(HKEY key) {
  std::vector<std::wstring> names;
  DWORD count = 0, maxLen = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &maxLen, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return names;
  names.reserve(count);
  std::wstring buffer(std::max<DWORD>(maxLen, 255) + 2, L'\0');
  for (DWORD i = 0;; ++i) {
    DWORD len = static_cast<DWORD>(buffer.size());
    LONG rc = RegEnumKeyExW(key, i, buffer.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA && buffer.size() < 32768) {  // a longer name appeared meanwhile
      buffer.resize(buffer.size() * 2);
      --i;
      continue;
    }
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(buffer.data(), len);
  }
  return names;
}

}  // namespace

bool IsWow64() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  static const bool wow64 = [] {
    // Looked up at run time: not every 32-bit system has it.
    auto fn = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "IsWow64Process")));
    BOOL result = FALSE;
    return fn && fn(GetCurrentProcess(), &result) && result;
  }();
  return wow64;
}

std::vector<UninstallSource> UninstallSources() {
  std::vector<UninstallSource> sources;
  if (IsWow64()) {
    sources.push_back({kSourceMachine, HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY});
    sources.push_back({kSourceMachine32, HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY});
  } else {
    sources.push_back({kSourceMachine, HKEY_LOCAL_MACHINE, 0});
  }
  sources.push_back({kSourceCurrentUser, HKEY_CURRENT_USER, 0});
  return sources;
}

std::shared_ptr<ProgramEntry> ReadEntry(HKEY uninstallKey, const UninstallSource& source,
                                        const std::wstring& keyName) {
  sys::UniqueKey key;
  if (OpenForReading(uninstallKey, keyName, source.view, key.put()) != ERROR_SUCCESS)
    return nullptr;
  auto entry = std::make_shared<ProgramEntry>();
  entry->source = source.id;
  entry->keyName = keyName;
  // A value that cannot be read leaves the entry with the values read before it.
  ReadAllValues(key.get(), entry->values, &entry->lastWrite);
  entry->systemPatch = IsSystemPatch(keyName, entry->values);
  return entry;
}

std::shared_ptr<ProgramEntry> ReadEntry(const UninstallSource& source,
                                        const std::wstring& keyName) {
  sys::Registry reg(source.root, KEY_READ | source.view);
  if (!reg.openKeyReadOnly(kUninstallKeyAnsi)) return nullptr;
  return ReadEntry(reg.currentKey(), source, keyName);
}

std::vector<EntryPtr> LoadEntries(const std::vector<UninstallSource>& sources) {
  std::vector<EntryPtr> entries;
  for (const auto& source : sources) {
    sys::Registry reg(source.root, KEY_READ | source.view);
    if (!reg.openKeyReadOnly(kUninstallKeyAnsi)) continue;  // no programs from here
    for (const auto& name : SubKeyNames(reg.currentKey())) {
      auto entry = ReadEntry(reg.currentKey(), source, name);
      if (entry && IsListedEntry(entry->values)) entries.push_back(std::move(entry));
    }
  }
  RemoveViewDuplicates(entries);
  SortEntries(entries);
  return entries;
}

void RemoveViewDuplicates(std::vector<EntryPtr>& entries) {
  std::unordered_multimap<std::wstring, const ProgramEntry*> native;
  for (const auto& entry : entries) {
    if (entry->source == kSourceMachine) native.emplace(Folded(entry->keyName), entry.get());
  }
  if (native.empty()) return;
  auto repeatsNative = [&](const EntryPtr& entry) {
    if (entry->source != kSourceMachine32) return false;
    auto [first, last] = native.equal_range(Folded(entry->keyName));
    for (auto it = first; it != last; ++it) {
      const ProgramEntry& other = *it->second;
      if (other.displayName() == entry->displayName() &&
          other.text(L"UninstallString") == entry->text(L"UninstallString"))
        return true;
    }
    return false;
  };
  entries.erase(std::remove_if(entries.begin(), entries.end(), repeatsNative), entries.end());
}

void SortEntries(std::vector<EntryPtr>& entries) {
  struct Keyed {
    std::wstring name;
    EntryPtr entry;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(entries.size());
  for (auto& entry : entries) {
    std::wstring name = SortName(entry->displayName(), entry->keyName);
    keyed.push_back({std::move(name), std::move(entry)});
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    int byName = CompareNames(a.name, b.name);
    if (byName != 0) return byName < 0;
    int byKey = CompareNames(a.entry->keyName, b.entry->keyName);
    if (byKey != 0) return byKey < 0;
    return a.entry->source < b.entry->source;
  });
  entries.clear();
  for (auto& k : keyed) entries.push_back(std::move(k.entry));
}

std::wstring RegistryPathOf(ProgramSource source, const std::wstring& keyName) {
  const wchar_t* base =
      L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  if (source == kSourceMachine32)
    base =
        L"HKEY_LOCAL_"
        L"MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  else if (source == kSourceCurrentUser)
    base = L"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  return base + keyName;
}

}  // namespace rostrel
