#include "sys/LoadModule.h"

#include "sys/Text.h"

namespace sys {

HMODULE LoadModule(std::string_view name) {
  return LoadLibraryW(Widen(name).c_str());
}

}  // namespace sys
