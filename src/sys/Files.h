// File and folder helpers over the wide file API, with UTF-8 paths. Paths are Windows paths;
// folder names returned here end with a backslash.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace sys {

bool FileExists(const std::string& path);       // a file, not a folder
bool DirectoryExists(const std::string& path);  // a folder, not a file
// Creates `path` and every missing folder above it. True when the folder exists afterwards.
bool ForceDirectories(const std::string& path);

std::string IncludeTrailingBackslash(std::string_view path);
std::string ExcludeTrailingBackslash(std::string_view path);
// "C:\a\b.txt" -> "C:\a\"; a path without a folder gives "".
std::string ExtractFilePath(std::string_view path);
// "C:\a\b.txt" -> "b.txt".
std::string ExtractFileName(std::string_view path);

// Full path of a loaded module (nullptr: the running executable); "" on failure.
std::string ModuleFileName(HMODULE module = nullptr);

// Reads or writes a whole file as bytes. Reading returns false when it cannot open the file.
bool ReadFileBytes(const std::string& path, std::string& out);
bool WriteFileBytes(const std::string& path, std::string_view bytes);

}  // namespace sys
