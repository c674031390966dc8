#include "rostrel/core/ClassFactory.h"

namespace rostrel {

// The program list object arrives with the inventory itself.
HRESULT CreateProgramList(REFIID, void** out) {
  *out = nullptr;
  return E_NOINTERFACE;
}

}  // namespace rostrel
