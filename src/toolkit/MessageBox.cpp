#include "toolkit/MessageBox.h"

#include "sys/Text.h"

namespace tk {
namespace {

MessageBoxAnswerer& Answerer() {
  static MessageBoxAnswerer answerer;
  return answerer;
}

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
  return MessageBoxW(owner, sys::WideArg(text), sys::WideArg(caption), flags);
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
