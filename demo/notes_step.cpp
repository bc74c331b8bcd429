// The presenter's notes on the second monitor, over the running slide show: formatted notes
// put on the clipboard as the add-in does, zoomed in twice through the view's own button,
// and photographed.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "demo_steps.h"
#include "screenshot.h"

namespace {

// A heading, coloured text and a bullet list, as a slide's notes might hold them.
constexpr char kNotesRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
    "{\\colortbl;\\red192\\green0\\blue0;\\red0\\green96\\blue160;}"
    "\\f0\\fs32\\b Quarterly results\\b0\\par"
    "\\fs22 Open with the {\\cf1\\b record quarter} and keep the {\\cf2 blue chart} on screen "
    "while you speak.\\par"
    "{\\*\\pn\\pnlvlblt\\pnindent360{\\pntxtb\\u8226?}}\\fi-360\\li360"
    "{\\pntext\\u8226?\\tab}Revenue up 12 per cent\\par"
    "{\\pntext\\u8226?\\tab}Two new markets opened\\par"
    "{\\pntext\\u8226?\\tab}Questions at the end\\par"
    "\\pard\\par}";

bool PutRtfOnClipboard(const char* rtf) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const std::size_t bytes = std::strlen(rtf) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool placed = false;
    if (memory != nullptr) {
        std::memcpy(GlobalLock(memory), rtf, bytes);
        GlobalUnlock(memory);
        placed = SetClipboardData(RegisterClipboardFormatW(L"Rich Text Format"), memory) != nullptr;
        if (!placed) GlobalFree(memory);
    }
    CloseClipboard();
    return placed;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The add-in sees only the handle; the host finds the window as any tool would.
HWND FindNotesWindow() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            if (ClassOf(window) != L"TNotesForm") return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The first child of that class whose text starts with `prefix`.
HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* prefix) {
    struct Search {
        const wchar_t* className;
        const wchar_t* prefix;
        HWND found;
    } search{className, prefix, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            wchar_t text[64] = {};
            GetWindowTextW(child, text, 64);
            if (ClassOf(child) != search.className ||
                std::wcsncmp(text, search.prefix, std::wcslen(search.prefix)) != 0) {
                return TRUE;
            }
            search.found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

void DemoNotes(const Demo& demo) {
    // The second monitor in the library's numbering, as the add-in finds it; the first when
    // there is only one.
    const auto monitors = demo.library.Call<std::int32_t>("GetMonitorCount");
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    demo.library.Call<std::int32_t>("GetMonitorInfo", monitors > 1 ? 2 : 1, &left, &top, &width,
                                    &height);
    left += 40;
    top += 40;
    width -= 80;
    height -= 80;
    const auto view = demo.library.Call<std::intptr_t>("CreateNotesView", left, top, width, height);
    std::wprintf(L"CreateNotesView(%d, %d, %d, %d) -> %lld\n", left, top, width, height,
                 static_cast<long long>(view));
    if (view == 0) return;
    HWND window = FindNotesWindow();
    wchar_t caption[128] = {};
    GetWindowTextW(window, caption, 128);
    std::wprintf(L"  the window's caption after localisation: \"%ls\"\n", caption);

    demo.library.Call<void>("SetNotesTitle", view, L"Slide 3 of 12 - notes");
    std::wprintf(L"SetNotesTitle(view, \"Slide 3 of 12 - notes\")\n");
    std::wprintf(L"host: notes put on the clipboard as Rich Text Format: %ls\n",
                 PutRtfOnClipboard(kNotesRtf) ? L"yes" : L"no");
    demo.library.Call<void>("SetNotesText", view, L"(not used: the notes come from the clipboard)");
    std::wprintf(L"SetNotesText(view, ...) -> the clipboard holds %d formats afterwards\n",
                 CountClipboardFormats());

    // The strip with the zoom buttons stays hidden; its buttons still answer a click.
    HWND zoomIn = FindChild(window, L"Button", L"Zoom In");
    HWND zoomLabel = FindChild(window, L"Static", L"");
    for (int click = 0; click < 2 && zoomIn != nullptr; ++click) {
        SendMessageW(zoomIn, BM_CLICK, 0, 0);
    }
    wchar_t zoom[16] = {};
    if (zoomLabel != nullptr) GetWindowTextW(zoomLabel, zoom, 16);
    std::wprintf(L"host: clicked \"Zoom In\" twice; the zoom label reads \"%ls\"\n", zoom);

    demo.library.Call<void>("ShowNotesView", view);
    std::wprintf(L"ShowNotesView(view)\n");
    PumpMessages(700);
    const std::wstring path = demo.outputFolder + L"\\notes_view.png";
    std::wprintf(L"host: screenshot %ls\n", SaveVirtualScreen(path) ? path.c_str() : L"not taken");

    demo.library.Call<void>("HideNotesView", view);
    std::wprintf(L"HideNotesView(view)\n");
    demo.library.Call<void>("DestroyNotesView", view);
    std::wprintf(L"DestroyNotesView(view) -> the window is %ls\n",
                 IsWindow(window) ? L"still there" : L"gone");
}
