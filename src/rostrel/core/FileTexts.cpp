#include "rostrel/core/FileTexts.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "sys/Handles.h"

namespace rostrel {
namespace {

std::wstring TitleString(const std::wstring& path) {
  // As data only: the file's code is never mapped for execution.
  sys::UniqueModule module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!module) return std::wstring();
  const wchar_t* text = nullptr;
  // With a zero length LoadString hands out a pointer into the resource itself.
  int len = LoadStringW(module.get(), 1, reinterpret_cast<LPWSTR>(&text), 0);
  if (len <= 0 || !text) return std::wstring();
  return std::wstring(text, len);
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* language,
                           const wchar_t* name) {
  wchar_t query[96];
  std::swprintf(query, std::size(query), L"\\StringFileInfo\\%ls\\%ls", language, name);
  void* value = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(block.data(), query, &value, &len) || !value || len == 0)
    return std::wstring();
  std::wstring text(static_cast<const wchar_t*>(value), len);
  if (auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
  return text;
}

}  // namespace

FileTexts ReadFileTexts(const std::wstring& path) {
  FileTexts texts;
  texts.title = TitleString(path);
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return texts;
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return texts;

  // The languages the file declares, then the usual English tables.
  std::vector<std::wstring> languages;
  struct Translation {
    WORD language, codePage;
  };
  Translation* list = nullptr;
  UINT bytes = 0;
  if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&list),
                     &bytes) &&
      list) {
    for (UINT i = 0; i < bytes / sizeof(Translation); ++i) {
      wchar_t code[16];
      std::swprintf(code, std::size(code), L"%04x%04x", list[i].language, list[i].codePage);
      languages.push_back(code);
    }
  }
  languages.push_back(L"040904b0");
  languages.push_back(L"040904e4");
  languages.push_back(L"04090000");
  for (const auto& language : languages) {
    if (texts.description.empty())
      texts.description = VersionString(block, language.c_str(), L"FileDescription");
    if (texts.company.empty())
      texts.company = VersionString(block, language.c_str(), L"CompanyName");
    if (texts.version.empty())
      texts.version = VersionString(block, language.c_str(), L"FileVersion");
  }
  return texts;
}

}  // namespace rostrel
