// The display exports: the monitors in the library's numbering, and their numbers flashed on
// them.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "frame/export_guard.h"
#include "frame/message_pump_win.h"
#include "monitors/monitor_num_form_win.h"
#include "monitors/monitor_table_win.h"
#include "monitors/overlay_wait.h"

// The platform maps this name to its own GetMonitorInfoW; the export keeps its plain name.
#undef GetMonitorInfo

namespace tessalin {
namespace {

void Store(std::int32_t* out, std::int32_t value) noexcept {
    if (out != nullptr) *out = value;
}

// Destroys the overlays in list order, monitor 1 first, however the call ends.
struct Overlays {
    std::vector<std::unique_ptr<TMonitorNumForm>> list;
    ~Overlays() {
        for (std::unique_ptr<TMonitorNumForm>& overlay : list) overlay.reset();
    }
};

void ShowNumbers(std::int32_t seconds) {
    Overlays overlays;
    const std::int32_t count = MonitorCount();
    for (std::int32_t number = 1; number <= count; ++number) {
        overlays.list.push_back(forms::Form::Create<TMonitorNumForm>());
        if (!overlays.list.back()->Initialize(number)) {
            overlays.list.pop_back();
            continue;
        }
        // Visible before the next one is made.
        overlays.list.back()->Show();
    }
    // The dispatching paints the overlays and keeps the host's windows alive meanwhile.
    const std::int64_t passes = OverlayWaitPasses(seconds);
    for (std::int64_t pass = 0; pass < passes; ++pass) {
        Sleep(kOverlayPassMilliseconds);
        DispatchWaitingMessages();
    }
}

}  // namespace
}  // namespace tessalin

TESSALIN_EXPORT std::int32_t GetMonitorCount() noexcept {
    return tessalin::Guarded(std::int32_t{0}, [] { return tessalin::MonitorCount(); });
}

TESSALIN_EXPORT std::int32_t GetMonitorInfo(std::int32_t index, std::int32_t* left,
                                            std::int32_t* top, std::int32_t* width,
                                            std::int32_t* height) noexcept {
    return tessalin::Guarded(std::int32_t{0}, [&] {
        const tessalin::MonitorInfoAnswer answer = tessalin::DescribeMonitor(index);
        if (answer.rect) {
            tessalin::Store(left, answer.rect->left);
            tessalin::Store(top, answer.rect->top);
            tessalin::Store(width, answer.rect->width);
            tessalin::Store(height, answer.rect->height);
        }
        return answer.result;
    });
}

TESSALIN_EXPORT void ShowMonitorNumbers(std::int32_t seconds) noexcept {
    tessalin::Guarded([&] { tessalin::ShowNumbers(seconds); });
}
