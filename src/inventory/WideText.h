// The inventory component speaks UTF-16; the program speaks ANSI. These convert
// between the two at the call site and own the BSTRs the component hands out.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace inventory {

// UTF-16 to the ANSI code page; characters it lacks become its default character.
std::string AnsiFromWide(std::wstring_view text);
std::wstring WideFromAnsi(std::string_view text);

// A BSTR received from the component, freed when it goes.
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

  // A new BSTR holding `text` (converted), to pass into the component.
  static OwnedBstr FromAnsi(std::string_view text);

  BSTR get() const { return text_; }
  BSTR* put() {
    SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }
  // NULL reads as empty.
  std::wstring_view view() const {
    return text_ ? std::wstring_view(text_, SysStringLen(text_)) : std::wstring_view();
  }
  std::string ansi() const { return AnsiFromWide(view()); }

 private:
  BSTR text_ = nullptr;
};

}  // namespace inventory
