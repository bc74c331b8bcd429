// COM for the calling thread, as a host's user-interface thread has it: the library never
// enters an apartment itself, since that is its host's to choose.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace hostkit {

// The calling thread in a single-threaded apartment for as long as it lives, with OLE too where
// asked (without it, the item dialogs could not be made). Where the thread already has an
// apartment of another kind, it keeps that one.
class Apartment {
  public:
    enum class With { kCom, kOle };

    explicit Apartment(With with = With::kCom)
        : ole_(with == With::kOle),
          result_(ole_ ? OleInitialize(nullptr)
                       : CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~Apartment() {
        if (FAILED(result_)) return;
        if (ole_) {
            OleUninitialize();
        } else {
            CoUninitialize();
        }
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

  private:
    bool ole_;
    HRESULT result_;
};

}  // namespace hostkit
