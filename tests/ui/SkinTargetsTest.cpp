// The skin table's target column checked against its keys: what a key sets fits
// the kind of value its name gives it, a control's keys all bear its name, and each
// colour key fills its own colour role.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "ui/SkinColours.h"
#include "ui/SkinTable.h"
#include "ui/SkinTargets.h"

using namespace ui;

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool NamesAPicture(std::string_view key) {
  for (std::string_view end : {"Pic", "PicNormal", "PicMouseHover", "PicMouseDown", "PicDisabled",
                               "PosDisabled", "PicBackGround"})
    if (EndsWith(key, end)) return true;
  return false;
}

// A key without its last part: "SK_MAINFORM_BUTTON_Min_Pos" -> "SK_MAINFORM_BUTTON_Min".
std::string Stem(const std::string& key) {
  return key.substr(0, key.rfind('_'));
}

int MembersSet(const TSkinTarget& t) {
  return (t.window != nullptr) + (t.button != nullptr) + (t.image != nullptr);
}

}  // namespace

TEST(SkinTargets, WhatAKeySetsFitsTheKindOfValueItHolds) {
  for (int i = 0; i < kSkinEntryCount; ++i) {
    const SkinEntry& entry = SkinEntries()[i];
    const TSkinTarget& target = SkinTargetOf(static_cast<SkinId>(i));
    const std::string key = entry.key;
    switch (target.effect) {
      case SkinEffect::Bounds:
        EXPECT_TRUE(EndsWith(key, "_Pos") || EndsWith(key, "_POS")) << key;
        EXPECT_EQ(MembersSet(target), 1) << key;
        break;
      case SkinEffect::Picture:
        EXPECT_TRUE(NamesAPicture(key)) << key;
        EXPECT_TRUE(target.image && MembersSet(target) == 1) << key;
        break;
      case SkinEffect::StatePicture:
        EXPECT_TRUE(NamesAPicture(key)) << key;
        EXPECT_TRUE(target.button && MembersSet(target) == 1) << key;
        break;
      case SkinEffect::Colour:
        EXPECT_STREQ(entry.section, kColors) << key;
        EXPECT_TRUE(target.colour) << key;
        break;
      case SkinEffect::Elsewhere:
      case SkinEffect::NotApplied:
        EXPECT_EQ(MembersSet(target), 0) << key;
        break;
    }
    if (target.effect != SkinEffect::Colour) EXPECT_FALSE(target.colour) << key;
    // Only keys that set a control name one.
    EXPECT_EQ(std::string(target.member).empty(), MembersSet(target) == 0) << key;
  }
  // The colours are a section of their own, and every key there sets a colour.
  for (int i = 0; i < kSkinEntryCount; ++i)
    if (std::string_view(SkinEntries()[i].section) == kColors)
      EXPECT_EQ(SkinTargetOf(static_cast<SkinId>(i)).effect, SkinEffect::Colour)
          << SkinEntries()[i].key;
}

TEST(SkinTargets, AControlsKeysBearItsNameAndSetEachPartOnce) {
  std::map<std::string, std::string> boundsStem;  // member -> its bounds key's stem
  for (int i = 0; i < kSkinEntryCount; ++i) {
    const TSkinTarget& target = SkinTargetOf(static_cast<SkinId>(i));
    if (target.effect != SkinEffect::Bounds) continue;
    EXPECT_TRUE(boundsStem.emplace(target.member, Stem(SkinEntries()[i].key)).second)
        << target.member << " is placed by two keys";
  }
  std::map<std::string, std::set<ButtonState>> states;
  std::set<std::string> pictured;
  for (int i = 0; i < kSkinEntryCount; ++i) {
    const TSkinTarget& target = SkinTargetOf(static_cast<SkinId>(i));
    const std::string key = SkinEntries()[i].key;
    if (target.effect == SkinEffect::StatePicture) {
      ASSERT_TRUE(boundsStem.count(target.member)) << key << ": a button without a place";
      EXPECT_EQ(Stem(key), boundsStem[target.member]) << key << " pictures " << target.member;
      EXPECT_TRUE(states[target.member].insert(target.state).second) << key;
    } else if (target.effect == SkinEffect::Picture) {
      EXPECT_TRUE(pictured.insert(target.member).second) << key;
      // The background has no place of its own: it fills the window.
      if (boundsStem.count(target.member))
        EXPECT_EQ(Stem(key), boundsStem[target.member]) << key << " pictures " << target.member;
    }
  }
  EXPECT_EQ(pictured, (std::set<std::string>{"imgBackGround", "imgPanelP", "imgPanelS"}));
  // Every skinned button has its four states; a tab has no pressed picture.
  EXPECT_EQ(states.size(), 16u);
  for (const auto& [member, set] : states) {
    const bool tab = member == "btnProgramList" || member == "btnStartupItemList";
    EXPECT_EQ(set.size(), tab ? 3u : 4u) << member;
    if (tab) EXPECT_FALSE(set.count(ButtonState::MouseDown)) << member;
  }
}

TEST(SkinTargets, EachColourKeyFillsItsOwnRole) {
  TSkinTable& table = SkinTable();
  auto colourOf = [](SkinId id) { return RGB(1, 2, static_cast<int>(id)); };
  for (SkinId id :
       {SK_COLOR_PanelBack, SK_COLOR_PanelText, SK_COLOR_ListBack, SK_COLOR_ListText, SK_COLOR_Link,
        SK_COLOR_TabText, SK_COLOR_TabSelectedText, SK_COLOR_ButtonDisabledText}) {
    char text[8];
    const COLORREF c = colourOf(id);
    snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    table.setValue(id, text);
  }
  const TSkinColours c = CurrentSkinColours();
  table.resetToDefaults();
  EXPECT_EQ(c.PanelBack, colourOf(SK_COLOR_PanelBack));
  EXPECT_EQ(c.PanelText, colourOf(SK_COLOR_PanelText));
  EXPECT_EQ(c.ListBack, colourOf(SK_COLOR_ListBack));
  EXPECT_EQ(c.ListText, colourOf(SK_COLOR_ListText));
  EXPECT_EQ(c.Link, colourOf(SK_COLOR_Link));
  EXPECT_EQ(c.TabText, colourOf(SK_COLOR_TabText));
  EXPECT_EQ(c.TabSelectedText, colourOf(SK_COLOR_TabSelectedText));
  EXPECT_EQ(c.ButtonDisabledText, colourOf(SK_COLOR_ButtonDisabledText));
  // Without values every role keeps its design colour.
  const TSkinColours none = CurrentSkinColours();
  EXPECT_FALSE(none.PanelBack || none.PanelText || none.ListBack || none.ListText || none.Link ||
               none.TabText || none.TabSelectedText || none.ButtonDisabledText);
}
