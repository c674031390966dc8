// Registers the Rostrel.dll of this build through its own DllRegisterServer, once
// per test program, so that COM creates the component the tests were built with.
#pragma once

namespace testing_support {

// Throws std::runtime_error when the library does not load or register.
void RegisterBuiltComponent();

}  // namespace testing_support
