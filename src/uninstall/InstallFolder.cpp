#include "uninstall/InstallFolder.h"

#include <algorithm>
#include <string_view>

#include "sys/Environment.h"
#include "sys/FileOps.h"

namespace uninstall {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Blanks and quotes around the text, in any mix ("  \"C:\App\" " and a lone opening
// quote alike), as the inventory component trims the same value for its sizes.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || text.front() == '"')) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '"')) text.remove_suffix(1);
  return text;
}

bool IsAbsolute(const std::string& path) {
  if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
    const char drive = path[0];
    return (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
  }
  // "\\server\share...", also "\\?\C:\..." and "\\.\C:\...".
  return path.size() > 2 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
}

}  // namespace

// The inventory component's ProgramFolder (rostrel/core/FolderSize.cpp) reads the
// same value for a size and trims and expands it the same way; it differs in what it
// is for: it keeps relative paths and forward slashes as written (it only asks the
// disk) and refuses roots ("C:\", "\\server\share"), where this keeps the root for
// the protected-folder check to refuse and makes the path full, so that the scan and
// the removal name exactly the folder they list.
std::string NormaliseInstallFolder(const std::string& raw) {
  std::string path = sys::ExpandEnvironmentText(Trimmed(raw));
  // A variable may bring blanks or quotes of its own.
  path = std::string(Trimmed(path));
  std::replace(path.begin(), path.end(), '/', '\\');
  if (path.size() == 2 && path[1] == ':') return std::string();  // drive-relative "C:"
  if (!IsAbsolute(path)) return std::string();
  std::string full = sys::FullPathName(path);
  if (full.empty()) return std::string();
  while (full.size() > 3 && full.back() == '\\') full.pop_back();
  if (full.size() == 2 && full[1] == ':') full += '\\';
  return full;
}

}  // namespace uninstall
