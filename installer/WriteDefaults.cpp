// Run by the setup program, elevated, right after it copied the program folder:
// writes the English language file and the default skin file that Prunaxis.exe
// would otherwise write itself on its first start. An installed program folder is
// not writable for a standard user, whose first start would then fail to write
// them (and, with no English.ini in Langs\, could not switch back to English).
//
//   PrunaxisDefaults.exe "<program folder>"
//
// Exit code 0 when both files were written, 1 otherwise.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "sys/Files.h"
#include "sys/Text.h"
#include "ui/LanguageFile.h"
#include "ui/LanguageTable.h"
#include "ui/SkinFile.h"
#include "ui/SkinTable.h"

namespace {

std::string FolderArgument() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return std::string();
  std::string folder = count == 2 ? sys::NarrowZ(args[1]) : std::string();
  LocalFree(args);
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string folder = FolderArgument();
  if (folder.empty() || !sys::DirectoryExists(folder)) return 1;
  const std::string langs = folder + "Langs\\";
  const std::string skins = folder + "Skins\\";
  sys::ForceDirectories(langs);
  sys::ForceDirectories(skins);
  // The built-in tables hold their default texts and values until a file is read.
  bool ok = ui::WriteLanguageToFile(ui::LanguageTable(), langs + "English.ini");
  ok = ui::WriteSkinToFile(ui::SkinTable(), skins + "Default.ini") && ok;
  return ok ? 0 : 1;
}
