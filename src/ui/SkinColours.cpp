#include "ui/SkinColours.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <cctype>
#include <string>

#include "sys/Handles.h"
#include "toolkit/Control.h"
#include "ui/ControlSkins.h"
#include "ui/SkinTargets.h"

namespace ui {
namespace {

// What a container answers for its controls; owned by the container's subclass.
struct ContainerColours {
  TSkinColours colours;
  sys::UniqueBrush panel;
  sys::UniqueBrush input;
};

constexpr UINT_PTR kSubclassId = 0x536B696E;  // one subclass per container
// Set on a check box whose visual style was switched off for its text colour.
constexpr wchar_t kUnstyledProp[] = L"Prunaxis.SkinUnstyled";

double Luminance(COLORREF c) {
  return (0.2126 * GetRValue(c) + 0.7152 * GetGValue(c) + 0.0722 * GetBValue(c)) / 255.0;
}

bool HasAny(const TSkinColours& c) {
  return c.PanelBack || c.PanelText || c.ListBack || c.ListText;
}

LRESULT Answer(HDC dc, std::optional<COLORREF> back, std::optional<COLORREF> text, HBRUSH brush,
               int designBack, int designText) {
  SetTextColor(dc, text ? *text : GetSysColor(designText));
  SetBkColor(dc, back ? *back : GetSysColor(designBack));
  return reinterpret_cast<LRESULT>(brush ? brush : GetSysColorBrush(designBack));
}

LRESULT CALLBACK ContainerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data) {
  auto* c = reinterpret_cast<ContainerColours*>(data);
  switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      const auto control = reinterpret_cast<HWND>(lParam);
      const TSkinColours& k = c->colours;
      // Edit and combo boxes, read-only ones too, take the list colours; the rest
      // the panel's.
      if (tk::HasClass(control, L"Edit") || tk::HasClass(control, L"ComboBox")) {
        if (k.ListBack || k.ListText)
          return Answer(dc, k.ListBack, k.ListText, c->input.get(), COLOR_WINDOW, COLOR_WINDOWTEXT);
      } else if (k.PanelBack || k.PanelText) {
        return Answer(dc, k.PanelBack, k.PanelText, c->panel.get(), COLOR_BTNFACE,
                      COLOR_WINDOWTEXT);
      }
      break;
    }
    case WM_NOTIFY: {
      // A check box draws its box in the system's light colours; a skin with panel
      // colours has it drawn whole.
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == NM_CUSTOMDRAW && c->colours.PanelBack &&
          tk::IsCheckOrRadioButton(header->hwndFrom))
        return PaintCheckBox(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam), c->colours);
      break;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ContainerProc, id);
      delete c;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

BOOL CALLBACK StyleCheckBox(HWND window, LPARAM styled) {
  if (!tk::IsCheckOrRadioButton(window)) return TRUE;
  if (!styled) {
    SetPropW(window, kUnstyledProp, reinterpret_cast<HANDLE>(1));
    SetWindowTheme(window, L"", L"");
  } else if (RemovePropW(window, kUnstyledProp)) {
    SetWindowTheme(window, nullptr, nullptr);
  }
  return TRUE;
}

// The sunken edges and the list headers of controls on a skin's own colours, which
// the system would draw in its light 3D colours: owned by the control's subclass.
struct FrameLook {
  sys::UniqueBrush edge;
  sys::UniqueBrush headerBack;
  COLORREF headerText = 0;
};

constexpr UINT_PTR kFrameSubclassId = 0x536B6E46;

void PaintClientEdge(HWND window, HBRUSH brush) {
  if (!(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
  RECT r{};
  GetWindowRect(window, &r);
  OffsetRect(&r, -r.left, -r.top);
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  for (int i = 0; i < GetSystemMetrics(SM_CXEDGE); ++i) {
    FrameRect(dc, &r, brush);
    InflateRect(&r, -1, -1);
  }
  ReleaseDC(window, dc);
}

LRESULT DrawHeader(NMCUSTOMDRAW* draw, const FrameLook& look) {
  switch (draw->dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPREPAINT: {
      const RECT cell = draw->rc;
      FillRect(draw->hdc, &cell, look.headerBack.get());
      RECT divider{cell.right - 1, cell.top + 3, cell.right, cell.bottom - 3};
      RECT base{cell.left, cell.bottom - 1, cell.right, cell.bottom};
      FillRect(draw->hdc, &divider, look.edge.get());
      FillRect(draw->hdc, &base, look.edge.get());
      wchar_t text[260] = {};
      HDITEMW item{};
      item.mask = HDI_TEXT | HDI_FORMAT;
      item.pszText = text;
      item.cchTextMax = 260;
      SendMessageW(draw->hdr.hwndFrom, HDM_GETITEMW, draw->dwItemSpec,
                   reinterpret_cast<LPARAM>(&item));
      const int justify = item.fmt & HDF_JUSTIFYMASK;
      const UINT align = justify == HDF_RIGHT    ? DT_RIGHT
                         : justify == HDF_CENTER ? DT_CENTER
                                                 : DT_LEFT;
      RECT room{cell.left + 6, cell.top, cell.right - 6, cell.bottom};
      SetBkMode(draw->hdc, TRANSPARENT);
      SetTextColor(draw->hdc, look.headerText);
      DrawTextW(draw->hdc, text, -1, &room,
                align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
      return CDRF_SKIPDEFAULT;
    }
    case CDDS_POSTPAINT: {
      // Right of the last column the header shows no item, only its background.
      RECT rest{};
      GetClientRect(draw->hdr.hwndFrom, &rest);
      const int count = static_cast<int>(SendMessageW(draw->hdr.hwndFrom, HDM_GETITEMCOUNT, 0, 0));
      if (count > 0) {
        const auto last = SendMessageW(draw->hdr.hwndFrom, HDM_ORDERTOINDEX, count - 1, 0);
        RECT cell{};
        SendMessageW(draw->hdr.hwndFrom, HDM_GETITEMRECT, static_cast<WPARAM>(last),
                     reinterpret_cast<LPARAM>(&cell));
        rest.left = cell.right;
      }
      FillRect(draw->hdc, &rest, look.headerBack.get());
      RECT base{rest.left, rest.bottom - 1, rest.right, rest.bottom};
      FillRect(draw->hdc, &base, look.edge.get());
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR data) {
  auto* look = reinterpret_cast<FrameLook*>(data);
  switch (msg) {
    case WM_NCPAINT: {
      const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
      PaintClientEdge(hwnd, look->edge.get());
      return result;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (look->headerBack && header->code == NM_CUSTOMDRAW &&
          header->hwndFrom == reinterpret_cast<HWND>(SendMessageW(hwnd, LVM_GETHEADER, 0, 0)))
        return DrawHeader(reinterpret_cast<NMCUSTOMDRAW*>(lParam), *look);
      break;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, FrameProc, id);
      delete look;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// Gives `control` its edge (and, for a list view, header) in `edge`, or takes the
// look away again with none.
void SetFrameLook(HWND control, std::optional<COLORREF> edge, std::optional<COLORREF> headerBack,
                  COLORREF headerText) {
  DWORD_PTR data = 0;
  const bool subclassed = GetWindowSubclass(control, FrameProc, kFrameSubclassId, &data);
  if (!edge) {
    if (subclassed) {
      RemoveWindowSubclass(control, FrameProc, kFrameSubclassId);
      delete reinterpret_cast<FrameLook*>(data);
    }
  } else {
    auto* look = subclassed ? reinterpret_cast<FrameLook*>(data) : new FrameLook;
    look->edge.reset(CreateSolidBrush(*edge));
    look->headerBack.reset(headerBack ? CreateSolidBrush(*headerBack) : nullptr);
    look->headerText = headerText;
    if (!subclassed &&
        !SetWindowSubclass(control, FrameProc, kFrameSubclassId, reinterpret_cast<DWORD_PTR>(look)))
      delete look;
  }
  SetWindowPos(control, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (HWND header = reinterpret_cast<HWND>(SendMessageW(control, LVM_GETHEADER, 0, 0)))
    InvalidateRect(header, nullptr, TRUE);
}

// A list's selection while the list has no focus: the system draws it in the 3D
// face colour with the list's own text colour, light on light on a dark skin. The
// list's parent hears its custom draw first and paints those rows itself.
struct SelectionLook {
  HWND list;
  COLORREF back, text;
};

LRESULT CALLBACK ListParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR data) {
  auto* look = reinterpret_cast<SelectionLook*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, ListParentProc, id);
    delete look;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  if (msg != WM_NOTIFY) return DefSubclassProc(hwnd, msg, wParam, lParam);
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->hwndFrom != look->list || header->code != NM_CUSTOMDRAW)
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  // Whoever draws the list's cells (its link column, say) answers first.
  LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
  const DWORD stage = draw->nmcd.dwDrawStage;
  if (stage == CDDS_PREPAINT) return result | CDRF_NOTIFYITEMDRAW;
  if ((stage & ~CDDS_SUBITEM) != CDDS_ITEMPREPAINT || (result & CDRF_SKIPDEFAULT)) return result;
  const auto item = static_cast<WPARAM>(draw->nmcd.dwItemSpec);
  const bool selected = SendMessageW(look->list, LVM_GETITEMSTATE, item, LVIS_SELECTED) != 0;
  if (selected && GetFocus() != look->list) {
    draw->nmcd.uItemState &= ~CDIS_SELECTED;
    draw->clrTextBk = look->back;
    draw->clrText = look->text;
    if (stage == CDDS_ITEMPREPAINT) result |= CDRF_NOTIFYSUBITEMDRAW;
  }
  return result;
}

void SetSelectionLook(HWND list, std::optional<COLORREF> back, COLORREF text) {
  HWND parent = GetParent(list);
  if (!parent) return;
  const auto id = reinterpret_cast<UINT_PTR>(list);
  DWORD_PTR data = 0;
  const bool subclassed = GetWindowSubclass(parent, ListParentProc, id, &data);
  if (!back) {
    if (subclassed) {
      RemoveWindowSubclass(parent, ListParentProc, id);
      delete reinterpret_cast<SelectionLook*>(data);
    }
    return;
  }
  auto* look = subclassed ? reinterpret_cast<SelectionLook*>(data) : new SelectionLook{};
  *look = SelectionLook{list, *back, text};
  if (!subclassed &&
      !SetWindowSubclass(parent, ListParentProc, id, reinterpret_cast<DWORD_PTR>(look)))
    delete look;
}

// Windows 10 and later draw a control's scroll bars dark in the style that their
// own dark windows use; elsewhere the name is unknown and the default style stays.
void SetScrollBarLook(HWND control, const TSkinColours& colours) {
  const bool dark = colours.ListBack && Luminance(*colours.ListBack) < 0.4;
  SetWindowTheme(control, dark ? L"DarkMode_Explorer" : nullptr, nullptr);
}

BOOL CALLBACK FrameControl(HWND window, LPARAM colours) {
  const auto& c = *reinterpret_cast<const TSkinColours*>(colours);
  if (tk::HasClass(window, L"Edit")) {
    SetFrameLook(window, ListEdgeColour(c), std::nullopt, 0);
  } else if (tk::HasClass(window, L"Button") &&
             (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) {
    SetGroupBoxColours(window, c);
  }
  return TRUE;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

}  // namespace

std::optional<COLORREF> ParseSkinColour(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  int rgb[3];
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigit(text[1 + 2 * i]), low = HexDigit(text[2 + 2 * i]);
    if (high < 0 || low < 0) return std::nullopt;
    rgb[i] = high * 16 + low;
  }
  return RGB(rgb[0], rgb[1], rgb[2]);
}

TSkinColours CurrentSkinColours() {
  TSkinColours c;
  const auto& targets = SkinTargets();
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (targets[i].effect == SkinEffect::Colour && targets[i].colour)
      c.*targets[i].colour = ParseSkinColour(SkinValue(static_cast<SkinId>(i)));
  }
  return c;
}

COLORREF SkinColourOr(SkinId id, COLORREF design) {
  return ParseSkinColour(SkinValue(id)).value_or(design);
}

void SetContainerColours(HWND container, const TSkinColours& colours) {
  if (!container) return;
  DWORD_PTR data = 0;
  const bool subclassed = GetWindowSubclass(container, ContainerProc, kSubclassId, &data);
  if (!HasAny(colours)) {
    if (subclassed) {
      RemoveWindowSubclass(container, ContainerProc, kSubclassId);
      delete reinterpret_cast<ContainerColours*>(data);
    }
  } else {
    auto* c = subclassed ? reinterpret_cast<ContainerColours*>(data) : new ContainerColours;
    c->colours = colours;
    c->panel.reset(colours.PanelBack ? CreateSolidBrush(*colours.PanelBack) : nullptr);
    c->input.reset(colours.ListBack ? CreateSolidBrush(*colours.ListBack) : nullptr);
    if (!subclassed &&
        !SetWindowSubclass(container, ContainerProc, kSubclassId, reinterpret_cast<DWORD_PTR>(c)))
      delete c;
  }
  EnumChildWindows(container, StyleCheckBox, colours.PanelText ? 0 : 1);
  EnumChildWindows(container, FrameControl, reinterpret_cast<LPARAM>(&colours));
  RedrawWindow(container, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SetListColours(HWND listView, const TSkinColours& colours) {
  if (!listView) return;
  const COLORREF back = colours.ListBack ? *colours.ListBack : GetSysColor(COLOR_WINDOW);
  SendMessageW(listView, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
  SendMessageW(listView, LVM_SETTEXTBKCOLOR, 0,
               static_cast<LPARAM>(colours.ListBack ? *colours.ListBack : CLR_DEFAULT));
  SendMessageW(listView, LVM_SETTEXTCOLOR, 0,
               static_cast<LPARAM>(colours.ListText ? *colours.ListText : CLR_DEFAULT));
  SetFrameLook(
      listView, ListEdgeColour(colours), colours.PanelBack.value_or(back),
      colours.PanelText.value_or(colours.ListText.value_or(GetSysColor(COLOR_WINDOWTEXT))));
  const COLORREF text = colours.ListText.value_or(GetSysColor(COLOR_WINDOWTEXT));
  SetSelectionLook(listView,
                   colours.ListBack
                       ? std::optional<COLORREF>(MixColours(*colours.ListBack, text, 22))
                       : std::nullopt,
                   text);
  SetScrollBarLook(listView, colours);
  InvalidateRect(listView, nullptr, TRUE);
}

void SetTreeColours(HWND treeView, const TSkinColours& colours) {
  if (!treeView) return;
  auto orDefault = [](std::optional<COLORREF> c) {
    return static_cast<LPARAM>(c ? *c : static_cast<COLORREF>(-1));
  };
  SendMessageW(treeView, TVM_SETBKCOLOR, 0, orDefault(colours.ListBack));
  SendMessageW(treeView, TVM_SETTEXTCOLOR, 0, orDefault(colours.ListText));
  const std::optional<COLORREF> edge = ListEdgeColour(colours);
  SendMessageW(treeView, TVM_SETLINECOLOR, 0, static_cast<LPARAM>(edge ? *edge : CLR_DEFAULT));
  SetFrameLook(treeView, edge, std::nullopt, 0);
  SetScrollBarLook(treeView, colours);
  InvalidateRect(treeView, nullptr, TRUE);
}

COLORREF MixColours(COLORREF a, COLORREF b, int bPercent) {
  auto channel = [&](int x, int y) { return (x * (100 - bPercent) + y * bPercent) / 100; };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

std::optional<COLORREF> ListEdgeColour(const TSkinColours& c) {
  if (!c.ListBack) return std::nullopt;
  return MixColours(*c.ListBack, c.ListText.value_or(GetSysColor(COLOR_WINDOWTEXT)), 25);
}

bool IsDarkLook(const TSkinColours& c) {
  const std::optional<COLORREF> back = c.PanelBack ? c.PanelBack : c.ListBack;
  return back && Luminance(*back) < 0.4;
}

SidePanelBar SidePanelBarColours(const TSkinColours& c) {
  if (!c.PanelBack) return std::nullopt;
  const COLORREF text = c.PanelText.value_or(GetSysColor(COLOR_WINDOWTEXT));
  return tk::SidePanel::BarColours{c.ListBack.value_or(*c.PanelBack),
                                   MixColours(*c.PanelBack, text, 18),
                                   MixColours(*c.PanelBack, text, 70)};
}

}  // namespace ui
