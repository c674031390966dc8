// Thousands of mutated inputs through the loaders and parsers, from fixed seeds so
// that a failure can be reproduced: nothing may crash, and every failure must be
// the ordinary, documented one.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "sys/Files.h"
#include "ui/ArButton.h"
#include "ui/PngImage.h"
#include "ui/multiLangs.h"
#include "ui/multiSkins.h"

using namespace ui;
using ui_test::ReadText;
using ui_test::WriteText;

namespace {

class Mutator {
 public:
  explicit Mutator(std::uint32_t seed) : rng_(seed) {}

  size_t below(size_t n) {
    return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng_);
  }
  bool chance(int percent) { return below(100) < static_cast<size_t>(percent); }
  char byte() { return static_cast<char>(below(256)); }
  char interesting() {
    static const char kChars[] = "[]=;\r\n\t #%s13,-0123456789\x01\xff";
    return kChars[below(sizeof kChars - 1)];
  }

  std::string mutate(std::string text, int rounds) {
    for (int i = 0; i < rounds; ++i) {
      size_t at = below(text.size() + 1);
      switch (below(8)) {
        case 0:  // flip bits
          if (!text.empty()) text[at % text.size()] ^= static_cast<char>(1u << below(8));
          break;
        case 1:  // replace with any byte
          if (!text.empty()) text[at % text.size()] = byte();
          break;
        case 2:  // insert a meaningful character
          text.insert(text.begin() + at, interesting());
          break;
        case 3:  // delete a run
          text.erase(at, below(40));
          break;
        case 4:  // duplicate a run somewhere else
          if (!text.empty()) {
            size_t from = below(text.size());
            std::string run = text.substr(from, below(80));
            text.insert(below(text.size() + 1), run);
          }
          break;
        case 5:  // truncate
          text.resize(at);
          break;
        case 6:  // a long run of one character
          text.insert(at, std::string(below(3000), interesting()));
          break;
        default:  // a zero byte
          text.insert(text.begin() + at, '\0');
          break;
      }
    }
    return text;
  }

 private:
  std::mt19937 rng_;
};

class FuzzTest : public ui_test::ProgramFolderTest {};

// Rewrites every chunk's CRC so that mutations reach the decoder's inner checks
// instead of all failing at the first CRC.
std::string FixCrcs(std::string png) {
  size_t at = 8;
  std::string out = png.substr(0, 8);
  while (at + 12 <= png.size()) {
    std::uint32_t length = (static_cast<unsigned char>(png[at]) << 24) |
                           (static_cast<unsigned char>(png[at + 1]) << 16) |
                           (static_cast<unsigned char>(png[at + 2]) << 8) |
                           static_cast<unsigned char>(png[at + 3]);
    if (length > png.size() - at - 12) break;
    char type[4] = {png[at + 4], png[at + 5], png[at + 6], png[at + 7]};
    out += ui_test::PngChunk(type, png.substr(at + 8, length));
    at += 12 + length;
  }
  return out + png.substr(std::min(at, png.size()));
}

}  // namespace

TEST_F(FuzzTest, MutatedLanguageFilesLoadWithoutHarm) {
  ASSERT_TRUE(LoadLanguageTable(config));  // writes the template
  const std::string path = langs() + "English.ini";
  const std::string original = ReadText(path);
  Mutator m(20240601);
  for (int i = 0; i < 500; ++i) {
    WriteText(path, m.mutate(original, 1 + static_cast<int>(m.below(12))));
    LanguageTable().resetToDefaults();
    EXPECT_TRUE(LoadLanguageTable(config)) << "iteration " << i;
    // Whatever the texts became, formatting them with values stays safe.
    for (LangId id : {IDS_MESSAGEBOX_WARNING_SaveFileFailed, IDS_LISTVIEW_TIPS_Size,
                      IDS_PRINTFORM_MEMO_Title, IDS_LISTVIEW_TIPS_ScrName}) {
      std::string text = FormatText(LangText(id), {"C:\\x.ini"});
      EXPECT_LE(text.size(), LangText(id).size() + 9) << "iteration " << i;
    }
  }
}

TEST_F(FuzzTest, MutatedSkinFilesLoadAndApplyWithoutHarm) {
  ui_test::CopyDefaultPictures(skins());
  ASSERT_TRUE(LoadSkinTable(config));
  const std::string path = skins() + "Default.ini";
  const std::string original = ReadText(path);
  HWND form =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND list =
      CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, form, nullptr, nullptr, nullptr);
  TArButton file, help;
  ASSERT_TRUE(file.Create(form, 1, 0, 0, 5, 5));
  ASSERT_TRUE(help.Create(form, 2, 0, 0, 5, 5));
  Mutator m(777);
  int stopped = 0;
  for (int i = 0; i < 500; ++i) {
    WriteText(path, m.mutate(original, 1 + static_cast<int>(m.below(12))));
    SkinTable().resetToDefaults();
    EXPECT_TRUE(LoadSkinTable(config)) << "iteration " << i;
    if (i % 3 == 0) {
      TMainSkinTargets t;
      t.MainForm = form;
      t.btnFile = &file;
      t.btnHelp = &help;
      t.lsvProgramList = list;
      if (!ApplySkin(config, t)) ++stopped;
    }
  }
  EXPECT_GT(stopped, 0);  // some mutations must have produced bad values
  DestroyWindow(form);
}

TEST(FuzzBounds, ParseBoundsOfRandomPiecesGivesTheirWrittenValues) {
  // Pieces with their meaning written out: a number (blanks and control characters
  // around it allowed, an optional sign) or no number at all.
  struct Piece {
    const char* text;
    std::optional<int> value;
  };
  const Piece kPieces[] = {
      {"15", 15},
      {" 16 ", 16},
      {"\t-7\x01", -7},
      {"+0", 0},
      {"0042", 42},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"x", std::nullopt},
      {"1.5", std::nullopt},
      {"1 2", std::nullopt},
      {"- 1", std::nullopt},
      {"+-3", std::nullopt},
      {"0x10", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"12345678901", std::nullopt},
  };
  std::mt19937 rng(4242);
  int parsed = 0, threw = 0, tooFew = 0;
  for (int i = 0; i < 8000; ++i) {
    const size_t count = 1 + rng() % 6;
    std::vector<const Piece*> pieces;
    std::string text;
    for (size_t k = 0; k < count; ++k) {
      pieces.push_back(&kPieces[rng() % std::size(kPieces)]);
      text += (k ? "," : "") + std::string(pieces.back()->text);
    }
    Bounds b{7, 7, 7, 7};
    if (count < 4) {
      EXPECT_FALSE(ParseBounds(text, b)) << text;
      EXPECT_EQ(b.left, 7);
      ++tooFew;
      continue;
    }
    // Only the first four pieces count; a fifth may be anything.
    bool valid = true;
    for (size_t k = 0; k < 4; ++k) valid = valid && pieces[k]->value.has_value();
    if (!valid) {
      EXPECT_THROW(ParseBounds(text, b), BoundsError) << text;
      ++threw;
    } else {
      ASSERT_TRUE(ParseBounds(text, b)) << text;
      EXPECT_EQ(b.left, *pieces[0]->value) << text;
      EXPECT_EQ(b.top, *pieces[1]->value) << text;
      EXPECT_EQ(b.width, *pieces[2]->value) << text;
      EXPECT_EQ(b.height, *pieces[3]->value) << text;
      ++parsed;
    }
  }
  EXPECT_GT(parsed, 50);
  EXPECT_GT(threw, 1000);
  EXPECT_GT(tooFew, 1000);
}

TEST(FuzzPng, MutatedPicturesDecodeOrFailCleanly) {
  std::vector<std::string> seeds;
  {
    ui_test::PngDesc desc;
    desc.width = 7;
    desc.height = 5;
    std::vector<unsigned> rgba;
    for (int i = 0; i < 7 * 5 * 4; ++i) rgba.push_back((i * 37) & 0xFF);
    seeds.push_back(ui_test::EncodePng(desc, rgba));
    desc.interlaced = true;
    seeds.push_back(ui_test::EncodePng(desc, rgba));
    ui_test::PngDesc pal;
    pal.width = 6;
    pal.height = 3;
    pal.colourType = 3;
    pal.bitDepth = 2;
    pal.palette = {0, 0, 0, 255, 0, 255, 10, 20, 30, 1, 2, 3};
    pal.transparency = {0, 128};
    seeds.push_back(ui_test::EncodePng(pal, std::vector<unsigned>(18, 2)));
  }
  std::string real;
  ASSERT_TRUE(
      sys::ReadFileBytes(testing_support::ProgramBinDir() + "Skins\\btnMin_Hover.png", real));
  seeds.push_back(real);

  Mutator m(99);
  int decoded = 0, refused = 0;
  for (int i = 0; i < 10000; ++i) {
    std::string png = seeds[i % seeds.size()];
    // Keep the signature most of the time, so that the mutations reach libpng.
    std::string body = m.mutate(png.substr(8), 1 + static_cast<int>(m.below(4)));
    png = (m.chance(90) ? png.substr(0, 8) : m.mutate(png.substr(0, 8), 1)) + body;
    if (m.chance(60)) png = FixCrcs(png);
    try {
      Picture p = DecodePng(png);
      ASSERT_FALSE(p.empty());
      ASSERT_LE(p.width(), kMaxPictureSide);
      ++decoded;
    } catch (const PictureError&) {
      ++refused;
    } catch (const std::exception& e) {
      ADD_FAILURE() << "iteration " << i << ": unexpected " << e.what();
    }
  }
  EXPECT_GT(decoded, 50);
  EXPECT_GT(refused, 1000);
}

TEST(FuzzFormatText, MatchesPlainSubstitutionAndNeverOverreads) {
  std::mt19937 rng(31337);
  const std::vector<std::string> tokens = {"%s",  "%d", "%u",    "%.2f", "%%",  "%",
                                           "% ",  "%n", "%5",    "word", "#13", "%l",
                                           "%ls", "x%", "%I64d", "%-8s"};
  auto isPlaceholder = [](const std::string& t) {
    return t == "%s" || t == "%d" || t == "%u" || t == "%.2f" || t == "%ls" || t == "%I64d" ||
           t == "%-8s";
  };
  for (int i = 0; i < 20000; ++i) {
    std::vector<std::string> args;
    size_t count = rng() % 4;
    for (size_t k = 0; k < count; ++k) args.push_back("<" + std::to_string(k) + "%s>");
    // Tokens joined by "|", which ends any placeholder, so each token keeps its meaning.
    std::string pattern, expected;
    size_t used = 0;
    size_t n = rng() % 8;
    for (size_t k = 0; k < n; ++k) {
      const std::string& t = tokens[rng() % tokens.size()];
      pattern += t + "|";
      if (isPlaceholder(t) && used < args.size())
        expected += args[used++];
      else
        expected += t == "%%" ? "%" : t;
      expected += "|";
    }
    EXPECT_EQ(FormatText(pattern, args), expected)
        << "pattern \"" << pattern << "\" with " << args.size() << " values";
  }
}
