#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace testing_support {

std::vector<int> ButtonsOf(UINT flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
      return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default:
      return {IDOK};
  }
}

namespace {

// What a user who does not want anything to happen would press.
int SafeAnswer(UINT flags) {
  std::vector<int> buttons = ButtonsOf(flags);
  for (int preferred : {IDCANCEL, IDNO, IDABORT, IDOK}) {
    if (std::find(buttons.begin(), buttons.end(), preferred) != buttons.end()) return preferred;
  }
  return buttons.front();
}

std::string Describe(const tk::MessageBoxRequest& r) {
  char flags[16];
  wsprintfA(flags, "0x%X", r.flags);
  return "caption \"" + r.caption + "\", text \"" + r.text + "\", flags " + flags;
}

}  // namespace

ScriptedMessageBoxes::ScriptedMessageBoxes(std::initializer_list<int> answers) : answers_(answers) {
  previous_ = tk::SetMessageBoxAnswerer(
      [this](const tk::MessageBoxRequest& request) { return respond(request); });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
  tk::SetMessageBoxAnswerer(std::move(previous_));
  if (!answers_.empty()) {
    ADD_FAILURE() << answers_.size() << " scripted message box answer(s) unused; "
                  << requests_.size() << " box(es) shown";
  }
}

void ScriptedMessageBoxes::answer(int id) {
  std::lock_guard lock(mutex_);
  answers_.push_back(id);
}

void ScriptedMessageBoxes::discardUnused() {
  std::lock_guard lock(mutex_);
  answers_.clear();
}

size_t ScriptedMessageBoxes::count() const {
  std::lock_guard lock(mutex_);
  return requests_.size();
}

tk::MessageBoxRequest ScriptedMessageBoxes::request(size_t i) const {
  std::lock_guard lock(mutex_);
  if (i >= requests_.size()) {
    ADD_FAILURE() << "message box #" << i << " asked for, but only " << requests_.size()
                  << " shown";
    return {};
  }
  return requests_[i];
}

tk::MessageBoxRequest ScriptedMessageBoxes::last() const {
  std::lock_guard lock(mutex_);
  if (requests_.empty()) {
    ADD_FAILURE() << "no message box was shown";
    return {};
  }
  return requests_.back();
}

std::vector<tk::MessageBoxRequest> ScriptedMessageBoxes::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

size_t ScriptedMessageBoxes::pendingAnswers() const {
  std::lock_guard lock(mutex_);
  return answers_.size();
}

int ScriptedMessageBoxes::respond(const tk::MessageBoxRequest& request) {
  std::lock_guard lock(mutex_);
  requests_.push_back(request);
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected message box: " << Describe(request);
    return SafeAnswer(request.flags);
  }
  int answer = answers_.front();
  answers_.pop_front();
  std::vector<int> buttons = ButtonsOf(request.flags);
  if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end()) {
    ADD_FAILURE() << "scripted answer " << answer << " is not a button of the message box "
                  << Describe(request);
  }
  return answer;
}

}  // namespace testing_support
