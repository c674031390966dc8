#include "UiTestSupport.h"

#include <algorithm>
#include <cmath>

#include <windows.h>
#include <zlib.h>

#include "support/Sandbox.h"
#include "support/TestPaths.h"
#include "sys/Files.h"
#include "ui/LanguageTable.h"
#include "ui/SkinTable.h"

namespace ui_test {
namespace {

std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

void ProgramFolderTest::SetUp() {
  settings::TPaths paths;
  paths.ProgramDir = dir_.path();
  paths.ConfigFile = paths.ProgramDir + "Config.ini";
  paths.LangsDir = paths.ProgramDir + "Langs\\";
  paths.SkinsDir = paths.ProgramDir + "Skins\\";
  paths.HelpFile = paths.LangsDir + "Help.Chm";
  paths.RegBackupDir = paths.ProgramDir + "Back up\\reg\\";
  paths.ScrBackupDir = paths.ProgramDir + "Back up\\scr\\";
  config = settings::TSettings(paths);
  useFiles("English.ini", "Default.ini");
  ASSERT_TRUE(sys::ForceDirectories(paths.LangsDir));
  ASSERT_TRUE(sys::ForceDirectories(paths.SkinsDir));
  ui::LanguageTable().resetToDefaults();
  ui::SkinTable().resetToDefaults();
}

void ProgramFolderTest::TearDown() {
  ui::LanguageTable().resetToDefaults();
  ui::SkinTable().resetToDefaults();
}

void ProgramFolderTest::useFiles(const std::string& languageFile, const std::string& skinFile) {
  settings::TPaths paths = config.paths();
  paths.LanguageFilePath = paths.LangsDir + languageFile;
  paths.SkinFilePath = paths.SkinsDir + skinFile;
  config = settings::TSettings(paths, {config.hideScreenSaver(), config.hideSysPatch()});
}

std::string ReadText(const std::string& path) {
  std::string text;
  EXPECT_TRUE(sys::ReadFileBytes(path, text)) << path;
  return text;
}

void WriteText(const std::string& path, const std::string& text) {
  ASSERT_TRUE(sys::WriteFileBytes(path, text)) << path;
}

void ExpectIniLines(const std::string& fileText, const std::vector<std::string>& expectedLines) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < fileText.size();) {
    size_t end = fileText.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "last line without CR LF";
    lines.push_back(fileText.substr(at, end - at));
    at = end + 2;
  }
  ASSERT_EQ(lines.size(), expectedLines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& want = expectedLines[i];
    size_t eq = want.find('=');
    if (eq == std::string::npos || lines[i] == want) {
      EXPECT_EQ(lines[i], want) << "line " << i + 1;
      continue;
    }
    // The profile functions may drop the blanks that end a key or a value when
    // they re-read the file between two writes; the spelling stays otherwise.
    EXPECT_EQ(lines[i], TrimRight(want.substr(0, eq)) + "=" + TrimRight(want.substr(eq + 1)))
        << "line " << i + 1;
  }
}

std::string TestData(const std::string& name) {
  return ReadText(std::string(testing_support::kTestSourceDir) + "ui\\data\\" + name);
}

void ExpectSameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return;
  size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  const size_t line = expected.rfind('\n', at == 0 ? 0 : at - 1);
  const size_t start = line == std::string::npos ? 0 : line + 1;
  ADD_FAILURE() << "sizes " << actual.size() << " and " << expected.size()
                << ", first difference at byte " << at
                << "\n  got:  " << actual.substr(start, actual.find('\r', start) - start)
                << "\n  want: " << expected.substr(start, expected.find('\r', start) - start);
}

std::vector<std::pair<std::string, std::string>> TemplateLines(const std::string& name) {
  std::vector<std::pair<std::string, std::string>> lines;
  const std::string text = TestData(name);
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    const size_t eq = line.find('=');
    if (eq != std::string::npos) lines.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    at = end + 2;
  }
  return lines;
}

void CopyDefaultPictures(const std::string& skinsDir) {
  std::string from = testing_support::ProgramBinDir() + "Skins\\";
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((from + "*.png").c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE) << "no pictures in " << from;
  do {
    ASSERT_TRUE(
        CopyFileA((from + data.cFileName).c_str(), (skinsDir + data.cFileName).c_str(), FALSE))
        << data.cFileName;
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

namespace {

void PutBE32(std::string& out, unsigned long v) {
  out += static_cast<char>((v >> 24) & 0xFF);
  out += static_cast<char>((v >> 16) & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
  out += static_cast<char>(v & 0xFF);
}

int Channels(int colourType) {
  switch (colourType) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

// Rows of the given pixels (x0, y0, step) packed at the described bit depth, each
// preceded by filter byte 0.
void AppendRows(const PngDesc& desc, const std::vector<unsigned>& samples, int x0, int dx, int y0,
                int dy, std::string& raw) {
  const int channels = Channels(desc.colourType);
  for (int y = y0; y < desc.height; y += dy) {
    if (x0 >= desc.width) return;
    raw += '\0';
    unsigned acc = 0;
    int bits = 0;
    for (int x = x0; x < desc.width; x += dx) {
      for (int c = 0; c < channels; ++c) {
        unsigned v = samples[(static_cast<size_t>(y) * desc.width + x) * channels + c];
        if (desc.bitDepth == 16) {
          raw += static_cast<char>(v >> 8);
          raw += static_cast<char>(v & 0xFF);
        } else if (desc.bitDepth == 8) {
          raw += static_cast<char>(v);
        } else {
          acc = (acc << desc.bitDepth) | v;
          bits += desc.bitDepth;
          if (bits == 8) {
            raw += static_cast<char>(acc);
            acc = 0;
            bits = 0;
          }
        }
      }
    }
    if (bits > 0) raw += static_cast<char>(acc << (8 - bits));
  }
}

}  // namespace

std::string PngChunk(const char type[4], const std::string& body) {
  std::string out;
  PutBE32(out, static_cast<unsigned long>(body.size()));
  std::string data = std::string(type, 4) + body;
  out += data;
  PutBE32(out, crc32(0, reinterpret_cast<const Bytef*>(data.data()), data.size()));
  return out;
}

std::string EncodePng(const PngDesc& desc, const std::vector<unsigned>& samples) {
  std::string ihdr;
  PutBE32(ihdr, desc.width);
  PutBE32(ihdr, desc.height);
  ihdr += static_cast<char>(desc.bitDepth);
  ihdr += static_cast<char>(desc.colourType);
  ihdr += '\0';
  ihdr += '\0';
  ihdr += static_cast<char>(desc.interlaced ? 1 : 0);

  std::string raw;
  if (!desc.interlaced) {
    AppendRows(desc, samples, 0, 1, 0, 1, raw);
  } else {
    static const int kPasses[7][4] = {{0, 8, 0, 8}, {4, 8, 0, 8}, {0, 4, 4, 8}, {2, 4, 0, 4},
                                      {0, 2, 2, 4}, {1, 2, 0, 2}, {0, 1, 1, 2}};
    for (const auto& p : kPasses) AppendRows(desc, samples, p[0], p[1], p[2], p[3], raw);
  }
  uLongf size = compressBound(raw.size());
  std::string packed(size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
            reinterpret_cast<const Bytef*>(raw.data()), raw.size(), 6);
  packed.resize(size);

  std::string png("\x89PNG\r\n\x1a\n", 8);
  png += PngChunk("IHDR", ihdr);
  if (!desc.palette.empty())
    png += PngChunk("PLTE", std::string(desc.palette.begin(), desc.palette.end()));
  if (!desc.transparency.empty())
    png += PngChunk("tRNS", std::string(desc.transparency.begin(), desc.transparency.end()));
  png += PngChunk("IDAT", packed);
  png += PngChunk("IEND", "");
  return png;
}

double Contrast(unsigned long a, unsigned long b) {
  auto channel = [](unsigned value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  auto luminance = [&](unsigned long c) {
    return 0.2126 * channel(c & 0xFF) + 0.7152 * channel((c >> 8) & 0xFF) +
           0.0722 * channel((c >> 16) & 0xFF);
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace ui_test
