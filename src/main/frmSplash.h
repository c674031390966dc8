// The splash window: the skin's splash picture with the maker's notice on it,
// shown modally for a moment at start-up between the main window's creation and
// its showing. It closes itself on its timer.
#pragma once

#include <windows.h>

#include "settings/Settings.h"
#include "sys/Handles.h"
#include "toolkit/Control.h"
#include "toolkit/Window.h"
#include "ui/Picture.h"

namespace forms {

class TSplashForm : public tk::Window {
 public:
  // Design size, kept when there is no picture to take the size from.
  static constexpr int kDesignWidth = 503;
  static constexpr int kDesignHeight = 240;
  static constexpr UINT kShowMilliseconds = 1500;

  // The picture comes from the settings' Skins\.
  explicit TSplashForm(const settings::TSettings& settings) : settings_(settings) {}
  ~TSplashForm() override { destroy(); }

  // Creates the window hidden, owned by `owner` (may be null), and runs FormCreate:
  // the timer starts, the picture and the notice are loaded, the window takes the
  // picture's size and is centred on the screen.
  bool Create(HWND owner = nullptr);

  // The picture shown as the background; empty when the skin has none.
  const ui::Picture& imgBackground() const { return imgBackground_; }
  tk::Control lblCopyrightInfo;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void onTimer(UINT_PTR id) override;

 private:
  void FormCreate();
  void tmrShowTimer();
  void paint();

  const settings::TSettings& settings_;
  ui::Picture imgBackground_;
  sys::UniqueFont font_;
};

// Start-up's splash: creates the window owned by `owner`, shows it modally until
// its timer closes it, and destroys it. Returns once the splash has gone.
void ShowSplash(const settings::TSettings& settings, HWND owner = nullptr);

}  // namespace forms
