// Move-only owners of the platform's handles: one close call in one place, no cleanup ladders.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace tessalin {

template <class Traits>
class UniqueResource {
  public:
    using Type = typename Traits::Type;

    UniqueResource() noexcept = default;
    // `traits` holds what the close call needs besides the handle, where it needs anything.
    explicit UniqueResource(Type value, Traits traits = {}) noexcept
        : value_(value), traits_(traits) {}
    ~UniqueResource() { reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept
        : value_(other.release()), traits_(other.traits_) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            reset(other.release());
            traits_ = other.traits_;
        }
        return *this;
    }

    Type get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }

    // Gives up ownership without closing: used where the process is ending and the
    // platform must not be called any more.
    Type release() noexcept { return std::exchange(value_, Traits::Invalid()); }

    void reset(Type value = Traits::Invalid()) noexcept {
        const Type old = std::exchange(value_, value);
        if (old != Traits::Invalid()) traits_.Close(old);
    }

    // For out-parameters of platform calls.
    Type* put() noexcept {
        reset();
        return &value_;
    }

  private:
    Type value_ = Traits::Invalid();
    [[no_unique_address]] Traits traits_{};
};

// Most handles: null when there is none, given back by one call that takes the handle alone.
template <class Handle, auto close>
struct ClosedBy {
    using Type = Handle;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type value) noexcept { close(value); }
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) noexcept { CloseHandle(handle); }
};

struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) noexcept { FindClose(handle); }
};

// A device context from GetDC(window), given back to that window; with no window, the
// screen's.
struct WindowDcTraits {
    using Type = HDC;
    HWND window = nullptr;
    static Type Invalid() noexcept { return nullptr; }
    void Close(Type dc) const noexcept { ReleaseDC(window, dc); }
};

// What SelectObject replaced in a device context, selected into it again: the object selected
// instead can then be deleted, and the context released with its own.
struct SelectionTraits {
    using Type = HGDIOBJ;
    HDC dc = nullptr;
    static Type Invalid() noexcept { return nullptr; }
    void Close(Type replaced) const noexcept { SelectObject(dc, replaced); }
};

// The address of locked global memory, unlocked again; the memory stays its owner's.
struct GlobalLockTraits {
    using Type = void*;
    HGLOBAL memory = nullptr;
    static Type Invalid() noexcept { return nullptr; }
    void Close(Type) const noexcept { GlobalUnlock(memory); }
};

// The open clipboard, held for the window named when it was opened.
struct ClipboardTraits {
    using Type = HWND;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type) noexcept { CloseClipboard(); }
};

using UniqueHandle = UniqueResource<ClosedBy<HANDLE, &CloseHandle>>;
using UniqueFile = UniqueResource<FileHandleTraits>;
using UniqueFind = UniqueResource<FindHandleTraits>;
using UniqueKey = UniqueResource<ClosedBy<HKEY, &RegCloseKey>>;
using UniqueWindow = UniqueResource<ClosedBy<HWND, &DestroyWindow>>;
using UniqueGdiObject = UniqueResource<ClosedBy<HGDIOBJ, &DeleteObject>>;
using UniqueModule = UniqueResource<ClosedBy<HMODULE, &FreeLibrary>>;
using UniqueWindowDc = UniqueResource<WindowDcTraits>;  // (GetDC(window), {window})
// A device context of its own in memory (CreateCompatibleDC), to draw into a bitmap.
using UniqueMemoryDc = UniqueResource<ClosedBy<HDC, &DeleteDC>>;
using UniqueSelection = UniqueResource<SelectionTraits>;  // (SelectObject(dc, object), {dc})
// Movable global memory (GlobalAlloc), until the clipboard takes it.
using UniqueGlobalMemory = UniqueResource<ClosedBy<HGLOBAL, &GlobalFree>>;
using UniqueGlobalLock = UniqueResource<GlobalLockTraits>;  // (GlobalLock(memory), {memory})
using UniqueClipboard = UniqueResource<ClipboardTraits>;
// Text that the shell allocated for the caller (CoTaskMemAlloc).
using UniqueCoTaskText = UniqueResource<ClosedBy<wchar_t*, &CoTaskMemFree>>;

}  // namespace tessalin
