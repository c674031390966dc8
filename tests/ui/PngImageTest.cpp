#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "ui/PngImage.h"

using ui::DecodePng;
using ui::Picture;
using ui::PictureError;
using ui_test::EncodePng;
using ui_test::PngChunk;
using ui_test::PngDesc;

namespace {

// 0xAARRGGBB, premultiplied, as Picture stores pixels.
std::uint32_t Argb(unsigned a, unsigned r, unsigned g, unsigned b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

std::string SmallRgba() {
  PngDesc desc;
  desc.width = 3;
  desc.height = 2;
  // Opaque red, half-transparent white, fully transparent green; then blue,
  // opaque magenta, opaque black.
  return EncodePng(desc, {255, 0, 0,   255, 255, 255, 255, 128, 0, 255, 0, 0,
                          0,   0, 255, 255, 255, 0,   255, 255, 0, 0,   0, 255});
}

}  // namespace

TEST(DecodePng, GivesTopDownPremultipliedPixels) {
  Picture p = DecodePng(SmallRgba());
  ASSERT_FALSE(p.empty());
  EXPECT_EQ(p.width(), 3);
  EXPECT_EQ(p.height(), 2);
  EXPECT_TRUE(p.hasAlpha());
  EXPECT_EQ(p.pixel(0, 0), Argb(255, 255, 0, 0));
  EXPECT_EQ(p.pixel(1, 0), Argb(128, 128, 128, 128));
  EXPECT_EQ(p.pixel(2, 0), Argb(0, 0, 0, 0));
  EXPECT_EQ(p.pixel(0, 1), Argb(255, 0, 0, 255));
  EXPECT_EQ(p.pixel(1, 1), Argb(255, 255, 0, 255));
  EXPECT_EQ(p.pixel(2, 1), Argb(255, 0, 0, 0));

  // The section really holds those pixels: GDI reads the same through the HBITMAP.
  BITMAP info{};
  ASSERT_TRUE(GetObjectA(p.bitmap(), sizeof info, &info));
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(info.bmWidth, 3);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, p.bitmap());
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 255));
  SelectObject(dc, old);
  DeleteDC(dc);
}

TEST(DecodePng, ReadsEveryColourTypeAndDepth) {
  {  // 8-bit RGB: opaque, so no alpha
    PngDesc desc;
    desc.width = 2;
    desc.colourType = 2;
    Picture p = DecodePng(EncodePng(desc, {10, 20, 30, 255, 0, 255}));
    EXPECT_FALSE(p.hasAlpha());
    EXPECT_EQ(p.pixel(0, 0), Argb(255, 10, 20, 30));
    EXPECT_EQ(p.pixel(1, 0), Argb(255, 255, 0, 255));
  }
  {  // 1-bit grey
    PngDesc desc;
    desc.width = 9;
    desc.colourType = 0;
    desc.bitDepth = 1;
    Picture p = DecodePng(EncodePng(desc, {1, 0, 1, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(p.pixel(0, 0), Argb(255, 255, 255, 255));
    EXPECT_EQ(p.pixel(1, 0), Argb(255, 0, 0, 0));
    EXPECT_EQ(p.pixel(8, 0), Argb(255, 255, 255, 255));
  }
  {  // 16-bit grey with alpha
    PngDesc desc;
    desc.colourType = 4;
    desc.bitDepth = 16;
    Picture p = DecodePng(EncodePng(desc, {0xFFFF, 0x0000}));
    EXPECT_EQ(p.pixel(0, 0), Argb(0, 0, 0, 0));
  }
  {  // 16-bit RGBA
    PngDesc desc;
    desc.bitDepth = 16;
    Picture p = DecodePng(EncodePng(desc, {0xFFFF, 0x8000, 0x0000, 0xFFFF}));
    EXPECT_EQ(p.pixel(0, 0), Argb(255, 255, 128, 0));
  }
  {  // 4-bit palette with a transparent entry
    PngDesc desc;
    desc.width = 3;
    desc.colourType = 3;
    desc.bitDepth = 4;
    desc.palette = {255, 0, 255, 0, 128, 255, 9, 9, 9};
    desc.transparency = {255, 0};
    Picture p = DecodePng(EncodePng(desc, {0, 1, 2}));
    EXPECT_TRUE(p.hasAlpha());
    EXPECT_EQ(p.pixel(0, 0), Argb(255, 255, 0, 255));
    EXPECT_EQ(p.pixel(1, 0), Argb(0, 0, 0, 0));
    EXPECT_EQ(p.pixel(2, 0), Argb(255, 9, 9, 9));
  }
}

TEST(DecodePng, ReadsInterlacedPictures) {
  PngDesc desc;
  desc.width = 11;
  desc.height = 7;
  desc.colourType = 2;
  desc.interlaced = true;
  std::vector<unsigned> samples;
  for (int y = 0; y < desc.height; ++y)
    for (int x = 0; x < desc.width; ++x) {
      samples.push_back(x * 20);
      samples.push_back(y * 30);
      samples.push_back((x + y) % 2 ? 255 : 0);
    }
  Picture p = DecodePng(EncodePng(desc, samples));
  for (int y = 0; y < desc.height; ++y)
    for (int x = 0; x < desc.width; ++x)
      ASSERT_EQ(p.pixel(x, y), Argb(255, x * 20, y * 30, (x + y) % 2 ? 255 : 0)) << x << "," << y;
}

TEST(DecodePng, BrokenDataIsAnErrorNeverACrash) {
  const std::string good = SmallRgba();
  EXPECT_THROW(DecodePng(""), PictureError);
  EXPECT_THROW(DecodePng("GIF89a"), PictureError);
  EXPECT_THROW(DecodePng(good.substr(0, 8)), PictureError);  // signature only
  for (size_t cut : {12u, 20u, 33u, 40u, 50u}) {             // truncated anywhere
    ASSERT_LT(cut, good.size());
    EXPECT_THROW(DecodePng(good.substr(0, cut)), PictureError) << cut;
  }
  EXPECT_THROW(DecodePng(good.substr(0, good.size() - 12)), PictureError);  // no IEND

  std::string badCrc = good;
  badCrc[29] ^= 0x01;  // a byte of IHDR's CRC
  EXPECT_THROW(DecodePng(badCrc), PictureError);

  std::string badData = good;
  size_t idat = badData.find("IDAT");
  badData[idat + 6] ^= 0x55;  // inside the deflate stream; CRC now wrong as well
  EXPECT_THROW(DecodePng(badData), PictureError);

  PngDesc zero;
  zero.width = 0;
  EXPECT_THROW(DecodePng(EncodePng(zero, {})), PictureError);
}

TEST(DecodePng, ForgedHugeDimensionsAreRefusedBeforeAllocating) {
  // A valid header asking for 100000 x 100000 pixels, with no data behind it.
  std::string ihdr("\x00\x01\x86\xA0\x00\x01\x86\xA0\x08\x06\x00\x00\x00", 13);
  std::string png =
      std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr) + PngChunk("IEND", "");
  EXPECT_THROW(DecodePng(png), PictureError);
  // Within the per-side limit but too many pixels in all.
  std::string wide("\x00\x00\x20\x00\x00\x00\x20\x00\x08\x06\x00\x00\x00", 13);
  EXPECT_THROW(DecodePng(std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", wide) +
                         PngChunk("IEND", "")),
               PictureError);
}

TEST(LoadPictureFile, ChoosesTheDecoderByExtension) {
  testing_support::TempDir dir;
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("a.PNG"), SmallRgba()));
  EXPECT_EQ(ui::LoadPictureFile(dir.file("a.PNG")).width(), 3);
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("a.gif"), SmallRgba()));
  EXPECT_THROW(ui::LoadPictureFile(dir.file("a.gif")), PictureError);
  EXPECT_THROW(ui::LoadPictureFile(dir.file("missing.png")), PictureError);
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("fake.bmp"), "BM not really"));
  EXPECT_THROW(ui::LoadPictureFile(dir.file("fake.bmp")), PictureError);

  // A real 2x1 24-bit bitmap file.
  std::string bmp("BM", 2);
  auto le32 = [](std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  le32(bmp, 14 + 40 + 8);
  le32(bmp, 0);
  le32(bmp, 14 + 40);
  le32(bmp, 40);
  le32(bmp, 2);
  le32(bmp, 1);
  bmp += std::string("\x01\x00\x18\x00", 4);
  le32(bmp, 0);
  le32(bmp, 8);
  le32(bmp, 2835);
  le32(bmp, 2835);
  le32(bmp, 0);
  le32(bmp, 0);
  bmp += std::string("\xFF\x00\x00\x00\x00\xFF\x00\x00", 8);  // blue, red (BGR), padding
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("two.bmp"), bmp));
  Picture p = ui::LoadPictureFile(dir.file("two.bmp"));
  ASSERT_EQ(p.width(), 2);
  EXPECT_FALSE(p.hasAlpha());
  EXPECT_EQ(p.pixel(0, 0), Argb(255, 0, 0, 255));
  EXPECT_EQ(p.pixel(1, 0), Argb(255, 255, 0, 0));
}

TEST(Picture, ClonesAreDeepCopies) {
  Picture p = DecodePng(SmallRgba());
  Picture copy = p.clone();
  ASSERT_NE(copy.bitmap(), p.bitmap());
  EXPECT_EQ(copy.pixel(1, 0), p.pixel(1, 0));
  copy.pixels()[0] = 0;
  EXPECT_EQ(p.pixel(0, 0), Argb(255, 255, 0, 0));
  Picture empty;
  EXPECT_TRUE(empty.clone().empty());
  Picture assigned;
  assigned.assign(p);
  EXPECT_EQ(assigned.width(), 3);
  EXPECT_TRUE(assigned.hasAlpha());
}

TEST(DefaultSkinPictures, AllDecodeAtTheSizesTheSkinGivesThem) {
  const std::string skins = testing_support::ProgramBinDir() + "Skins\\";
  struct Expect {
    const char* file;
    int width, height;
  };
  for (const Expect& e :
       {Expect{"img_Main.png", 763, 538}, Expect{"Title.png", 287, 17},
        Expect{"btnMin_Normal.png", 21, 21}, Expect{"btnFile_Down.png", 117, 34},
        Expect{"btnProgramList_Down.png", 106, 35}, Expect{"btnStartUpItems_Down.png", 164, 32},
        Expect{"btnUninstall_Hover.png", 130, 36}, Expect{"btnSearch_Disabled.png", 130, 36},
        Expect{"img_SizePanel.png", 160, 394}, Expect{"img_About.png", 125, 278},
        Expect{"img_ProgressBar.png", 391, 182}, Expect{"img_Splash.png", 503, 240}}) {
    Picture p = ui::LoadPictureFile(skins + e.file);
    EXPECT_EQ(p.width(), e.width) << e.file;
    EXPECT_EQ(p.height(), e.height) << e.file;
    EXPECT_FALSE(p.hasAlpha()) << e.file;  // opaque: they suit any way of drawing
  }
  // The main window's corners are see-through magenta; its inside is not.
  Picture main = ui::LoadPictureFile(skins + "img_Main.png");
  EXPECT_EQ(main.pixel(0, 0), Argb(255, 255, 0, 255));
  EXPECT_EQ(main.pixel(762, 537), Argb(255, 255, 0, 255));
  EXPECT_NE(main.pixel(381, 0), Argb(255, 255, 0, 255));
  EXPECT_NE(main.pixel(381, 300), Argb(255, 255, 0, 255));
  int magenta = 0;
  for (int y = 0; y < main.height(); ++y)
    for (int x = 0; x < main.width(); ++x)
      if (main.pixel(x, y) == Argb(255, 255, 0, 255)) ++magenta;
  EXPECT_GT(magenta, 4 * 10);  // the four rounded corners
  EXPECT_LT(magenta, 4 * 40);
}
