#include "toolkit/MessageBox.h"

#include "sys/Text.h"

namespace tk {
namespace {

MessageBoxAnswerer& Answerer() {
  static MessageBoxAnswerer answerer;
  return answerer;
}

MessageBoxLook& Look() {
  static MessageBoxLook look;
  return look;
}

// The box's window is found by a hook on the showing thread while the box is made;
// it is activated once, after its controls are created.
thread_local HHOOK lookHook = nullptr;

LRESULT CALLBACK LookHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    const auto box = reinterpret_cast<HWND>(wParam);
    wchar_t name[16] = {};
    GetClassNameW(box, name, 16);
    constexpr wchar_t kMarker[] = L"Prunaxis.BoxLook";
    if (lstrcmpW(name, L"#32770") == 0 && !GetPropW(box, kMarker) && Look()) {
      SetPropW(box, kMarker, reinterpret_cast<HANDLE>(1));
      Look()(box);
    }
  }
  return CallNextHookEx(lookHook, code, wParam, lParam);
}

// Hooks the thread for the life of one box, unless a box shown from it is open.
class BoxLookScope {
 public:
  BoxLookScope() {
    if (!Look() || lookHook) return;
    lookHook = SetWindowsHookExW(WH_CBT, LookHook, nullptr, GetCurrentThreadId());
    owns_ = lookHook != nullptr;
  }
  ~BoxLookScope() {
    if (!owns_) return;
    UnhookWindowsHookEx(lookHook);
    lookHook = nullptr;
  }
  BoxLookScope(const BoxLookScope&) = delete;
  BoxLookScope& operator=(const BoxLookScope&) = delete;

 private:
  bool owns_ = false;
};

std::string& Title() {
  static std::string title;
  return title;
}

}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  // A copy: the answerer may replace itself while it answers.
  if (MessageBoxAnswerer answerer = Answerer()) {
    return answerer(MessageBoxRequest{owner, text, caption, flags});
  }
  BoxLookScope look;
  return MessageBoxW(owner, sys::WideArg(text), sys::WideArg(caption), flags);
}

void SetMessageBoxLook(MessageBoxLook look) {
  Look() = std::move(look);
}

MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
  MessageBoxAnswerer previous = std::move(Answerer());
  Answerer() = std::move(answerer);
  return previous;
}

void SetApplicationTitle(std::string title) {
  Title() = std::move(title);
}

std::string ApplicationTitle() {
  if (!Title().empty()) return Title();
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::string name = sys::NarrowZ(path);
  name = name.substr(name.find_last_of("\\/") + 1);
  return name.substr(0, name.rfind('.'));
}

void ShowExceptionMessage(HWND owner, const std::exception& error) {
  const char* what = error.what();
  ShowMessageBox(owner, what && *what ? what : "Unknown error", ApplicationTitle(),
                 MB_OK | MB_ICONERROR);
}

}  // namespace tk
