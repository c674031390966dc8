// Placement rules of the skinned button as plain functions: no window involved.
#include <gtest/gtest.h>

#include "ui/ArButtonLayout.h"

namespace {

using ui::TArPicAlign;
using ui::TArTextAlign;

struct Origin {
  TArPicAlign align;
  LONG x, y;
};

TEST(ArButtonLayout, PictureOriginFollowsEveryAlignment) {
  // A 41 x 31 button and a 10 x 6 picture: the halves (31/2, 25/2) round down.
  const SIZE button{41, 31}, picture{10, 6};
  const Origin expected[] = {
      {TArPicAlign::paTopLeft, 0, 0},        {TArPicAlign::paTopCenter, 15, 0},
      {TArPicAlign::paTopRight, 31, 0},      {TArPicAlign::paMiddleLeft, 0, 12},
      {TArPicAlign::paLeft, 0, 12},          {TArPicAlign::paMiddleCenter, 15, 12},
      {TArPicAlign::paCenter, 15, 12},       {TArPicAlign::paMiddleRight, 31, 12},
      {TArPicAlign::paRight, 31, 12},        {TArPicAlign::paBottomLeft, 0, 25},
      {TArPicAlign::paBottomCenter, 15, 25}, {TArPicAlign::paBottomRight, 31, 25},
      {TArPicAlign::paCustom, 7, -3},
  };
  for (const Origin& e : expected) {
    const POINT p = ui::PictureOrigin(e.align, button, picture, POINT{7, -3});
    EXPECT_EQ(p.x, e.x) << "alignment " << static_cast<int>(e.align);
    EXPECT_EQ(p.y, e.y) << "alignment " << static_cast<int>(e.align);
  }
}

TEST(ArButtonLayout, PictureLargerThanButtonRoundsTowardZero) {
  // (20 - 25) / 2 is -2 (toward zero), not -3.
  const POINT p = ui::PictureOrigin(TArPicAlign::paCenter, SIZE{20, 20}, SIZE{25, 27}, POINT{});
  EXPECT_EQ(p.x, -2);
  EXPECT_EQ(p.y, -3);
}

TEST(ArButtonLayout, PictureRectAtOwnSizeOrStretchedToTheCorner) {
  const SIZE button{40, 30}, picture{10, 6};
  RECT r = ui::PictureRect(TArPicAlign::paBottomRight, button, picture, POINT{}, false);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 24);
  EXPECT_EQ(r.right, 40);
  EXPECT_EQ(r.bottom, 30);

  r = ui::PictureRect(TArPicAlign::paCenter, button, picture, POINT{}, true);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.top, 12);
  EXPECT_EQ(r.right, 40);
  EXPECT_EQ(r.bottom, 30);

  r = ui::PictureRect(TArPicAlign::paTopLeft, button, picture, POINT{}, true);
  EXPECT_EQ(r.right - r.left, 40);
  EXPECT_EQ(r.bottom - r.top, 30);

  // A custom origin beyond the button stretches into nothing.
  r = ui::PictureRect(TArPicAlign::paCustom, button, picture, POINT{50, 5}, true);
  EXPECT_LE(r.right - r.left, 0);
}

TEST(ArButtonLayout, EmptyPictureHasNoRect) {
  const RECT r = ui::PictureRect(TArPicAlign::paTopLeft, SIZE{40, 30}, SIZE{0, 6}, POINT{}, true);
  EXPECT_TRUE(IsRectEmpty(&r));
  const RECT r2 =
      ui::PictureRect(TArPicAlign::paTopLeft, SIZE{40, 30}, SIZE{10, 0}, POINT{}, false);
  EXPECT_TRUE(IsRectEmpty(&r2));
}

TEST(ArButtonLayout, CaptionRectMovesWhenPressedExceptCustom) {
  const SIZE client{120, 40};
  RECT r = ui::CaptionRect(TArTextAlign::taCenter, client, POINT{40, 10}, false);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 120);
  EXPECT_EQ(r.bottom, 40);
  r = ui::CaptionRect(TArTextAlign::taCenter, client, POINT{40, 10}, true);
  EXPECT_EQ(r.left, 1);
  EXPECT_EQ(r.top, 1);
  EXPECT_EQ(r.right, 121);
  EXPECT_EQ(r.bottom, 41);

  for (bool pressed : {false, true}) {
    r = ui::CaptionRect(TArTextAlign::taCustom, client, POINT{40, 10}, pressed);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right, 120);
    EXPECT_EQ(r.bottom, 40);
  }
}

TEST(ArButtonLayout, CaptionFormatPlacesAndWraps) {
  struct Case {
    TArTextAlign align;
    UINT horizontal, vertical;
  } cases[] = {
      {TArTextAlign::taTopLeft, DT_LEFT, DT_TOP},
      {TArTextAlign::taTopCenter, DT_CENTER, DT_TOP},
      {TArTextAlign::taTopRight, DT_RIGHT, DT_TOP},
      {TArTextAlign::taMiddleLeft, DT_LEFT, DT_VCENTER},
      {TArTextAlign::taLeft, DT_LEFT, DT_VCENTER},
      {TArTextAlign::taMiddleCenter, DT_CENTER, DT_VCENTER},
      {TArTextAlign::taCenter, DT_CENTER, DT_VCENTER},
      {TArTextAlign::taMiddleRight, DT_RIGHT, DT_VCENTER},
      {TArTextAlign::taRight, DT_RIGHT, DT_VCENTER},
      {TArTextAlign::taBottomLeft, DT_LEFT, DT_BOTTOM},
      {TArTextAlign::taBottomCenter, DT_CENTER, DT_BOTTOM},
      {TArTextAlign::taBottomRight, DT_RIGHT, DT_BOTTOM},
      {TArTextAlign::taCustom, DT_LEFT, DT_TOP},
  };
  const UINT horizontalMask = DT_LEFT | DT_CENTER | DT_RIGHT;
  const UINT verticalMask = DT_TOP | DT_VCENTER | DT_BOTTOM;
  for (const Case& c : cases) {
    const UINT single = ui::CaptionFormat(c.align, false);
    EXPECT_EQ(single & horizontalMask, c.horizontal) << static_cast<int>(c.align);
    EXPECT_EQ(single & verticalMask, c.vertical) << static_cast<int>(c.align);
    EXPECT_TRUE(single & DT_SINGLELINE);
    EXPECT_TRUE(single & DT_EXPANDTABS);
    EXPECT_FALSE(single & DT_NOPREFIX);

    const UINT multi = ui::CaptionFormat(c.align, true);
    EXPECT_EQ(multi & horizontalMask, c.horizontal) << static_cast<int>(c.align);
    EXPECT_EQ(multi & verticalMask, 0u) << "vertical placement is for single lines only";
    EXPECT_FALSE(multi & DT_SINGLELINE);
    EXPECT_TRUE(multi & DT_WORDBREAK);
    EXPECT_TRUE(multi & DT_EDITCONTROL);
    EXPECT_TRUE(multi & DT_EXPANDTABS);
  }
}

TEST(ArButtonLayout, BlankCaptionsAreNotShown) {
  EXPECT_FALSE(ui::HasVisibleCaption(""));
  EXPECT_FALSE(ui::HasVisibleCaption("   "));
  EXPECT_FALSE(ui::HasVisibleCaption(" \t\r\n "));
  EXPECT_TRUE(ui::HasVisibleCaption("  a  "));
  EXPECT_TRUE(ui::HasVisibleCaption("&"));
  EXPECT_TRUE(ui::HasVisibleCaption("\xE9"));  // a letter above 127 is not a blank
}

TEST(ArButtonLayout, AcceleratorIsTheCharacterAfterASingleAmpersand) {
  EXPECT_EQ(ui::AcceleratorChar("&File"), 'F');
  EXPECT_EQ(ui::AcceleratorChar("E&xit"), 'x');
  EXPECT_EQ(ui::AcceleratorChar("Save && &Quit"), 'Q');
  EXPECT_EQ(ui::AcceleratorChar("Fish && Chips"), 0);
  EXPECT_EQ(ui::AcceleratorChar("&&&A"), 'A');
  EXPECT_EQ(ui::AcceleratorChar("Trailing&"), 0);
  EXPECT_EQ(ui::AcceleratorChar(""), 0);

  EXPECT_TRUE(ui::IsAccelerator('f', "&File"));
  EXPECT_TRUE(ui::IsAccelerator('F', "&file"));
  EXPECT_FALSE(ui::IsAccelerator('i', "&File"));
  EXPECT_FALSE(ui::IsAccelerator('&', "Fish && Chips"));
  EXPECT_FALSE(ui::IsAccelerator(0, "Trailing&"));
}

TEST(ArButtonLayout, PointOnTheRightOrBottomEdgeIsStillOver) {
  const SIZE size{40, 30};
  EXPECT_TRUE(ui::IsPointOverButton(0, 0, size));
  EXPECT_TRUE(ui::IsPointOverButton(40, 30, size));
  EXPECT_FALSE(ui::IsPointOverButton(41, 10, size));
  EXPECT_FALSE(ui::IsPointOverButton(10, 31, size));
  EXPECT_FALSE(ui::IsPointOverButton(-1, 10, size));
  EXPECT_FALSE(ui::IsPointOverButton(10, -1, size));
}

TEST(ArButtonLayout, DisabledDominatesThenPressedThenHover) {
  using ui::ButtonState;
  EXPECT_EQ(ui::VisualState(false, true, true), ButtonState::Disabled);
  EXPECT_EQ(ui::VisualState(true, true, true), ButtonState::MouseDown);
  EXPECT_EQ(ui::VisualState(true, true, false), ButtonState::MouseDown);
  EXPECT_EQ(ui::VisualState(true, false, true), ButtonState::MouseHover);
  EXPECT_EQ(ui::VisualState(true, false, false), ButtonState::Normal);
}

}  // namespace
