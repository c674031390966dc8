#include "app/Config.h"

#include <windows.h>
#include <shlobj.h>

#include <exception>
#include <string_view>

#include "app/globals.h"
#include "sys/Files.h"
#include "sys/IniEncoding.h"
#include "sys/IniFile.h"
#include "sys/Registry.h"
#include "sys/Shell.h"
#include "sys/Text.h"
#include "toolkit/MessageBox.h"

namespace app {
namespace {

constexpr char kSkinFileKey[] = "SkinFile";
constexpr char kLanguageFileKey[] = "LanguageFile";
constexpr char kHideScreenSaverKey[] = "HideScreenSaver";
constexpr char kHideSysPatchKey[] = "HideSysPatch";
constexpr char kDefaultSkinFile[] = "Default.ini";
constexpr char kDarkSkinFile[] = "Dark.ini";
// Where Windows 10 and later keep the user's choice of light or dark apps.
constexpr char kPersonalizeKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr char kAppsUseLightTheme[] = "AppsUseLightTheme";
constexpr char kDefaultLanguageFile[] = "English.ini";

// The setup program puts this file beside the exe of the copy it installs.
constexpr char kInstalledMarker[] = "Installed.ini";

// Shown before any language file is read, so always in English.
constexpr char kSaveFileFailed[] = "Save file %s failed!";

sys::IniFile ConfigIni() {
  return sys::IniFile(AppPaths.ConfigFile);
}

// Config.ini stays in the ANSI code page while everything in it fits there. A
// value that does not (a language file named in another script) first turns the
// file into UTF-16LE, which the profile functions then keep, so that the value is
// stored exactly instead of as question marks.
bool WriteConfigString(std::string_view key, std::string_view value) {
  std::string ansi;
  if (!sys::AnsiFromUtf8(value, ansi) && !sys::ConvertIniToUtf16(AppPaths.ConfigFile)) return false;
  return ConfigIni().writeString(kConfigSection, key, value);
}

std::string FormatSaveFailed(const std::string& path) {
  std::string_view text = kSaveFileFailed;
  size_t at = text.find("%s");
  return std::string(text.substr(0, at)) + path + std::string(text.substr(at + 2));
}

// Where Config.ini and the backups live. A portable copy keeps them beside
// itself. An installed copy lives in a folder that only administrators may write
// (Program Files), so it keeps them in the profile of the user who runs it, where
// a standard user can write too.
std::string SettingsDir(const std::string& programDir) {
  if (!sys::FileExists(programDir + kInstalledMarker)) return programDir;
  std::string appData = sys::SpecialFolderPath(CSIDL_APPDATA);
  if (appData.empty()) return programDir;
  return appData + "\\" + kAppTitle + "\\";
}

}  // namespace

std::string FirstStartSkinFile(const std::string& skinsDir) {
  sys::Registry theme(HKEY_CURRENT_USER, KEY_READ);
  const bool dark = theme.openKeyReadOnly(kPersonalizeKey) &&
                    theme.readDword(kAppsUseLightTheme).value_or(1) == 0;
  return dark && sys::FileExists(skinsDir + kDarkSkinFile) ? kDarkSkinFile : kDefaultSkinFile;
}

bool WriteDefaultConfig() {
  sys::IniFile ini = ConfigIni();
  bool ok = ini.writeString(kConfigSection, kSkinFileKey,
                            FirstStartSkinFile(AppPaths.ProgramDir + "Skins\\"));
  ok = ok && ini.writeString(kConfigSection, kLanguageFileKey, kDefaultLanguageFile);
  ok = ok && ini.writeBool(kConfigSection, kHideScreenSaverKey, HideScreenSaver);
  ok = ok && ini.writeBool(kConfigSection, kHideSysPatchKey, HideSysPatch);
  return ok;
}

bool LoadStartupConfig(const std::string& exePath) {
  AppPaths = TAppPaths{};
  AppPaths.ProgramDir = sys::ExtractFilePath(exePath);
  const std::string settingsDir = SettingsDir(AppPaths.ProgramDir);
  AppPaths.ConfigFile = settingsDir + "Config.ini";

  // A folder that cannot be made shows as the file that cannot be written, below.
  if (settingsDir != AppPaths.ProgramDir && !sys::DirectoryExists(settingsDir))
    sys::ForceDirectories(settingsDir);
  if (!sys::FileExists(AppPaths.ConfigFile) && !WriteDefaultConfig()) {
    tk::ShowMessageBox(nullptr, FormatSaveFailed(AppPaths.ConfigFile), kAppTitle,
                       MB_OK | MB_ICONERROR);
    return false;
  }

  try {
    sys::IniFile ini = ConfigIni();
    AppPaths.LangsDir = AppPaths.ProgramDir + "Langs\\";
    AppPaths.HelpFile = AppPaths.LangsDir + "Help.Chm";
    AppPaths.LanguageFilePath =
        AppPaths.LangsDir + ini.readString(kConfigSection, kLanguageFileKey, kDefaultLanguageFile);
    AppPaths.SkinsDir = AppPaths.ProgramDir + "Skins\\";
    AppPaths.SkinFilePath =
        AppPaths.SkinsDir + ini.readString(kConfigSection, kSkinFileKey, kDefaultSkinFile);
    AppPaths.RegBackupDir = settingsDir + "Back up\\reg\\";
    AppPaths.ScrBackupDir = settingsDir + "Back up\\scr\\";
    AppPaths.ScanBackupDir = settingsDir + "Back up\\scans\\";
    HideScreenSaver = ini.readBool(kConfigSection, kHideScreenSaverKey, kDefaultHideScreenSaver);
    HideSysPatch = ini.readBool(kConfigSection, kHideSysPatchKey, kDefaultHideSysPatch);
    // A folder that cannot be created is not fatal: the language and skin loaders
    // fall back to their built-in defaults.
    if (!sys::DirectoryExists(AppPaths.LangsDir)) sys::ForceDirectories(AppPaths.LangsDir);
    if (!sys::DirectoryExists(AppPaths.SkinsDir)) sys::ForceDirectories(AppPaths.SkinsDir);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

bool LoadStartupConfig() {
  return LoadStartupConfig(sys::ModuleFileName());
}

bool WriteHideScreenSaver(bool hide) {
  return ConfigIni().writeBool(kConfigSection, kHideScreenSaverKey, hide);
}

bool WriteHideSysPatch(bool hide) {
  return ConfigIni().writeBool(kConfigSection, kHideSysPatchKey, hide);
}

bool WriteLanguageFile(const std::string& fileName) {
  return WriteConfigString(kLanguageFileKey, fileName);
}

bool WriteSkinFile(const std::string& fileName) {
  return WriteConfigString(kSkinFileKey, fileName);
}

}  // namespace app
