// Process-wide paths and the two list options, filled once at start-up.
#pragma once

#include <string>

#include "app/ProductInfo.h"

namespace app {

constexpr char kAppTitle[] = "Prunaxis";
constexpr char kConfigSection[] = "config";

// The maker's details (app/ProductInfo.h): the about window shows them, the Help
// menu's online and contact commands open the two addresses.
constexpr char kProductSecondTitle[] = PRUNAXIS_PRODUCT_SECOND_TITLE;
constexpr char kCopyrightLine[] = PRUNAXIS_COPYRIGHT_LINE;
constexpr char kMakerWebAddress[] = PRUNAXIS_WEB_ADDRESS;
constexpr char kSupportMailAddress[] = PRUNAXIS_SUPPORT_MAIL;
// The application icon among Prunaxis.exe's resources.
constexpr int kAppIconId = PRUNAXIS_IDI_APPLICATION;

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
  std::string ScanBackupDir;  // the saved scan inputs of uninstalled programs
};

extern TAppPaths AppPaths;
// Screen savers and system patches left out of the program list.
extern bool HideScreenSaver;
extern bool HideSysPatch;

constexpr bool kDefaultHideScreenSaver = true;
constexpr bool kDefaultHideSysPatch = false;

}  // namespace app
