// The skinned picture button. TArCustomButton is a custom-drawn child window with a
// caption, state fonts, state flags, a repeat timer while the left button is held,
// and flicker-free painting of background, picture, frames and caption.
// TArButton adds the four state pictures and picks the one for the current look.
//
// Clicks: the left button released over the button, Space or Enter released while
// it has the focus, its caption's accelerator, Enter while it is the active
// default, Escape while Cancel is set, or BM_CLICK. A click ends the form's modal
// loop with ModalResult (when not 0), then runs OnClick or, without one, notifies
// the parent with WM_COMMAND(id, BN_CLICKED) as a standard button does (which is
// how an action bound through the toolkit's ActionList runs).
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "toolkit/Window.h"
#include "ui/ArButtonLayout.h"
#include "ui/ArFont.h"
#include "ui/Picture.h"

namespace ui {

class TArCustomButton;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TNotifyEvent = std::function<void(TArCustomButton& sender)>;
// `keys` are the MK_* flags of the mouse message; x and y are client coordinates.
using TMouseEvent =
    std::function<void(TArCustomButton& sender, TMouseButton button, WPARAM keys, int x, int y)>;
using TMouseMoveEvent = std::function<void(TArCustomButton& sender, WPARAM keys, int x, int y)>;
// A handler may set `key` to 0 to keep the button from acting on the key.
using TKeyEvent = std::function<void(TArCustomButton& sender, WORD& key)>;
// A context menu request at `screen`; return true when a menu was shown. Without a
// handler (or when it returns false) the request goes on to the parent.
using TContextPopupEvent = std::function<bool(TArCustomButton& sender, POINT screen)>;

class TArCustomButton : public tk::Window {
 public:
  static constexpr const char* kClassName = "PrunaxisArButton";

  TArCustomButton();
  ~TArCustomButton() override;

  // Creates the window as a child of `parent`, bounds in the parent's client
  // coordinates; `id` is the control id that its click notification carries.
  bool Create(HWND parent, int id, int left, int top, int width, int height);

  // --- Published properties -------------------------------------------------
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int TextX() const { return textX_; }
  void SetTextX(int x);
  int TextY() const { return textY_; }
  void SetTextY(int y);
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  int FocusedRectMargin() const { return focusedRectMargin_; }
  void SetFocusedRectMargin(int margin);
  TArTextAlign TextAlign() const { return textAlign_; }
  void SetTextAlign(TArTextAlign align);
  bool MultiLines() const { return multiLines_; }
  void SetMultiLines(bool multiLines);
  const ArFont& FontMouseHover() const { return fontMouseHover_; }
  void SetFontMouseHover(const ArFont& font);
  const ArFont& FontMouseDown() const { return fontMouseDown_; }
  void SetFontMouseDown(const ArFont& font);
  const ArFont& FontDisabled() const { return fontDisabled_; }
  void SetFontDisabled(const ArFont& font);
  // A caption colour that a skin lays over the font colour of one state; none
  // gives that state its font's own colour again.
  void SetSkinCaptionColor(ButtonState state, std::optional<COLORREF> color);
  // The colour the caption is drawn in while the button is in `state` (RGB).
  COLORREF CaptionColor(ButtonState state) const;

  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  bool DrawFocused() const { return drawFocused_; }
  void SetDrawFocused(bool drawFocused);
  bool DrawBorder() const { return drawBorder_; }
  void SetDrawBorder(bool drawBorder);
  COLORREF TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(COLORREF color);
  bool EnableTransparentColor() const { return enableTransparentColor_; }
  void SetEnableTransparentColor(bool enable);
  int PictureX() const { return pictureX_; }
  void SetPictureX(int x);
  int PictureY() const { return pictureY_; }
  void SetPictureY(int y);
  TArPicAlign PictureAlign() const { return pictureAlign_; }
  void SetPictureAlign(TArPicAlign align);

  // --- The usual control properties -----------------------------------------
  // The control's own font: the normal state's caption font. The state fonts are
  // copies of it made when the button is constructed.
  const ArFont& Font() const { return font_; }
  void SetFont(const ArFont& font);
  // Background colour when not Transparent (system colours allowed, see SysColor).
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  bool TabStop() const;
  void SetTabStop(bool tabStop);
  void SetBounds(int left, int top, int width, int height);
  // Milliseconds between OnMouseContinuouslyDown ticks while the left button is held.
  int RepeatInterval() const { return repeatInterval_; }
  void SetRepeatInterval(int milliseconds) { repeatInterval_ = milliseconds; }

  // --- State ----------------------------------------------------------------
  bool Hover() const { return hover_; }
  bool Pressed() const { return pressed_; }
  // Whether Enter currently clicks this button.
  bool ActiveDefault() const { return activeDefault_; }
  bool HasRepeatTimer() const { return repeating_; }
  ButtonState State() const { return VisualState(Enabled(), pressed_, hover_); }

  void Click();
  // Invalidates and paints at once.
  void Repaint();
  // Draws the whole button into `dc` at (0, 0) as the screen shows it.
  void PaintTo(HDC dc);

  // --- Events ---------------------------------------------------------------
  TNotifyEvent OnClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;
  TNotifyEvent OnMouseContinuouslyDown;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TContextPopupEvent OnContextPopup;

 protected:
  // Drawing steps, each on the off-screen canvas of the button's size.
  virtual void DrawPicture(HDC canvas, const Picture& picture);
  virtual void DrawCaption(HDC canvas, const std::string& caption);
  virtual void DrawFocusFrame(HDC canvas);
  virtual void DrawBorderFrame(HDC canvas);
  // The picture for the current look; false when there is none (the base has none).
  virtual bool SelectStatePicture(const Picture*& picture);

  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void onCreate() override;
  void onTimer(UINT_PTR id) override;

 private:
  friend struct ArButtonRouter;
  static constexpr UINT_PTR kRepeatTimerId = 1;

  SIZE clientSize() const;
  void invalidate();
  void mouseEnter();
  void mouseLeave();
  void startRepeat();
  void stopRepeat();
  bool hasFocus() const;
  bool canFocus() const;
  // Dialog keys and characters, decided for the router.
  bool wantsDialogKey(WORD key) const;
  bool wantsDialogChar(char32_t typed) const;
  void focusChanged(bool focusOnStandardPushButton);

  LRESULT onMouseButton(UINT msg, WPARAM wParam, LPARAM lParam);
  void onLeftButtonDown(WPARAM keys, int x, int y);
  void onLeftButtonUp(WPARAM keys, int x, int y);
  void onMouseMove(WPARAM keys, int x, int y);
  void onKey(bool down, WORD key);
  void paintBackground(HDC canvas, SIZE size);
  void fillWithColor(HDC canvas, SIZE size);
  void paintPictureLayer(HDC canvas, SIZE size, const Picture& picture);
  const ArFont& stateFont() const;
  const ArFont& fontOf(ButtonState state) const;

  std::string caption_;
  bool cancel_ = false;
  bool default_ = false;
  bool transparent_ = false;
  int modalResult_ = 0;
  bool enableTransparentColor_ = false;
  COLORREF transparentColor_ = RGB(255, 0, 255);
  bool repeating_ = false;
  int repeatInterval_ = 100;
  int focusedRectMargin_ = 2;
  bool activeDefault_ = false;
  TArTextAlign textAlign_ = TArTextAlign::taCenter;
  TArPicAlign pictureAlign_ = TArPicAlign::paTopLeft;
  int textX_ = 0, textY_ = 0;
  int pictureX_ = 0, pictureY_ = 0;
  bool multiLines_ = false;
  ArFont font_;
  ArFont fontMouseHover_;
  ArFont fontMouseDown_;
  ArFont fontDisabled_;
  std::array<std::optional<COLORREF>, 4> skinCaptionColors_;  // by ButtonState
  bool stretch_ = false;
  bool drawFocused_ = true;
  bool drawBorder_ = false;
  bool hover_ = false;
  bool pressed_ = false;

  COLORREF color_ = SysColor(COLOR_BTNFACE);
  // Before the window exists these hold the initial style.
  bool enabled_ = true;
  bool visible_ = true;
  bool tabStop_ = true;
  // The left button went down on the button and has not come up: releasing it over
  // the button clicks.
  bool clickArmed_ = false;
  // Space or Enter holds the button down.
  bool keyPressed_ = false;
};

class TArButton : public TArCustomButton {
 public:
  // The setters copy the picture's contents; the && forms take it over.
  const Picture& PicNormal() const { return pictures_.normal; }
  void SetPicNormal(const Picture& picture) { SetStatePicture(ButtonState::Normal, picture); }
  const Picture& PicMouseHover() const { return pictures_.mouseHover; }
  void SetPicMouseHover(const Picture& picture) {
    SetStatePicture(ButtonState::MouseHover, picture);
  }
  const Picture& PicMouseDown() const { return pictures_.mouseDown; }
  void SetPicMouseDown(const Picture& picture) { SetStatePicture(ButtonState::MouseDown, picture); }
  const Picture& PicDisabled() const { return pictures_.disabled; }
  void SetPicDisabled(const Picture& picture) { SetStatePicture(ButtonState::Disabled, picture); }

  const Picture& StatePicture(ButtonState state) const { return pictures_[state]; }
  void SetStatePicture(ButtonState state, const Picture& picture);
  void SetStatePicture(ButtonState state, Picture&& picture);

 protected:
  // The picture of the current look; an empty one falls back to PicNormal.
  bool SelectStatePicture(const Picture*& picture) override;

 private:
  StatePictures pictures_;
};

}  // namespace ui
