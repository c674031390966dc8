#include "main/SidePanelLook.h"

#include <exception>

#include "toolkit/MessageBox.h"
#include "toolkit/WinText.h"
#include "ui/Bounds.h"
#include "ui/PictureBox.h"
#include "ui/SkinColours.h"

namespace forms {
namespace {

ui::ArFont Font(COLORREF color, bool bold, const char* face = nullptr) {
  ui::ArFont font;
  if (face) font.setName(face);
  font.setBold(bold);
  font.setColor(color);
  return font;
}

void Common(ui::TArButton& button) {
  button.SetTransparent(true);
  button.SetTabStop(false);
}

}  // namespace

void StyleMenuButton(ui::TArButton& button) {
  Common(button);
  button.SetTextAlign(ui::TArTextAlign::taCustom);
  button.SetTextX(40);
  button.SetTextY(10);
  button.SetFont(Font(RGB(0, 255, 0), true));
  button.SetFontMouseHover(Font(ui::SysColor(COLOR_WINDOW), true, "Verdana"));
  button.SetFontMouseDown(Font(ui::SysColor(COLOR_WINDOWTEXT), true, "Verdana"));
  button.SetFontDisabled(Font(RGB(128, 128, 128), true));
}

void StyleSideButton(ui::TArButton& button, bool startsDisabled) {
  Common(button);
  button.SetTextAlign(ui::TArTextAlign::taCustom);
  button.SetTextX(38);
  button.SetTextY(10);
  button.SetFont(Font(RGB(0, 255, 0), false));
  button.SetFontMouseHover(Font(ui::SysColor(COLOR_WINDOW), false, "Verdana"));
  button.SetFontMouseDown(Font(ui::SysColor(COLOR_WINDOW), false, "Verdana"));
  button.SetFontDisabled(Font(startsDisabled ? RGB(128, 0, 128) : RGB(128, 0, 0), false));
}

void StyleProgramListTab(ui::TArButton& button) {
  Common(button);
  button.SetTextAlign(ui::TArTextAlign::taMiddleCenter);
  button.SetFont(Font(RGB(0, 0, 128), false));
  button.SetFontMouseHover(Font(ui::SysColor(COLOR_WINDOWTEXT), false));
  button.SetFontMouseDown(Font(ui::SysColor(COLOR_WINDOWTEXT), false));
  button.SetFontDisabled(Font(RGB(128, 0, 0), false));
}

void StyleStartupItemsTab(ui::TArButton& button) {
  Common(button);
  button.SetTextAlign(ui::TArTextAlign::taCustom);
  button.SetTextX(30);
  button.SetTextY(10);
  button.SetFont(Font(RGB(0, 0, 0), false));
  button.SetFontMouseHover(Font(ui::SysColor(COLOR_WINDOWTEXT), false));
  button.SetFontMouseDown(Font(ui::SysColor(COLOR_WINDOWTEXT), false));
  button.SetFontDisabled(Font(RGB(128, 0, 0), false));
}

void StyleWindowButton(ui::TArButton& button) {
  Common(button);
  button.SetTextAlign(ui::TArTextAlign::taCenter);
}

void PaintPanelPicture(HDC dc, const RECT& client, const ui::Picture& picture, HWND offsetFrom) {
  // Where the picture does not reach, the skin's panel colour (or the design's).
  sys::UniqueBrush face(
      CreateSolidBrush(ui::SkinColourOr(ui::SK_COLOR_PanelBack, GetSysColor(COLOR_BTNFACE))));
  FillRect(dc, &client, face.get());
  POINT offset{0, 0};
  if (offsetFrom) MapWindowPoints(offsetFrom, GetParent(offsetFrom), &offset, 1);
  ui::DrawPicture(dc, picture, -offset.x, -offset.y);
}

void PaintGroupFrame(HDC dc, const RECT& client, const std::string& title) {
  TEXTMETRICW metrics{};
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  GetTextMetricsW(dc, &metrics);
  RECT frame = client;
  frame.top += metrics.tmHeight / 2;
  const COLORREF back = ui::SkinColourOr(ui::SK_COLOR_PanelBack, GetSysColor(COLOR_BTNFACE));
  const COLORREF fore = ui::SkinColourOr(ui::SK_COLOR_PanelText, GetSysColor(COLOR_WINDOWTEXT));
  if (ui::ParseSkinColour(ui::SkinValue(ui::SK_COLOR_PanelBack))) {
    // On a skin's own panel colour the etched edge's white line would glare: a
    // hairline between the panel and its text instead.
    sys::UniqueBrush line(CreateSolidBrush(RGB((GetRValue(back) * 3 + GetRValue(fore)) / 4,
                                               (GetGValue(back) * 3 + GetGValue(fore)) / 4,
                                               (GetBValue(back) * 3 + GetBValue(fore)) / 4)));
    FrameRect(dc, &frame, line.get());
  } else {
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  }
  if (!title.empty()) {
    const SIZE extent = toolkit::TextExtentUtf8(dc, title);
    RECT text{client.left + 8, client.top, client.left + 12 + extent.cx, client.top + extent.cy};
    SetBkMode(dc, TRANSPARENT);
    // The title stands in a gap of the frame, as a group box draws it.
    sys::UniqueBrush gap(CreateSolidBrush(back));
    FillRect(dc, &text, gap.get());
    SetTextColor(dc, fore);
    toolkit::TextOutUtf8(dc, text.left + 2, text.top, title);
  }
  SelectObject(dc, oldFont);
}

void CreateSideButton(ui::TArButton& button, HWND host, int id, int left, int top,
                      const std::string& caption, bool startsDisabled) {
  button.Create(host, id, left, top, kSideButtonWidth, kSideButtonHeight);
  StyleSideButton(button, startsDisabled);
  button.SetCaption(caption);
}

void SetSidePanelLook(tk::Panel& panel, const ui::Picture& picture) {
  panel.onPaintBackground = [&picture](HDC dc, const RECT& client) {
    PaintPanelPicture(dc, client, picture);
  };
}

void SetSideGroupLook(tk::Panel& group, const ui::Picture& picture) {
  group.onPaintBackground = [&group, &picture](HDC dc, const RECT& client) {
    PaintPanelPicture(dc, client, picture, group.hwnd());
    PaintGroupFrame(dc, client, group.text());
  };
}

bool PlaceListBesideSidePanel(HWND list, bool panelShown, ui::SkinId fullPlace, ui::SkinId place,
                              HWND owner) {
  try {
    ui::SetBoundsFromText(list, ui::SkinValue(panelShown ? fullPlace : place));
  } catch (const std::exception& error) {
    tk::ShowExceptionMessage(owner, error);
    return false;
  }
  return true;
}

}  // namespace forms
