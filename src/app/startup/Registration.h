// Registers the inventory component with the system at every start.
#pragma once

#include <string>

namespace app {

constexpr char kInventoryLibrary[] = "Rostrel.dll";

// Loads `library` by its bare name (the system's search order starts at the
// executable's folder), calls its DllRegisterServer and unloads it again.
// Returns "" on success, else the text to show the user.
std::string RegisterComponentLibrary(const std::string& library);

}  // namespace app
