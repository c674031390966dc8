#include "sys/RunDialog.h"

#include <string>

#include "sys/ProcAddress.h"
#include "sys/Text.h"

namespace sys {
namespace {

using RunFileDlgFn = void(WINAPI*)(HWND owner, HICON icon, LPCWSTR folder, LPCWSTR title,
                                   LPCWSTR description, UINT flags);
constexpr WORD kRunFileDlgOrdinal = 61;

}  // namespace

bool ShowRunDialog(HWND owner, HICON icon, std::string_view title, UINT flags) {
  HMODULE shell = GetModuleHandleW(L"shell32.dll");
  if (!shell) shell = LoadLibraryW(L"shell32.dll");  // stays loaded with the process
  // GetProcAddress has only the narrow form; an ordinal goes in as a small pointer.
  auto run = ProcAddress<RunFileDlgFn>(
      shell, reinterpret_cast<const char*>(static_cast<ULONG_PTR>(kRunFileDlgOrdinal)));
  if (!run) return false;
  std::wstring wide = Widen(title);
  if (wide.size() > kRunDialogTitleMax) {
    size_t cut = kRunDialogTitleMax;
    // A high surrogate at the end would be left without its pair.
    if (wide[cut - 1] >= 0xD800 && wide[cut - 1] < 0xDC00) --cut;
    wide.resize(cut);
  }
  run(owner, icon, nullptr, wide.c_str(), nullptr, flags);
  return true;
}

}  // namespace sys
