// Design values of the hidden focus-keeper window.
#pragma once

namespace tessalin::forms {

struct TimerFormDesign {
    const wchar_t* className;
    const wchar_t* caption;
    int clientWidth;
    int clientHeight;
    unsigned intervalMs;  // the timer's default interval: the window sets none of its own
};

inline constexpr TimerFormDesign TTIMERFORM{L"TTimerForm", L"TimerForm", 116, 55, 1000};

}  // namespace tessalin::forms
