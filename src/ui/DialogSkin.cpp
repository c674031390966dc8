#include "ui/DialogSkin.h"

#include <commctrl.h>

#include <string>

#include "sys/Handles.h"
#include "toolkit/Control.h"
#include "ui/GdiScope.h"
#include "toolkit/DialogFrame.h"
#include "toolkit/LinkLabel.h"
#include "ui/ControlSkins.h"
#include "ui/PictureBox.h"

namespace ui {
namespace {

// What the dialog answers for itself and its controls; owned by its subclass.
struct DialogLook {
  TSkinColours colours;
  std::optional<TButtonLook> buttons;
  sys::UniqueBrush back;
  sys::UniqueBrush list;
};

constexpr UINT_PTR kDialogSubclassId = 0x536B6E44;

bool IsPushButton(HWND window) {
  if (!tk::HasClass(window, L"Button")) return false;
  const LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// Draws the whole button, so that the system draws none of it.
LRESULT PaintPushButton(const NMCUSTOMDRAW& draw, const TButtonLook& look) {
  if (draw.dwDrawStage != CDDS_PREERASE && draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
  const HWND button = draw.hdr.hwndFrom;
  const HDC dc = draw.hdc;
  const UINT state = draw.uItemState;
  const bool disabled = (state & CDIS_DISABLED) != 0;
  const bool pressed = (state & CDIS_SELECTED) != 0;
  const bool focused = (state & CDIS_FOCUS) != 0;
  const bool isDefault = (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  RECT r = draw.rc;
  FillSolid(dc, r, look.back);

  const COLORREF face = disabled             ? look.face
                        : pressed            ? look.pressedFace
                        : (state & CDIS_HOT) ? look.hotFace
                                             : look.face;
  const COLORREF edge = !disabled && (isDefault || focused) ? look.defaultEdge : look.edge;
  sys::UniqueBrush faceBrush(CreateSolidBrush(face));
  sys::UniquePen edgePen(CreatePen(PS_SOLID, 1, edge));
  const HGDIOBJ oldBrush = SelectObject(dc, faceBrush.get());
  const HGDIOBJ oldPen = SelectObject(dc, edgePen.get());
  RoundRect(dc, r.left, r.top, r.right, r.bottom, 5, 5);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);

  const auto cues = static_cast<UINT>(SendMessageW(button, WM_QUERYUISTATE, 0, 0));
  const std::string text = tk::WindowText(button);
  RECT room = r;
  InflateRect(&room, -4, -2);
  if (pressed) OffsetRect(&room, 1, 1);
  const HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? look.disabledText : look.text);
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
  if (cues & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
  toolkit::DrawTextUtf8(dc, text, &room, format);
  SelectObject(dc, oldFont);
  if (focused && !(cues & UISF_HIDEFOCUS)) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    SetTextColor(dc, look.text);
    DrawFocusRect(dc, &focus);
  }
  return CDRF_SKIPDEFAULT;
}

LRESULT AnswerList(HDC dc, const DialogLook& look) {
  SetTextColor(dc, look.colours.ListText.value_or(GetSysColor(COLOR_WINDOWTEXT)));
  SetBkColor(dc, look.colours.ListBack.value_or(GetSysColor(COLOR_WINDOW)));
  return reinterpret_cast<LRESULT>(look.list ? look.list.get() : GetSysColorBrush(COLOR_WINDOW));
}

LRESULT CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                            DWORD_PTR data) {
  auto* look = reinterpret_cast<DialogLook*>(data);
  switch (msg) {
    case WM_ERASEBKGND:
      if (look->back) {
        RECT client{};
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, look->back.get());
        return 1;
      }
      break;
    case WM_CTLCOLORDLG:
      if (look->back) {
        SetBkColor(reinterpret_cast<HDC>(wParam), *look->colours.PanelBack);
        return reinterpret_cast<LRESULT>(look->back.get());
      }
      break;
    case WM_CTLCOLORLISTBOX:
      if (look->list) return AnswerList(reinterpret_cast<HDC>(wParam), *look);
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (look->buttons && header->code == NM_CUSTOMDRAW && IsPushButton(header->hwndFrom))
        return PaintPushButton(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam), *look->buttons);
      break;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, DialogProc, id);
      delete look;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void SetDialogLook(HWND dialog, const TSkinColours& colours) {
  DWORD_PTR data = 0;
  const bool subclassed = GetWindowSubclass(dialog, DialogProc, kDialogSubclassId, &data);
  auto* look = subclassed ? reinterpret_cast<DialogLook*>(data) : new DialogLook;
  look->colours = colours;
  look->buttons = ButtonLookOf(colours);
  look->back.reset(colours.PanelBack ? CreateSolidBrush(*colours.PanelBack) : nullptr);
  look->list.reset(colours.ListBack ? CreateSolidBrush(*colours.ListBack) : nullptr);
  if (!subclassed &&
      !SetWindowSubclass(dialog, DialogProc, kDialogSubclassId, reinterpret_cast<DWORD_PTR>(look)))
    delete look;
}

BOOL CALLBACK SkinControl(HWND control, LPARAM colours) {
  const TSkinColours& c = *reinterpret_cast<const TSkinColours*>(colours);
  if (tk::HasClass(control, WC_LISTVIEWW)) {
    SetListColours(control, c);
  } else if (tk::HasClass(control, WC_TREEVIEWW)) {
    SetTreeColours(control, c);
  } else if (tk::HasClass(control, WC_TABCONTROLW)) {
    SetTabColours(control, c);
  } else if (tk::HasClass(control, WC_COMBOBOXEXW)) {
    SetComboBoxExColours(control, c);
  } else if (tk::HasClass(control, WC_COMBOBOXW)) {
    SetComboBoxColours(control, c);
  } else if (tk::HasClass(control, PROGRESS_CLASSW)) {
    SetProgressColours(control, c);
  } else if (tk::HasClass(control, L"Static")) {
    const LONG type = GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK;
    if (type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT || type == SS_ETCHEDFRAME)
      SetRuleColours(control, c);
  } else if (auto* window = tk::Window::FromHandle(control)) {
    if (auto* link = dynamic_cast<tk::LinkLabel*>(window)) {
      if (c.Link) link->setLinkColour(*c.Link);
      // Red under the mouse reads badly on a dark panel; the panel's text does not.
      if (c.PanelText) link->setHoverColour(*c.PanelText);
    } else if (auto* picture = dynamic_cast<PictureBox*>(window)) {
      if (c.PanelBack) picture->setBackground(*c.PanelBack);
    }
  }
  return TRUE;
}

bool HasAny(const TSkinColours& c) {
  return c.PanelBack || c.PanelText || c.ListBack || c.ListText;
}

}  // namespace

std::optional<TButtonLook> ButtonLookOf(const TSkinColours& c) {
  if (!c.PanelBack) return std::nullopt;
  const COLORREF back = *c.PanelBack;
  const COLORREF text = c.PanelText.value_or(GetSysColor(COLOR_BTNTEXT));
  TButtonLook look{};
  look.back = back;
  look.face = MixColours(back, text, 12);
  look.hotFace = MixColours(back, text, 20);
  look.pressedFace = MixColours(back, text, 6);
  look.edge = MixColours(back, text, 32);
  look.defaultEdge = c.Link.value_or(MixColours(back, text, 60));
  look.text = text;
  look.disabledText = c.ButtonDisabledText.value_or(MixColours(back, text, 50));
  return look;
}

void SkinDialog(HWND dialog, const TSkinColours& colours) {
  if (!dialog || !HasAny(colours)) return;
  SetDialogLook(dialog, colours);
  SetContainerColours(dialog, colours);
  EnumChildWindows(dialog, SkinControl, reinterpret_cast<LPARAM>(&colours));
  if (!(GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD)) {
    tk::SetDarkCaption(dialog, IsDarkLook(colours));
    SetOwnedTipColours(dialog, colours);
  }
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void SkinDialog(HWND dialog) {
  SkinDialog(dialog, CurrentSkinColours());
}

}  // namespace ui
