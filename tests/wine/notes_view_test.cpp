// The presenter's notes window as the add-in drives it: created hidden at its rectangle, fed
// with formatted notes through the clipboard, zoomed through its buttons, localised, and
// destroyed without leaving anything behind.
#include <windows.h>
#include <gtest/gtest.h>
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/gui_objects.h"
#include "support/install_path.h"
#include "support/library.h"
#include "support/temp_folder.h"
#include "support/windows.h"
#include "tools/hostkit/clipboard_win.h"
#include "tools/hostkit/notes_window_win.h"

using hostkit::NotesWindows;
using hostkit::RtfFormat;
using testing_support::CountGuiObjects;
using testing_support::GuiObjects;
using testing_support::Library;
using testing_support::TempFolder;
using testing_support::WithDirtyHigh;

using testing_support::ClassOf;
using testing_support::TextOf;

namespace {

using CreateFn = std::intptr_t (*)(std::int64_t, std::int64_t, std::int64_t, std::int64_t);
using HandleFn = void (*)(std::intptr_t);
using TextFn = void (*)(std::intptr_t, const wchar_t*);

constexpr char kBoldRtf[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain {\\b bold} text\\par}";

void PutRtfOnClipboard(const char* rtf) {
    ASSERT_TRUE(hostkit::ClipboardCopy(nullptr).PutNotes(rtf));
}

void PutPlainTextOnClipboard(const std::wstring& text, HWND owner = nullptr) {
    ASSERT_TRUE(hostkit::ClipboardCopy(owner).PutText(text));
}

bool ClipboardIsEmpty() {
    return CountClipboardFormats() == 0;
}

struct Zoom {
    WPARAM numerator = 0;
    LPARAM denominator = 0;
    bool operator==(const Zoom&) const = default;
};

// One notes view of the loaded library, with its window and controls found by design name.
class NotesView {
  public:
    NotesView(const Library& library, std::int32_t left, std::int32_t top, std::int32_t width,
              std::int32_t height)
        : library_(library) {
        const std::vector<HWND> before = NotesWindows();
        handle_ = library.Get<CreateFn>("CreateNotesView")(
            WithDirtyHigh(left), WithDirtyHigh(top), WithDirtyHigh(width), WithDirtyHigh(height));
        view_ = hostkit::NewNotesView(before);
    }
    ~NotesView() { library_.Get<HandleFn>("DestroyNotesView")(handle_); }
    NotesView(const NotesView&) = delete;
    NotesView& operator=(const NotesView&) = delete;

    std::intptr_t handle() const { return handle_; }
    HWND window() const { return view_.window; }
    HWND richEdit() const { return view_.richEdit; }
    HWND panel() const { return view_.panel; }
    HWND zoomOut() const { return view_.zoomOut; }
    HWND label() const { return view_.label; }
    HWND zoomIn() const { return view_.zoomIn; }

    void SetText(const wchar_t* text) const { library_.Get<TextFn>("SetNotesText")(handle_, text); }

    // Pressed as the presenter would, though the strip is hidden.
    static void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

    Zoom CurrentZoom() const {
        Zoom zoom;
        SendMessageW(view_.richEdit, EM_GETZOOM, reinterpret_cast<WPARAM>(&zoom.numerator),
                     reinterpret_cast<LPARAM>(&zoom.denominator));
        return zoom;
    }

    bool IsBold(const std::wstring& word) const {
        const std::size_t at = TextOf(view_.richEdit).find(word);
        if (at == std::wstring::npos) return false;
        SendMessageW(view_.richEdit, EM_SETSEL, at, at + word.size());
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(view_.richEdit, EM_GETCHARFORMAT, SCF_SELECTION,
                     reinterpret_cast<LPARAM>(&format));
        return (format.dwMask & CFM_BOLD) != 0 && (format.dwEffects & CFE_BOLD) != 0;
    }

  private:
    const Library& library_;
    std::intptr_t handle_ = 0;
    hostkit::NotesViewWindows view_;
};

// Put on a view's rich edit: counts the zooms it is given, and when told, fails the next stream
// part of the way, as the control does where memory runs out: it keeps what it read of the
// first bytes and reports an error.
WNDPROC g_richEditProc = nullptr;
EDITSTREAMCALLBACK g_streamReader = nullptr;
bool g_failNextStream = false;
int g_zoomsSent = 0;

DWORD CALLBACK ReadPartThenFail(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    *given = 0;
    if (g_streamReader == nullptr) return 1;
    return std::exchange(g_streamReader, nullptr)(cookie, buffer, std::min(wanted, 24L), given);
}

LRESULT CALLBACK RichEditSpy(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == EM_SETZOOM) ++g_zoomsSent;
    if (msg == EM_STREAMIN && std::exchange(g_failNextStream, false)) {
        auto* stream = reinterpret_cast<EDITSTREAM*>(lParam);
        g_streamReader = std::exchange(stream->pfnCallback, ReadPartThenFail);
    }
    return CallWindowProcW(g_richEditProc, wnd, msg, wParam, lParam);
}

void SpyOn(HWND richEdit) {
    g_richEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(richEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RichEditSpy)));
}

TEST(NotesView, IsCreatedHiddenAtExactlyItsRectangleWithItsControls) {
    Library library;
    NotesView view(library, 100, 50, 640, 480);
    ASSERT_NE(view.handle(), 0);
    ASSERT_NE(view.window(), nullptr);
    EXPECT_NE(view.handle(), reinterpret_cast<std::intptr_t>(view.window()));

    RECT outer{};
    GetWindowRect(view.window(), &outer);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 50);
    EXPECT_EQ(outer.right - outer.left, 640);
    EXPECT_EQ(outer.bottom - outer.top, 480);
    EXPECT_FALSE(IsWindowVisible(view.window()));
    EXPECT_EQ(GetWindow(view.window(), GW_OWNER), nullptr);
    EXPECT_EQ(TextOf(view.window()), L"Notes");

    // A caption bar with no buttons on a frame the user cannot size.
    const LONG_PTR style = GetWindowLongPtrW(view.window(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_CHILD | WS_POPUP), 0);

    // The notes fill the client area while the zoom strip is hidden.
    ASSERT_NE(view.zoomIn(), nullptr);
    EXPECT_EQ(_wcsicmp(ClassOf(view.richEdit()).c_str(), L"RICHEDIT20W"), 0);
    RECT client{};
    RECT notes{};
    GetClientRect(view.window(), &client);
    GetWindowRect(view.richEdit(), &notes);
    EXPECT_EQ(notes.right - notes.left, client.right);
    EXPECT_EQ(notes.bottom - notes.top, client.bottom);
    const LONG_PTR notesStyle = GetWindowLongPtrW(view.richEdit(), GWL_STYLE);
    EXPECT_NE(notesStyle & ES_MULTILINE, 0);
    EXPECT_EQ(notesStyle & ES_READONLY, 0) << "editable until the first refresh";

    EXPECT_EQ(GetWindowLongPtrW(view.panel(), GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(ClassOf(view.zoomOut()), L"Button");
    EXPECT_EQ(TextOf(view.zoomOut()), L"Zoom Out (-)");
    EXPECT_EQ(ClassOf(view.label()), L"Static");
    EXPECT_EQ(TextOf(view.label()), L"100%");
    EXPECT_NE(GetWindowLongPtrW(view.label(), GWL_STYLE) & SS_NOPREFIX, 0);
    EXPECT_EQ(TextOf(view.zoomIn()), L"Zoom In (+)");

    // The buttons and the label follow the window's font; the notes keep their own.
    const auto fontOf = [](HWND window) {
        return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    };
    EXPECT_NE(fontOf(view.zoomIn()), nullptr);
    EXPECT_EQ(fontOf(view.zoomIn()), fontOf(view.label()));
    EXPECT_EQ(fontOf(view.zoomIn()), fontOf(view.zoomOut()));

    // A new view has sent no zoom: the control still has none.
    EXPECT_EQ(view.CurrentZoom(), Zoom{});
}

TEST(NotesView, PastesFormattedNotesFromTheClipboardAndEmptiesIt) {
    Library library;
    NotesView view(library, 0, 0, 640, 480);
    PutRtfOnClipboard(kBoldRtf);
    view.SetText(L"the argument is not shown");

    const std::wstring shown = TextOf(view.richEdit());
    EXPECT_NE(shown.find(L"plain bold text"), std::wstring::npos) << "shown: " << shown.c_str();
    EXPECT_EQ(shown.find(L"argument"), std::wstring::npos);
    EXPECT_TRUE(view.IsBold(L"bold"));
    EXPECT_FALSE(view.IsBold(L"plain"));
    EXPECT_TRUE(ClipboardIsEmpty());
    EXPECT_NE(GetWindowLongPtrW(view.richEdit(), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(view.CurrentZoom(), (Zoom{10, 10}));

    // Plain text, with a null argument this time, replaces the whole content.
    PutPlainTextOnClipboard(L"second slide");
    view.SetText(nullptr);
    EXPECT_EQ(TextOf(view.richEdit()), L"second slide");
    EXPECT_TRUE(ClipboardIsEmpty());

    // Nothing new on the clipboard: the view is left empty.
    view.SetText(L"");
    EXPECT_EQ(TextOf(view.richEdit()), L"");
    EXPECT_NE(GetWindowLongPtrW(view.richEdit(), GWL_STYLE) & ES_READONLY, 0);
}

TEST(NotesView, LongLinesWrapAtTheWindowsWidth) {
    Library library;
    NotesView view(library, 0, 0, 300, 200);
    PutPlainTextOnClipboard(std::wstring(40, L'x') + std::wstring(40, L' ') +
                            L"words that do not fit on one line of a narrow notes window");
    view.SetText(L"");
    EXPECT_GT(SendMessageW(view.richEdit(), EM_GETLINECOUNT, 0, 0), 1);
}

// Clipboard history, remote-desktop sync and clipboard managers open the clipboard right after
// every change, just when the add-in refreshes the notes: a second thread holds it, for a window
// of its own or for the notes' owner.
TEST(NotesView, ClipboardHeldByAnotherProgramNeverBlanksTheViewNorLosesTheNotes) {
    struct Case {
        DWORD holdMs;
        const wchar_t* afterCall;
        const wchar_t* afterPump;
        const wchar_t* copies = L"";
        bool byOwner = false;
    };
    // Within the wait, the notes come at once; after it, from the view's timer; held longer
    // than its tries, they stay on the clipboard and the view keeps the old ones. What the user
    // copies meanwhile is not the add-in's notes: it is neither shown nor taken. The notes'
    // owner rendering them is (it moves the clipboard's sequence number on Windows).
    for (const Case& held : {Case{60, L"B", L"B"}, Case{400, L"A", L"B"}, Case{4500, L"A", L"A"},
                             Case{400, L"A", L"A", L"private"}, Case{60, L"B", L"B", L"B", true},
                             Case{400, L"A", L"B", L"B", true}}) {
        Library library;
        NotesView view(library, 0, 0, 640, 480);
        testing_support::TestWindow owner(L"STATIC", L"notes' owner");
        PutPlainTextOnClipboard(L"A");
        view.SetText(L"");
        PutPlainTextOnClipboard(L"B", held.byOwner ? owner.get() : nullptr);
        hostkit::ClipboardHolder holder(held.holdMs, held.copies,
                                        held.byOwner ? owner.get() : nullptr);
        const auto start = std::chrono::steady_clock::now();
        view.SetText(L"");
        EXPECT_LT(std::chrono::steady_clock::now() - start,
                  std::chrono::milliseconds(std::min<DWORD>(held.holdMs, 250) + 250));
        EXPECT_EQ(TextOf(view.richEdit()), held.afterCall) << "held " << held.holdMs << " ms";
        testing_support::PumpMessages(std::min<DWORD>(held.holdMs, 3500) + 500);
        holder.Join();
        EXPECT_EQ(TextOf(view.richEdit()), held.afterPump) << "held " << held.holdMs << " ms";
        EXPECT_EQ(IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE,
                  std::wstring(held.afterPump) == L"A");
    }
}

// A try that waited does not act on a clipboard that another view's refresh has emptied, nor on
// what the add-in copies next.
TEST(NotesView, RetryGivesUpOnceAnotherViewTookItsNotes) {
    Library library;
    NotesView view(library, 0, 0, 640, 480);
    NotesView other(library, 0, 0, 320, 240);
    testing_support::TestWindow addIn(L"STATIC", L"the add-in's copies");
    PutPlainTextOnClipboard(L"A");
    view.SetText(L"");
    PutPlainTextOnClipboard(L"B", addIn.get());
    hostkit::ClipboardHolder holder(400);
    view.SetText(L"");
    holder.Join();
    PutPlainTextOnClipboard(L"C", addIn.get());
    other.SetText(L"");
    PutPlainTextOnClipboard(L"D", addIn.get());
    testing_support::PumpMessages(600);
    EXPECT_EQ(TextOf(view.richEdit()), L"A");
    EXPECT_EQ(TextOf(other.richEdit()), L"C");
}

// The clipboard lists formatted notes that its owner never renders (it hung or exited), that
// came cut short, or that fail to stream in: the plain text is shown instead. With nothing to
// read, the view and the clipboard stay as they are, the old notes whole. Whole formatted
// notes keep their formatting, unusual ones too.
TEST(NotesView, FormattedNotesThatCannotBeHadFallBackToPlainText) {
    using namespace std::string_view_literals;
    struct Case {
        std::string_view rtf;  // no data: listed, never rendered
        bool withText;
        const wchar_t* shown;
        bool failsToStream = false;
    };
    constexpr auto kFailing = "{\\rtf1\\ansi new notes that fail part of the way}"sv;
    testing_support::RecordingClass ownerClass(L"TessalinTestLazyOwner");
    testing_support::TestWindow owner(L"TessalinTestLazyOwner", L"owner");
    for (const Case& c :
         {Case{{}, true, L"plain notes"},
          Case{"{\\rtf1\\ansi plain {\\b bold", true, L"plain notes"}, Case{{}, false, L"A"},
          Case{kFailing, true, L"plain notes", true}, Case{kFailing, false, L"A", true},
          Case{"{\\urtf1\\ansi plain {\\b bold} text}", false, L"plain bold text"},
          Case{"{\\rtf1\\ansi plain {\\b bold} text{\\*\\x\\bin2 \0\0}}\0"sv, false,
               L"plain bold text"}}) {
        SCOPED_TRACE(c.rtf.data() == nullptr ? "(never rendered)" : c.rtf);
        Library library;
        NotesView view(library, 0, 0, 640, 480);
        PutPlainTextOnClipboard(L"A");
        view.SetText(L"");
        {
            const hostkit::ClipboardCopy copy(owner.get());
            ASSERT_TRUE(copy.opened());
            copy.Put(RtfFormat(), c.rtf.data(), c.rtf.size());
            if (c.withText) copy.PutText(L"plain notes");
        }
        SpyOn(view.richEdit());
        g_failNextStream = c.failsToStream;
        view.SetText(L"");
        EXPECT_EQ(TextOf(view.richEdit()), c.shown);
        EXPECT_EQ(IsClipboardFormatAvailable(RtfFormat()) != FALSE, c.shown == std::wstring(L"A"));
    }
}

TEST(NotesView, ZoomButtonsStepTheZoomAndTheLabelWithinTheirBounds) {
    Library library;
    NotesView view(library, 0, 0, 640, 480);
    PutRtfOnClipboard(kBoldRtf);
    view.SetText(L"");
    ASSERT_EQ(view.CurrentZoom(), (Zoom{10, 10}));

    NotesView::Click(view.zoomIn());
    EXPECT_EQ(view.CurrentZoom(), (Zoom{11, 10}));
    EXPECT_EQ(TextOf(view.label()), L"110%");

    for (int step = 11; step < 630; ++step) NotesView::Click(view.zoomIn());
    EXPECT_EQ(view.CurrentZoom(), (Zoom{630, 10}));
    EXPECT_EQ(TextOf(view.label()), L"6300%");
    NotesView::Click(view.zoomIn());
    EXPECT_EQ(view.CurrentZoom(), (Zoom{630, 10}));
    EXPECT_EQ(TextOf(view.label()), L"6300%");

    for (int step = 630; step > 1; --step) NotesView::Click(view.zoomOut());
    EXPECT_EQ(view.CurrentZoom(), (Zoom{1, 10}));
    EXPECT_EQ(TextOf(view.label()), L"10%");
    NotesView::Click(view.zoomOut());
    EXPECT_EQ(view.CurrentZoom(), (Zoom{1, 10}));
    EXPECT_EQ(TextOf(view.label()), L"10%");

    // A refresh keeps the zoom the presenter chose.
    PutPlainTextOnClipboard(L"next slide");
    view.SetText(L"");
    EXPECT_EQ(view.CurrentZoom(), (Zoom{1, 10}));
}

TEST(NotesView, CtrlWithTheWheelOrKeysStepsThePresentersZoom) {
    Library library;
    NotesView view(library, 0, 0, 640, 480);
    const auto wheel = [&](int delta) {
        SendMessageW(view.richEdit(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, delta), 0);
    };
    wheel(WHEEL_DELTA);
    EXPECT_EQ(view.CurrentZoom(), (Zoom{11, 10}));
    EXPECT_EQ(TextOf(view.label()), L"110%");
    PutPlainTextOnClipboard(L"next slide");
    view.SetText(L"");
    EXPECT_EQ(view.CurrentZoom(), (Zoom{11, 10})) << "the next slide keeps it";
    wheel(-3 * WHEEL_DELTA);
    wheel(WHEEL_DELTA / 2);
    wheel(WHEEL_DELTA / 2);
    EXPECT_EQ(view.CurrentZoom(), (Zoom{9, 10})) << "one step per notch";
    for (int notch = 0; notch < 700; ++notch) wheel(WHEEL_DELTA);
    EXPECT_EQ(view.CurrentZoom(), (Zoom{630, 10}));

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(view.richEdit(), WM_KEYDOWN, VK_SUBTRACT, 0);
    EXPECT_EQ(TextOf(view.label()), L"6290%");
    SendMessageW(view.richEdit(), WM_KEYDOWN, '0', 0);
    EXPECT_EQ(view.CurrentZoom(), (Zoom{10, 10}));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

LONG FontHeightOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font.lfHeight;
}

std::pair<int, int> SizeOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {int(rect.right - rect.left), int(rect.bottom - rect.top)};
}

// The design values are for 96 pixels per inch; ctest runs this also with the system at 144.
// A change of DPI is what Windows sends when the view moves to a monitor of another DPI.
TEST(NotesView, ControlsAndFontsFollowTheDpiOfTheWindow) {
    Library library;
    NotesView view(library, 100, 50, 640, 480);
    PutPlainTextOnClipboard(L"notes");
    view.SetText(L"");
    const int system = testing_support::ScreenDpi();
    const LONG systemFont = FontHeightOf(view.zoomIn());
    const auto textHeight = [&] {
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(view.richEdit(), EM_GETCHARFORMAT, SCF_DEFAULT,
                     reinterpret_cast<LPARAM>(&format));
        return format.yHeight;
    };
    const LONG systemText = textHeight();
    const auto expectLaidOutAt = [&](int dpi, int percent) {
        SCOPED_TRACE(dpi);
        EXPECT_EQ(SizeOf(view.panel()), std::pair(MulDiv(688, dpi, 96), MulDiv(41, dpi, 96)));
        EXPECT_EQ(SizeOf(view.zoomIn()), std::pair(MulDiv(106, dpi, 96), MulDiv(25, dpi, 96)));
        EXPECT_NEAR(FontHeightOf(view.zoomIn()), MulDiv(systemFont, dpi, system), 1);
        // Point sizes become pixels at the rich edit's own DPI; the zoom does the rest, and
        // the label says what it shows.
        EXPECT_EQ(textHeight(), systemText);
        const Zoom zoom = view.CurrentZoom();
        EXPECT_EQ(zoom.numerator * system * 100, zoom.denominator * dpi * percent);
        EXPECT_EQ(TextOf(view.label()), std::to_wstring(percent) + L"%");
    };
    expectLaidOutAt(system, 100);
    // More than the rich edit can show at 192 dpi: there the zoom stops where the control's
    // does; back at the system's DPI the presenter's zoom is whole again.
    for (int step = 10; step < 600; ++step) NotesView::Click(view.zoomIn());
    for (RECT suggested : {RECT{200, 100, 1100, 800}, RECT{100, 50, 740, 530}}) {
        const int dpi = suggested.left == 200 ? 192 : system;
        SendMessageW(view.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT now{};
        GetWindowRect(view.window(), &now);
        EXPECT_TRUE(EqualRect(&now, &suggested)) << "the suggested rectangle is taken";
        if (dpi != system) NotesView::Click(view.zoomIn());
        expectLaidOutAt(dpi, dpi == system ? 6000 : (64 * 10 * system - 1) / dpi * 10);
    }
    NotesView::Click(view.zoomOut());
    EXPECT_EQ(view.CurrentZoom(), (Zoom{599, 10}));
    PutPlainTextOnClipboard(L"next slide");
    view.SetText(L"");
    EXPECT_EQ(TextOf(view.richEdit()), L"next slide");
}

// The user picks another icon-title font in Windows' settings (a larger text size does the
// same): the view's own font follows; the notes keep their formatting.
TEST(NotesView, ItsFontFollowsTheUsersSettings) {
    Library library;
    NotesView view(library, 0, 0, 640, 480);
    PutRtfOnClipboard(kBoldRtf);
    view.SetText(L"");
    LOGFONTW original{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof original, &original, 0));
    LOGFONTW larger = original;
    larger.lfHeight = original.lfHeight * 2;
    SpyOn(view.richEdit());
    g_zoomsSent = 0;
    for (LOGFONTW font : {larger, original}) {
        ASSERT_TRUE(SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof font, &font, 0));
        SendMessageW(view.window(), WM_SETTINGCHANGE, SPI_SETICONTITLELOGFONT, 0);
        EXPECT_EQ(FontHeightOf(view.zoomIn()), font.lfHeight);
        EXPECT_EQ(SizeOf(view.zoomIn()), std::pair(106, 25));
        EXPECT_TRUE(view.IsBold(L"bold"));
    }
    testing_support::PumpMessages(100);
    EXPECT_EQ(g_zoomsSent, 0) << "the notes, laid out again for each zoom, keep theirs";
}

TEST(NotesView, TitleShowHideAndCloseAndTwoViewsStayIndependent) {
    Library library;
    const auto setTitle = library.Get<TextFn>("SetNotesTitle");
    NotesView first(library, 0, 0, 640, 480);
    NotesView second(library, 10, 10, 320, 240);

    setTitle(first.handle(), L"Slide 3 \u2013 notes");
    EXPECT_EQ(TextOf(first.window()), L"Slide 3 \u2013 notes");
    EXPECT_EQ(TextOf(second.window()), L"Notes");
    setTitle(second.handle(), nullptr);
    EXPECT_EQ(TextOf(second.window()), L"");

    PutPlainTextOnClipboard(L"first only");
    first.SetText(L"");
    NotesView::Click(first.zoomIn());
    EXPECT_EQ(TextOf(second.richEdit()), L"");
    EXPECT_EQ(second.CurrentZoom(), Zoom{});
    EXPECT_EQ(TextOf(second.label()), L"100%");

    library.Get<HandleFn>("ShowNotesView")(first.handle());
    EXPECT_TRUE(IsWindowVisible(first.window()));
    EXPECT_FALSE(IsWindowVisible(second.window()));
    // Closing only hides: the view, its notes and its zoom stay.
    SendMessageW(first.window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(first.window()));
    EXPECT_FALSE(IsWindowVisible(first.window()));
    library.Get<HandleFn>("ShowNotesView")(first.handle());
    library.Get<HandleFn>("HideNotesView")(first.handle());
    EXPECT_FALSE(IsWindowVisible(first.window()));
    EXPECT_EQ(TextOf(first.richEdit()), L"first only");
    EXPECT_EQ(first.CurrentZoom(), (Zoom{11, 10}));
}

TEST(NotesView, HandlesThatNameNoLiveViewDoNothing) {
    Library library;
    const auto destroy = library.Get<HandleFn>("DestroyNotesView");
    std::intptr_t destroyed = library.Get<CreateFn>("CreateNotesView")(0, 0, 200, 200);
    ASSERT_NE(destroyed, 0);
    destroy(destroyed);
    EXPECT_TRUE(NotesWindows().empty());

    NotesView live(library, 0, 0, 200, 200);
    PutPlainTextOnClipboard(L"stays on the clipboard");
    for (const std::intptr_t handle : {std::intptr_t{0}, destroyed, live.handle() + 1000,
                                       reinterpret_cast<std::intptr_t>(live.window())}) {
        library.Get<TextFn>("SetNotesTitle")(handle, L"wrong");
        library.Get<TextFn>("SetNotesText")(handle, L"wrong");
        library.Get<HandleFn>("ShowNotesView")(handle);
        library.Get<HandleFn>("HideNotesView")(handle);
        destroy(handle);
    }
    EXPECT_EQ(NotesWindows(), std::vector<HWND>{live.window()});
    EXPECT_EQ(TextOf(live.window()), L"Notes");
    EXPECT_FALSE(IsWindowVisible(live.window()));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST(NotesView, FreeLibraryDestroysTheViewsTheAddInLeft) {
    HWND left = nullptr;
    std::intptr_t stale = 0;
    {
        Library library;
        stale = library.Get<CreateFn>("CreateNotesView")(0, 0, 200, 200);
        ASSERT_EQ(NotesWindows().size(), 1u);
        left = NotesWindows().front();
        library.Free();
        EXPECT_FALSE(IsWindow(left));
    }
    // Loaded again, the library registers its classes afresh; the add-in's handle from the
    // first load names nothing in the second.
    Library again;
    NotesView view(again, 0, 0, 200, 200);
    EXPECT_NE(view.window(), nullptr);
    EXPECT_NE(view.richEdit(), nullptr);
    again.Get<TextFn>("SetNotesTitle")(stale, L"stale");
    again.Get<HandleFn>("ShowNotesView")(stale);
    again.Get<HandleFn>("DestroyNotesView")(stale);
    EXPECT_TRUE(IsWindow(view.window()));
    EXPECT_FALSE(IsWindowVisible(view.window()));
    EXPECT_EQ(TextOf(view.window()), L"Notes");
}

// Notes far longer than the rich edit's default limit of 32,767 characters, which on Windows
// would cut a paste silently.
TEST(NotesView, LongNotesComeThroughWhole) {
    Library library;
    NotesView view(library, 0, 0, 640, 480);
    EXPECT_GE(SendMessageW(view.richEdit(), EM_GETLIMITTEXT, 0, 0), 16 * 1024 * 1024);

    std::wstring plain;
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 ";
    for (int paragraph = 0; plain.size() < 40'000; ++paragraph) {
        const std::string line = "Paragraph " + std::to_string(paragraph) + std::string(90, 'n');
        plain += std::wstring(line.begin(), line.end()) + L"\r\n";
        rtf += line + "\\par\n";
    }
    rtf += "}";
    // Line ends are the control's business; every other character must be there.
    const auto withoutLineEnds = [](std::wstring text) {
        std::erase_if(text, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
        return text;
    };
    PutPlainTextOnClipboard(plain);
    view.SetText(L"");
    EXPECT_EQ(withoutLineEnds(TextOf(view.richEdit())), withoutLineEnds(plain));
    PutRtfOnClipboard(rtf.c_str());
    view.SetText(L"");
    EXPECT_EQ(withoutLineEnds(TextOf(view.richEdit())), withoutLineEnds(plain));
}

// The clipboard's owner renders the notes only when the view asks for them, and meanwhile
// destroys the view the library is filling.
std::intptr_t g_viewToDestroy = 0;
HandleFn g_destroyView = nullptr;

LRESULT CALLBACK DelayedOwnerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_RENDERFORMAT && wParam == CF_UNICODETEXT) {
        g_destroyView(g_viewToDestroy);
        const wchar_t text[] = L"rendered late";
        hostkit::SetClipboardBytes(CF_UNICODETEXT, text, sizeof text);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

TEST(NotesView, ViewDestroyedWhileItIsFilledGoesWhenTheCallReturns) {
    Library library;
    testing_support::RecordingClass ownerClass(L"TessalinTestClipboardOwner");
    testing_support::TestWindow owner(L"TessalinTestClipboardOwner", L"owner");
    SetWindowLongPtrW(owner.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DelayedOwnerProc));
    ASSERT_TRUE(hostkit::ClipboardCopy(owner.get()).Put(CF_UNICODETEXT, nullptr, 0));

    g_destroyView = library.Get<HandleFn>("DestroyNotesView");
    g_viewToDestroy = library.Get<CreateFn>("CreateNotesView")(0, 0, 300, 200);
    ASSERT_EQ(NotesWindows().size(), 1u);
    library.Get<TextFn>("SetNotesText")(g_viewToDestroy, L"");
    EXPECT_TRUE(NotesWindows().empty());
    EXPECT_TRUE(ClipboardIsEmpty());

    // The handle is dead: nothing comes back to life.
    library.Get<HandleFn>("ShowNotesView")(g_viewToDestroy);
    EXPECT_TRUE(NotesWindows().empty());
}

// A language file for the user's default language, in an installation folder named in the
// registry before the library loads.
class LocalisedNotesView : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryW((install_ / L"Messages").c_str(), nullptr);
        wchar_t name[16];
        std::swprintf(name, 16, L"%04X.lcl", GetUserDefaultLangID());
        testing_support::WriteFileBytes(
            install_.path() + L"\\Messages\\" + name,
            "NotesForm~<DEFAULT>~\"Speaker notes\"~\"Notes of the current slide\"\r\n"
            "<ALL>~ZoomInButton~\"Bigger\"~\"Make the text bigger\"\r\n"
            "NotesForm~ZoomInButton~\"Larger\"~\"\"\r\n"
            "<ALL>~ZoomOutButton~\"Smaller\"~\"Make the text smaller\"\r\n"
            "NotesForm~RichNotesText~\"not for a rich edit\"~\"\"\r\n");
        testing_support::SetInstallPath(install_.path());
    }

    void TearDown() override { testing_support::RemoveInstallKey(); }

    TempFolder install_;
};

TEST_F(LocalisedNotesView, TakesCaptionAndButtonTextsFromTheUsersLanguage) {
    Library library;
    NotesView view(library, 0, 0, 640, 480);
    EXPECT_EQ(TextOf(view.window()), L"Speaker notes");
    EXPECT_EQ(TextOf(view.zoomIn()), L"Larger") << "the window's own entry wins over <ALL>";
    EXPECT_EQ(TextOf(view.zoomOut()), L"Smaller");
    EXPECT_EQ(TextOf(view.label()), L"100%");
    EXPECT_EQ(TextOf(view.richEdit()), L"");
}

TEST(NotesView, FiveHundredViewsLeaveNoObjectsBehind) {
    Library library;
    const auto create = library.Get<CreateFn>("CreateNotesView");
    const auto setText = library.Get<TextFn>("SetNotesText");
    const auto destroy = library.Get<HandleFn>("DestroyNotesView");
    // The first view loads the rich-edit library and registers the classes, once.
    destroy(create(0, 0, 300, 200));
    const GuiObjects before = CountGuiObjects();
    ASSERT_GT(before.gdi, 0u);
    for (int i = 0; i < 500; ++i) {
        const std::intptr_t view = create(i % 100, i % 50, 300, 200);
        ASSERT_NE(view, 0) << "view " << i;
        if (i % 50 == 0) {
            PutRtfOnClipboard(kBoldRtf);
            setText(view, L"");
        }
        destroy(view);
    }
    EXPECT_EQ(CountGuiObjects(), before);
}

}  // namespace
