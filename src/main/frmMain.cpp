#include "main/frmMain.h"

#include "settings/Product.h"
#include "main/SidePanelLook.h"
#include "sys/Shell.h"
#include "ui/LanguageTable.h"
#include "ui/multiSkins.h"

namespace forms {
namespace {

// Command ids of the Languages and the Skins submenus' items.
constexpr WORD kIdFirstLanguage = 1000;
constexpr WORD kLanguageIdCount = 200;
constexpr WORD kIdFirstSkin = 1200;
constexpr WORD kSkinIdCount = 200;

// Design bounds: left, top, width, height.
constexpr RECT Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

}  // namespace

TMainForm::TMainForm(settings::TSettings& settings)
    : settings_(settings),
      languagesMenu_(settings, kIdFirstLanguage, kLanguageIdCount),
      skinsMenu_(settings, kIdFirstSkin, kSkinIdCount) {
  openMenu = [this](tk::PopupMenu& menu, POINT screen) { menu.showAt(hwnd(), screen.x, screen.y); };
  startMove = [this] { SendMessageW(hwnd(), WM_SYSCOMMAND, kMoveByCaption, 0); };
  shellOpen = [](HWND owner, const std::string& file, const std::string& parameters) {
    sys::ShellOpen(owner, "Open", file, parameters);
  };
}

TMainForm::~TMainForm() {
  destroy();
}

bool TMainForm::Create() {
  tk::WindowParams params;
  params.className = "TMainForm";
  params.caption = settings::kAppTitle;
  // Borderless; the system menu and the minimise box keep the taskbar's commands.
  params.style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  params.exStyle = WS_EX_LAYERED | WS_EX_APPWINDOW;
  params.width = kClientWidth;
  params.height = kClientHeight;
  params.x = (GetSystemMetrics(SM_CXSCREEN) - kClientWidth) / 2;
  params.y = (GetSystemMetrics(SM_CYSCREEN) - kClientHeight) / 2;
  params.icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(settings::kAppIconId));
  static HBRUSH keyBrush = CreateSolidBrush(kKeyColour);  // lives as long as the class
  params.background = keyBrush;
  if (!create(params)) return false;
  SetLayeredWindowAttributes(hwnd(), kKeyColour, 255, LWA_COLORKEY);
  // The taskbar's small icon from its own image rather than the large one shrunk.
  smallIcon_.reset(static_cast<HICON>(LoadImageW(
      GetModuleHandleW(nullptr), MAKEINTRESOURCEW(settings::kAppIconId), IMAGE_ICON, 16, 16, 0)));
  if (smallIcon_)
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

  // FormCreate, in its order: the frame state, the status link, the first page,
  // the lists' columns and image lists, languages, skin, texts, the two lists.
  if (!createControls()) return false;
  programPage_.SearchStart = 0;
  programPage_.SizePanelShown = true;
  PageControl.setActive(0);
  bindFrameCommands();
  bindEntryCommands();
  uninstallCommands_.bind(hwnd());
  languagesSubmenu_.reset(CreatePopupMenu());
  languagesMenu_.onLanguageSwitched = [this] { ApplyMainWindowTexts(); };
  languagesMenu_.BuildLanguagesMenu(languagesSubmenu_.get());
  bindSkinsMenu();
  applySkin();
  ApplyMainWindowTexts();
  programPage_.RefreshShowingErrors();
  startupPage_.RefreshStartupList();
  actions_.ActionHideSysPatch.setChecked(settings_.hideSysPatch());
  actions_.ActionHideScr.setChecked(settings_.hideScreenSaver());
  // Let the system page out what start-up needed and nothing needs any more.
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  return true;
}

bool TMainForm::createControls() {
  ImgTitle.create(hwnd(), kIdTitle, Bounds(351, 81, 287, 17), kKeyColour);
  ImgTitle.onMouseDown = [this](UINT, POINT) { imgBackGroundMouseDown(); };
  // The focus sink lies under the startup tab button, which is created after it.
  txtHide = tk::Control::Create(hwnd(), "EDIT", kIdHide, "", ES_AUTOHSCROLL, 165, 86, 33, 21);
  createButtons();
  // Under the startup tab button, which covers it whole.
  SetWindowLongW(txtHide.hwnd(), GWL_STYLE,
                 GetWindowLongW(txtHide.hwnd(), GWL_STYLE) | WS_CLIPSIBLINGS);
  SetWindowPos(txtHide.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  const RECT pages = Bounds(5, 112, 750, 394);
  if (!PageControl.create(hwnd(), pages, kIdPageControl)) return false;
  tsProgramList = &PageControl.addPage();
  tsStartupItems = &PageControl.addPage();
  if (!StatusPanel.create(hwnd(), Bounds(16, 510, 729, 17), kIdStatusPanel)) return false;
  StatusPanel.onPaintBackground = [this](HDC dc, const RECT& client) {
    PaintPanelPicture(dc, client, background_, StatusPanel.hwnd());
  };
  if (!programPage_.create(tsProgramList->hwnd(), StatusPanel.hwnd())) return false;
  const RECT startupBounds{0, 0, kSidePanelWidth + kListWidth, kPageHeight};
  return startupPage_.create(tsStartupItems->hwnd(), startupBounds, true);
}

void TMainForm::createButtons() {
  struct Made {
    ui::TArButton& button;
    int id;
    RECT bounds;
  };
  for (const Made& m : {Made{btnFile, kIdFileButton, Bounds(11, 28, 117, 34)},
                        Made{btnView, kIdViewButton, Bounds(128, 28, 117, 34)},
                        Made{btnTools, kIdToolsButton, Bounds(245, 28, 117, 34)},
                        Made{btnHelp, kIdHelpButton, Bounds(362, 28, 117, 34)}}) {
    m.button.Create(hwnd(), m.id, m.bounds.left, m.bounds.top, m.bounds.right - m.bounds.left,
                    m.bounds.bottom - m.bounds.top);
    StyleMenuButton(m.button);
    m.button.OnClick = [this](ui::TArCustomButton& sender) {
      btnFileClick(static_cast<ui::TArButton&>(sender));
    };
    // View, Tools and Help also open at the mouse on a right click; File does not.
    m.button.OnContextPopup = [this](ui::TArCustomButton& sender, POINT screen) {
      auto& button = static_cast<ui::TArButton&>(sender);
      if (&button == &btnFile) return true;
      return openButtonMenu(button, screen);
    };
  }
  for (const Made& m : {Made{btnMin, kIdMinButton, Bounds(680, 9, 21, 21)},
                        Made{btnHelpContent, kIdHelpContentButton, Bounds(701, 9, 21, 21)},
                        Made{btnClose, kIdCloseButton, Bounds(722, 9, 21, 21)}}) {
    m.button.Create(hwnd(), m.id, m.bounds.left, m.bounds.top, m.bounds.right - m.bounds.left,
                    m.bounds.bottom - m.bounds.top);
    StyleWindowButton(m.button);
  }
  btnProgramList.Create(hwnd(), kIdProgramListTab, 5, 78, 106, 35);
  StyleProgramListTab(btnProgramList);
  btnStartupItemList.Create(hwnd(), kIdStartupItemsTab, 110, 79, 164, 32);
  StyleStartupItemsTab(btnStartupItemList);
}

void TMainForm::applySkin() {
  ui::TMainSkinTargets skin;
  skin.MainForm = nullptr;  // the frame keeps its design size and centred place
  skin.StatusPanel = StatusPanel.hwnd();
  skin.imgBackGround.setPicture = [this](ui::Picture&& picture) {
    background_ = std::move(picture);
    InvalidateRect(hwnd(), nullptr, TRUE);
  };
  skin.ImgTitle.window = ImgTitle.hwnd();
  skin.ImgTitle.setPicture = [this](ui::Picture&& picture) {
    ImgTitle.setPicture(std::move(picture));
  };
  skin.btnMin = &btnMin;
  skin.btnHelpContent = &btnHelpContent;
  skin.btnClose = &btnClose;
  skin.btnFile = &btnFile;
  skin.btnView = &btnView;
  skin.btnTools = &btnTools;
  skin.btnHelp = &btnHelp;
  skin.btnProgramList = &btnProgramList;
  skin.btnStartupItemList = &btnStartupItemList;
  skin.PageControl = PageControl.hwnd();
  skin.tsProgramList = tsProgramList->hwnd();
  ProgramListPage& p = programPage_;
  skin.lsvProgramList = p.lsvProgramList.hwnd();
  skin.programListLinkColour = [&p](std::optional<COLORREF> colour) {
    p.lsvProgramList.setLinkColumn(2, colour.value_or(ProgramListPage::kLinkColour));
  };
  skin.SizePanelPL = p.sidePanel.hwnd();
  skin.imgPanelP.window = p.sidePanel.content().hwnd();
  skin.imgPanelP.setPicture = [&p](ui::Picture&& picture) { p.imgPanelP = std::move(picture); };
  skin.btnUninstall = &p.btnUninstall;
  skin.btnShowDetails = &p.btnShowDetails;
  skin.btnRefresh = &p.btnRefresh;
  skin.grbSearch = p.grbSearch.hwnd();
  skin.lblSearchTitle = p.lblSearchTitle.hwnd();
  skin.txtSearchInfo = p.txtSearchInfo.hwnd();
  skin.btnSearch = &p.btnSearch;
  skin.ckbHidePatch = p.ckbHidePatch.hwnd();
  skin.ckbHideScr = p.ckbHideScr.hwnd();
  skin.tsStartupItems = tsStartupItems->hwnd();
  startupPage_.addSkinTargets(skin);
  ui::ApplySkin(settings_, skin);
  makeMenuIcons();  // the glyphs' ink follows the menus' new colours
}

void TMainForm::ApplyMainWindowTexts() {
  ui::TMainWindowTextTargets texts;
  texts.btnFile = ui::WindowTextSetter(btnFile.hwnd());
  texts.btnView = ui::WindowTextSetter(btnView.hwnd());
  texts.btnTools = ui::WindowTextSetter(btnTools.hwnd());
  texts.btnHelp = ui::WindowTextSetter(btnHelp.hwnd());
  texts.btnProgramList = ui::WindowTextSetter(btnProgramList.hwnd());
  texts.btnStartupItemList = ui::WindowTextSetter(btnStartupItemList.hwnd());
  programPage_.addTextTargets(texts);
  startupPage_.addTextTargets(texts);
  ui::ApplyMainWindowTexts(texts);
  // The status line's labels are as wide as their new texts: line them up again.
  programPage_.layoutStatusLine();
  buildMenus();  // the menus take their item texts from the table as they are built
}

void TMainForm::btnFileClick(ui::TArButton& button) {
  RECT bounds{};
  GetWindowRect(button.hwnd(), &bounds);
  // The menu's top-left corner at the button's bottom-left corner.
  POINT corner{bounds.left, bounds.bottom};
  openButtonMenu(button, corner);
  // The hidden edit box takes the focus, so that no button keeps a focus frame.
  PostMessageW(txtHide.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  PostMessageW(txtHide.hwnd(), WM_LBUTTONUP, 0, 0);
}

bool TMainForm::openButtonMenu(ui::TArButton& button, POINT screen) {
  tk::PopupMenu* menu = menuOf(button);
  if (!menu) return false;
  menu->rebuild();
  openMenu(*menu, screen);
  return true;
}

tk::PopupMenu* TMainForm::menuOf(const ui::TArButton& button) {
  if (&button == &btnFile) return &pmFile;
  if (&button == &btnView) return &pmView;
  if (&button == &btnTools) return &pmTools;
  if (&button == &btnHelp) return &pmHelp;
  return nullptr;
}

void TMainForm::imgBackGroundMouseDown() {
  ReleaseCapture();
  startMove();
}

void TMainForm::Exit() {
  settings_.setHideSysPatch(actions_.ActionHideSysPatch.checked());
  settings_.setHideScreenSaver(actions_.ActionHideScr.checked());
  PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

bool TMainForm::onCommand(WORD id, WORD code, HWND control) {
  if (programPage_.handleCommand(id, code, control)) return true;
  if (actionList_.onCommand(id, code, control)) return true;
  return languagesMenu_.handleCommand(id) || skinsMenu_.handleCommand(id);
}

bool TMainForm::preTranslateMessage(MSG& msg) {
  return programPage_.translateKey(msg) || actionList_.translate(hwnd(), msg);
}

LRESULT TMainForm::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      if (background_.empty()) break;
      return 1;
    case WM_PAINT:
      if (background_.empty()) break;
      paintBackground();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      imgBackGroundMouseDown();
      return 0;
    case uninstall::WM_UNINSTALL_FINISHED:  // sent by a runner, released before the prompt
      uninstallCommands_.UninstallFinished(wParam, lParam);
      return 0;
    default:
      break;
  }
  return tk::Window::handleMessage(msg, wParam, lParam);
}

void TMainForm::paintBackground() {
  ui::PaintWindowPicture(hwnd(), background_, GetSysColor(COLOR_BTNFACE));
}

void TMainForm::onDestroy() {
  PostQuitMessage(0);
}

}  // namespace forms
