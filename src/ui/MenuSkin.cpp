#include "ui/MenuSkin.h"

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

double Channel(int value) {
  const double c = value / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF c) {
  return 0.2126 * Channel(GetRValue(c)) + 0.7152 * Channel(GetGValue(c)) +
         0.0722 * Channel(GetBValue(c));
}

// `share` (0 to 1) of `to` over `from`.
COLORREF Mix(COLORREF from, COLORREF to, double share) {
  auto channel = [share](int a, int b) {
    return static_cast<BYTE>(std::lround(a + (b - a) * share));
  };
  return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
             channel(GetBValue(from), GetBValue(to)));
}

// Of black and white, the one that stands out more from `back`: at least 4.58:1
// whatever `back` is.
COLORREF BestInk(COLORREF back) {
  return ContrastRatio(RGB(0, 0, 0), back) >= ContrastRatio(RGB(255, 255, 255), back)
             ? RGB(0, 0, 0)
             : RGB(255, 255, 255);
}

// `colour`, or, when it does not stand out from `back` by `ratio`, the first mix
// of it toward black or white that does.
COLORREF Readable(COLORREF colour, COLORREF back, double ratio) {
  const COLORREF ink = BestInk(back);
  for (int step = 0; step < 10; ++step) {
    const COLORREF mixed = Mix(colour, ink, step / 10.0);
    if (ContrastRatio(mixed, back) >= ratio) return mixed;
  }
  return ink;
}

// How much of the skin's link colour tints the highlight, at most.
constexpr double kHighlightTint = 0.35;

}  // namespace

double ContrastRatio(COLORREF a, COLORREF b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::optional<tk::MenuColours> MenuColoursFor(const TSkinColours& c) {
  if (!c.PanelBack && !c.ListBack) return std::nullopt;
  tk::MenuColours m{};
  m.back = c.ListBack.value_or(*c.PanelBack);
  m.iconBar = c.PanelBack.value_or(m.back);
  const COLORREF given = c.ListText.value_or(c.PanelText.value_or(BestInk(m.back)));
  m.text = Readable(given, m.back, kBodyTextContrast);
  m.disabledText =
      Readable(c.ButtonDisabledText.value_or(Mix(m.back, m.text, 0.55)), m.back, kBodyTextContrast);
  // The highlight: the body tinted with the link colour, as much as the text on
  // it allows (untinted it is the body itself, where the text reads).
  m.highlightText = m.text;
  const COLORREF accent = c.Link.value_or(m.text);
  for (int step = 0; step <= 7; ++step) {
    m.highlightBack = Mix(m.back, accent, kHighlightTint * (7 - step) / 7);
    if (ContrastRatio(m.highlightText, m.highlightBack) >= kBodyTextContrast) break;
  }
  m.separator = Mix(m.back, m.text, 0.3);
  m.checkFrame = Readable(accent, m.iconBar, kGraphicsContrast);
  return m;
}

void ApplyMenuColours(const TSkinColours& colours) {
  tk::SetMenuColours(MenuColoursFor(colours));
}

}  // namespace ui
