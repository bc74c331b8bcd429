// The controls of a form, and the design values (form_design.h) in the platform's terms: the
// window class and styles of a control, the frame's styles, colours and fonts.
#pragma once

#include <windows.h>

#include "forms/form_design.h"
#include "frame/unique_resource_win.h"

namespace tessalin::forms {

// One child control: a real child window of the form or of a panel.
class FormControl final {
  public:
    FormControl(const ControlDesign& design, HWND window, COLORREF textColour) noexcept
        : design_(design), window_(window), textColour_(textColour) {}

    const ControlDesign& Design() const noexcept { return design_; }
    HWND Window() const noexcept { return window_; }
    COLORREF TextColour() const noexcept { return textColour_; }

    // A font of the control's own design, made at `dpi`; the form's font otherwise.
    void SetOwnFont(UniqueGdiObject font, int dpi) noexcept;
    int OwnFontDpi() const noexcept { return ownFontDpi_; }

    // A rich edit turns point sizes into pixels at a DPI of its own, measured with a probe
    // beside it; the DPI its device context reports where the probe cannot tell.
    void SetTextDpiProbe(HWND probe) noexcept { textDpiProbe_ = probe; }
    int TextDpi() const noexcept;

  private:
    const ControlDesign& design_;
    HWND window_;
    COLORREF textColour_;
    UniqueGdiObject ownFont_;
    int ownFontDpi_ = 0;
    HWND textDpiProbe_ = nullptr;  // a child of the control, destroyed with it
};

struct ControlClass {
    const wchar_t* name;
    DWORD style;                  // besides WS_CHILD and WS_VISIBLE
    WNDPROC procedure = nullptr;  // set for a class of the library's own, registered before use
};

// The class of a control's window. Kinds that no window of the library has make plain text.
ControlClass ClassOf(const ControlDesign& control) noexcept;

DWORD FrameStyle(Frame frame) noexcept;
COLORREF ColourOf(SystemColour colour) noexcept;
// Throws where the platform refuses the font.
UniqueGdiObject CreateDesignFont(const FontDesign& font, int dpi);

}  // namespace tessalin::forms
