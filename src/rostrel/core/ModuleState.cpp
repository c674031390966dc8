#include "rostrel/core/ModuleState.h"

namespace rostrel {
namespace {

LONG g_references = 0;

}  // namespace

void ModuleAddRef() {
  InterlockedIncrement(&g_references);
}
void ModuleRelease() {
  InterlockedDecrement(&g_references);
}
bool ModuleInUse() {
  return InterlockedCompareExchange(&g_references, 0, 0) != 0;
}

}  // namespace rostrel
