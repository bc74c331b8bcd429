// Slide-show coordination: two stand-in slide-show windows ("screenClass") put under the filter,
// the first through its slide-show window object as the add-in does, activation and focus moved
// between them and another window, the focus keeper's ticks timed on a third slide-show window
// left unfiltered, and everything put back; and the synchronisation group's identifiers.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <cstring>

#include "frame/export_guard.h"
#include "tools/fieldcheck/check.h"
#include "tools/fieldcheck/windows_win.h"
#include "tools/hostkit/slide_show_object_win.h"

namespace fieldcheck {
namespace {

// Long enough for four ticks of the focus keeper, a second apart.
constexpr DWORD kKeeperOnMs = 4300;

// Whatever fails in between, the session ends with every window's own procedure back and the
// focus keeper off.
class Session {
  public:
    explicit Session(const hostkit::Library& library) : library_(library) {
        library_.Call<void>("StartTessalineSession");
    }
    ~Session() {
        tessalin::Guarded([&] {
            library_.Call<void>("EndTessaline");
            library_.Call<void>("TessalineSlideShowsTerminated");
            library_.Call<void>("EndTessalineSession");
        });
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

  private:
    const hostkit::Library& library_;
};

RECT ShowRect(const Monitor& monitor, int index) {
    const LONG left = monitor.rect.left + 60 + index * 40;
    const LONG top = monitor.rect.top + 60 + index * 40;
    return {left, top, left + 480, top + 270};
}

bool Filtered(HWND window) {
    return GetWindowLongPtrW(window, GWLP_WNDPROC) !=
           reinterpret_cast<LONG_PTR>(CountingClass::Procedure());
}

// Moves activation and focus to each window in turn; how many of the moves took.
int MoveAmong(std::initializer_list<HWND> windows) {
    int took = 0;
    for (HWND window : windows) {
        SetForegroundWindow(window);
        SetActiveWindow(window);
        SetFocus(window);
        PumpMessages(60);
        took += GetActiveWindow() == window && GetFocus() == window;
    }
    return took;
}

void CheckSyncGroupIds(const FieldCheck& check) {
    // 38 characters and a NUL, as the add-in's buffer of 39 bytes holds; one byte more to see
    // that nothing is written past it.
    char ids[2][40];
    std::memset(ids, '*', sizeof ids);
    check.library.Call<void>("CreateNewSyncGroupId", ids[0]);
    check.library.Call<void>("CreateNewSyncGroupId", ids[1]);
    constexpr char kForm[] = "{########-####-####-####-############}";  // # a hex digit
    bool wellFormed = true;
    for (const char* id : ids) {
        for (std::size_t i = 0; i + 1 < sizeof kForm; ++i) {
            const char c = id[i];
            const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
            wellFormed = wellFormed && (kForm[i] == '#' ? hex : c == kForm[i]);
        }
        wellFormed = wellFormed && id[38] == '\0' && id[39] == '*';
    }
    const bool different = std::memcmp(ids[0], ids[1], 38) != 0;
    check.report.Expect(
        wellFormed && different, L"slideshow.sync group id",
        Format(L"CreateNewSyncGroupId twice: %hs and %hs; %ls, %ls, nothing written past the NUL",
               wellFormed ? ids[0] : "(not a GUID in braces)", wellFormed ? ids[1] : "",
               wellFormed ? L"each 38 characters in braces" : L"not as expected",
               different ? L"different" : L"the same"));
}

}  // namespace

void CheckSlideShows(const FieldCheck& check) {
    const CountingClass showClass(L"screenClass");
    const CountingClass otherClass(L"TessalinFieldCheckWindow");
    const Monitor& first = check.monitors.front();
    const Monitor& second = check.monitors.back();
    MessageCounts counts[4];
    const DWORD style = WS_POPUP | WS_BORDER | WS_VISIBLE;
    const UniqueWindow showA =
        showClass.Create(L"Slide show 1", style, ShowRect(first, 0), &counts[0]);
    const UniqueWindow showB =
        showClass.Create(L"Slide show 2", style, ShowRect(second, 1), &counts[1]);
    const UniqueWindow other =
        otherClass.Create(L"Tessalin field check: another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                          ShowRect(first, 2), &counts[2]);
    if (!showA || !showB || !other) {
        return check.report.Add(Verdict::kFail, L"slideshow", L"the check's windows were refused");
    }
    PumpMessages(200);

    const Session session(check.library);
    // The add-in reads the handle from the host's object: RegisterSlideShowWindow(GetSSWHandle(
    // Presentation.SlideShowWindow)), the object in a Variant passed by value.
    hostkit::SlideShowWindowObject object(
        true, static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(showA.get())));
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_DISPATCH;
    variant.punkVal = object.unknown();
    const auto handle = check.library.Call<std::intptr_t>("GetSSWHandle", &variant);
    const auto registered =
        check.library.Call<std::int16_t>("RegisterSlideShowWindow", reinterpret_cast<HWND>(handle));
    const auto started = check.library.Call<std::int32_t>("TessalineSlideShowStarted");
    const auto none = check.library.Call<std::int32_t>("TessalineSlideShowStarted");
    check.report.Expect(
        handle == reinterpret_cast<std::intptr_t>(showA.get()) && object.references() == 1 &&
            registered == -1 && started == 0 && none != 0 && Filtered(showA.get()) &&
            Filtered(showB.get()),
        L"slideshow.register",
        Format(L"GetSSWHandle(show 1's object) -> %ls, its references %ls; "
               L"RegisterSlideShowWindow(that) -> %d, TessalineSlideShowStarted() -> %d for show "
               L"2, then %d with none left; the filter in show 1's chain: %ls, in show 2's: %ls",
               handle == reinterpret_cast<std::intptr_t>(showA.get()) ? L"show 1's window"
                                                                      : L"another handle",
               object.references() == 1 ? L"as they were" : L"changed", registered, started, none,
               Filtered(showA.get()) ? L"yes" : L"no", Filtered(showB.get()) ? L"yes" : L"no"));

    counts[0] = counts[1] = counts[2] = {};
    const int moves = MoveAmong({showA.get(), other.get(), showB.get(), other.get(), showA.get(),
                                 showB.get(), other.get()});
    const auto probe = SendMessageW(showA.get(), kProbeMessage, 2, 3);
    const int dropped = counts[0].activate + counts[0].setFocus + counts[0].killFocus +
                        counts[1].activate + counts[1].setFocus + counts[1].killFocus;
    const std::wstring figures = Format(
        L"%d of 7 moves of activation and focus took; the shows' own procedures saw %d "
        L"activation and focus messages, the other window %d activations and %d focus "
        L"messages; another message came through with its result (%lld, expected 5)",
        moves, dropped, counts[2].activate, counts[2].setFocus, static_cast<long long>(probe));
    if (moves == 0 || counts[2].setFocus == 0) {
        check.report.Skip(L"slideshow.filter",
                          L"activation never moved (another program in "
                          L"front?): " +
                              figures);
    } else {
        check.report.Expect(dropped == 0 && probe == 5 && counts[0].probe == 1, L"slideshow.filter",
                            figures);
    }

    const UniqueWindow showC = showClass.Create(
        L"Slide show 3 (not filtered)", WS_POPUP | WS_BORDER, ShowRect(first, 3), &counts[3]);
    ShowWindow(showC.get(), SW_SHOWNOACTIVATE);
    counts[0] = counts[1] = counts[3] = {};
    check.library.Call<void>("StartTessaline");
    PumpMessages(kKeeperOnMs);
    const MessageCounts ticks = counts[3];
    check.library.Call<void>("EndTessaline");
    PumpMessages(1300);
    const int afterOff = counts[3].setFocus - ticks.setFocus;
    // Once a second, to within a quarter, over the ticks after the first.
    const ULONGLONG interval =
        ticks.setFocus > 1 ? (ticks.lastFocusAt - ticks.firstFocusAt) / (ticks.setFocus - 1) : 0;
    check.report.Expect(ticks.setFocus >= 3 && interval >= 750 && interval <= 1250 &&
                            afterOff == 0 && counts[0].setFocus + counts[1].setFocus == 0,
                        L"slideshow.focus keeper",
                        Format(L"in %lu ms switched on: %d ticks reached the unfiltered show, "
                               L"%llu ms apart (750 to 1250), %d the filtered ones; %d in 1.3 s "
                               L"after switching off",
                               kKeeperOnMs, ticks.setFocus, interval,
                               counts[0].setFocus + counts[1].setFocus, afterOff));

    // One window given back by itself, then the rest.
    const auto deregistered =
        check.library.Call<std::int32_t>("DeregisterSlideShowWindow", showA.get());
    const bool firstBack = !Filtered(showA.get()) && Filtered(showB.get());
    const auto again = check.library.Call<std::int32_t>("DeregisterSlideShowWindow", showA.get());
    check.library.Call<void>("TessalineSlideShowsTerminated");
    const bool ownBack = !Filtered(showA.get()) && !Filtered(showB.get());
    counts[0] = counts[1] = {};
    MoveAmong({showA.get(), showB.get()});
    // Outside a session a register changes nothing.
    check.library.Call<void>("EndTessalineSession");
    const auto afterEnd = check.library.Call<std::int16_t>("RegisterSlideShowWindow", showA.get());
    check.report.Expect(
        deregistered == -1 && again == 0 && firstBack && ownBack && counts[0].setFocus > 0 &&
            counts[1].setFocus > 0 && afterEnd == 0 && !Filtered(showA.get()),
        L"slideshow.put back",
        Format(L"DeregisterSlideShowWindow(show 1) -> %d, show 1's own procedure %ls, show 2 "
               L"still filtered; again -> %d (expected -1, then 0); after "
               L"TessalineSlideShowsTerminated the shows' own procedures are %ls; focus moved to "
               L"them reaches them %d and %d time(s); after EndTessalineSession "
               L"RegisterSlideShowWindow(show 1) -> %d, show 1 %ls",
               deregistered, firstBack ? L"back" : L"not back alone", again,
               ownBack ? L"back" : L"not back", counts[0].setFocus, counts[1].setFocus, afterEnd,
               Filtered(showA.get()) ? L"filtered" : L"not filtered"));
    CheckSyncGroupIds(check);
}

}  // namespace fieldcheck
