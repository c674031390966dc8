#include "toolkit/TickTreeView.h"

#include <windowsx.h>

#include <cstring>

#include "sys/Text.h"

namespace tk {
namespace {

constexpr int kMaxText = 4096;

}  // namespace

int NextTickState(int state) {
  switch (state) {
    case kUnticked:
      return kTicked;
    case kTicked:
      return kUnticked;
    case kPartlyTicked:
      return kTicked;
  }
  return state;
}

TickTreeView::~TickTreeView() {
  HWND hwnd = hwnd_;
  detach();
  if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
}

void TickTreeView::detach() {
  if (hwnd_ && IsWindow(hwnd_)) {
    KillTimer(hwnd_, reinterpret_cast<UINT_PTR>(this));
    RemoveWindowSubclass(hwnd_, &TickTreeView::SubclassProc, 0);
  }
  tip_.destroy();  // an owned popup of the control: it goes with it
  tipNode_ = nullptr;
  trackingLeave_ = false;
  hwnd_ = nullptr;
}

bool TickTreeView::setTickColours(const TickColours& colours) {
  UniqueImageList images = CreateTickStateImages(16, colours);
  if (!images) return false;
  // The tree lets go of the old pictures before they are destroyed.
  if (hwnd_)
    SendMessageW(hwnd_, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images.get()));
  images_ = std::move(images);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
  return true;
}

bool TickTreeView::create(HWND parent, int id, const RECT& r, DWORD extraStyle) {
  if (hwnd_) return true;
  INITCOMMONCONTROLSEX init{sizeof init, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&init);
  images_ = CreateTickStateImages();
  if (!images_) return false;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS |
                      TVS_LINESATROOT | TVS_SHOWSELALWAYS | extraStyle;
  HWND hwnd =
      CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", style, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return false;
  hwnd_ = hwnd;
  auto font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(hwnd_, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images_.get()));
  if (nodeImages_)
    SendMessageW(hwnd_, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(nodeImages_.get()));
  // The W forms of the notifications whatever the parent prefers, so that a node's
  // text reaches its handlers whole.
  SendMessageW(hwnd_, TVM_SETUNICODEFORMAT, TRUE, 0);
  SetWindowSubclass(hwnd_, &TickTreeView::SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  if (tipText_) tip_.create(hwnd_);
  return true;
}

void TickTreeView::setNodeImages(UniqueImageList images) {
  nodeImages_ = std::move(images);
  if (hwnd_)
    SendMessageW(hwnd_, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(nodeImages_.get()));
}

HTREEITEM TickTreeView::add(const std::string& caption, HTREEITEM parentNode, LPARAM value,
                            int tick, int picture) {
  if (!hwnd_) return nullptr;
  TVINSERTSTRUCTW insert{};
  insert.hParent = parentNode ? parentNode : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  std::wstring buffer = sys::Widen(caption);
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
  insert.item.pszText = buffer.data();
  insert.item.lParam = value;
  insert.item.stateMask = TVIS_STATEIMAGEMASK;
  insert.item.state = INDEXTOSTATEIMAGEMASK(tick);
  if (picture >= 0) {
    insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.iImage = picture;
    insert.item.iSelectedImage = picture;
  }
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(hwnd_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

int TickTreeView::state(HTREEITEM node) const {
  if (!node || !hwnd_) return 0;
  TVITEMW item{};
  item.mask = TVIF_STATE | TVIF_HANDLE;
  item.hItem = node;
  item.stateMask = TVIS_STATEIMAGEMASK;
  if (!SendMessageW(hwnd_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return static_cast<int>((item.state & TVIS_STATEIMAGEMASK) >> 12);
}

bool TickTreeView::setState(HTREEITEM node, int tick) {
  if (!node || !hwnd_ || tick < 0 || tick > 15) return false;
  TVITEMW item{};
  item.mask = TVIF_STATE | TVIF_HANDLE;
  item.hItem = node;
  item.stateMask = TVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(tick);
  return SendMessageW(hwnd_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string TickTreeView::text(HTREEITEM node) const {
  if (!node || !hwnd_) return {};
  std::wstring buffer(kMaxText, L'\0');
  TVITEMW item{};
  item.mask = TVIF_TEXT | TVIF_HANDLE;
  item.hItem = node;
  item.pszText = buffer.data();
  item.cchTextMax = kMaxText;
  if (!SendMessageW(hwnd_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return {};
  // The control may answer with a text of its own instead of filling the buffer.
  return sys::NarrowZ(item.pszText);
}

LPARAM TickTreeView::data(HTREEITEM node) const {
  if (!node || !hwnd_) return 0;
  TVITEMW item{};
  item.mask = TVIF_PARAM | TVIF_HANDLE;
  item.hItem = node;
  if (!SendMessageW(hwnd_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return item.lParam;
}

int TickTreeView::image(HTREEITEM node) const {
  if (!node || !hwnd_) return -1;
  TVITEMW item{};
  item.mask = TVIF_IMAGE | TVIF_HANDLE;
  item.hItem = node;
  if (!SendMessageW(hwnd_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iImage;
}

HTREEITEM TickTreeView::parent(HTREEITEM node) const {
  if (!node || !hwnd_) return nullptr;
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(hwnd_, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(node)));
}

HTREEITEM TickTreeView::firstChild(HTREEITEM node) const {
  if (!hwnd_) return nullptr;
  if (!node) return reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(hwnd_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(node)));
}

HTREEITEM TickTreeView::nextSibling(HTREEITEM node) const {
  if (!node || !hwnd_) return nullptr;
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(hwnd_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(node)));
}

std::vector<HTREEITEM> TickTreeView::children(HTREEITEM node) const {
  std::vector<HTREEITEM> result;
  for (HTREEITEM child = firstChild(node); child; child = nextSibling(child)) {
    result.push_back(child);
  }
  return result;
}

std::vector<HTREEITEM> TickTreeView::descendants(HTREEITEM node) const {
  std::vector<HTREEITEM> result;
  std::vector<HTREEITEM> pending = children(node);
  // Depth first, in display order: take the front, put its children before the rest.
  while (!pending.empty()) {
    HTREEITEM next = pending.front();
    pending.erase(pending.begin());
    result.push_back(next);
    std::vector<HTREEITEM> below = children(next);
    pending.insert(pending.begin(), below.begin(), below.end());
  }
  return result;
}

void TickTreeView::expand(HTREEITEM node, bool expanded) {
  if (!node || !hwnd_) return;
  SendMessageW(hwnd_, TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE,
               reinterpret_cast<LPARAM>(node));
}

void TickTreeView::expandAll() {
  for (HTREEITEM node : descendants(nullptr)) expand(node, true);
}

bool TickTreeView::isExpanded(HTREEITEM node) const {
  if (!node || !hwnd_) return false;
  return (SendMessageW(hwnd_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node), TVIS_EXPANDED) &
          TVIS_EXPANDED) != 0;
}

HTREEITEM TickTreeView::selected() const {
  if (!hwnd_) return nullptr;
  return reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void TickTreeView::select(HTREEITEM node) {
  if (hwnd_) SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}

bool TickTreeView::remove(HTREEITEM node) {
  if (!node || !hwnd_) return false;
  cancelTip();  // the node under the tip may be the one that goes
  return SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node)) != 0;
}

void TickTreeView::deleteAll() {
  cancelTip();
  if (hwnd_) SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

int TickTreeView::count() const {
  return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, TVM_GETCOUNT, 0, 0)) : 0;
}

TreeHit TickTreeView::hitTest(POINT client) const {
  TreeHit hit;
  if (!hwnd_) return hit;
  TVHITTESTINFO info{};
  info.pt = client;
  hit.node = reinterpret_cast<HTREEITEM>(
      SendMessageW(hwnd_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  hit.flags = info.flags;
  return hit;
}

RECT TickTreeView::nodeRect(HTREEITEM node, bool textOnly) const {
  RECT r{};
  if (!node || !hwnd_) return r;
  // TVM_GETITEMRECT takes the node in the rectangle it fills.
  std::memcpy(&r, &node, sizeof node);
  if (!SendMessageW(hwnd_, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&r))) return {};
  return r;
}

void TickTreeView::tickClicked(HTREEITEM node, UINT trigger) {
  if (onTickClick) {
    onTickClick(node, trigger);
  } else {
    setState(node, NextTickState(state(node)));
  }
}

void TickTreeView::setNodeTips(TipText text, UINT delayMs) {
  tipText_ = std::move(text);
  tipDelay_ = delayMs;
  if (tipText_ && hwnd_) tip_.create(hwnd_);
  if (!tipText_) cancelTip();
}

std::string TickTreeView::nodeTipText(HTREEITEM node) const {
  if (!tipText_ || !node) return {};
  try {
    return tipText_(node);
  } catch (...) {
    return {};  // a tip that cannot be built shows nothing
  }
}

void TickTreeView::cancelTip() {
  if (hwnd_) KillTimer(hwnd_, reinterpret_cast<UINT_PTR>(this));
  tipNode_ = nullptr;
  tip_.hide();
}

void TickTreeView::trackTip(POINT client) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  const TreeHit hit = hitTest(client);
  // Only a node's own line counts: its picture, text or boxes, not the space after it.
  const UINT onNode = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
  HTREEITEM node = (hit.flags & onNode) ? hit.node : nullptr;
  tipPoint_ = client;
  if (node == tipNode_) return;
  cancelTip();
  if (!node) return;
  tipNode_ = node;
  SetTimer(hwnd_, reinterpret_cast<UINT_PTR>(this), tipDelay_, nullptr);
}

void TickTreeView::showTip() {
  KillTimer(hwnd_, reinterpret_cast<UINT_PTR>(this));
  if (!tipText_ || !tipNode_) return;
  POINT at = tipPoint_;
  ClientToScreen(hwnd_, &at);
  at.y += GetSystemMetrics(SM_CYCURSOR) * 3 / 4;
  tip_.show(nodeTipText(tipNode_), at);
}

LRESULT CALLBACK TickTreeView::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR /*id*/, DWORD_PTR self) {
  auto* tree = reinterpret_cast<TickTreeView*>(self);
  if (msg == WM_NCDESTROY) {
    tree->detach();
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  bool handled = false;
  try {
    handled = tree->onSubclassMessage(msg, wParam, lParam);
  } catch (...) {
    handled = true;  // the press was meant for the box; the handler's failure ends it
  }
  return handled ? 0 : DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool TickTreeView::onSubclassMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  UINT trigger = 0;
  switch (msg) {
    case WM_MOUSEMOVE:
      if (tipText_) trackTip({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return false;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      cancelTip();
      return false;
    case WM_TIMER:
      if (wParam != reinterpret_cast<UINT_PTR>(this)) return false;
      showTip();
      return true;
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KILLFOCUS:
      cancelTip();
      return false;
    default:
      break;
  }
  // A press or a key puts the tip away.
  if ((msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK) || msg == WM_KEYDOWN) cancelTip();
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      trigger = VK_LBUTTON;
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      trigger = VK_RBUTTON;
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      trigger = VK_MBUTTON;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && spaceToggles_) {
        if (HTREEITEM node = selected()) tickClicked(node, VK_SPACE);
        return true;
      }
      return false;
    case WM_CHAR:
      return wParam == ' ' && spaceToggles_;  // no incremental search for the blank
    default:
      return false;
  }
  const TreeHit hit = hitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (!hit.onStateIcon()) return false;
  // The press belongs to the box: the control neither selects nor tracks a drag.
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
  tickClicked(hit.node, trigger);
  return true;
}

}  // namespace tk
