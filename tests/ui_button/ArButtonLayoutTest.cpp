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
