#include "ui/SkinTargets.h"

namespace ui {
namespace {

constexpr TSkinTarget Bounds(const char* name, HWND TMainSkinTargets::*member) {
  TSkinTarget t;
  t.effect = SkinEffect::Bounds;
  t.member = name;
  t.window = member;
  return t;
}

constexpr TSkinTarget Bounds(const char* name, TArButton* TMainSkinTargets::*member) {
  TSkinTarget t;
  t.effect = SkinEffect::Bounds;
  t.member = name;
  t.button = member;
  return t;
}

constexpr TSkinTarget Bounds(const char* name, TSkinImage TMainSkinTargets::*member) {
  TSkinTarget t;
  t.effect = SkinEffect::Bounds;
  t.member = name;
  t.image = member;
  return t;
}

constexpr TSkinTarget PictureOf(const char* name, TSkinImage TMainSkinTargets::*member) {
  TSkinTarget t;
  t.effect = SkinEffect::Picture;
  t.member = name;
  t.image = member;
  return t;
}

constexpr TSkinTarget StateOf(const char* name, TArButton* TMainSkinTargets::*member,
                              ButtonState state) {
  TSkinTarget t;
  t.effect = SkinEffect::StatePicture;
  t.member = name;
  t.button = member;
  t.state = state;
  return t;
}

constexpr TSkinTarget ColourOf(std::optional<COLORREF> TSkinColours::*role) {
  TSkinTarget t;
  t.effect = SkinEffect::Colour;
  t.colour = role;
  return t;
}

constexpr TSkinTarget Only(SkinEffect effect) {
  TSkinTarget t;
  t.effect = effect;
  return t;
}

}  // namespace

const std::array<TSkinTarget, kSkinEntryCount>& SkinTargets() {
#define BOUNDS(m) Bounds(#m, &TMainSkinTargets::m)
#define PICTURE(m) PictureOf(#m, &TMainSkinTargets::m)
#define STATE(m, state) StateOf(#m, &TMainSkinTargets::m, ButtonState::state)
#define COLOUR(role) ColourOf(&TSkinColours::role)
#define ELSEWHERE Only(SkinEffect::Elsewhere)
#define NOT_APPLIED Only(SkinEffect::NotApplied)
#define PRUNAXIS_SKIN_TARGET(id, section, value, target) target,
  static constexpr std::array<TSkinTarget, kSkinEntryCount> kTargets{
      {PRUNAXIS_SKIN_ENTRIES(PRUNAXIS_SKIN_TARGET)}};
#undef PRUNAXIS_SKIN_TARGET
#undef NOT_APPLIED
#undef ELSEWHERE
#undef COLOUR
#undef STATE
#undef PICTURE
#undef BOUNDS
  return kTargets;
}

HWND TSkinTarget::windowIn(const TMainSkinTargets& targets) const {
  if (effect != SkinEffect::Bounds) return nullptr;
  if (window) return targets.*window;
  if (button) return targets.*button ? (targets.*button)->hwnd() : nullptr;
  if (image) return (targets.*image).window;
  return nullptr;
}

TArButton* TSkinTarget::buttonIn(const TMainSkinTargets& targets) const {
  return effect == SkinEffect::StatePicture && button ? targets.*button : nullptr;
}

const TSkinImage* TSkinTarget::imageIn(const TMainSkinTargets& targets) const {
  return effect == SkinEffect::Picture && image ? &(targets.*image) : nullptr;
}

}  // namespace ui
