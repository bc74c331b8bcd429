#include "forms/form_control_win.h"

#include <richedit.h>

#include <stdexcept>
#include <utility>

#include "forms/dpi_rules.h"
#include "forms/dpi_win.h"
#include "frame/export_guard.h"

namespace tessalin::forms {
namespace {

namespace kinds = control_kinds;

static_assert(static_cast<int>(SystemColour::kWindowText) == COLOR_WINDOWTEXT);
static_assert(static_cast<int>(SystemColour::kButtonFace) == COLOR_BTNFACE);
static_assert(static_cast<int>(Charset::kAnsi) == ANSI_CHARSET);
static_assert(static_cast<int>(Charset::kDefault) == DEFAULT_CHARSET);

constexpr wchar_t kPanelClass[] = L"TPanel";

// A panel only holds controls: what they tell their parent belongs to the form, and it
// shows the form's background.
LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return Guarded(LRESULT{0}, [&] {
        switch (message) {
            case WM_COMMAND:
            case WM_NOTIFY:
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLORBTN:
            case WM_ERASEBKGND:
                if (HWND form = GetParent(window)) {
                    return SendMessageW(form, message, wParam, lParam);
                }
                break;
            default:
                break;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    });
}

}  // namespace

void FormControl::SetOwnFont(UniqueGdiObject font, int dpi) noexcept {
    // The old font is deleted only once the control no longer uses it.
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    ownFont_ = std::move(font);
    ownFontDpi_ = dpi;
}

int FormControl::TextDpi() const noexcept {
    const int measured = ProbedTextDpi(textDpiProbe_);
    return measured > 0 ? measured : DeviceContextDpi(window_);
}

ControlClass ClassOf(const ControlDesign& control) noexcept {
    if (control.kind == &kinds::kLabel) {
        // Centred both ways means a single line in the middle of the label.
        const DWORD style = control.centred ? DWORD{SS_CENTER | SS_CENTERIMAGE} : SS_LEFT;
        return {L"STATIC", control.literalAmpersand ? style | SS_NOPREFIX : style};
    }
    if (control.kind == &kinds::kPanel) return {kPanelClass, WS_CLIPCHILDREN, &PanelProc};
    if (control.kind == &kinds::kPushButton) return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    if (control.kind == &kinds::kRichEdit) {
        // No ES_AUTOHSCROLL: the lines wrap at the control's width.
        return {RICHEDIT_CLASSW, ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP};
    }
    return {L"STATIC", SS_LEFT};
}

DWORD FrameStyle(Frame frame) noexcept {
    switch (frame) {
        case Frame::kNone:
            return WS_POPUP;
        case Frame::kSingle:
            // The box styles without WS_SYSMENU: the caption bar shows no buttons at all.
            return WS_OVERLAPPED | WS_CAPTION | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    }
    return WS_POPUP;
}

COLORREF ColourOf(SystemColour colour) noexcept {
    if (colour == SystemColour::kWhite) return RGB(255, 255, 255);
    return GetSysColor(static_cast<int>(colour));
}

UniqueGdiObject CreateDesignFont(const FontDesign& font, int dpi) {
    UniqueGdiObject created(
        CreateFontW(ScaleFromDesign(font.height, dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                    FALSE, FALSE, FALSE, static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face));
    if (!created) throw std::runtime_error("font refused");
    return created;
}

}  // namespace tessalin::forms
