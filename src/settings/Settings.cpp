#include "settings/Settings.h"

#include <windows.h>
#include <shlobj.h>

#include <exception>
#include <string_view>

#include "settings/Product.h"
#include "sys/Files.h"
#include "sys/IniEncoding.h"
#include "sys/IniFile.h"
#include "sys/Registry.h"
#include "sys/Shell.h"
#include "sys/Text.h"
#include "toolkit/MessageBox.h"

namespace settings {
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

bool TSettings::writeDefaultConfig() const {
  sys::IniFile ini(paths_.ConfigFile);
  bool ok = ini.writeString(kConfigSection, kSkinFileKey,
                            FirstStartSkinFile(paths_.ProgramDir + "Skins\\"));
  ok = ok && ini.writeString(kConfigSection, kLanguageFileKey, kDefaultLanguageFile);
  ok = ok && ini.writeBool(kConfigSection, kHideScreenSaverKey, options_.HideScreenSaver);
  ok = ok && ini.writeBool(kConfigSection, kHideSysPatchKey, options_.HideSysPatch);
  return ok;
}

bool TSettings::load(const std::string& exePath) {
  *this = TSettings();
  TPaths& p = paths_;
  p.ProgramDir = sys::ExtractFilePath(exePath);
  const std::string settingsDir = SettingsDir(p.ProgramDir);
  p.ConfigFile = settingsDir + "Config.ini";

  // A folder that cannot be made shows as the file that cannot be written, below.
  if (settingsDir != p.ProgramDir && !sys::DirectoryExists(settingsDir))
    sys::ForceDirectories(settingsDir);
  if (!sys::FileExists(p.ConfigFile) && !writeDefaultConfig()) {
    tk::ShowMessageBox(nullptr, FormatSaveFailed(p.ConfigFile), kAppTitle, MB_OK | MB_ICONERROR);
    return false;
  }

  try {
    sys::IniFile ini(p.ConfigFile);
    p.LangsDir = p.ProgramDir + "Langs\\";
    p.HelpFile = p.LangsDir + "Help.Chm";
    p.LanguageFilePath =
        p.LangsDir + ini.readString(kConfigSection, kLanguageFileKey, kDefaultLanguageFile);
    p.SkinsDir = p.ProgramDir + "Skins\\";
    p.SkinFilePath = p.SkinsDir + ini.readString(kConfigSection, kSkinFileKey, kDefaultSkinFile);
    p.RegBackupDir = settingsDir + "Back up\\reg\\";
    p.ScrBackupDir = settingsDir + "Back up\\scr\\";
    p.ScanBackupDir = settingsDir + "Back up\\scans\\";
    options_.HideScreenSaver =
        ini.readBool(kConfigSection, kHideScreenSaverKey, kDefaultHideScreenSaver);
    options_.HideSysPatch = ini.readBool(kConfigSection, kHideSysPatchKey, kDefaultHideSysPatch);
    // A folder that cannot be created is not fatal: the language and skin loaders
    // fall back to their built-in defaults.
    if (!sys::DirectoryExists(p.LangsDir)) sys::ForceDirectories(p.LangsDir);
    if (!sys::DirectoryExists(p.SkinsDir)) sys::ForceDirectories(p.SkinsDir);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

bool TSettings::load() {
  return load(sys::ModuleFileName());
}

bool TSettings::setHideScreenSaver(bool hide) {
  options_.HideScreenSaver = hide;
  return sys::IniFile(paths_.ConfigFile).writeBool(kConfigSection, kHideScreenSaverKey, hide);
}

bool TSettings::setHideSysPatch(bool hide) {
  options_.HideSysPatch = hide;
  return sys::IniFile(paths_.ConfigFile).writeBool(kConfigSection, kHideSysPatchKey, hide);
}

bool TSettings::useLanguageFile(const std::string& fileName) {
  paths_.LanguageFilePath = paths_.LangsDir + fileName;
  return writeString(kLanguageFileKey, fileName);
}

bool TSettings::useSkinFile(const std::string& fileName) {
  paths_.SkinFilePath = paths_.SkinsDir + fileName;
  return writeString(kSkinFileKey, fileName);
}

// Config.ini stays in the ANSI code page while everything in it fits there. A
// value that does not (a language file named in another script) first turns the
// file into UTF-16LE, which the profile functions then keep, so that the value is
// stored exactly instead of as question marks.
bool TSettings::writeString(const char* key, const std::string& value) const {
  std::string ansi;
  if (!sys::AnsiFromUtf8(value, ansi) && !sys::ConvertIniToUtf16(paths_.ConfigFile)) return false;
  return sys::IniFile(paths_.ConfigFile).writeString(kConfigSection, key, value);
}

}  // namespace settings
