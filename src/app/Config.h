// Config.ini: one section "config" with SkinFile, LanguageFile, HideScreenSaver
// and HideSysPatch. It lies beside the executable, or, for a copy that the setup
// program installed (marked by Installed.ini beside the executable), in
// %APPDATA%\Prunaxis\ together with the backups.
#pragma once

#include <string>

namespace app {

// Fills AppPaths and the two options for a program whose executable is `exePath`,
// writing a default Config.ini first when there is none, and creates Langs\ and
// Skins\. False when start-up must stop (the reason has been shown to the user).
bool LoadStartupConfig(const std::string& exePath);
// The same for the running executable.
bool LoadStartupConfig();

// Writes a new Config.ini with the four keys in their order. False if any write fails.
// The first skin follows the Windows app theme: the dark skin when apps are set
// to dark and the program folder has one (FirstStartSkinFile).
bool WriteDefaultConfig();
// "Dark.ini" when HKCU's Personalize key says AppsUseLightTheme = 0 and
// `skinsDir` holds Dark.ini; "Default.ini" otherwise (a missing value is light).
std::string FirstStartSkinFile(const std::string& skinsDir);

// One option written at once, as the Hide commands and Exit do.
bool WriteHideScreenSaver(bool hide);
bool WriteHideSysPatch(bool hide);
// The language switch records the chosen file name.
bool WriteLanguageFile(const std::string& fileName);
// So does the skin switch.
bool WriteSkinFile(const std::string& fileName);

}  // namespace app
