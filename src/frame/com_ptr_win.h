// Owns one reference to a COM object.
#pragma once

#include <unknwn.h>

namespace tessalin {

template <class T>
class ComPtr {
  public:
    ComPtr() noexcept = default;
    ~ComPtr() {
        if (p_ != nullptr) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* operator->() const noexcept { return p_; }
    T* get() const noexcept { return p_; }
    T** put() noexcept { return &p_; }
    // For QueryInterface and CoCreateInstance, which take a void**.
    void** putVoid() noexcept { return reinterpret_cast<void**>(&p_); }

  private:
    T* p_ = nullptr;
};

}  // namespace tessalin
