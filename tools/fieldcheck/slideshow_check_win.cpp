// Slide-show coordination: two stand-in slide-show windows ("screenClass") put under the filter,
// activation and focus moved between them and another window, the focus keeper's ticks
// counted on a third slide-show window left unfiltered, and everything put back.
#include <cstdint>

#include "check.h"
#include "demo_steps.h"
#include "frame/export_guard.h"
#include "windows_win.h"

namespace fieldcheck {
namespace {

// Whatever fails in between, the session ends with every window's own procedure back and the
// focus keeper off.
class Session {
  public:
    explicit Session(const HostLibrary& library) : library_(library) {
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
    const HostLibrary& library_;
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
    const auto registered =
        check.library.Call<std::int16_t>("RegisterSlideShowWindow", showA.get());
    const auto started = check.library.Call<std::int32_t>("TessalineSlideShowStarted");
    const auto none = check.library.Call<std::int32_t>("TessalineSlideShowStarted");
    check.report.Expect(
        registered == -1 && started == 0 && none != 0 && Filtered(showA.get()) &&
            Filtered(showB.get()),
        L"slideshow.register",
        Format(L"RegisterSlideShowWindow(show 1) -> %d, TessalineSlideShowStarted() -> %d for show "
               L"2, then %d with none left; the filter in show 1's chain: %ls, in show 2's: %ls",
               registered, started, none, Filtered(showA.get()) ? L"yes" : L"no",
               Filtered(showB.get()) ? L"yes" : L"no"));

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
    PumpMessages(3300);
    const int ticks = counts[3].setFocus;
    check.library.Call<void>("EndTessaline");
    PumpMessages(1300);
    const int afterOff = counts[3].setFocus - ticks;
    check.report.Expect(
        ticks >= 2 && ticks <= 4 && afterOff == 0 && counts[0].setFocus + counts[1].setFocus == 0,
        L"slideshow.focus keeper",
        Format(L"in 3.3 s switched on: %d ticks reached the unfiltered show, %d the filtered "
               L"ones; %d in 1.3 s after switching off",
               ticks, counts[0].setFocus + counts[1].setFocus, afterOff));

    check.library.Call<void>("TessalineSlideShowsTerminated");
    const bool ownBack = !Filtered(showA.get()) && !Filtered(showB.get());
    counts[0] = counts[1] = {};
    MoveAmong({showA.get(), showB.get()});
    check.report.Expect(
        ownBack && counts[0].setFocus > 0 && counts[1].setFocus > 0, L"slideshow.put back",
        Format(L"after TessalineSlideShowsTerminated the shows' own procedures are %ls; focus "
               L"moved to them reaches them %d and %d time(s)",
               ownBack ? L"back" : L"not back", counts[0].setFocus, counts[1].setFocus));
}

}  // namespace fieldcheck
