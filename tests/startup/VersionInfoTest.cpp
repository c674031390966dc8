#include <gtest/gtest.h>

#include <cstring>

#include "StartupTestSupport.h"
#include "startup/VersionInfo.h"
#include "support/Sandbox.h"
#include "sys/Files.h"

using startup::IsSoundVersionBlock;
using startup::ReadFileInfo;
using startup::TFileInfo;
using startup_test::FixturePath;

namespace {

// A record whose every field holds something, to see that a failed read leaves it be.
TFileInfo Prefilled() {
  TFileInfo info;
  for (std::string* field :
       {&info.CompanyName, &info.FileDescription, &info.FileVersion, &info.InternalName,
        &info.LegalCopyright, &info.LegalTrademarks, &info.OriginalFileName, &info.ProductName,
        &info.ProductVersion, &info.Comments, &info.ExtraValue})
    *field = "untouched";
  info.FixedInfo.dwSignature = 0x1234;
  info.FixedInfo.dwFileVersionMS = 0x5678;
  return info;
}

void ExpectPrefilled(const TFileInfo& info) {
  for (const std::string* field :
       {&info.CompanyName, &info.FileDescription, &info.FileVersion, &info.InternalName,
        &info.LegalCopyright, &info.LegalTrademarks, &info.OriginalFileName, &info.ProductName,
        &info.ProductVersion, &info.Comments, &info.ExtraValue})
    EXPECT_EQ(*field, "untouched");
  EXPECT_EQ(info.FixedInfo.dwSignature, 0x1234u);
  EXPECT_EQ(info.FixedInfo.dwFileVersionMS, 0x5678u);
}

void ExpectNoTexts(const TFileInfo& info) {
  for (const std::string* field :
       {&info.CompanyName, &info.FileDescription, &info.FileVersion, &info.InternalName,
        &info.LegalCopyright, &info.LegalTrademarks, &info.OriginalFileName, &info.ProductName,
        &info.ProductVersion, &info.Comments})
    EXPECT_EQ(*field, "");
}

std::string Wide(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    out += '\0';
  }
  return out;
}

void Pad4(std::string& bytes) {
  while (bytes.size() % 4) bytes += '\0';
}

void PutWord(std::string& bytes, std::size_t at, unsigned value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// A 32-bit version block laid out as resource compilers write it.
std::string Block(const std::string& key, const std::string& value, bool text,
                  const std::vector<std::string>& children = {}) {
  std::string out(6, '\0');
  out += Wide(key) + std::string(2, '\0');
  Pad4(out);
  out += value;
  for (const std::string& child : children) {
    Pad4(out);
    out += child;
  }
  PutWord(out, 0, static_cast<unsigned>(out.size()));
  PutWord(out, 2, static_cast<unsigned>(text ? value.size() / 2 : value.size()));
  PutWord(out, 4, text ? 1 : 0);
  return out;
}

std::string SoundResource() {
  std::string fixed(sizeof(VS_FIXEDFILEINFO), '\0');
  std::string company = Block("CompanyName", Wide("Acme") + std::string(2, '\0'), true);
  std::string table = Block("040904B0", "", false, {company});
  std::string strings = Block("StringFileInfo", "", false, {table});
  std::string translation = Block("Translation", std::string("\x09\x04\xB0\x04", 4), false);
  std::string vars = Block("VarFileInfo", "", false, {translation});
  return Block("VS_VERSION_INFO", fixed, false, {strings, vars});
}

// The buffer the version API fills: the block, a signature and room of the block's
// size for converted copies of its texts.
std::string WithRoom(const std::string& block) {
  std::string buffer = block;
  buffer.resize(2 * block.size() + 4, '\0');
  return buffer;
}

bool Sound(const std::string& buffer) {
  return IsSoundVersionBlock(buffer.data(), buffer.size());
}

// Offset of the block whose key is `key` inside `bytes`.
std::size_t BlockOffset(const std::string& bytes, const std::string& key) {
  std::size_t at = bytes.find(Wide(key) + std::string(2, '\0'));
  EXPECT_NE(at, std::string::npos) << key;
  return at == std::string::npos ? 0 : at - 6;
}

}  // namespace

TEST(FileVersion, ReadsEveryEntryOfAUsEnglishUnicodeTable) {
  TFileInfo info;
  ASSERT_TRUE(ReadFileInfo(FixturePath("VersionEnUs"), info, "PrivateBuild"))
      << FixturePath("VersionEnUs");
  EXPECT_EQ(info.CompanyName, "Harbour Lights Software");
  EXPECT_EQ(info.FileDescription, "Harbour tray helper");
  EXPECT_EQ(info.FileVersion, "1.2.3.4");
  EXPECT_EQ(info.InternalName, "harbour");
  EXPECT_EQ(info.LegalCopyright, "Copyright (C) 2024 Harbour Lights");
  EXPECT_EQ(info.LegalTrademarks, "Harbour is a mark of nobody");
  EXPECT_EQ(info.OriginalFileName, "harbour.exe");
  EXPECT_EQ(info.ProductName, "Harbour");
  EXPECT_EQ(info.ProductVersion, "1.2");
  EXPECT_EQ(info.Comments, "English sample");
  EXPECT_EQ(info.ExtraValue, "build 77");
  EXPECT_EQ(info.FixedInfo.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(info.FixedInfo.dwFileVersionMS, 0x00010002u);
  EXPECT_EQ(info.FixedInfo.dwFileVersionLS, 0x00030004u);
  EXPECT_EQ(info.FixedInfo.dwProductVersionMS, 0x00010002u);
  EXPECT_EQ(info.FixedInfo.dwFileType, static_cast<DWORD>(VFT_APP));

  // An extra entry that the table lacks, or none asked for, leaves ExtraValue empty.
  TFileInfo lacking;
  ASSERT_TRUE(ReadFileInfo(FixturePath("VersionEnUs"), lacking, "SpecialBuild"));
  EXPECT_EQ(lacking.ExtraValue, "");
  TFileInfo none;
  ASSERT_TRUE(ReadFileInfo(FixturePath("VersionEnUs"), none, ""));
  EXPECT_EQ(none.ExtraValue, "");
  EXPECT_EQ(none.CompanyName, "Harbour Lights Software");
}

TEST(FileVersion, ReadsTheTableOfTheFirstTranslationOnly) {
  // 0407/04E4 comes first in the list; the English table after it is never read, and
  // the German table's missing FileDescription stays empty.
  TFileInfo info;
  ASSERT_TRUE(ReadFileInfo(FixturePath("VersionDeDe"), info, "FileVersion"));
  EXPECT_EQ(info.CompanyName, "Kranich Werkzeuge GmbH");
  EXPECT_EQ(info.FileDescription, "");
  EXPECT_EQ(info.FileVersion, "3.0.0.12");
  EXPECT_EQ(info.ProductName, "Kranich Synchronisierung");
  EXPECT_EQ(info.InternalName, "");
  EXPECT_EQ(info.Comments, "");
  EXPECT_EQ(info.ExtraValue, "3.0.0.12");
  EXPECT_EQ(info.FixedInfo.dwFileVersionLS, 12u);
}

TEST(FileVersion, StringTablesAreNamedLanguageFirstWithFourHexDigitsEach) {
  EXPECT_EQ(startup::StringTablePrefix(0x0409, 0x04B0), "\\StringFileInfo\\040904B0\\");
  EXPECT_EQ(startup::StringTablePrefix(0x0407, 0x04E4), "\\StringFileInfo\\040704E4\\");
  EXPECT_EQ(startup::StringTablePrefix(0x001A, 0x0003), "\\StringFileInfo\\001A0003\\");
  EXPECT_EQ(startup::StringTablePrefix(0xFFFF, 0xABCD), "\\StringFileInfo\\FFFFABCD\\");
}

TEST(FileVersion, TablesTheTranslationDoesNotNameGiveEmptyTexts) {
  // Strings under 0407/04E4 while the list names 0409/04B0: readable, but no texts.
  TFileInfo other = Prefilled();
  ASSERT_TRUE(ReadFileInfo(FixturePath("VersionOtherBlock"), other, ""));
  ExpectNoTexts(other);
  EXPECT_EQ(other.FixedInfo.dwFileVersionMS, 0x00020000u);

  // No translation list at all: true with empty texts, the fixed block still read.
  TFileInfo untranslated = Prefilled();
  ASSERT_TRUE(ReadFileInfo(FixturePath("VersionNoTranslation"), untranslated, "CompanyName"));
  ExpectNoTexts(untranslated);
  EXPECT_EQ(untranslated.ExtraValue, "untouched");
  EXPECT_EQ(untranslated.FixedInfo.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(untranslated.FixedInfo.dwFileVersionMS, 0x00050006u);
  EXPECT_EQ(untranslated.FixedInfo.dwFileVersionLS, 0x00070008u);
}

TEST(FileVersion, FilesWithoutReadableInformationGiveFalseAndLeaveTheRecord) {
  testing_support::TempDir dir;
  std::string exe;
  ASSERT_TRUE(sys::ReadFileBytes(FixturePath("VersionEnUs"), exe));
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 131 + 7) & 0xFF);
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("garbage.exe"), "MZ" + garbage));
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("empty.exe"), ""));
  // Cut off in the middle of the version resource.
  std::size_t root = BlockOffset(exe, "VS_VERSION_INFO");
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("truncated.exe"), exe.substr(0, root + 40)));
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("headonly.exe"), exe.substr(0, 300)));

  for (const std::string& path :
       {FixturePath("NoVersion"), dir.file("missing.exe"), dir.file("garbage.exe"),
        dir.file("empty.exe"), dir.file("truncated.exe"), dir.file("headonly.exe"), dir.path(),
        std::string()}) {
    SCOPED_TRACE(path);
    TFileInfo info = Prefilled();
    EXPECT_FALSE(ReadFileInfo(path, info, "Comments"));
    ExpectPrefilled(info);
  }
}

TEST(FileVersion, MalformedResourcesInAFileAreRefused) {
  testing_support::TempDir dir;
  std::string exe;
  ASSERT_TRUE(sys::ReadFileBytes(FixturePath("VersionEnUs"), exe));
  std::size_t strings = BlockOffset(exe, "StringFileInfo");
  std::size_t company = BlockOffset(exe, "CompanyName");

  std::string longChild = exe;  // a child that claims to run past its resource
  PutWord(longChild, strings, 0xFFF0);
  std::string longText = exe;  // a text longer than the whole resource
  PutWord(longText, company + 2, 0x7FF0);
  for (const auto& [name, bytes] :
       {std::pair{"long-child.exe", longChild}, std::pair{"long-text.exe", longText}}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(sys::WriteFileBytes(dir.file(name), bytes));
    TFileInfo info = Prefilled();
    EXPECT_FALSE(ReadFileInfo(dir.file(name), info, ""));
    ExpectPrefilled(info);
  }
}

TEST(FileVersion, SoundBlocksAreTheOnlyOnesHandedToTheApi) {
  std::string block = SoundResource();
  EXPECT_TRUE(Sound(WithRoom(block)));
  // Without the room the version API reserves after the block.
  EXPECT_FALSE(Sound(block));
  EXPECT_FALSE(IsSoundVersionBlock(nullptr, 100));
  EXPECT_FALSE(Sound(WithRoom(block).substr(0, 5)));

  std::string rootTooLong = WithRoom(block);
  PutWord(rootTooLong, 0, static_cast<unsigned>(rootTooLong.size() + 8));
  EXPECT_FALSE(Sound(rootTooLong));

  std::string childTooLong = WithRoom(block);
  PutWord(childTooLong, BlockOffset(block, "StringFileInfo"), static_cast<unsigned>(block.size()));
  EXPECT_FALSE(Sound(childTooLong));

  std::string textTooLong = WithRoom(block);
  PutWord(textTooLong, BlockOffset(block, "CompanyName") + 2, static_cast<unsigned>(block.size()));
  EXPECT_FALSE(Sound(textTooLong));

  std::string childTooShort = WithRoom(block);
  PutWord(childTooShort, BlockOffset(block, "VarFileInfo"), 4);
  EXPECT_FALSE(Sound(childTooShort));

  // A key that never ends: every character of the root after the header is non-zero.
  std::string endless = Block("VS_VERSION_INFO", "", false);
  endless.replace(6, endless.size() - 6, std::string(endless.size() - 6, 'A'));
  EXPECT_FALSE(Sound(WithRoom(endless)));

  // Zero padding after the last child ends the walk as the API does.
  std::string padded = block + std::string(8, '\0');
  PutWord(padded, 0, static_cast<unsigned>(padded.size()));
  EXPECT_TRUE(Sound(WithRoom(padded)));

  std::string deep = Block("Leaf", "", false);
  for (int i = 0; i < 20; ++i) deep = Block("Level", "", false, {deep});
  EXPECT_FALSE(Sound(WithRoom(deep)));
}

TEST(FileVersion, OldNarrowBlocksAreCheckedByTheirOwnLayout) {
  // 16-bit layout: length, value length, narrow key, aligned value, children.
  auto narrow = [](const std::string& key, const std::string& value,
                   const std::vector<std::string>& children) {
    std::string out(4, '\0');
    out += key + std::string(1, '\0');
    Pad4(out);
    out += value;
    for (const std::string& child : children) {
      Pad4(out);
      out += child;
    }
    PutWord(out, 0, static_cast<unsigned>(out.size()));
    PutWord(out, 2, static_cast<unsigned>(value.size()));
    return out;
  };
  std::string text = narrow("CompanyName", std::string("Acme", 5), {});
  std::string block = narrow("VS_VERSION_INFO", std::string(52, '\0'),
                             {narrow("StringFileInfo", "", {narrow("040904E4", "", {text})})});
  // The wide queries put converted copies of its texts after the block: twice its
  // size of room is needed.
  std::string roomy = block + std::string(2 * block.size(), '\0');
  EXPECT_TRUE(IsSoundVersionBlock(roomy.data(), roomy.size()));
  EXPECT_FALSE(IsSoundVersionBlock(block.data(), block.size()));
  std::string broken = roomy;
  PutWord(broken, block.find("CompanyName") - 2, 0x4000);  // its value length
  EXPECT_FALSE(IsSoundVersionBlock(broken.data(), broken.size()));
}
