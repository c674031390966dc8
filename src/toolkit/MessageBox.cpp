#include "toolkit/MessageBox.h"

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
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
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
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name = path;
  name = name.substr(name.find_last_of("\\/") + 1);
  return name.substr(0, name.rfind('.'));
}

void ShowExceptionMessage(HWND owner, const std::exception& error) {
  const char* what = error.what();
  ShowMessageBox(owner, what && *what ? what : "Unknown error", ApplicationTitle(),
                 MB_OK | MB_ICONERROR);
}

}  // namespace tk
