#include "AboutTestSupport.h"

#include <zlib.h>

#include <map>
#include <ostream>

#include "sys/Files.h"
#include "ui/LanguageTable.h"
#include "ui/SkinTable.h"

namespace about_test {
namespace {

std::map<UINT_PTR, DelayedAction*>& Pending() {
  static std::map<UINT_PTR, DelayedAction*> pending;
  return pending;
}

void PutBigEndian(std::string& out, unsigned long value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void PutChunk(std::string& out, const char type[4], const std::string& body) {
  PutBigEndian(out, static_cast<unsigned long>(body.size()));
  std::string data(type, 4);
  data += body;
  out += data;
  PutBigEndian(
      out, crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

}  // namespace

void ProgramFolderTest::SetUp() {
  savedPaths_ = app::AppPaths;
  app::TAppPaths paths;
  paths.ProgramDir = dir_.path();
  paths.ConfigFile = paths.ProgramDir + "Config.ini";
  paths.LangsDir = paths.ProgramDir + "Langs\\";
  paths.LanguageFilePath = paths.LangsDir + "English.ini";
  paths.HelpFile = paths.LangsDir + "Help.Chm";
  paths.SkinsDir = paths.ProgramDir + "Skins\\";
  paths.SkinFilePath = paths.SkinsDir + "Default.ini";
  paths.RegBackupDir = paths.ProgramDir + "Back up\\reg\\";
  paths.ScrBackupDir = paths.ProgramDir + "Back up\\scr\\";
  app::AppPaths = paths;
  ASSERT_TRUE(sys::ForceDirectories(paths.LangsDir));
  ASSERT_TRUE(sys::ForceDirectories(paths.SkinsDir));
  ui::LanguageTable().resetToDefaults();
  ui::SkinTable().resetToDefaults();
}

void ProgramFolderTest::TearDown() {
  app::AppPaths = savedPaths_;
  ui::LanguageTable().resetToDefaults();
  ui::SkinTable().resetToDefaults();
}

void WriteSolidPng(const std::string& path, int width, int height, COLORREF colour) {
  std::string rows;
  rows.reserve(static_cast<size_t>(height) * (1 + 3 * width));
  for (int y = 0; y < height; ++y) {
    rows.push_back(0);  // filter: none
    for (int x = 0; x < width; ++x) {
      rows.push_back(static_cast<char>(GetRValue(colour)));
      rows.push_back(static_cast<char>(GetGValue(colour)));
      rows.push_back(static_cast<char>(GetBValue(colour)));
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::string packed(packedSize, '\0');
  ASSERT_EQ(compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                     reinterpret_cast<const Bytef*>(rows.data()), static_cast<uLong>(rows.size())),
            Z_OK);
  packed.resize(packedSize);

  std::string header;
  PutBigEndian(header, static_cast<unsigned long>(width));
  PutBigEndian(header, static_cast<unsigned long>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  std::string png("\x89PNG\r\n\x1a\n", 8);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  WriteText(path, png);
}

void WriteText(const std::string& path, const std::string& text) {
  ASSERT_TRUE(sys::WriteFileBytes(path, text)) << path;
}

DelayedAction::DelayedAction(UINT ms, std::function<void()> action) : action_(std::move(action)) {
  timer_ = SetTimer(nullptr, 0, ms, &DelayedAction::Tick);
  EXPECT_NE(timer_, 0u);
  if (timer_) Pending()[timer_] = this;
}

DelayedAction::~DelayedAction() {
  if (timer_) {
    KillTimer(nullptr, timer_);
    Pending().erase(timer_);
  }
}

void CALLBACK DelayedAction::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto found = Pending().find(id);
  if (found == Pending().end()) return;
  DelayedAction* self = found->second;
  Pending().erase(found);
  self->timer_ = 0;
  self->ran_ = true;
  if (self->action_) self->action_();
}

Box ChildBox(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return Box{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::ostream& operator<<(std::ostream& out, const Box& box) {
  return out << "{" << box.left << ", " << box.top << ", " << box.width << ", " << box.height
             << "}";
}

}  // namespace about_test
