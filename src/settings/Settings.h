// The program's settings: where its files lie and the two list options, read from
// Config.ini at start-up. Start-up makes the one TSettings of the run and hands it
// to the tables, windows and commands that need it; nothing reaches for it.
//
// Config.ini: one section "config" with SkinFile, LanguageFile, HideScreenSaver
// and HideSysPatch. It lies beside the executable, or, for a copy that the setup
// program installed (marked by Installed.ini beside the executable), in
// %APPDATA%\Prunaxis\ together with the backups.
#pragma once

#include <string>
#include <utility>

namespace settings {

constexpr char kConfigSection[] = "config";
constexpr bool kDefaultHideScreenSaver = true;
constexpr bool kDefaultHideSysPatch = false;

// Every folder ends with a backslash.
struct TPaths {
  std::string ProgramDir;
  std::string ConfigFile;
  std::string LangsDir;
  std::string LanguageFilePath;
  std::string HelpFile;
  std::string SkinsDir;
  std::string SkinFilePath;
  std::string RegBackupDir;
  std::string ScrBackupDir;
  std::string ScanBackupDir;  // the saved inputs of leftover scans
};

// Screen savers and system patches left out of the program list.
struct TListOptions {
  bool HideScreenSaver = kDefaultHideScreenSaver;
  bool HideSysPatch = kDefaultHideSysPatch;
};

class TSettings {
 public:
  // No paths and the built-in options until load().
  TSettings() = default;
  // The settings of a program folder laid out by the caller; nothing is read.
  explicit TSettings(TPaths paths, TListOptions options = {})
      : paths_(std::move(paths)), options_(options) {}
  // One set of settings per run: the holders share it by reference.
  TSettings(const TSettings&) = delete;
  TSettings& operator=(const TSettings&) = delete;
  TSettings(TSettings&&) = default;
  TSettings& operator=(TSettings&&) = default;

  // Fills the paths and options for a program whose executable is `exePath`,
  // writing a default Config.ini first when there is none, and creates Langs\ and
  // Skins\. False when start-up must stop (the reason has been shown to the user).
  bool load(const std::string& exePath);
  // The same for the running executable.
  bool load();

  const TPaths& paths() const { return paths_; }
  bool hideScreenSaver() const { return options_.HideScreenSaver; }
  bool hideSysPatch() const { return options_.HideSysPatch; }

  // One option changed and written at once, as the Hide commands and Exit do. The
  // option holds for this run also when it cannot be written (false).
  bool setHideScreenSaver(bool hide);
  bool setHideSysPatch(bool hide);
  // The language switch: LanguageFilePath becomes `fileName` in LangsDir and
  // LanguageFile records the name. The path holds also when the write fails.
  bool useLanguageFile(const std::string& fileName);
  // The skin switch: the same for SkinFilePath and SkinFile.
  bool useSkinFile(const std::string& fileName);

  // Writes a new Config.ini with the four keys in their order: the first skin
  // (FirstStartSkinFile of the program's Skins\), English.ini and the two options
  // as they stand. False if any write fails.
  bool writeDefaultConfig() const;

 private:
  bool writeString(const char* key, const std::string& value) const;

  TPaths paths_;
  TListOptions options_;
};

// "Dark.ini" when HKCU's Personalize key says AppsUseLightTheme = 0 and
// `skinsDir` holds Dark.ini; "Default.ini" otherwise (a missing value is light).
std::string FirstStartSkinFile(const std::string& skinsDir);

}  // namespace settings
