#include "sys/Bstr.h"

#include <new>

#include "sys/Text.h"

namespace sys {

OwnedBstr OwnedBstr::FromUtf8(std::string_view text) {
  const std::wstring wide = Widen(text);
  OwnedBstr out;
  *out.put() = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!out.get()) throw std::bad_alloc();
  return out;
}

std::string OwnedBstr::utf8() const {
  return Narrow(view());
}

}  // namespace sys
