// Initialises COM for the calling thread as a single-threaded apartment and
// uninitialises it on destruction if, and only if, the initialisation succeeded.
#pragma once

#include <objbase.h>

namespace sys {

class ComApartment {
 public:
  ComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool ok() const { return SUCCEEDED(hr_); }
  HRESULT result() const { return hr_; }

 private:
  HRESULT hr_;
};

}  // namespace sys
