#include "monitors/monitor_num_form_win.h"

#include <string>

#include "forms/monitor_num_form_design.h"
#include "monitors/monitor_table_win.h"

namespace tessalin {

TMonitorNumForm::TMonitorNumForm() noexcept : Form(forms::TMONITORNUMFORM) {}

bool TMonitorNumForm::Initialize(std::int32_t monitorNum) {
    const std::wstring number = std::to_wstring(monitorNum);
    SetWindowTextW(Window(), (L"Monitor " + number).c_str());
    SetWindowTextW(Control(forms::kMonitorNumLabel), number.c_str());
    const MonitorInfoAnswer monitor = DescribeMonitor(monitorNum);
    if (!monitor.rect) return false;
    // One move-and-size: without a frame the label then covers the monitor, taskbar included.
    const MonitorRect& rect = *monitor.rect;
    SetWindowPos(Window(), nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void TMonitorNumForm::FormCreate() {
    // No taskbar buttons for the overlays.
    const LONG_PTR exStyle = GetWindowLongPtrW(Window(), GWL_EXSTYLE);
    SetWindowLongPtrW(Window(), GWL_EXSTYLE, exStyle | WS_EX_TOOLWINDOW);
}

std::optional<LRESULT> TMonitorNumForm::HandleMessage(UINT message, WPARAM, LPARAM) {
    // Alt+F4 on an activated overlay must not destroy it under ShowMonitorNumbers' feet.
    if (message == WM_CLOSE) return 0;
    return std::nullopt;
}

}  // namespace tessalin
