// What a skinned button draws, read back pixel by pixel from real renderings.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ButtonTestSupport.h"

namespace {

using namespace button_tests;
using ui::ButtonState;
using ui::TArButton;
using ui::TArPicAlign;
using ui::TArTextAlign;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kButtonColor = RGB(10, 20, 30);
constexpr COLORREF kFormErase = RGB(0, 128, 0);

ui::ArFont FontIn(COLORREF color, bool bold = true) {
  ui::ArFont font;
  font.setName("Tahoma");
  font.setSize(12);
  font.setBold(bold);
  font.setColor(color);
  return font;
}

class ArButtonPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    ParkCursor();
    form.eraseColor = kFormErase;
    button.SetColor(kButtonColor);
    ASSERT_TRUE(button.Create(form.hwnd(), 1, 50, 20, 40, 30));
    Pump(20);
  }
  void TearDown() override { ParkCursor(); }

  // Gives every state the same caption font in `color`.
  void SetAllFonts(COLORREF color) {
    button.SetFont(FontIn(color));
    button.SetFontMouseHover(FontIn(color));
    button.SetFontMouseDown(FontIn(color));
    button.SetFontDisabled(FontIn(color));
  }
  // Text pixels: anything that is not the plain background.
  static auto NotColor(COLORREF background) {
    return [bg = Px(background)](Pixel p) { return p != bg; };
  }

  HostForm form;
  TArButton button;
};

TEST_F(ArButtonPaint, EachStateShowsItsOwnPicture) {
  button.SetPicNormal(SolidPicture(40, 30, kRed));
  button.SetPicMouseHover(SolidPicture(40, 30, kBlue));
  button.SetPicMouseDown(SolidPicture(40, 30, kYellow));
  button.SetPicDisabled(SolidPicture(40, 30, kCyan));

  EXPECT_EQ(Render(button).at(20, 15), Px(kRed));
  MouseMove(button.hwnd(), 5, 5);
  EXPECT_EQ(Render(button).at(20, 15), Px(kBlue));
  LeftDown(button.hwnd(), 5, 5);
  EXPECT_EQ(Render(button).at(20, 15), Px(kYellow));
  LeftUp(button.hwnd(), 5, 5);
  EXPECT_EQ(Render(button).at(20, 15), Px(kBlue));
  button.SetEnabled(false);
  EXPECT_EQ(Render(button).at(20, 15), Px(kCyan)) << "disabled wins over hover";
}

TEST_F(ArButtonPaint, OnlyPicNormalShowsInEveryStateWhileTheFontsStillChange) {
  button.SetPicNormal(SolidPicture(40, 30, kRed));
  button.SetCaption("WW");
  button.SetFont(FontIn(kWhite));
  button.SetFontMouseHover(FontIn(kBlue));
  button.SetFontMouseDown(FontIn(kYellow));
  button.SetFontDisabled(FontIn(kBlack));

  auto expectLook = [&](COLORREF font, const char* state) {
    const Image image = Render(button);
    EXPECT_EQ(image.at(0, 0), Px(kRed)) << state;
    EXPECT_GT(image.count(Px(font)), 5) << state;
    for (COLORREF other : {kWhite, kBlue, kYellow, kBlack}) {
      if (other != font) {
        EXPECT_EQ(image.count(Px(other)), 0) << state;
      }
    }
  };
  expectLook(kWhite, "normal");
  MouseMove(button.hwnd(), 5, 5);
  expectLook(kBlue, "hover");
  LeftDown(button.hwnd(), 5, 5);
  expectLook(kYellow, "pressed");
  LeftUp(button.hwnd(), 5, 5);
  button.SetEnabled(false);
  expectLook(kBlack, "disabled: PicNormal with FontDisabled");
}

TEST_F(ArButtonPaint, NoPictureAtAllShowsTheButtonColour) {
  const Image image = Render(button);
  EXPECT_EQ(image.count(Px(kButtonColor)), 40 * 30);
}

TEST_F(ArButtonPaint, PictureAlignPlacesThePicture) {
  button.SetBounds(50, 20, 41, 31);
  button.SetPicNormal(SolidPicture(10, 6, kRed));
  struct Case {
    TArPicAlign align;
    RECT expected;
  } cases[] = {
      {TArPicAlign::paTopLeft, {0, 0, 10, 6}},
      {TArPicAlign::paTopCenter, {15, 0, 25, 6}},
      {TArPicAlign::paTopRight, {31, 0, 41, 6}},
      {TArPicAlign::paMiddleLeft, {0, 12, 10, 18}},
      {TArPicAlign::paLeft, {0, 12, 10, 18}},
      {TArPicAlign::paMiddleCenter, {15, 12, 25, 18}},
      {TArPicAlign::paCenter, {15, 12, 25, 18}},
      {TArPicAlign::paMiddleRight, {31, 12, 41, 18}},
      {TArPicAlign::paRight, {31, 12, 41, 18}},
      {TArPicAlign::paBottomLeft, {0, 25, 10, 31}},
      {TArPicAlign::paBottomCenter, {15, 25, 25, 31}},
      {TArPicAlign::paBottomRight, {31, 25, 41, 31}},
      {TArPicAlign::paCustom, {7, 4, 17, 10}},
  };
  button.SetPictureX(7);
  button.SetPictureY(4);
  for (const Case& c : cases) {
    button.SetPictureAlign(c.align);
    const Image image = Render(button);
    const RECT got = image.bounds([](Pixel p) { return p == Px(kRed); });
    EXPECT_TRUE(EqualRect(&got, &c.expected))
        << "alignment " << static_cast<int>(c.align) << ": " << Describe(got) << " instead of "
        << Describe(c.expected);
    EXPECT_EQ(image.count(Px(kRed)), 60) << "drawn at its own size";
    EXPECT_EQ(image.count(Px(kButtonColor)), 41 * 31 - 60);
  }
}

TEST_F(ArButtonPaint, StretchFillsFromTheOriginToTheBottomRightCorner) {
  button.SetPicNormal(SolidPicture(10, 6, kRed));
  button.SetStretch(true);
  EXPECT_EQ(Render(button).count(Px(kRed)), 40 * 30);

  button.SetPictureAlign(TArPicAlign::paCenter);
  const Image image = Render(button);
  const RECT got = image.bounds([](Pixel p) { return p == Px(kRed); });
  const RECT expected{15, 12, 40, 30};
  EXPECT_TRUE(EqualRect(&got, &expected)) << Describe(got);
  EXPECT_EQ(image.count(Px(kRed)), 25 * 18);
}

TEST_F(ArButtonPaint, TranslucentPixelsBlendOverTheBackground) {
  button.SetColor(kBlack);
  ui::Picture picture = ui::Picture::Create(3, 1);
  PutPixel(picture, 0, 0, kWhite, 255);
  PutPixel(picture, 1, 0, kWhite, 0);
  PutPixel(picture, 2, 0, kWhite, 128);
  picture.updateAlphaFlag();
  ASSERT_TRUE(picture.hasAlpha());
  button.SetPicNormal(picture);
  const Image image = Render(button);
  EXPECT_EQ(image.at(0, 0), Px(kWhite));
  EXPECT_EQ(image.at(1, 0), Px(kBlack));
  const int half = static_cast<int>(image.at(2, 0) & 0xFF);
  EXPECT_NEAR(half, 128, 3);
}

TEST_F(ArButtonPaint, ColourKeyLetsTheParentsPaintingShowThrough) {
  // The parent paints blue left of x = 70, i.e. left of the button's x = 20.
  form.rects.push_back({RECT{0, 0, 70, 200}, kBlue});
  ui::Picture picture = SolidPicture(40, 30, kMagenta);
  FillPicture(picture, RECT{10, 10, 30, 20}, kRed);
  button.SetPicNormal(picture);
  button.SetTransparent(true);
  button.SetEnableTransparentColor(true);

  Image image = Render(button);
  EXPECT_EQ(image.at(5, 5), Px(kBlue)) << "the parent's own painting";
  EXPECT_EQ(image.at(35, 5), Px(kFormErase)) << "the parent's background";
  EXPECT_EQ(image.at(15, 15), Px(kRed)) << "the picture's opaque part";
  EXPECT_EQ(image.count(Px(kMagenta)), 0);

  button.SetTransparent(false);
  image = Render(button);
  EXPECT_EQ(image.at(5, 5), Px(kButtonColor)) << "without Transparent: the button's colour";
  EXPECT_EQ(image.at(15, 15), Px(kRed));

  button.SetEnableTransparentColor(false);
  image = Render(button);
  EXPECT_EQ(image.at(5, 5), Px(kMagenta)) << "without the key the picture is drawn in full";
}

TEST_F(ArButtonPaint, ColourKeyCanBeAnyColour) {
  ui::Picture picture = SolidPicture(40, 30, kCyan);
  FillPicture(picture, RECT{0, 0, 20, 30}, kMagenta);
  button.SetPicNormal(picture);
  button.SetEnableTransparentColor(true);
  button.SetTransparentColor(kCyan);
  const Image image = Render(button);
  EXPECT_EQ(image.at(5, 5), Px(kMagenta));
  EXPECT_EQ(image.at(35, 5), Px(kButtonColor));
}

TEST_F(ArButtonPaint, StretchedPictureKeepsItsKeyColourExact) {
  ui::Picture picture = SolidPicture(4, 3, kRed);
  PutPixel(picture, 0, 0, kMagenta);
  button.SetPicNormal(picture);
  button.SetStretch(true);
  button.SetEnableTransparentColor(true);
  const Image image = Render(button);
  EXPECT_EQ(image.count(Px(kButtonColor)), 10 * 10);
  EXPECT_EQ(image.count(Px(kRed)), 40 * 30 - 100);
}

TEST_F(ArButtonPaint, TransparentButtonWithoutPictureShowsTheParent) {
  form.rects.push_back({RECT{60, 30, 80, 40}, kYellow});
  button.SetTransparent(true);
  const Image image = Render(button);
  // The yellow rectangle lands at (10, 10)-(30, 20) of the button.
  const RECT got = image.bounds([](Pixel p) { return p == Px(kYellow); });
  const RECT expected{10, 10, 30, 20};
  EXPECT_TRUE(EqualRect(&got, &expected)) << Describe(got);
  EXPECT_EQ(image.count(Px(kFormErase)), 40 * 30 - 200);
}

TEST_F(ArButtonPaint, PictureSettersCopyThePicture) {
  ui::Picture picture = SolidPicture(40, 30, kRed);
  button.SetPicNormal(picture);
  FillPicture(picture, RECT{0, 0, 40, 30}, kBlue);
  EXPECT_EQ(Render(button).at(20, 15), Px(kRed));
  EXPECT_EQ(button.PicNormal().width(), 40);
}

TEST_F(ArButtonPaint, BorderFrameIsBlackOrGreyWhenDisabled) {
  button.SetDrawBorder(true);
  auto perimeterIs = [](const Image& image, Pixel value) {
    for (int x = 0; x < image.width; ++x) {
      if (image.at(x, 0) != value || image.at(x, image.height - 1) != value) return false;
    }
    for (int y = 0; y < image.height; ++y) {
      if (image.at(0, y) != value || image.at(image.width - 1, y) != value) return false;
    }
    return true;
  };
  Image image = Render(button);
  EXPECT_TRUE(perimeterIs(image, Px(kBlack)));
  EXPECT_EQ(image.at(1, 1), Px(kButtonColor));
  button.SetEnabled(false);
  image = Render(button);
  EXPECT_TRUE(perimeterIs(image, Px(RGB(128, 128, 128))));
  button.SetDrawBorder(false);
  EXPECT_EQ(Render(button).count(Px(kButtonColor)), 40 * 30);
}

TEST_F(ArButtonPaint, FocusFrameIsInsetByTheMargin) {
  button.SetColor(kWhite);
  auto blackIn = [](const Image& image, int row) {
    int n = 0;
    for (int x = 0; x < image.width; ++x) n += image.at(x, row) == Px(kBlack);
    return n;
  };
  EXPECT_EQ(Render(button).count(Px(kWhite)), 40 * 30) << "no frame without the focus";

  SetFocus(button.hwnd());
  Pump(15);
  Image image = Render(button);
  EXPECT_GT(blackIn(image, 2), 8) << "dotted line at the default margin of 2";
  EXPECT_EQ(blackIn(image, 1), 0);
  auto blackInColumn = [](const Image& image, int column) {
    int n = 0;
    for (int y = 3; y < image.height - 3; ++y) n += image.at(column, y) == Px(kBlack);
    return n;
  };
  EXPECT_GT(blackInColumn(image, 2), 5) << "left side";
  EXPECT_GT(blackInColumn(image, 37), 5) << "right side";
  EXPECT_EQ(blackInColumn(image, 1) + blackInColumn(image, 20) + blackInColumn(image, 38), 0);

  button.SetFocusedRectMargin(5);
  image = Render(button);
  EXPECT_EQ(blackIn(image, 2), 0);
  EXPECT_GT(blackIn(image, 5), 8);

  button.SetDrawFocused(false);
  EXPECT_EQ(Render(button).count(Px(kWhite)), 40 * 30);
  button.SetDrawFocused(true);
  button.SetTabStop(false);
  EXPECT_EQ(Render(button).count(Px(kWhite)), 40 * 30) << "only a tab stop shows the frame";
}

TEST_F(ArButtonPaint, OnScreenPaintingFollowsTheState) {
  button.SetPicNormal(SolidPicture(40, 30, kRed));
  button.SetPicMouseHover(SolidPicture(40, 30, kBlue));
  UpdateWindow(form.hwnd());
  Pump(30);
  EXPECT_EQ(ScreenShot(button.hwnd()).at(20, 15), Px(kRed));
  MouseMove(button.hwnd(), 5, 5);
  Pump(30);
  EXPECT_EQ(ScreenShot(button.hwnd()).at(20, 15), Px(kBlue));
}

class ArButtonCaption : public ArButtonPaint {
 protected:
  void SetUp() override {
    ArButtonPaint::SetUp();
    button.SetBounds(50, 20, 120, 40);
    button.SetColor(kWhite);
    button.SetTabStop(false);  // a press takes no focus: no focus frame among the text
    SetAllFonts(kBlack);
    button.SetCaption("Mm");
  }
  RECT TextBounds() { return Render(button).bounds(NotColor(kWhite)); }
};

TEST_F(ArButtonCaption, TextAlignPlacesTheCaption) {
  auto at = [&](TArTextAlign align) {
    button.SetTextAlign(align);
    const RECT r = TextBounds();
    EXPECT_FALSE(IsRectEmpty(&r)) << static_cast<int>(align);
    return r;
  };
  const RECT topLeft = at(TArTextAlign::taTopLeft);
  const RECT topCenter = at(TArTextAlign::taTopCenter);
  const RECT topRight = at(TArTextAlign::taTopRight);
  const RECT middleLeft = at(TArTextAlign::taMiddleLeft);
  const RECT center = at(TArTextAlign::taCenter);
  const RECT middleRight = at(TArTextAlign::taMiddleRight);
  const RECT bottomLeft = at(TArTextAlign::taBottomLeft);
  const RECT bottomCenter = at(TArTextAlign::taBottomCenter);
  const RECT bottomRight = at(TArTextAlign::taBottomRight);

  EXPECT_LE(topLeft.left, 3);
  EXPECT_LE(topLeft.top, 6);
  EXPECT_GE(topRight.right, 117);
  EXPECT_GE(bottomLeft.bottom, 36);
  EXPECT_NEAR((center.left + center.right) / 2, 60, 3) << Describe(center);
  EXPECT_NEAR((center.top + center.bottom) / 2, 20, 4) << Describe(center);
  EXPECT_LT(topLeft.left + 20, topCenter.left);
  EXPECT_LT(topCenter.left + 20, topRight.left);
  EXPECT_LT(topLeft.top + 5, middleLeft.top);
  EXPECT_LT(middleLeft.top + 5, bottomLeft.top);
  EXPECT_EQ(center.top, middleRight.top);
  EXPECT_EQ(topRight.left, bottomRight.left);
  EXPECT_EQ(topCenter.left, bottomCenter.left);

  // The synonyms draw exactly as their full names.
  const RECT left = at(TArTextAlign::taLeft);
  const RECT right = at(TArTextAlign::taRight);
  const RECT middleCenter = at(TArTextAlign::taMiddleCenter);
  EXPECT_TRUE(EqualRect(&left, &middleLeft));
  EXPECT_TRUE(EqualRect(&right, &middleRight));
  EXPECT_TRUE(EqualRect(&middleCenter, &center));
}

TEST_F(ArButtonCaption, CustomCaptionStartsAtTextXYAndStaysWhenPressed) {
  button.SetTextAlign(TArTextAlign::taCustom);
  button.SetTextX(40);
  button.SetTextY(10);
  const RECT normal = TextBounds();
  EXPECT_GE(normal.left, 40);
  EXPECT_LE(normal.left, 43) << Describe(normal);
  EXPECT_GE(normal.top, 10);
  EXPECT_LE(normal.top, 16) << Describe(normal);

  MouseMove(button.hwnd(), 5, 5);
  LeftDown(button.hwnd(), 5, 5);
  ASSERT_TRUE(button.Pressed());
  const RECT pressed = TextBounds();
  EXPECT_TRUE(EqualRect(&normal, &pressed)) << Describe(pressed);
}

TEST_F(ArButtonCaption, CentredCaptionMovesOnePixelWhenPressed) {
  const RECT normal = TextBounds();
  MouseMove(button.hwnd(), 5, 5);
  LeftDown(button.hwnd(), 5, 5);
  ASSERT_TRUE(button.Pressed());
  RECT pressed = TextBounds();
  OffsetRect(&pressed, -1, -1);
  EXPECT_TRUE(EqualRect(&normal, &pressed)) << Describe(normal) << " vs " << Describe(pressed);
}

TEST_F(ArButtonCaption, MultiLinesWrapsAtWords) {
  button.SetBounds(50, 20, 60, 80);
  button.SetTextAlign(TArTextAlign::taTopLeft);
  button.SetCaption("one two three four");
  const RECT single = TextBounds();
  button.SetMultiLines(true);
  const RECT multi = TextBounds();
  EXPECT_GT(multi.bottom - multi.top, 2 * (single.bottom - single.top))
      << Describe(single) << " vs " << Describe(multi);
  EXPECT_LE(multi.right, 60);
}

TEST_F(ArButtonCaption, MultiLineCaptionsKeepTheirSideButStartAtTheTop) {
  auto at = [&](TArTextAlign align, bool multiLines) {
    button.SetTextAlign(align);
    button.SetMultiLines(multiLines);
    const RECT r = TextBounds();
    EXPECT_FALSE(IsRectEmpty(&r)) << static_cast<int>(align);
    return r;
  };
  const RECT topLeft = at(TArTextAlign::taTopLeft, true);
  const RECT singleBottom = at(TArTextAlign::taBottomLeft, false);
  ASSERT_GT(singleBottom.top, topLeft.top + 5) << "premise: one line goes to the bottom";
  // Vertical placement is for single lines only; the side still counts.
  for (TArTextAlign align : {TArTextAlign::taMiddleLeft, TArTextAlign::taBottomLeft,
                             TArTextAlign::taCenter, TArTextAlign::taBottomRight}) {
    const RECT r = at(align, true);
    EXPECT_EQ(r.top, topLeft.top) << static_cast<int>(align) << " " << Describe(r);
  }
  EXPECT_EQ(at(TArTextAlign::taBottomLeft, true).left, topLeft.left);
  EXPECT_NEAR((at(TArTextAlign::taCenter, true).left + at(TArTextAlign::taCenter, true).right) / 2,
              60, 3);
  EXPECT_GE(at(TArTextAlign::taBottomRight, true).right, 117);
}

TEST_F(ArButtonCaption, TabsAreExpandedOnOneLineAndOnSeveral) {
  button.SetTextAlign(TArTextAlign::taTopLeft);
  for (bool multiLines : {false, true}) {
    button.SetMultiLines(multiLines);
    button.SetCaption("Mm");
    const RECT plain = TextBounds();
    button.SetCaption("M\tm");
    const RECT tabbed = TextBounds();
    // A tab stop lies eight average characters on: far more than one letter's room.
    EXPECT_GT(tabbed.right - tabbed.left, plain.right - plain.left + 15)
        << (multiLines ? "several lines " : "one line ") << Describe(plain) << " vs "
        << Describe(tabbed);
    EXPECT_EQ(tabbed.top, plain.top);
  }
}

TEST_F(ArButtonCaption, BlankCaptionIsNotDrawn) {
  ui::ArFont underlined = FontIn(kBlack);
  underlined.setUnderline(true);
  button.SetFont(underlined);
  // An underlined font does draw blanks: the button must not even try.
  {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT all{0, 0, 120, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ oldFont = SelectObject(dc, underlined.handle());
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, "   ", 3, &all, DT_SINGLELINE);
    int marked = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 120; ++x) marked += GetPixel(dc, x, y) != kWhite;
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ASSERT_GT(marked, 0) << "premise: blanks in an underlined font leave a line";
  }
  button.SetCaption("   ");
  EXPECT_EQ(Render(button).count(Px(kWhite)), 120 * 40);
  button.SetCaption(" \t ");
  EXPECT_EQ(Render(button).count(Px(kWhite)), 120 * 40);
  button.SetCaption(" a ");
  EXPECT_LT(Render(button).count(Px(kWhite)), 120 * 40);
}

TEST_F(ArButtonCaption, AmpersandUnderlinesTheAcceleratorAndDoublesToOne) {
  button.SetTextAlign(TArTextAlign::taTopLeft);
  button.SetCaption("M");
  const RECT plain = TextBounds();
  button.SetCaption("&M");
  const RECT accel = TextBounds();
  EXPECT_GT(accel.bottom, plain.bottom) << "underline below the letter";
  EXPECT_LE(accel.right - accel.left, plain.right - plain.left + 1) << "no '&' drawn";

  button.SetCaption("&&");
  const RECT one = TextBounds();
  button.SetCaption("&&&&");
  const RECT two = TextBounds();
  EXPECT_GT(two.right - two.left, one.right - one.left);
  EXPECT_LT(one.right - one.left, 15) << "\"&&\" shows a single ampersand";
}

TEST_F(ArButtonCaption, CaptionIsTheWindowTextBothWays) {
  button.SetCaption("Hello");
  char text[32] = {};
  GetWindowTextA(button.hwnd(), text, sizeof text);
  EXPECT_STREQ(text, "Hello");
  SetWindowTextA(button.hwnd(), "Changed");
  EXPECT_EQ(button.Caption(), "Changed");
  const RECT drawn = TextBounds();
  EXPECT_FALSE(IsRectEmpty(&drawn));
}

}  // namespace
