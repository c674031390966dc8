// Shared set-up of the language and skin tests: a program folder of its own
// (Langs\, Skins\, Config.ini) in a temp folder, with settings pointing there and
// both tables at their built-in values; the tables are put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/Settings.h"
#include "support/Sandbox.h"

namespace ui_test {

class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Points the settings at `languageFile` in Langs\ and `skinFile` in Skins\
  // (without writing Config.ini).
  void useFiles(const std::string& languageFile, const std::string& skinFile);
  std::string langs() const { return config.paths().LangsDir; }
  std::string skins() const { return config.paths().SkinsDir; }

  testing_support::TempDir dir_;
  // The folder's settings, as start-up hands them to the tables and windows.
  settings::TSettings config;
};

// A UTF-8 literal (u8"...") as the program's kind of string.
inline std::string U8(const char8_t* text) {
  return reinterpret_cast<const char*>(text);
}

// WCAG's contrast ratio of two colours (1 to 21), worked out here, apart from the
// program's own.
double Contrast(unsigned long a, unsigned long b);

// Whole-file helpers.
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);
// Checks an INI file's text line by line (each ended by CR LF) against
// `expectedLines`; a "key=value" line may also appear with the blanks that end
// its key and its value dropped, as the profile functions sometimes write it.
void ExpectIniLines(const std::string& fileText, const std::vector<std::string>& expectedLines);
// A file checked in under tests/ui/data/, as its bytes.
std::string TestData(const std::string& name);
// Compares two files' bytes; on a difference names the first line that differs.
void ExpectSameBytes(const std::string& actual, const std::string& expected);
// The "key=text" lines of a checked-in template's one section, keys as written.
std::vector<std::pair<std::string, std::string>> TemplateLines(const std::string& name);
// Copies the built program's default skin pictures into `skinsDir`.
void CopyDefaultPictures(const std::string& skinsDir);

// A tiny PNG writer for tests, independent of the decoder under test.
struct PngDesc {
  int width = 1;
  int height = 1;
  int bitDepth = 8;
  int colourType = 6;  // 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
  bool interlaced = false;
  std::vector<unsigned char> palette;       // RGB triples
  std::vector<unsigned char> transparency;  // tRNS chunk body, if any
};
// `samples` holds width*height pixels, each as channel values 0..(2^bitDepth - 1)
// in PNG channel order (palette: one index per pixel).
std::string EncodePng(const PngDesc& desc, const std::vector<unsigned>& samples);
// A chunk with a correct CRC.
std::string PngChunk(const char type[4], const std::string& body);

}  // namespace ui_test
