// The about window of the Help menu: the product's title, the copyright and
// warning texts of the language table, the maker's web and mail links and the
// skin's about picture. Texts and picture are set each time it is shown, so a
// language switch shows at the next opening.
#pragma once

#include <windows.h>

#include "settings/Settings.h"
#include "sys/Handles.h"
#include "toolkit/Control.h"
#include "toolkit/LinkLabel.h"
#include "toolkit/Window.h"
#include "ui/PictureBox.h"

namespace forms {

class TAboutForm : public tk::Window {
 public:
  static constexpr int kClientWidth = 474;
  static constexpr int kClientHeight = 347;

  // The picture comes from the settings' Skins\.
  explicit TAboutForm(const settings::TSettings& settings) : settings_(settings) {}
  ~TAboutForm() override { destroy(); }

  // Creates the window hidden, owned by `owner`, centred on the screen. Its texts
  // and picture are applied whenever it is shown (FormShow).
  bool Create(HWND owner);
  // Sets the caption, the texts, the links and the picture (run on every showing).
  void FormShow();

  ui::PictureBox ImgAbout;
  tk::Control lblProductTitle;
  tk::Control lblCopyright;
  tk::LinkLabel lnkWebOnline;
  tk::LinkLabel lnkSupportEmail;
  tk::Control lblWarning;
  tk::Control btnOK;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool onCommand(WORD id, WORD code, HWND control) override;

 private:
  bool createControls();

  const settings::TSettings& settings_;
  sys::UniqueFont font_;
  sys::UniqueFont titleFont_;
};

// ActionAboutExecute's work: creates the about window owned by `owner`, shows it
// modally and destroys it when it closes. Returns the modal result (IDOK for OK
// or Enter, IDCANCEL for the close box or Escape), or -1 when it could not be made.
int ShowAboutForm(HWND owner, const settings::TSettings& settings);

}  // namespace forms
