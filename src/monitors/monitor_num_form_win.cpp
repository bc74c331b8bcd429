#include "monitors/monitor_num_form_win.h"

#include <string>

#include "forms/dpi_win.h"
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
    // The number is drawn at the overlay's own DPI once it is there, or at its monitor's.
    const MonitorRect& rect = *monitor.rect;
    Place(rect.left, rect.top, rect.width, rect.height);
    const RECT covered{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
    ApplyDpi(forms::WindowDpiOver(Window(), covered));
    return true;
}

void TMonitorNumForm::FormCreate() {
    // No taskbar buttons for the overlays.
    const LONG_PTR exStyle = GetWindowLongPtrW(Window(), GWL_EXSTYLE);
    SetWindowLongPtrW(Window(), GWL_EXSTYLE, exStyle | WS_EX_TOOLWINDOW);
}

std::optional<LRESULT> TMonitorNumForm::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    // Alt+F4 on an activated overlay must not destroy it under ShowMonitorNumbers' feet.
    if (message == WM_CLOSE) return 0;
    // An overlay keeps covering its monitor exactly, whatever rectangle a change of DPI
    // suggests.
    if (message == WM_DPICHANGED) {
        ApplyDpi(DpiOfChange(wParam));
        return 0;
    }
    return std::nullopt;
}

}  // namespace tessalin
