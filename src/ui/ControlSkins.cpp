#include "ui/ControlSkins.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <functional>

#include "sys/Handles.h"

namespace ui {
namespace {

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  sys::UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &r, brush.get());
}

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

std::wstring TabText(HWND tab, int index) {
  wchar_t buffer[260] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = 260;
  SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

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
    const std::wstring text = TabText(tab, i);
    DrawTextW(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
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

}  // namespace

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
