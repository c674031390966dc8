#include "rostrel/core/ProgramRules.h"

#include <windows.h>

namespace rostrel {
namespace {

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool IsListedEntry(const RegValues& values) {
  if (DwordOf(values, L"SystemComponent").value_or(0) == 1) return false;
  return !StringOf(values, L"DisplayName").empty() || !StringOf(values, L"UninstallString").empty();
}

bool IsKbKeyName(std::wstring_view keyName) {
  if (keyName.size() < 3) return false;
  if ((keyName[0] != L'K' && keyName[0] != L'k') || (keyName[1] != L'B' && keyName[1] != L'b'))
    return false;
  for (size_t i = 2; i < keyName.size(); ++i) {
    if (keyName[i] < L'0' || keyName[i] > L'9') return false;
  }
  return true;
}

bool IsSystemPatch(std::wstring_view keyName, const RegValues& values) {
  if (FindValue(values, L"ParentKeyName")) return true;
  static constexpr std::wstring_view kPatchTypes[] = {L"Security Update", L"Update", L"Hotfix",
                                                      L"Update Rollup", L"Service Pack"};
  std::wstring releaseType = StringOf(values, L"ReleaseType");
  for (auto type : kPatchTypes) {
    if (EqualIgnoringCase(releaseType, type)) return true;
  }
  return IsKbKeyName(keyName);
}

std::wstring SortName(std::wstring_view displayName, std::wstring_view keyName) {
  return std::wstring(displayName.empty() ? keyName : displayName);
}

int CompareNames(std::wstring_view a, std::wstring_view b) {
  int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                              static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()));
  if (result == 0) {  // the locale refused: fall back to an ordinal comparison
    result = CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE);
  }
  return result - CSTR_EQUAL;
}

std::wstring Folded(std::wstring_view text) {
  std::wstring out(text);
  if (!out.empty()) CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

}  // namespace rostrel
