// What the process holds of the platform's windowing and drawing objects, to show that a
// library's windows leave nothing behind.
#pragma once

#include <windows.h>

#include <ostream>

namespace testing_support {

// Wine answers GetGuiResources with 0; there the live GDI handles are counted in its handle
// table (a handle whose upper half is 0 names whatever lives in that slot), and the windows
// of this thread are counted.
struct GuiObjects {
    DWORD gdi = 0;
    DWORD user = 0;
    int windows = 0;
    bool operator==(const GuiObjects&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const GuiObjects& counted) {
        return out << counted.gdi << " GDI objects, " << counted.user << " USER objects, "
                   << counted.windows << " windows";
    }
};

GuiObjects CountGuiObjects();

}  // namespace testing_support
