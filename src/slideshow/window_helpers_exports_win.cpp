// The focus keeper's switches and the small window helpers the add-in calls around a show.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "frame/com_ptr_win.h"
#include "frame/export_guard.h"
#include "slideshow/guid_text.h"
#include "slideshow/timer_form_win.h"

using namespace tessalin;

namespace {

// The host's published slide-show window interface.
constexpr IID kIidSlideShowWindow = {
    0x91493453, 0x5A91, 0x11CF, {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};

// Its HWND getter follows IUnknown's 3, IDispatch's 4 and 13 property entries.
constexpr std::size_t kHwndGetterSlot = 3 + 4 + 13;
using HwndGetter = HRESULT(STDMETHODCALLTYPE*)(IUnknown* self, std::int32_t* hwnd);

// Owns a VARIANT of the library's own.
class OwnedVariant {
  public:
    OwnedVariant() noexcept { VariantInit(&value_); }
    ~OwnedVariant() { VariantClear(&value_); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;

    VARIANT* get() noexcept { return &value_; }

  private:
    VARIANT value_;
};

IUnknown* ObjectOf(const VARIANT& value) noexcept {
    switch (value.vt) {
        case VT_DISPATCH:
            return value.pdispVal;
        case VT_UNKNOWN:
            return value.punkVal;
        case VT_DISPATCH | VT_BYREF:
            return value.ppdispVal != nullptr ? *value.ppdispVal : nullptr;
        case VT_UNKNOWN | VT_BYREF:
            return value.ppunkVal != nullptr ? *value.ppunkVal : nullptr;
        default:
            return nullptr;
    }
}

std::intptr_t SlideShowWindowHandle(const VARIANT* object) {
    if (object == nullptr) return 0;
    OwnedVariant copy;
    // VariantCopy only reads its source; the header merely lacks the const.
    if (FAILED(VariantCopy(copy.get(), const_cast<VARIANT*>(object)))) return 0;
    IUnknown* unknown = ObjectOf(*copy.get());
    if (unknown == nullptr) return 0;
    ComPtr<IUnknown> window;
    if (FAILED(unknown->QueryInterface(kIidSlideShowWindow, window.putVoid())) || !window.get()) {
        return 0;
    }
    auto* vtable = *reinterpret_cast<void***>(window.get());
    auto getter = reinterpret_cast<HwndGetter>(vtable[kHwndGetterSlot]);
    std::int32_t hwnd = 0;
    if (FAILED(getter(window.get(), &hwnd))) return 0;
    return static_cast<std::intptr_t>(hwnd);  // sign-extended, as window handles are
}

// How long the windows' threads may take to answer, together: SwitchToWindow must not hold up
// the host's thread on a thread that is busy.
constexpr DWORD kAnswerBudgetMs = 100;

// Whether each window's thread answers a message within what is left of the budget. A window
// of the calling thread answers by definition; SMTO_ABORTIFHUNG gives up at once on a thread
// that Windows already reports hung.
bool AnswerInTime(std::initializer_list<HWND> windows) noexcept {
    const ULONGLONG start = GetTickCount64();
    for (HWND window : windows) {
        if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) continue;
        const ULONGLONG spent = GetTickCount64() - start;
        DWORD_PTR ignored = 0;
        if (spent >= kAnswerBudgetMs ||
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                static_cast<UINT>(kAnswerBudgetMs - spent), &ignored) == 0) {
            return false;
        }
    }
    return true;
}

void BringToForeground(HWND wnd) {
    // Nothing for what is not a window: HWND_BROADCAST (0xFFFF) would have every top-level
    // window asked whether it answers, each with the whole time-out.
    if (!IsWindow(wnd)) return;
    const HWND foreground = GetForegroundWindow();
    if (foreground == wnd) return;
    const DWORD foregroundThread = GetWindowThreadProcessId(foreground, nullptr);
    const DWORD targetThread = GetWindowThreadProcessId(wnd, nullptr);
    // Seen under Wine: SetForegroundWindow with the input shared waits for as long as the
    // target's thread reads no message; unattached it returns at once.
    if (foregroundThread != targetThread && AnswerInTime({wnd, foreground})) {
        // Sharing the input state lets the call take the foreground from another thread.
        AttachThreadInput(foregroundThread, targetThread, TRUE);
        SetForegroundWindow(wnd);
        AttachThreadInput(foregroundThread, targetThread, FALSE);
    } else {
        SetForegroundWindow(wnd);
    }
    const int show = IsIconic(wnd) ? SW_RESTORE : SW_SHOW;
    // ShowWindow on another thread's window waits for that thread to handle it.
    if (targetThread == GetCurrentThreadId()) {
        ShowWindow(wnd, show);
    } else {
        ShowWindowAsync(wnd, show);
    }
}

}  // namespace

TESSALIN_EXPORT void StartTessaline() noexcept {
    SetFocusKeeperEnabled(true);
}

TESSALIN_EXPORT void EndTessaline() noexcept {
    SetFocusKeeperEnabled(false);
}

TESSALIN_EXPORT void SwitchToWindow(HWND wnd) noexcept {
    Guarded([&] { BringToForeground(wnd); });
}

TESSALIN_EXPORT std::intptr_t GetSSWHandle(const VARIANT* object) noexcept {
    return Guarded<std::intptr_t>(0, [&] { return SlideShowWindowHandle(object); });
}

TESSALIN_EXPORT void CreateNewSyncGroupId(char* buffer) noexcept {
    Guarded([&] {
        if (buffer == nullptr) return;
        GUID guid{};
        CoCreateGuid(&guid);
        GuidParts parts{guid.Data1, guid.Data2, guid.Data3, {}};
        std::copy(std::begin(guid.Data4), std::end(guid.Data4), parts.data4.begin());
        const std::string text = GuidText(parts);
        std::copy(text.begin(), text.end(), buffer);
        buffer[text.size()] = '\0';
    });
}
