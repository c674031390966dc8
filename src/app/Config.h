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
bool WriteDefaultConfig();

// One option written at once, as the Hide commands and Exit do.
bool WriteHideScreenSaver(bool hide);
bool WriteHideSysPatch(bool hide);
// The language switch records the chosen file name.
bool WriteLanguageFile(const std::string& fileName);

}  // namespace app
