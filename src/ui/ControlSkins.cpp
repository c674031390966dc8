#include "ui/ControlSkins.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <functional>
#include <string>

#include "sys/Handles.h"
#include "toolkit/Control.h"
#include "toolkit/TabItems.h"
#include "ui/GdiScope.h"

namespace ui {
namespace {

// A control the program paints instead of the system: owned by its subclass.
struct PaintedLook {
  std::function<void(HWND, HDC)> paint;
};

constexpr UINT_PTR kPaintedSubclassId = 0x536B6E50;

LRESULT CALLBACK PaintedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR data) {
  auto* look = reinterpret_cast<PaintedLook*>(data);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the painting covers the whole client area
    case WM_PAINT:
      if (wParam) {
        look->paint(hwnd, reinterpret_cast<HDC>(wParam));
      } else {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        look->paint(hwnd, dc);
        EndPaint(hwnd, &ps);
      }
      return 0;
    case WM_PRINTCLIENT:
      look->paint(hwnd, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, PaintedProc, id);
      delete look;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void ClearPainter(HWND control) {
  DWORD_PTR data = 0;
  if (!GetWindowSubclass(control, PaintedProc, kPaintedSubclassId, &data)) return;
  RemoveWindowSubclass(control, PaintedProc, kPaintedSubclassId);
  delete reinterpret_cast<PaintedLook*>(data);
  InvalidateRect(control, nullptr, TRUE);
}

void SetPainter(HWND control, std::function<void(HWND, HDC)> paint) {
  DWORD_PTR data = 0;
  if (GetWindowSubclass(control, PaintedProc, kPaintedSubclassId, &data)) {
    reinterpret_cast<PaintedLook*>(data)->paint = std::move(paint);
  } else {
    auto* look = new PaintedLook{std::move(paint)};
    if (!SetWindowSubclass(control, PaintedProc, kPaintedSubclassId,
                           reinterpret_cast<DWORD_PTR>(look)))
      delete look;
  }
  InvalidateRect(control, nullptr, TRUE);
}

struct TabLook {
  COLORREF back, tabBack, edge, text, selectedText;
};

void PaintTabs(HWND tab, HDC dc, const TabLook& look) {
  RECT client{};
  GetClientRect(tab, &client);
  FillSolid(dc, client, look.back);
  sys::UniqueBrush edge(CreateSolidBrush(look.edge));
  const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
  const int selected = static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
  LONG rowBottom = client.top;
  for (int i = 0; i < count; ++i) {
    RECT r{};
    SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    rowBottom = std::max(rowBottom, r.bottom);
  }
  const RECT page{client.left, rowBottom, client.right, client.bottom};
  FrameRect(dc, &page, edge.get());

  const auto font = reinterpret_cast<HFONT>(SendMessageW(tab, WM_GETFONT, 0, 0));
  const HGDIOBJ oldFont =
      SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < count; ++i) {
    RECT r{};
    SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    const bool isSelected = i == selected;
    if (isSelected) {
      // The selected tab stands a little taller and opens into the page.
      InflateRect(&r, 2, 0);
      r.top -= 2;
      r.bottom = rowBottom + 1;
    }
    FillSolid(dc, r, isSelected ? look.back : look.tabBack);
    const RECT left{r.left, r.top, r.left + 1, r.bottom - (isSelected ? 1 : 0)};
    const RECT top{r.left, r.top, r.right, r.top + 1};
    const RECT right{r.right - 1, r.top, r.right, r.bottom - (isSelected ? 1 : 0)};
    for (const RECT& line : {left, top, right}) FillRect(dc, &line, edge.get());
    SetTextColor(dc, isSelected ? look.selectedText : look.text);
    toolkit::DrawTextUtf8(dc, tk::TabText(tab, i), &r,
                          DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (isSelected && GetFocus() == tab) {
      RECT focus = r;
      InflateRect(&focus, -3, -3);
      DrawFocusRect(dc, &focus);
    }
  }
  SelectObject(dc, oldFont);
}

// The extended combo box draws its items in the system's colours; its subclass
// hears them first and draws them itself.
struct ComboLook {
  COLORREF back, text, selectedBack;
  sys::UniqueBrush brush;
};

constexpr UINT_PTR kComboSubclassId = 0x536B6E43;

// An item whose pictures its owner gives when they are shown, as the box asks.
void AskForPictures(HWND comboEx, COMBOBOXEXITEMW& item) {
  NMCOMBOBOXEXW ask{};
  ask.hdr.hwndFrom = comboEx;
  ask.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(comboEx));
  ask.hdr.code = CBEN_GETDISPINFOW;
  ask.ceItem.mask = CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
  ask.ceItem.iItem = item.iItem;
  ask.ceItem.lParam = item.lParam;
  ask.ceItem.iImage = item.iImage;
  ask.ceItem.iSelectedImage = item.iSelectedImage;
  SendMessageW(GetParent(comboEx), WM_NOTIFY, ask.hdr.idFrom, reinterpret_cast<LPARAM>(&ask));
  item.iImage = ask.ceItem.iImage;
  item.iSelectedImage = ask.ceItem.iSelectedImage;
  if (ask.ceItem.mask & CBEIF_DI_SETITEM) {
    COMBOBOXEXITEMW keep{};
    keep.mask = CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    keep.iItem = item.iItem;
    keep.iImage = item.iImage;
    keep.iSelectedImage = item.iSelectedImage;
    SendMessageW(comboEx, CBEM_SETITEMW, 0, reinterpret_cast<LPARAM>(&keep));
  }
}

void DrawComboItem(HWND comboEx, const DRAWITEMSTRUCT& draw, const ComboLook& look) {
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  FillSolid(draw.hDC, draw.rcItem, selected ? look.selectedBack : look.back);
  if (draw.itemID == static_cast<UINT>(-1)) return;
  wchar_t text[512] = {};
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT | CBEIF_LPARAM;
  item.iItem = static_cast<INT_PTR>(draw.itemID);
  item.pszText = text;
  item.cchTextMax = 512;
  if (!SendMessageW(comboEx, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return;
  if (item.iImage == I_IMAGECALLBACK || item.iSelectedImage == I_IMAGECALLBACK)
    AskForPictures(comboEx, item);
  int x = draw.rcItem.left + 2;
  if (!(draw.itemState & ODS_COMBOBOXEDIT)) x += item.iIndent * 10;
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(comboEx, CBEM_GETIMAGELIST, 0, 0));
  int width = 0, height = 0;
  if (images && ImageList_GetIconSize(images, &width, &height)) {
    const int image = selected ? item.iSelectedImage : item.iImage;
    const int y = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - height) / 2;
    if (image >= 0) ImageList_Draw(images, image, draw.hDC, x, y, ILD_TRANSPARENT);
    x += width + 4;
  }
  RECT room{x, draw.rcItem.top, draw.rcItem.right - 2, draw.rcItem.bottom};
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, look.text);
  DrawTextW(draw.hDC, text, -1, &room,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if ((draw.itemState & ODS_FOCUS) && !(draw.itemState & ODS_NOFOCUSRECT))
    DrawFocusRect(draw.hDC, &draw.rcItem);
}

LRESULT CALLBACK ComboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR data) {
  auto* look = reinterpret_cast<ComboLook*>(data);
  switch (msg) {
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlType != ODT_COMBOBOX) break;
      DrawComboItem(hwnd, *draw, *look);
      return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, look->text);
      SetBkColor(dc, look->back);
      return reinterpret_cast<LRESULT>(look->brush.get());
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ComboProc, id);
      delete look;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// A combo box draws its frame and drop button in the system's light colours; its
// subclass draws them again in the list colours as soon as the box has painted.
struct ComboFrameLook {
  COLORREF back, edge, button, arrow;
};

constexpr UINT_PTR kComboFrameSubclassId = 0x536B6E46 + 1;

void DrawComboFrame(HWND combo, HDC dc, const ComboFrameLook& look) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(combo, &info)) return;
  RECT r{};
  GetClientRect(combo, &r);
  sys::UniqueBrush edge(CreateSolidBrush(look.edge)), back(CreateSolidBrush(look.back));
  FrameRect(dc, &r, edge.get());
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, back.get());
  // The ring the box leaves between its item's place and the item it drew.
  FrameRect(dc, &info.rcItem, back.get());
  RECT button = info.rcButton;
  if (IsRectEmpty(&button)) return;
  FillSolid(dc, button, look.button);
  // A small chevron in the middle of the button.
  const int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2;
  sys::UniquePen pen(CreatePen(PS_SOLID, 1, look.arrow));
  const HGDIOBJ old = SelectObject(dc, pen.get());
  for (int i = 0; i < 2; ++i) {
    MoveToEx(dc, cx - 4, cy - 2 + i, nullptr);
    LineTo(dc, cx, cy + 2 + i);
    LineTo(dc, cx + 5, cy - 3 + i);
  }
  SelectObject(dc, old);
}

LRESULT CALLBACK ComboFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR data) {
  auto* look = reinterpret_cast<ComboFrameLook*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, ComboFrameProc, id);
    delete look;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
  if (msg == WM_PAINT || msg == WM_PRINTCLIENT) {
    HDC dc = msg == WM_PRINTCLIENT ? reinterpret_cast<HDC>(wParam) : GetDC(hwnd);
    if (dc) DrawComboFrame(hwnd, dc, *look);
    if (msg == WM_PAINT && dc) ReleaseDC(hwnd, dc);
  }
  return result;
}

COLORREF ShadowOf(COLORREF back) {
  return MixColours(back, RGB(0, 0, 0), 40);
}

HGDIOBJ SelectControlFont(HDC dc, HWND control) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  return SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
}

struct GroupLook {
  COLORREF back, edge, text;
};

void PaintGroupBox(HWND group, HDC dc, const GroupLook& look) {
  // Like the system's group box, only the frame and the title: the controls inside
  // and the parent's background stay as they are.
  RECT r{};
  GetClientRect(group, &r);
  const HGDIOBJ oldFont = SelectControlFont(dc, group);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const std::string title = tk::WindowText(group);
  // The frame runs through the middle of the title's line; the title breaks it.
  RECT frame{r.left, r.top + metrics.tmHeight / 2, r.right, r.bottom};
  sys::UniqueBrush edge(CreateSolidBrush(look.edge));
  FrameRect(dc, &frame, edge.get());
  if (!title.empty()) {
    RECT room{r.left + 8, r.top, r.right - 8, r.top + metrics.tmHeight};
    toolkit::DrawTextUtf8(dc, title, &room, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    RECT gap = room;
    InflateRect(&gap, 2, 0);
    FillSolid(dc, gap, look.back);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look.text);
    toolkit::DrawTextUtf8(dc, title, &room, DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, oldFont);
}

struct OwnedTips {
  HWND topLevel;
  const TSkinColours* colours;
};

BOOL CALLBACK ColourTipIfOwned(HWND window, LPARAM data) {
  const auto& owned = *reinterpret_cast<const OwnedTips*>(data);
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
  const HWND owner = GetWindow(window, GW_OWNER);
  if (owner && GetAncestor(owner, GA_ROOT) == owned.topLevel) SetTipColours(window, *owned.colours);
  return TRUE;
}

}  // namespace

LRESULT PaintCheckBox(const NMCUSTOMDRAW& draw, const TSkinColours& c) {
  if (!c.PanelBack) return CDRF_DODEFAULT;
  if (draw.dwDrawStage != CDDS_PREERASE && draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
  const HWND button = draw.hdr.hwndFrom;
  const HDC dc = draw.hdc;
  const RECT r = draw.rc;
  const COLORREF back = *c.PanelBack;
  const COLORREF text = c.PanelText.value_or(GetSysColor(COLOR_BTNTEXT));
  const bool disabled = (draw.uItemState & CDIS_DISABLED) != 0;
  const bool hot = (draw.uItemState & (CDIS_HOT | CDIS_SELECTED)) != 0;
  FillSolid(dc, r, back);

  const LONG type = GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
  const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
  const auto check = SendMessageW(button, BM_GETCHECK, 0, 0);
  const int size = MulDiv(13, GetDeviceCaps(dc, LOGPIXELSY), 96);
  const int top = r.top + (r.bottom - r.top - size) / 2;
  const RECT box{r.left, top, r.left + size, top + size};
  const COLORREF fill = c.ListBack.value_or(MixColours(back, RGB(0, 0, 0), 30));
  const COLORREF edge = MixColours(fill, text, hot && !disabled ? 75 : 45);
  const COLORREF mark = disabled ? MixColours(fill, text, 45) : text;
  sys::UniqueBrush fillBrush(CreateSolidBrush(fill)), markBrush(CreateSolidBrush(mark));
  sys::UniquePen edgePen(CreatePen(PS_SOLID, 1, edge));
  const HGDIOBJ oldPen = SelectObject(dc, edgePen.get());
  const HGDIOBJ oldBrush = SelectObject(dc, fillBrush.get());
  if (radio) {
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (check == BST_CHECKED) {
      SelectObject(dc, markBrush.get());
      SelectObject(dc, GetStockObject(NULL_PEN));
      const int inset = size / 4;
      Ellipse(dc, box.left + inset, box.top + inset, box.right - inset + 1, box.bottom - inset + 1);
    }
  } else {
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    if (check == BST_CHECKED) {
      sys::UniquePen tick(CreatePen(PS_SOLID, std::max(2, size / 7), mark));
      SelectObject(dc, tick.get());
      const POINT points[3] = {{box.left + size * 3 / 13, box.top + size * 7 / 13},
                               {box.left + size * 5 / 13, box.top + size * 9 / 13},
                               {box.left + size * 10 / 13, box.top + size * 4 / 13}};
      Polyline(dc, points, 3);
      SelectObject(dc, edgePen.get());
    } else if (check == BST_INDETERMINATE) {
      RECT square = box;
      InflateRect(&square, -size / 4, -size / 4);
      FillRect(dc, &square, markBrush.get());
    }
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);

  const auto cues = static_cast<UINT>(SendMessageW(button, WM_QUERYUISTATE, 0, 0));
  const std::string caption = tk::WindowText(button);
  RECT room{box.right + 4, r.top, r.right, r.bottom};
  const HGDIOBJ oldFont = SelectControlFont(dc, button);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? c.ButtonDisabledText.value_or(MixColours(back, text, 50)) : text);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  if (cues & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
  toolkit::DrawTextUtf8(dc, caption, &room, format);
  if ((draw.uItemState & CDIS_FOCUS) && !(cues & UISF_HIDEFOCUS) && !caption.empty()) {
    RECT focus = room;
    toolkit::DrawTextUtf8(dc, caption, &focus, format | DT_CALCRECT);
    OffsetRect(&focus, 0, (r.bottom - r.top - (focus.bottom - focus.top)) / 2 - focus.top + r.top);
    InflateRect(&focus, 1, 1);
    DrawFocusRect(dc, &focus);
  }
  SelectObject(dc, oldFont);
  return CDRF_SKIPDEFAULT;
}

void SetGroupBoxColours(HWND groupBox, const TSkinColours& c) {
  if (!groupBox) return;
  if (!c.PanelBack) {
    ClearPainter(groupBox);
    return;
  }
  const COLORREF text = c.PanelText.value_or(GetSysColor(COLOR_BTNTEXT));
  const GroupLook look{*c.PanelBack, MixColours(*c.PanelBack, text, 32), text};
  SetPainter(groupBox, [look](HWND group, HDC dc) { PaintGroupBox(group, dc, look); });
}

tk::TickColours TickColoursOf(const TSkinColours& c) {
  if (!c.ListBack) return {};
  const COLORREF text = c.ListText.value_or(GetSysColor(COLOR_WINDOWTEXT));
  // The design's green, lightened until it stands out from a dark list.
  const COLORREF green = IsDarkLook(c) ? RGB(0x4C, 0xD9, 0x64) : tk::kTickGreen;
  return {MixColours(*c.ListBack, text, 45), *c.ListBack, green};
}

void SetTipColours(HWND tip, const TSkinColours& c) {
  if (!tip) return;
  if (c.PanelBack) {
    // As for the progress bar: a styled tip ignores the colours it is given.
    SetWindowTheme(tip, L" ", L" ");
    const COLORREF text = c.PanelText.value_or(GetSysColor(COLOR_INFOTEXT));
    SendMessageW(tip, TTM_SETTIPBKCOLOR, MixColours(*c.PanelBack, text, 10), 0);
    SendMessageW(tip, TTM_SETTIPTEXTCOLOR, text, 0);
  } else {
    SetWindowTheme(tip, nullptr, nullptr);
    SendMessageW(tip, TTM_SETTIPBKCOLOR, GetSysColor(COLOR_INFOBK), 0);
    SendMessageW(tip, TTM_SETTIPTEXTCOLOR, GetSysColor(COLOR_INFOTEXT), 0);
  }
}

void SetOwnedTipColours(HWND topLevel, const TSkinColours& colours) {
  OwnedTips owned{topLevel, &colours};
  EnumThreadWindows(GetCurrentThreadId(), ColourTipIfOwned, reinterpret_cast<LPARAM>(&owned));
}

void SetTabColours(HWND tabControl, const TSkinColours& c) {
  if (!tabControl || !c.PanelBack) return;
  const COLORREF text = c.PanelText.value_or(GetSysColor(COLOR_BTNTEXT));
  const TabLook look{*c.PanelBack, MixColours(*c.PanelBack, text, 8),
                     MixColours(*c.PanelBack, text, 32), c.TabText.value_or(text),
                     c.TabSelectedText.value_or(text)};
  SetPainter(tabControl, [look](HWND tab, HDC dc) { PaintTabs(tab, dc, look); });
}

void SetComboBoxExColours(HWND comboBoxEx, const TSkinColours& c) {
  if (!comboBoxEx || !c.ListBack) return;
  const COLORREF text = c.ListText.value_or(GetSysColor(COLOR_WINDOWTEXT));
  DWORD_PTR data = 0;
  const bool subclassed = GetWindowSubclass(comboBoxEx, ComboProc, kComboSubclassId, &data);
  auto* look = subclassed ? reinterpret_cast<ComboLook*>(data) : new ComboLook{};
  look->back = *c.ListBack;
  look->text = text;
  look->selectedBack = MixColours(*c.ListBack, text, 22);
  look->brush.reset(CreateSolidBrush(*c.ListBack));
  if (!subclassed && !SetWindowSubclass(comboBoxEx, ComboProc, kComboSubclassId,
                                        reinterpret_cast<DWORD_PTR>(look)))
    delete look;
  RedrawWindow(comboBoxEx, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void SetComboBoxColours(HWND comboBox, const TSkinColours& c) {
  if (!comboBox || !c.ListBack) return;
  const COLORREF text = c.ListText.value_or(GetSysColor(COLOR_WINDOWTEXT));
  const ComboFrameLook look{*c.ListBack, ListEdgeColour(c).value_or(text),
                            MixColours(*c.ListBack, text, 12), text};
  DWORD_PTR data = 0;
  if (GetWindowSubclass(comboBox, ComboFrameProc, kComboFrameSubclassId, &data)) {
    *reinterpret_cast<ComboFrameLook*>(data) = look;
  } else {
    auto* owned = new ComboFrameLook(look);
    if (!SetWindowSubclass(comboBox, ComboFrameProc, kComboFrameSubclassId,
                           reinterpret_cast<DWORD_PTR>(owned)))
      delete owned;
  }
  InvalidateRect(comboBox, nullptr, TRUE);
}

void SetProgressColours(HWND progressBar, const TSkinColours& c) {
  if (!progressBar || !c.ListBack) return;
  // A styled bar draws in the style's colours and ignores the ones it is given; a
  // class list that names no class takes its style away (an empty one does not
  // everywhere).
  SetWindowTheme(progressBar, L" ", L" ");
  SendMessageW(progressBar, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(*c.ListBack));
  // Toned down towards the trough, so that the list's text reads over it as well.
  const COLORREF text = c.ListText.value_or(GetSysColor(COLOR_WINDOWTEXT));
  const COLORREF bar = MixColours(*c.ListBack, c.Link.value_or(text), 45);
  SendMessageW(progressBar, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(bar));
  InvalidateRect(progressBar, nullptr, TRUE);
}

void SetRuleColours(HWND rule, const TSkinColours& c) {
  if (!rule || !c.PanelBack) return;
  // The system draws the line as the control's edge, outside its client area: the
  // edge goes, so that the painting below covers the whole control.
  const LONG_PTR ex = GetWindowLongPtrW(rule, GWL_EXSTYLE);
  SetWindowLongPtrW(rule, GWL_EXSTYLE, ex & ~(WS_EX_STATICEDGE | WS_EX_CLIENTEDGE));
  SetWindowPos(rule, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  const COLORREF back = *c.PanelBack;
  const COLORREF shadow = ShadowOf(back);
  const COLORREF light = MixColours(back, c.PanelText.value_or(GetSysColor(COLOR_BTNTEXT)), 18);
  SetPainter(rule, [back, shadow, light](HWND window, HDC dc) {
    RECT r{};
    GetClientRect(window, &r);
    FillSolid(dc, r, back);
    const LONG type = GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK;
    if (type == SS_ETCHEDVERT) {
      FillSolid(dc, {r.left, r.top, r.left + 1, r.bottom}, shadow);
      FillSolid(dc, {r.left + 1, r.top, r.left + 2, r.bottom}, light);
    } else if (type == SS_ETCHEDFRAME) {
      sys::UniqueBrush outer(CreateSolidBrush(shadow)), inner(CreateSolidBrush(light));
      FrameRect(dc, &r, outer.get());
      InflateRect(&r, -1, -1);
      FrameRect(dc, &r, inner.get());
    } else {
      FillSolid(dc, {r.left, r.top, r.right, r.top + 1}, shadow);
      FillSolid(dc, {r.left, r.top + 1, r.right, r.top + 2}, light);
    }
  });
}

}  // namespace ui
