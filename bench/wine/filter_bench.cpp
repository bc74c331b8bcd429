// What the slide-show filter adds to one SendMessageW round trip: the same window's round
// trip with and without the filter, measured in one run, as a ratio.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "support/library.h"
#include "support/windows.h"

using namespace testing_support;

namespace {

constexpr int kMessages = 200'000;
constexpr int kRounds = 5;

double NanosecondsPerRoundTrip(HWND wnd) {
    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kMessages; ++i) SendMessageW(wnd, WM_APP, i, 1);
    QueryPerformanceCounter(&stop);
    return 1e9 * static_cast<double>(stop.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart) / kMessages;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    RecordingClass screenClass(L"screenClass");
    TestWindow show(L"screenClass", L"benchmark show");
    // Four more filtered windows in front, so the record list holds a realistic handful
    // and the measured window's record is found last.
    std::vector<std::unique_ptr<TestWindow>> others;
    for (int i = 0; i < 4; ++i)
        others.push_back(std::make_unique<TestWindow>(L"screenClass", L"other"));

    Library library;
    library.Get<void (*)()>("StartTessalineSession")();
    auto registerWindow = library.Get<std::uint64_t (*)(HWND)>("RegisterSlideShowWindow");
    auto deregister = library.Get<std::uint64_t (*)(HWND)>("DeregisterSlideShowWindow");
    for (auto& other : others) registerWindow(other->get());

    std::vector<double> plain, filtered;
    for (int round = 0; round < kRounds; ++round) {
        RecordingClass::Seen().clear();
        plain.push_back(NanosecondsPerRoundTrip(show.get()));
        registerWindow(show.get());
        RecordingClass::Seen().clear();
        filtered.push_back(NanosecondsPerRoundTrip(show.get()));
        deregister(show.get());
    }
    const double base = Median(plain);
    const double withFilter = Median(filtered);
    std::printf("SendMessageW round trip, median of %d rounds of %d messages:\n", kRounds,
                kMessages);
    std::printf("  unfiltered: %8.1f ns\n", base);
    std::printf("  filtered:   %8.1f ns (5 records in the session)\n", withFilter);
    std::printf("  ratio filtered / unfiltered: %.3f\n", withFilter / base);

    library.Get<void (*)()>("TessalineSlideShowsTerminated")();
    library.Get<void (*)()>("EndTessalineSession")();
    return 0;
}
