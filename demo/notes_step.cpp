// The presenter's notes on the second monitor, over the running slide show: formatted notes
// put on the clipboard as the add-in does, zoomed in twice through the view's own button,
// and photographed.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "demo_steps.h"
#include "tools/hostkit/clipboard_win.h"
#include "tools/hostkit/message_loop_win.h"
#include "tools/hostkit/notes_window_win.h"
#include "tools/hostkit/screenshot_win.h"
#include "tools/hostkit/windows_win.h"

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
    const std::vector<HWND> before = hostkit::NotesWindows();
    const auto view = demo.library.Call<std::intptr_t>("CreateNotesView", left, top, width, height);
    std::wprintf(L"CreateNotesView(%d, %d, %d, %d) -> %lld\n", left, top, width, height,
                 static_cast<long long>(view));
    if (view == 0) return;
    // The add-in sees only the handle; the host finds the window as any tool would.
    const hostkit::NotesViewWindows found = hostkit::NewNotesView(before);
    std::wprintf(L"  the window's caption after localisation: \"%ls\"\n",
                 hostkit::TextOf(found.window).c_str());

    demo.library.Call<void>("SetNotesTitle", view, L"Slide 3 of 12 - notes");
    std::wprintf(L"SetNotesTitle(view, \"Slide 3 of 12 - notes\")\n");
    std::wprintf(L"host: notes put on the clipboard as Rich Text Format: %ls\n",
                 hostkit::ClipboardCopy(nullptr).PutNotes(kNotesRtf) ? L"yes" : L"no");
    demo.library.Call<void>("SetNotesText", view, L"(not used: the notes come from the clipboard)");
    std::wprintf(L"SetNotesText(view, ...) -> the clipboard holds %d formats afterwards\n",
                 CountClipboardFormats());

    // The strip with the zoom buttons stays hidden; its buttons still answer a click.
    for (int click = 0; click < 2 && found.zoomIn != nullptr; ++click) {
        SendMessageW(found.zoomIn, BM_CLICK, 0, 0);
    }
    std::wprintf(L"host: clicked \"Zoom In\" twice; the zoom label reads \"%ls\"\n",
                 hostkit::TextOf(found.label).c_str());

    demo.library.Call<void>("ShowNotesView", view);
    std::wprintf(L"ShowNotesView(view)\n");
    hostkit::PumpMessages(700);
    const std::wstring path = demo.outputFolder + L"\\notes_view.png";
    std::wprintf(L"host: screenshot %ls\n",
                 hostkit::SaveVirtualScreen(path) ? path.c_str() : L"not taken");

    demo.library.Call<void>("HideNotesView", view);
    std::wprintf(L"HideNotesView(view)\n");
    demo.library.Call<void>("DestroyNotesView", view);
    std::wprintf(L"DestroyNotesView(view) -> the window is %ls\n",
                 IsWindow(found.window) ? L"still there" : L"gone");
}
