#include "toolkit/MenuPaint.h"

#include <algorithm>
#include <map>
#include <set>

#include "sys/Text.h"
#include "toolkit/WinText.h"

namespace tk {
namespace {

// Menus live on the user-interface thread; so does this register.
std::set<const PopupMenu::Entry*>& LiveEntries() {
  static std::set<const PopupMenu::Entry*> entries;
  return entries;
}

std::optional<MenuColours>& ColoursSet() {
  static std::optional<MenuColours> colours;
  return colours;
}

// A menu keeps the brush it was given until it is rebuilt, maybe after the look
// changed again: brushes are kept for the program's life, one per colour (a skin
// switch adds at most one).
HBRUSH BrushOf(COLORREF colour) {
  static std::map<COLORREF, sys::UniqueBrush> brushes;
  sys::UniqueBrush& brush = brushes[colour];
  if (!brush) brush.reset(CreateSolidBrush(colour));
  return brush.get();
}

constexpr int kTextGap = 8;       // icon bar to text
constexpr int kShortcutGap = 24;  // text to shortcut
constexpr int kRightMargin = 20;  // room for the submenu arrow
constexpr int kIconSize = 16;

HFONT MenuFont() {
  static sys::UniqueFont font = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      return sys::UniqueFont(CreateFontIndirectW(&metrics.lfMenuFont));
    }
    return sys::UniqueFont();
  }();
  return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

struct SplitText {
  std::string label;
  std::string shortcut;
};

SplitText Split(const std::string& text) {
  const size_t tab = text.find('\t');
  if (tab == std::string::npos) return {text, {}};
  return {text.substr(0, tab), text.substr(tab + 1)};
}

SIZE TextSize(HDC dc, const std::string& text) {
  RECT r{0, 0, 0, 0};
  if (text.empty()) return {0, 0};
  toolkit::DrawTextUtf8(dc, text, &r, DT_SINGLELINE | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  sys::UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &r, brush.get());
}

bool HasPicture(const PopupMenu::Entry& entry) {
  if (entry.icon || entry.bitmap) return true;
  return entry.image >= 0 && entry.owner && entry.owner->images() &&
         entry.image < ImageList_GetImageCount(entry.owner->images());
}

// How much of a disabled item's picture shows (of 255).
constexpr DWORD kDisabledPictureAlpha = 80;

void DrawPicture(const PopupMenu::Entry& entry, HDC dc, int x, int y, bool disabled) {
  if (entry.icon) {
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(entry.icon), 0, x, y, kIconSize,
               kIconSize, DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
  } else if (entry.bitmap) {
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(entry.bitmap), 0, x, y, kIconSize,
               kIconSize, DST_BITMAP | (disabled ? DSS_DISABLED : DSS_NORMAL));
  } else if (disabled) {
    // Faded rather than embossed: embossing turns a picture with soft alpha edges
    // into a solid block.
    IMAGELISTDRAWPARAMS params{};
    params.cbSize = sizeof params;
    params.himl = entry.owner->images();
    params.i = entry.image;
    params.hdcDst = dc;
    params.x = x;
    params.y = y;
    params.rgbBk = CLR_NONE;
    params.rgbFg = CLR_NONE;
    params.fStyle = ILD_TRANSPARENT;
    params.fState = ILS_ALPHA;
    params.Frame = kDisabledPictureAlpha;
    ImageList_DrawIndirect(&params);
  } else {
    ImageList_Draw(entry.owner->images(), entry.image, dc, x, y, ILD_TRANSPARENT);
  }
}

// A submenu's arrow in the item's text colour, in the right margin. The system
// draws its own arrow there after the item, black on white whatever the menu's
// colours: the margin is taken out of the clip region so that it cannot.
void DrawSubmenuArrow(HDC dc, const RECT& rect, COLORREF colour) {
  const int x = rect.right - kRightMargin / 2 - 2, y = (rect.top + rect.bottom) / 2;
  const POINT points[3] = {{x, y - 4}, {x + 4, y}, {x, y + 4}};
  sys::UniqueBrush brush(CreateSolidBrush(colour));
  sys::UniquePen pen(CreatePen(PS_SOLID, 1, colour));
  HGDIOBJ oldBrush = SelectObject(dc, brush.get());
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  Polygon(dc, points, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  ExcludeClipRect(dc, rect.right - kRightMargin, rect.top, rect.right, rect.bottom);
}

void DrawTickMark(HDC dc, const RECT& box, COLORREF colour) {
  sys::UniquePen pen(CreatePen(PS_SOLID, 2, colour));
  HGDIOBJ old = SelectObject(dc, pen.get());
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  const POINT points[3] = {{cx - 4, cy}, {cx - 1, cy + 3}, {cx + 4, cy - 3}};
  Polyline(dc, points, 3);
  SelectObject(dc, old);
}

}  // namespace

void RegisterMenuEntry(const PopupMenu::Entry* entry) {
  LiveEntries().insert(entry);
}

void UnregisterMenuEntry(const PopupMenu::Entry* entry) {
  LiveEntries().erase(entry);
}

bool IsMenuEntry(const PopupMenu::Entry* entry) {
  return entry && LiveEntries().count(entry) != 0;
}

void SetMenuColours(std::optional<MenuColours> colours) {
  ColoursSet() = colours;
}

std::optional<MenuColours> MenuColoursSet() {
  return ColoursSet();
}

MenuColours CurrentMenuColours() {
  if (ColoursSet()) return *ColoursSet();
  return {GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_BTNFACE),
          GetSysColor(COLOR_MENUTEXT),  GetSysColor(COLOR_GRAYTEXT),
          GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT),
          GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_HIGHLIGHT)};
}

COLORREF MenuIconBarColour() {
  return CurrentMenuColours().iconBar;
}

COLORREF MenuBackgroundColour() {
  return CurrentMenuColours().back;
}

void SetMenuWindowBackground(HMENU menu) {
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  // No brush is the system's menu colour.
  info.hbrBack = ColoursSet() ? BrushOf(ColoursSet()->back) : nullptr;
  SetMenuInfo(menu, &info);
}

std::string MenuEntryText(const PopupMenu::Entry& entry) {
  if (!entry.menu) return entry.caption;
  const int count = GetMenuItemCount(entry.menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_STRING;
    if (!GetMenuItemInfoW(entry.menu, i, TRUE, &info)) continue;
    if (info.dwItemData != reinterpret_cast<ULONG_PTR>(&entry)) continue;
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!GetMenuItemInfoW(entry.menu, i, TRUE, &info)) break;
    text.resize(std::min<size_t>(info.cch, text.size()));
    return sys::Narrow(text);
  }
  return entry.caption;
}

SIZE MeasureMenuEntry(const PopupMenu::Entry& entry) {
  if (entry.kind == PopupMenu::Entry::Kind::Separator) {
    return {PopupMenu::kIconBarWidth + kTextGap, PopupMenu::kSeparatorHeight};
  }
  const SplitText text = Split(MenuEntryText(entry));
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, MenuFont());
  const SIZE label = TextSize(dc, text.label);
  const SIZE shortcut = TextSize(dc, text.shortcut);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  LONG width = PopupMenu::kIconBarWidth + kTextGap + label.cx + kRightMargin;
  if (shortcut.cx > 0) width += kShortcutGap + shortcut.cx;
  return {width, PopupMenu::kItemHeight};
}

void DrawMenuEntry(const PopupMenu::Entry& entry, HDC dc, const RECT& rect, UINT itemState) {
  const MenuColours colours = CurrentMenuColours();
  RECT bar = rect;
  bar.right = std::min(rect.right, rect.left + PopupMenu::kIconBarWidth);
  RECT body = rect;
  body.left = bar.right;
  Fill(dc, bar, colours.iconBar);
  Fill(dc, body, colours.back);

  if (entry.kind == PopupMenu::Entry::Kind::Separator) {
    const int y = (rect.top + rect.bottom) / 2;
    RECT line{body.left + kTextGap / 2, y, rect.right - 2, y + 1};
    Fill(dc, line, colours.separator);
    return;
  }

  const bool disabled = (itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  const bool highlighted = (itemState & ODS_SELECTED) && !disabled;
  const bool checked = (itemState & ODS_CHECKED) != 0;
  if (highlighted) {
    RECT band = rect;
    InflateRect(&band, -1, 0);
    Fill(dc, band, colours.highlightBack);
  }

  // The icon bar: the picture, framed when checked, or a tick mark.
  RECT box{bar.left + (PopupMenu::kIconBarWidth - kIconSize) / 2,
           rect.top + (rect.bottom - rect.top - kIconSize) / 2, 0, 0};
  box.right = box.left + kIconSize;
  box.bottom = box.top + kIconSize;
  const COLORREF textColour = disabled      ? colours.disabledText
                              : highlighted ? colours.highlightText
                                            : colours.text;
  if (HasPicture(entry)) {
    if (checked) {
      RECT frame = box;
      InflateRect(&frame, 2, 2);
      sys::UniqueBrush border(CreateSolidBrush(colours.checkFrame));
      FrameRect(dc, &frame, border.get());
    }
    DrawPicture(entry, dc, box.left, box.top, disabled);
  } else if (checked) {
    DrawTickMark(dc, box, textColour);
  }

  const SplitText text = Split(MenuEntryText(entry));
  HGDIOBJ oldFont = SelectObject(dc, MenuFont());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, textColour);
  UINT format = DT_SINGLELINE | DT_VCENTER;
  if (itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  RECT textRect{body.left + kTextGap, rect.top, rect.right - kRightMargin, rect.bottom};
  toolkit::DrawTextUtf8(dc, text.label, &textRect, format);
  if (!text.shortcut.empty()) {
    toolkit::DrawTextUtf8(dc, text.shortcut, &textRect, format | DT_RIGHT | DT_NOPREFIX);
  }
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  // With the system's look the system's arrow is the right one.
  if (entry.kind == PopupMenu::Entry::Kind::Submenu && ColoursSet())
    DrawSubmenuArrow(dc, rect, textColour);
}

}  // namespace tk
