// A side bar that collapses to a thin strip and comes back. Its right edge is a
// bar (8 pixels by default) with a hot spot in the middle: a click on the hot spot
// collapses the panel to the bar alone, the next restores it. The controls of the
// side bar live on content(), which is hidden while the panel is collapsed.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "toolkit/Panel.h"

namespace tk {

class SidePanel : public Panel {
 public:
  static constexpr int kDefaultBarWidth = 8;
  static constexpr int kHotSpotHeight = 60;

  SidePanel() = default;
  ~SidePanel() override { destroy(); }

  // `bounds` is the restored size; the bar is part of it.
  bool create(HWND parent, const RECT& bounds, int id = 0, int barWidth = kDefaultBarWidth);

  Panel& content() { return content_; }
  bool collapsed() const { return collapsed_; }
  void collapse() { setCollapsed(true); }
  void restore() { setCollapsed(false); }
  void toggle() { setCollapsed(!collapsed_); }
  void setCollapsed(bool collapsed);

  int expandedWidth() const { return expandedWidth_; }
  void setExpandedWidth(int width);
  int barWidth() const { return barWidth_; }
  // The bar and its hot spot, in the panel's client coordinates.
  RECT barRect() const;
  RECT hotSpotRect() const;

  // After every collapse or restore, with the new state.
  std::function<void(bool collapsed)> onToggle;

  // The bar's own colours (a skin's): its face, the hot spot and the arrow. None
  // paints it in the system's 3D colours with a raised edge.
  struct BarColours {
    COLORREF face, spot, arrow;
  };
  void setBarColours(std::optional<BarColours> colours);
  const std::optional<BarColours>& barColours() const { return barColours_; }

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void onSize(int width, int height) override;

 private:
  void paintBar(HDC dc);

  Panel content_;
  int barWidth_ = kDefaultBarWidth;
  int expandedWidth_ = 0;
  bool collapsed_ = false;
  bool pressed_ = false;
  std::optional<BarColours> barColours_;
};

}  // namespace tk
