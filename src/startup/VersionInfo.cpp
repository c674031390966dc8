#include "startup/VersionInfo.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "sys/VersionResource.h"

namespace startup {
namespace {

// Version blocks come in two shapes: the 32-bit one (length, value length, type,
// UTF-16 key) that every PE file carries, and the old 16-bit one (length, value
// length, narrow key). The version API tells them apart by the byte after the two
// lengths: a printable character there is the start of a narrow key.
struct BlockShape {
  std::size_t header;    // bytes before the key
  std::size_t charSize;  // bytes per key character
  bool wide;
};

constexpr BlockShape kWideShape{6, 2, true};
constexpr BlockShape kNarrowShape{4, 1, false};
constexpr int kMaxDepth = 16;  // real resources nest four deep

std::size_t Align4(std::size_t n) {
  return (n + 3) & ~std::size_t{3};
}

std::uint16_t Word(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// The walk below mirrors how the version API steps through a block, checking
// that each read it would make stays below `end` (the end of the resource).
class BlockChecker {
 public:
  BlockChecker(const std::uint8_t* base, std::size_t end, BlockShape shape)
      : base_(base), end_(end), shape_(shape) {}

  bool block(std::size_t at, int depth) const {
    if (depth > kMaxDepth || at + shape_.header > end_) return false;
    std::size_t length = Word(base_ + at);
    if (length < shape_.header + shape_.charSize || at + length > end_) return false;
    std::size_t keyEnd = 0;
    if (!keyTerminated(at, &keyEnd)) return false;
    std::size_t valueBytes = Word(base_ + at + 2);
    if (shape_.wide && Word(base_ + at + 4) != 0) valueBytes *= 2;  // text: counted in chars
    std::size_t value = at + Align4(keyEnd - at);
    if (value + valueBytes > end_) return false;
    std::size_t blockEnd = at + length;
    for (std::size_t child = value + Align4(valueBytes); child < blockEnd;) {
      if (child + shape_.header > end_) return false;
      if (Word(base_ + child) == 0) {
        // The API compares the key of an empty block before it stops there.
        std::size_t ignored = 0;
        return keyTerminated(child, &ignored);
      }
      if (!block(child, depth + 1)) return false;
      child += Align4(Word(base_ + child));
    }
    return true;
  }

 private:
  // Finds the key's terminating zero below the resource end; `keyEnd` is the
  // offset just after it.
  bool keyTerminated(std::size_t at, std::size_t* keyEnd) const {
    for (std::size_t p = at + shape_.header; p + shape_.charSize <= end_; p += shape_.charSize) {
      bool zero = shape_.wide ? Word(base_ + p) == 0 : base_[p] == 0;
      if (zero) {
        *keyEnd = p + shape_.charSize;
        return true;
      }
    }
    return false;
  }

  const std::uint8_t* base_;
  std::size_t end_;
  BlockShape shape_;
};

struct StringEntry {
  const char* name;
  std::string TFileInfo::*field;
};

constexpr StringEntry kStringEntries[] = {
    {"CompanyName", &TFileInfo::CompanyName},
    {"FileDescription", &TFileInfo::FileDescription},
    {"FileVersion", &TFileInfo::FileVersion},
    {"InternalName", &TFileInfo::InternalName},
    {"LegalCopyright", &TFileInfo::LegalCopyright},
    {"LegalTrademarks", &TFileInfo::LegalTrademarks},
    {"OriginalFileName", &TFileInfo::OriginalFileName},
    {"ProductName", &TFileInfo::ProductName},
    {"ProductVersion", &TFileInfo::ProductVersion},
    {"Comments", &TFileInfo::Comments},
};

}  // namespace

bool IsSoundVersionBlock(const void* data, std::size_t size) {
  if (!data || size < kWideShape.header) return false;
  auto* base = static_cast<const std::uint8_t*>(data);
  std::size_t length = Word(base);
  if (length > size) return false;
  bool narrow = base[4] >= ' ';
  // The loaded buffer is as large as the version API asks for: a 32-bit block is
  // followed by a four-byte signature and an area of its own size; the wide queries
  // copy the texts of an old narrow block, converted, into twice its size after it.
  if (!narrow && 2 * length + 4 > size) return false;
  if (narrow && 3 * length > size) return false;
  BlockChecker checker(base, length, narrow ? kNarrowShape : kWideShape);
  return checker.block(0, 0);
}

std::string StringTablePrefix(WORD language, WORD codePage) {
  char prefix[40];
  std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04X%04X\\",
                static_cast<unsigned>(language), static_cast<unsigned>(codePage));
  return prefix;
}

bool ReadFileInfo(const std::string& fileName, TFileInfo& info, const std::string& extraKey) {
  std::vector<std::uint8_t> data;
  if (!sys::LoadVersionResource(fileName, data)) return false;
  if (!IsSoundVersionBlock(data.data(), data.size())) return false;

  TFileInfo result = info;  // written back only on success: false leaves `info` alone
  const std::uint8_t* at = nullptr;
  std::size_t length = 0;
  std::optional<std::string> prefix;
  if (sys::QueryVersionValue(data, "\\VarFileInfo\\Translation", &at, &length) &&
      length >= sizeof(DWORD)) {
    DWORD pair = 0;
    std::memcpy(&pair, at, sizeof pair);
    prefix = StringTablePrefix(LOWORD(pair), HIWORD(pair));
  }
  // Without a translation list there is no string table to name: every text is empty.
  for (const StringEntry& entry : kStringEntries) {
    result.*entry.field =
        prefix ? sys::QueryVersionText(data, *prefix + entry.name).value_or("") : "";
  }
  if (sys::QueryVersionValue(data, "\\", &at, &length) && length >= sizeof(VS_FIXEDFILEINFO))
    std::memcpy(&result.FixedInfo, at, sizeof(VS_FIXEDFILEINFO));
  if (prefix && !extraKey.empty()) {
    if (auto extra = sys::QueryVersionText(data, *prefix + extraKey)) result.ExtraValue = *extra;
  }
  info = std::move(result);
  return true;
}

}  // namespace startup
