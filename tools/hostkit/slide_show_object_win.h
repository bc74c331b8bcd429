// A stand-in for the host's slide-show window object, which the add-in hands GetSSWHandle in a
// Variant: IUnknown, then the 4 IDispatch and 13 property entries that come before the HWND
// getter in the host's published layout.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <array>
#include <cstdint>

namespace hostkit {

// The host's published slide-show window interface.
inline constexpr IID kIidSlideShowWindow = {
    0x91493453, 0x5A91, 0x11CF, {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};

class SlideShowWindowObject {
  public:
    SlideShowWindowObject(bool offersInterface, std::int32_t hwnd, HRESULT getterResult = S_OK)
        : offers_(offersInterface), hwnd_(hwnd), getterResult_(getterResult) {
        for (auto& entry : vtable_) entry = reinterpret_cast<void*>(&Unused);
        vtable_[0] = reinterpret_cast<void*>(&QueryInterface);
        vtable_[1] = reinterpret_cast<void*>(&AddRef);
        vtable_[2] = reinterpret_cast<void*>(&Release);
        vtable_[20] = reinterpret_cast<void*>(&GetHwnd);
        vtablePointer_ = vtable_.data();
    }
    SlideShowWindowObject(const SlideShowWindowObject&) = delete;
    SlideShowWindowObject& operator=(const SlideShowWindowObject&) = delete;

    IUnknown* unknown() { return reinterpret_cast<IUnknown*>(&vtablePointer_); }
    long references() const { return references_; }

  private:
    static SlideShowWindowObject* Self(void* p) { return static_cast<SlideShowWindowObject*>(p); }
    static HRESULT STDMETHODCALLTYPE QueryInterface(void* self, REFIID iid, void** out) {
        if (IsEqualIID(iid, IID_IUnknown) ||
            (Self(self)->offers_ && IsEqualIID(iid, kIidSlideShowWindow))) {
            *out = self;
            ++Self(self)->references_;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    static ULONG STDMETHODCALLTYPE AddRef(void* self) { return ++Self(self)->references_; }
    static ULONG STDMETHODCALLTYPE Release(void* self) { return --Self(self)->references_; }
    static HRESULT STDMETHODCALLTYPE GetHwnd(void* self, std::int32_t* hwnd) {
        *hwnd = Self(self)->hwnd_;
        return Self(self)->getterResult_;
    }
    static HRESULT STDMETHODCALLTYPE Unused(void*) { return E_NOTIMPL; }

    void** vtablePointer_ = nullptr;  // first member: what COM callers dereference
    std::array<void*, 21> vtable_;
    bool offers_;
    std::int32_t hwnd_;
    HRESULT getterResult_;
    long references_ = 1;
};

}  // namespace hostkit
