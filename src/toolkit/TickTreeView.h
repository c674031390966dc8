// A tree view whose nodes carry tick boxes with three states (TickImages.h):
// 1 unticked, 2 ticked, 3 partly ticked. The state pictures are ours (an image
// list that the object owns), so the tree does not use TVS_CHECKBOXES and never
// toggles a box by itself: a press of any mouse button on a node's box (or Space,
// when enabled) calls onTickClick, which decides what changes. Without a callback
// the node alone takes NextTickState.
//
// Nodes may also carry a picture of their own (an image list set with
// setNodeImages) and a tip of our own: a tracking tooltip whose text a callback
// gives for the node under the resting mouse, which works where the control never
// asks for info tips.
//
// The object owns the control (destroyed when the object goes, unless the parent
// did it first), the state pictures, the node pictures and the tip window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/ImageLists.h"
#include "toolkit/TickImages.h"
#include "toolkit/TrackingTip.h"

namespace tk {

// A click's effect on one box: 1 becomes 2, 2 becomes 1, 3 becomes 2; any other
// value stays as it is.
int NextTickState(int state);

struct TreeHit {
  HTREEITEM node = nullptr;
  UINT flags = 0;  // TVHT_...
  bool onStateIcon() const { return node && (flags & TVHT_ONITEMSTATEICON); }
};

class TickTreeView {
 public:
  TickTreeView() = default;
  ~TickTreeView();
  TickTreeView(const TickTreeView&) = delete;
  TickTreeView& operator=(const TickTreeView&) = delete;

  // The tree has lines, buttons and root lines, and keeps its selection visible.
  bool create(HWND parent, int id, const RECT& bounds, DWORD extraStyle = 0);
  HWND hwnd() const { return hwnd_; }
  Control control() const { return Control(hwnd_); }
  HIMAGELIST stateImages() const { return images_.get(); }
  // Draws the tick boxes again in `colours` (a dark skin's, say).
  bool setTickColours(const TickColours& colours);

  // The pictures that nodes show beside their text; the tree keeps them.
  void setNodeImages(UniqueImageList images);
  HIMAGELIST nodeImages() const { return nodeImages_.get(); }

  // Adds a node as the last child of `parent` (nullptr: a top-level node), showing
  // picture `image` of the node images (none when negative).
  HTREEITEM add(const std::string& text, HTREEITEM parent = nullptr, LPARAM data = 0,
                int state = kTicked, int image = -1);
  int state(HTREEITEM node) const;  // 0 for no node
  bool setState(HTREEITEM node, int state);
  std::string text(HTREEITEM node) const;
  LPARAM data(HTREEITEM node) const;
  int image(HTREEITEM node) const;  // -1 for no node

  HTREEITEM parent(HTREEITEM node) const;
  HTREEITEM firstChild(HTREEITEM node) const;  // nullptr: the first top-level node
  HTREEITEM nextSibling(HTREEITEM node) const;
  // The direct children of `node`, or the top-level nodes for nullptr.
  std::vector<HTREEITEM> children(HTREEITEM node) const;
  // Every node below `node` (or every node for nullptr), depth first.
  std::vector<HTREEITEM> descendants(HTREEITEM node) const;

  void expand(HTREEITEM node, bool expanded = true);
  void expandAll();
  bool isExpanded(HTREEITEM node) const;
  HTREEITEM selected() const;
  void select(HTREEITEM node);
  bool remove(HTREEITEM node);
  void deleteAll();
  int count() const;

  TreeHit hitTest(POINT client) const;
  // The node's rectangle in client coordinates (its text only, or the whole line).
  RECT nodeRect(HTREEITEM node, bool textOnly = true) const;

  // A press on a node's tick box: `trigger` is VK_LBUTTON, VK_RBUTTON or VK_MBUTTON
  // for the mouse, VK_SPACE for the keyboard.
  std::function<void(HTREEITEM node, UINT trigger)> onTickClick;
  // Whether Space toggles the selected node's box (off unless asked for).
  void setSpaceToggles(bool on) { spaceToggles_ = on; }
  bool spaceToggles() const { return spaceToggles_; }

  // Node tips: after the mouse rests `delayMs` on a node, the tip shows the
  // callback's text for it (lines separated by CR LF; empty: no tip). Errors thrown
  // while the text is built show no tip.
  using TipText = std::function<std::string(HTREEITEM node)>;
  void setNodeTips(TipText text, UINT delayMs = 500);
  const TrackingTip& nodeTip() const { return tip_; }
  // The text the tip would show for `node` ("" without tips or on an error).
  std::string nodeTipText(HTREEITEM node) const;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  bool onSubclassMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void tickClicked(HTREEITEM node, UINT trigger);
  void trackTip(POINT client);
  void showTip();
  void cancelTip();
  void detach();

  HWND hwnd_ = nullptr;
  UniqueImageList images_;
  UniqueImageList nodeImages_;
  bool spaceToggles_ = false;
  TrackingTip tip_;
  TipText tipText_;
  UINT tipDelay_ = 500;
  bool trackingLeave_ = false;
  HTREEITEM tipNode_ = nullptr;
  POINT tipPoint_{};
};

}  // namespace tk
