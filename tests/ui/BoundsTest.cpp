#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Bounds.h"

using ui::BoundsError;
using ui::ParseBounds;
using ui::ParseInteger;
using ui::SplitText;
using Pieces = std::vector<std::string>;

TEST(SplitText, TrimsEveryPieceButTheLast) {
  EXPECT_EQ(SplitText("15, 16, 130, 36", ",", true), (Pieces{"15", "16", "130", " 36"}));
  EXPECT_EQ(SplitText(" a\t,\x01"
                      "b , c ",
                      ",", true),
            (Pieces{"a", "b", " c "}));
  EXPECT_EQ(SplitText("a, b", ",", false), (Pieces{"a", " b"}));
  EXPECT_EQ(SplitText("", ",", true), (Pieces{""}));
  EXPECT_EQ(SplitText(",,", ",", true), (Pieces{"", "", ""}));
  EXPECT_EQ(SplitText("a::b::", "::", true), (Pieces{"a", "b", ""}));
  EXPECT_EQ(SplitText("abc", "", true), (Pieces{"abc"}));
}

TEST(ParseInteger, AcceptsDecimalNumbersWithSignAndBlanks) {
  EXPECT_EQ(ParseInteger("42"), 42);
  EXPECT_EQ(ParseInteger("  -7 "), -7);
  EXPECT_EQ(ParseInteger("+0"), 0);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", " ", "-", "+", "1a", "a1", "0x10", "$10", "1.5", "1 2", "2147483648",
                          "-2147483649", "99999999999999999999999", "--1", "\xff"}) {
    EXPECT_THROW(ParseInteger(bad), BoundsError) << bad;
  }
}

TEST(ParseBounds, ReadsFourNumbersAndIgnoresTheRest) {
  ui::Bounds b;
  ASSERT_TRUE(ParseBounds("15, 16, 130, 36", b));
  EXPECT_EQ(b.left, 15);
  EXPECT_EQ(b.top, 16);
  EXPECT_EQ(b.width, 130);
  EXPECT_EQ(b.height, 36);
  ASSERT_TRUE(ParseBounds("152,40,280,16", b));
  EXPECT_EQ(b.left + b.top + b.width + b.height, 488);
  ASSERT_TRUE(ParseBounds(" 1 , 2 , 3 , 4 , 5", b));  // a fifth number is ignored
  EXPECT_EQ(b.height, 4);
  ASSERT_TRUE(ParseBounds("1,2,3,4,not a number", b));
  ASSERT_TRUE(ParseBounds("-5,-6,0,0", b));
  EXPECT_EQ(b.left, -5);
}

TEST(ParseBounds, FewerThanFourPartsLeaveTheOutputAlone) {
  ui::Bounds b{9, 9, 9, 9};
  EXPECT_FALSE(ParseBounds("1, 2, 3", b));
  EXPECT_FALSE(ParseBounds("", b));
  EXPECT_FALSE(ParseBounds("img_Main.png", b));
  EXPECT_EQ(b.left, 9);
  EXPECT_EQ(b.height, 9);
}

TEST(ParseBounds, APartThatIsNoNumberThrows) {
  ui::Bounds b{9, 9, 9, 9};
  EXPECT_THROW(ParseBounds("11, 28, x, 34", b), BoundsError);
  EXPECT_THROW(ParseBounds("11, 28, , 34", b), BoundsError);
  EXPECT_THROW(ParseBounds("1;2;3;4,5,6,7", b), BoundsError);
  EXPECT_EQ(b.left, 9);  // untouched by a failed parse
}

TEST(SetBoundsFromText, MovesAControlOnlyForAUsableValue) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  HWND child =
      CreateWindowExA(0, "STATIC", "", WS_CHILD, 5, 6, 7, 8, parent, nullptr, nullptr, nullptr);
  auto bounds = [&] {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  EXPECT_FALSE(ui::SetBoundsFromText(child, ""));
  EXPECT_FALSE(ui::SetBoundsFromText(child, "1, 2, 3"));
  EXPECT_EQ(bounds(), (std::vector<long>{5, 6, 7, 8}));
  EXPECT_THROW(ui::SetBoundsFromText(child, "1, 2, three, 4"), BoundsError);
  EXPECT_EQ(bounds(), (std::vector<long>{5, 6, 7, 8}));
  EXPECT_TRUE(ui::SetBoundsFromText(child, " 15 , 16 , 130 , 36 , 99"));
  EXPECT_EQ(bounds(), (std::vector<long>{15, 16, 130, 36}));
  EXPECT_TRUE(ui::SetBoundsFromText(nullptr, "1,2,3,4"));
  DestroyWindow(parent);
}
