// Process-wide paths and the two list options, filled once at start-up.
#pragma once

#include <string>

namespace app {

constexpr char kAppTitle[] = "Prunaxis";
constexpr char kConfigSection[] = "config";

// Every folder ends with a backslash.
struct TAppPaths {
  std::string ProgramDir;
  std::string ConfigFile;
  std::string LangsDir;
  std::string LanguageFilePath;
  std::string HelpFile;
  std::string SkinsDir;
  std::string SkinFilePath;
  std::string RegBackupDir;
  std::string ScrBackupDir;
};

extern TAppPaths AppPaths;
// Screen savers and system patches left out of the program list.
extern bool HideScreenSaver;
extern bool HideSysPatch;

constexpr bool kDefaultHideScreenSaver = true;
constexpr bool kDefaultHideSysPatch = false;

}  // namespace app
