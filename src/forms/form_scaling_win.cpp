// A form at a DPI: fonts and places made from the design values for the DPI of its window,
// and again at each change of that DPI or of the fonts the user chose in Windows' settings.
#include <windows.h>

#include <memory>
#include <utility>

#include "forms/dpi_rules.h"
#include "forms/dpi_win.h"
#include "forms/form_control_win.h"
#include "forms/form_win.h"

namespace tessalin::forms {

UniqueGdiObject Form::CreateFormFont(int dpi) {
    return CreateDesignFont(design_.font, dpi);
}

void Form::ApplyDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_ || !window_) return;
    dpi_ = dpi;
    Rescale();
}

int Form::DpiOfChange(WPARAM wParam) const noexcept {
    // Both halves of wParam hold the new DPI.
    return DpiAfterChange(HIWORD(wParam), dpi_, FollowsMonitorDpi(Window()));
}

void Form::Rescale() {
    SetFormFont(CreateFormFont(dpi_));
    for (const std::unique_ptr<FormControl>& control : controls_) {
        const ControlDesign& design = control->Design();
        // A font sent to a rich edit would wipe the formatting of its text, whose point sizes
        // it turns into pixels by itself.
        if (design.font != nullptr && design.kind != &control_kinds::kRichEdit &&
            control->OwnFontDpi() != dpi_) {
            control->SetOwnFont(CreateDesignFont(*design.font, dpi_), dpi_);
        }
        if (design.parent != nullptr) {
            const Bounds bounds = ScaleFromDesign(design.bounds, dpi_);
            SetWindowPos(control->Window(), nullptr, bounds.left, bounds.top, bounds.width,
                         bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    LayOut();
    Rescaled();
}

void Form::SetFormFont(UniqueGdiObject font) noexcept {
    // The old font is deleted only once no control uses it any more.
    const UniqueGdiObject old = std::exchange(font_, std::move(font));
    for (const std::unique_ptr<FormControl>& control : controls_) {
        if (control->Design().font != nullptr) continue;
        SendMessageW(control->Window(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    }
}

std::optional<LRESULT> Form::HandleScalingMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DPICHANGED: {
            // lParam suggests the rectangle at the new DPI; a window that stays at its DPI
            // keeps its own.
            const int dpi = DpiOfChange(wParam);
            const bool changed = dpi != dpi_;
            ApplyDpi(dpi);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            if (changed && !placing_ && suggested != nullptr) {
                SetWindowPos(Window(), nullptr, suggested->left, suggested->top,
                             suggested->right - suggested->left, suggested->bottom - suggested->top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return 0;
        }
        case WM_SETTINGCHANGE:
            // The user chose other fonts, or another text size, in Windows' settings.
            if (wParam != SPI_SETICONTITLELOGFONT && wParam != SPI_SETNONCLIENTMETRICS) break;
            Rescale();
            return 0;
        default:
            break;
    }
    return std::nullopt;
}

}  // namespace tessalin::forms
