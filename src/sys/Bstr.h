// The BSTRs that COM components hand out and take in, owned and converted to and
// from the program's UTF-8 text exactly (no code page on the way).
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace sys {

// A BSTR received from a component (or made for one), freed when it goes.
class OwnedBstr {
 public:
  OwnedBstr() = default;
  ~OwnedBstr() { SysFreeString(text_); }
  OwnedBstr(const OwnedBstr&) = delete;
  OwnedBstr& operator=(const OwnedBstr&) = delete;
  OwnedBstr(OwnedBstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  OwnedBstr& operator=(OwnedBstr&& other) noexcept {
    if (this != &other) {
      SysFreeString(text_);
      text_ = std::exchange(other.text_, nullptr);
    }
    return *this;
  }

  // A new BSTR holding `text`, to pass into a component. Throws std::bad_alloc.
  static OwnedBstr FromUtf8(std::string_view text);

  BSTR get() const { return text_; }
  // For out-parameters: frees the current string first.
  BSTR* put() {
    SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }
  // The whole string by its stored length (embedded NULs included); NULL reads as
  // empty.
  std::wstring_view view() const {
    return text_ ? std::wstring_view(text_, SysStringLen(text_)) : std::wstring_view();
  }
  std::string utf8() const;

 private:
  BSTR text_ = nullptr;
};

}  // namespace sys
