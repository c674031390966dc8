// Captions outside the ANSI code page: stored, shown and matched as accelerators
// exactly, whichever form of WM_SETTEXT or WM_CHAR brings them.
#include <gtest/gtest.h>

#include "ButtonTestSupport.h"
#include "ui/ArButtonLayout.h"

namespace {

using namespace button_tests;
using ui::TArButton;

// A UTF-8 literal (u8"...") as the program's kind of string.
std::string U8(const char8_t* text) {
  return reinterpret_cast<const char*>(text);
}

std::wstring WindowTextW(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

}  // namespace

TEST(ArButtonLayout, AcceleratorsAreWholeCharactersInAnyScript) {
  EXPECT_EQ(ui::AcceleratorChar(U8(u8"&Файл")), U'Ф');
  EXPECT_EQ(ui::AcceleratorChar(U8(u8"Ελ&ληνικά")), U'λ');
  EXPECT_EQ(ui::AcceleratorChar(U8(u8"日本 && &語")), U'語');
  EXPECT_EQ(ui::AcceleratorChar(U8(u8"Smile &😀")), U'\U0001F600');
  EXPECT_TRUE(ui::IsAccelerator(U'ф', U8(u8"&Файл")));
  EXPECT_TRUE(ui::IsAccelerator(U'Ф', U8(u8"&файл")));
  EXPECT_TRUE(ui::IsAccelerator(U'Λ', U8(u8"Ελ&ληνικά")));
  EXPECT_TRUE(ui::IsAccelerator(U'ä', U8(u8"&Ändern")));
  EXPECT_FALSE(ui::IsAccelerator(U'а', U8(u8"&Файл")));
  // The first byte of a Cyrillic letter is no Latin letter.
  EXPECT_FALSE(ui::IsAccelerator(U'\xD0', U8(u8"&Файл")));
}

class ArButtonUnicode : public ::testing::Test {
 protected:
  void SetUp() override {
    ParkCursor();
    ASSERT_TRUE(button.Create(form.hwnd(), 21, 10, 10, 120, 30));
    button.OnClick = [this](ui::TArCustomButton&) { ++clicks; };
    push = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                           150, 10, 70, 22, form.hwnd(), nullptr, nullptr, nullptr);
    Pump(20);
  }

  HostForm form;
  TArButton button;
  HWND push = nullptr;
  int clicks = 0;
};

TEST_F(ArButtonUnicode, CaptionsKeepEveryCharacter) {
  button.SetCaption(U8(u8"&Удалить 😀"));
  EXPECT_EQ(WindowTextW(button.hwnd()), L"&Удалить 😀");
  EXPECT_EQ(button.Caption(), U8(u8"&Удалить 😀"));
  SendMessageW(button.hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Ελληνικά 日本語"));
  EXPECT_EQ(button.Caption(), U8(u8"Ελληνικά 日本語"));
  EXPECT_EQ(WindowTextW(button.hwnd()), L"Ελληνικά 日本語");
}

TEST_F(ArButtonUnicode, ACyrillicAcceleratorClicksInEitherCase) {
  button.SetCaption(U8(u8"&Файл"));
  SetFocus(push);
  PostMessageW(push, WM_CHAR, L'ф', 1);
  Pump(15);
  EXPECT_EQ(clicks, 1);
  PostMessageW(push, WM_CHAR, L'Ф', 1);
  Pump(15);
  EXPECT_EQ(clicks, 2);
  PostMessageW(push, WM_CHAR, L'а', 1);
  Pump(15);
  EXPECT_EQ(clicks, 2);
}
