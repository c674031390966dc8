#include "toolkit/MessageBox.h"

namespace tk {
namespace {

MessageBoxAnswerer& Answerer() {
  static MessageBoxAnswerer answerer;
  return answerer;
}

}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  if (Answerer()) return Answerer()(MessageBoxRequest{owner, text, caption, flags});
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
  MessageBoxAnswerer previous = std::move(Answerer());
  Answerer() = std::move(answerer);
  return previous;
}

}  // namespace tk
