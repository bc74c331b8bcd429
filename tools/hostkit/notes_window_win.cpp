#include "tools/hostkit/notes_window_win.h"

#include <algorithm>

#include "tools/hostkit/windows_win.h"

namespace hostkit {

std::vector<HWND> NotesWindows() {
    return ThreadWindowsOfClass(L"TNotesForm");
}

NotesViewWindows NewNotesView(const std::vector<HWND>& before) {
    NotesViewWindows view;
    for (HWND window : NotesWindows()) {
        if (std::find(before.begin(), before.end(), window) == before.end()) view.window = window;
    }
    const std::vector<HWND> children = ChildrenOf(view.window);
    if (view.window == nullptr || children.size() != 2) return view;
    const std::vector<HWND> strip = ChildrenOf(children[1]);
    if (strip.size() != 3 || _wcsicmp(ClassOf(children[0]).c_str(), L"RICHEDIT20W") != 0) {
        return view;
    }
    view.richEdit = children[0];
    view.panel = children[1];
    view.zoomOut = strip[0];
    view.label = strip[1];
    view.zoomIn = strip[2];
    return view;
}

}  // namespace hostkit
