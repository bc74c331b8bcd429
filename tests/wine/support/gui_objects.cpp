#include "support/gui_objects.h"

namespace testing_support {
namespace {

int CountWindows(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        count += 1 + CountWindows(child);
    }
    return count;
}

}  // namespace

GuiObjects CountGuiObjects() {
    GuiObjects counted;
    counted.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counted.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (counted.gdi == 0) {
        for (ULONG slot = 1; slot < 0x10000; ++slot) {
            if (GetObjectType(ULongToHandle(slot)) != 0) ++counted.gdi;
        }
    }
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM count) -> BOOL {
            *reinterpret_cast<int*>(count) += 1 + CountWindows(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&counted.windows));
    return counted;
}

}  // namespace testing_support
