#include "toolkit/FileDialog.h"

#include <utility>
#include <vector>

#include "sys/Text.h"

namespace tk {
namespace {

FileDialogAnswerer& Answerer() {
  static FileDialogAnswerer answerer;
  return answerer;
}

std::optional<std::string> ShowRealDialog(const FileDialogRequest& request) {
  // Room for the longest path the system knows; a longer proposed name is cut.
  std::vector<wchar_t> path(32768, L'\0');
  const std::wstring proposed = sys::Widen(request.fileName);
  proposed.copy(path.data(), path.size() - 1);
  // The zeros between the pairs survive the conversion: Widen keeps every character.
  const std::wstring filter = sys::Widen(FileDialogFilter(request.filter));
  const std::wstring initialDir = sys::Widen(request.initialDir);
  const std::wstring defaultExt = sys::Widen(request.defaultExt);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = request.owner;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = request.flags | OFN_EXPLORER;
  auto show = [&] { return request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn); };
  BOOL chosen = show();
  if (!chosen && path[0] && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
    // A proposed name that is no valid file name (one taken from a registry key may
    // hold ':' or '/') makes the dialog fail without showing: show it without one.
    path[0] = L'\0';
    chosen = show();
  }
  if (!chosen) return std::nullopt;
  return sys::NarrowZ(path.data());
}

}  // namespace

std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) {
  if (Answerer()) return Answerer()(request);
  return ShowRealDialog(request);
}

FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer answerer) {
  return std::exchange(Answerer(), std::move(answerer));
}

std::string FileDialogFilter(const std::string& filter) {
  if (filter.empty()) return std::string();
  std::string result = filter;
  for (char& c : result) {
    if (c == '|') c = '\0';
  }
  result.push_back('\0');
  // The std::string keeps one more terminating zero beyond size().
  return result;
}

}  // namespace tk
