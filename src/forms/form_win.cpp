#include "forms/form_win.h"

#include <stdexcept>

#include <richedit.h>

#include "forms/dpi_rules.h"
#include "forms/dpi_win.h"
#include "forms/form_layout.h"
#include "forms/window_classes_win.h"
#include "frame/export_guard.h"
#include "frame/module_win.h"

namespace tessalin::forms {

namespace kinds = control_kinds;

Form::~Form() {
    if (!window_) return;
    // The derived form is already gone: the messages of the destruction must not reach it.
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

HWND Form::Control(std::wstring_view name) const {
    return ControlNamed(name).Window();
}

std::size_t Form::IndexOf(std::wstring_view name) const {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (name == controls_[i]->Design().name) return i;
    }
    throw std::out_of_range("form has no such control");
}

FormControl& Form::ControlNamed(std::wstring_view name) const {
    return *controls_[IndexOf(name)];
}

void Form::Show() const noexcept {
    ShowWindow(Window(), SW_SHOWNORMAL);
    BringWindowToTop(Window());
}

std::optional<LRESULT> Form::HandleMessage(UINT, WPARAM, LPARAM) {
    return std::nullopt;
}

void Form::Place(int left, int top, int width, int height) {
    placing_ = true;
    SetWindowPos(Window(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
    ApplyDpi(ReportedWindowDpi(Window()));
}

void Form::Build() {
    RegisterFormClass(design_.className, &Form::WindowProc);
    background_.reset(CreateSolidBrush(ColourOf(design_.colour)));
    if (!background_) throw std::runtime_error("brush refused");
    // The window's own DPI is known once it exists; until the library places it, it stands
    // where the design puts it at the system DPI.
    const Bounds bounds = ScaleFromDesign(design_.bounds, SystemDpi());
    const DWORD style = FrameStyle(design_.frame) | WS_CLIPCHILDREN;
    RECT outer{0, 0, bounds.width, bounds.height};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    // The window procedure takes ownership of the handle as soon as it sees it.
    CreateWindowExW(0, design_.className, design_.caption, style, bounds.left, bounds.top,
                    outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                    ThisModule(), this);
    if (!window_) throw std::runtime_error("form window refused");
    // It follows the thread's awareness at creation: the monitor's DPI for a per-monitor-aware
    // host, the system's for a system-aware one, 96 for an unaware one.
    dpi_ = WindowDpi(Window());
    font_ = CreateFormFont(dpi_);
    for (const ControlDesign& control : design_.controls) CreateControl(control);
    LayOut();
    if (design_.stayOnTop) {
        SetWindowPos(Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    FormCreate();
}

void Form::CreateControl(const ControlDesign& control) {
    const FontDesign& fontDesign = control.font != nullptr ? *control.font : design_.font;
    const ControlClass controlClass = ClassOf(control);
    if (controlClass.procedure != nullptr) {
        RegisterFormClass(controlClass.name, controlClass.procedure);
    }
    if (control.kind == &kinds::kRichEdit) LoadRichEditLibrary();
    const FormControl* parent = control.parent != nullptr ? &ControlNamed(control.parent) : nullptr;
    const DWORD style = WS_CHILD | (control.visible ? WS_VISIBLE : 0) | controlClass.style;
    const Bounds bounds = ScaleFromDesign(control.bounds, dpi_);
    HWND window = CreateWindowExW(0, controlClass.name, control.text, style, bounds.left,
                                  bounds.top, bounds.width, bounds.height,
                                  parent != nullptr ? parent->Window() : Window(), nullptr,
                                  ThisModule(), nullptr);
    // A child that was made is destroyed with the form, also when this throws.
    if (window == nullptr) throw std::runtime_error("control window refused");
    controls_.push_back(
        std::make_unique<FormControl>(control, window, ColourOf(fontDesign.colour)));
    FormControl& made = *controls_.back();
    if (control.kind == &kinds::kRichEdit) made.SetTextDpiProbe(CreateTextDpiProbe(window));
    if (control.font != nullptr) {
        // A rich edit's font is made at the DPI it draws text at, so that it keeps the design's
        // point size.
        const int fontDpi = control.kind == &kinds::kRichEdit ? made.TextDpi() : dpi_;
        made.SetOwnFont(CreateDesignFont(*control.font, fontDpi), fontDpi);
    } else {
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    if (control.kind == &kinds::kRichEdit) SendMessageW(window, EM_SETTARGETDEVICE, 0, 0);
    if (parent == nullptr) formControls_.push_back(&made);
}

// Controls inside a panel keep their design places in it.
void Form::LayOut() const {
    if (formControls_.empty()) return;
    RECT client{};
    GetClientRect(Window(), &client);
    std::vector<LayoutItem> items;
    items.reserve(formControls_.size());
    for (const FormControl* control : formControls_) {
        const bool visible = (GetWindowLongPtrW(control->Window(), GWL_STYLE) & WS_VISIBLE) != 0;
        items.push_back(
            {control->Design().align, ScaleFromDesign(control->Design().bounds, dpi_), visible});
    }
    const std::vector<Bounds> placed = LayoutControls(items, client.right, client.bottom);
    for (std::size_t i = 0; i < formControls_.size(); ++i) {
        SetWindowPos(formControls_[i]->Window(), nullptr, placed[i].left, placed[i].top,
                     placed[i].width, placed[i].height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

std::optional<LRESULT> Form::HandleCommonMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::optional<LRESULT> scaled = HandleScalingMessage(message, wParam, lParam)) {
        return scaled;
    }
    switch (message) {
        case WM_SIZE:
            LayOut();
            return 0;
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(Window(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client,
                     static_cast<HBRUSH>(background_.get()));
            return 1;
        }
        case WM_CTLCOLORSTATIC:
            for (const std::unique_ptr<FormControl>& control : controls_) {
                if (control->Window() != reinterpret_cast<HWND>(lParam)) continue;
                const auto dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, control->TextColour());
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<LRESULT>(background_.get());
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        form->window_.reset(window);
        EnableNonClientDpiScaling(window);
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Whoever destroyed it, the window is gone: the form must not destroy it again.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->window_.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const std::optional<LRESULT> answer = Guarded(std::optional<LRESULT>(), [&] {
        const std::optional<LRESULT> own = form->HandleMessage(message, wParam, lParam);
        return own ? own : form->HandleCommonMessage(message, wParam, lParam);
    });
    return answer ? *answer : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tessalin::forms
