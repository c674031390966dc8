// Reading and writing the skin table from and to a skin file: an INI file with
// the sections "MainForm" and "RegistryForm".
#pragma once

#include <string>

#include "ui/SkinTable.h"

namespace ui {

// Reads every entry in table order, each with its current value as the default;
// values are taken as they come. False when the file cannot be read.
bool ReadSkinFromFile(TSkinTable& table, const std::string& path);
// Writes every entry's current value under its section, in table order. Stops
// and returns false at the first failed write.
bool WriteSkinToFile(const TSkinTable& table, const std::string& path);

}  // namespace ui
