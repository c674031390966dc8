#include "main/frmMain.h"

#include "app/Config.h"
#include "app/globals.h"
#include "sys/Handles.h"
#include "ui/multiSkins.h"

namespace forms {
namespace {

// Command ids of the Languages submenu's items.
constexpr WORD kIdFirstLanguage = 1000;
constexpr WORD kLanguageIdCount = 200;

// Positions of the menu bar's popups and of the items inside them.
constexpr UINT kFileMenuPos = 0;
constexpr UINT kViewMenuPos = 1;
constexpr UINT kLanguagesItemPos = 0;

}  // namespace

TMainForm::TMainForm() : languagesMenu_(kIdFirstLanguage, kLanguageIdCount) {}

TMainForm::~TMainForm() {
  destroy();
}

bool TMainForm::Create() {
  tk::WindowParams params;
  params.className = "TMainForm";
  params.caption = app::kAppTitle;
  params.style = WS_OVERLAPPEDWINDOW;
  params.width = 760;
  params.height = 560;
  if (!create(params)) return false;

  sys::UniqueMenu bar(CreateMenu());
  fileMenu_ = CreatePopupMenu();
  AppendMenuA(fileMenu_, MF_STRING, kCommandExit, "Exit");
  AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(fileMenu_), "File");
  viewMenu_ = CreatePopupMenu();
  languagesSubmenu_ = CreatePopupMenu();
  AppendMenuA(viewMenu_, MF_POPUP, reinterpret_cast<UINT_PTR>(languagesSubmenu_), "Languages");
  AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(viewMenu_), "View");
  if (SetMenu(hwnd(), bar.get())) menuBar_ = bar.release();  // the window owns it now

  languagesMenu_.onLanguageSwitched = [this] { ApplyMainWindowTexts(); };
  languagesMenu_.BuildLanguagesMenu(languagesSubmenu_);

  if (!programPage_.create(hwnd(), viewMenu_)) return false;

  ui::TMainSkinTargets skin;
  skin.MainForm = hwnd();
  skin.imgBackGround.window = hwnd();
  skin.imgBackGround.setPicture = [this](ui::Picture&& picture) {
    background_ = std::move(picture);
  };
  ui::ApplySkin(skin);
  ApplyMainWindowTexts();
  RECT client{};
  GetClientRect(hwnd(), &client);
  programPage_.layout(client.right, client.bottom);
  programPage_.RefreshShowingErrors();
  return true;
}

void TMainForm::ApplyMainWindowTexts() {
  ui::TMainWindowTextTargets texts;
  texts.btnFile = ui::MenuItemTextSetter(menuBar_, kFileMenuPos, true);
  texts.mItemExit = ui::MenuItemTextSetter(fileMenu_, kCommandExit);
  texts.btnView = ui::MenuItemTextSetter(menuBar_, kViewMenuPos, true);
  texts.mItemLanguages = ui::MenuItemTextSetter(viewMenu_, kLanguagesItemPos, true);
  texts.mItemViewIcon = ui::MenuItemTextSetter(viewMenu_, actions_.ActionViewIcon.id());
  texts.mItemViewList = ui::MenuItemTextSetter(viewMenu_, actions_.ActionViewList.id());
  texts.mItemViewReport = ui::MenuItemTextSetter(viewMenu_, actions_.ActionViewReport.id());
  programPage_.addTextTargets(texts);
  ui::ApplyMainWindowTexts(texts);
  if (menuBar_) DrawMenuBar(hwnd());
}

void TMainForm::Exit() {
  app::WriteHideSysPatch(app::HideSysPatch);
  app::WriteHideScreenSaver(app::HideScreenSaver);
  PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}

bool TMainForm::onCommand(WORD id, WORD code, HWND control) {
  if (id == kCommandExit) {
    Exit();
    return true;
  }
  if (programPage_.handleCommand(id, code, control)) return true;
  if (actionList_.onCommand(id, code, control)) return true;
  return languagesMenu_.handleCommand(id);
}

bool TMainForm::preTranslateMessage(MSG& msg) {
  return programPage_.translateKey(msg) || actionList_.translate(hwnd(), msg);
}

void TMainForm::onSize(int width, int height) {
  if (programPage_.lsvProgramList.hwnd()) programPage_.layout(width, height);
}

LRESULT TMainForm::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT && !background_.empty()) {
    paintBackground();
    return 0;
  }
  return tk::Window::handleMessage(msg, wParam, lParam);
}

void TMainForm::paintBackground() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  HDC source = CreateCompatibleDC(dc);
  if (source) {
    HGDIOBJ old = SelectObject(source, background_.bitmap());
    BitBlt(dc, 0, 0, background_.width(), background_.height(), source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }
  EndPaint(hwnd(), &ps);
}

void TMainForm::onDestroy() {
  PostQuitMessage(0);
}

}  // namespace forms
