#include "forms/form_win.h"

#include <stdexcept>
#include <string>

#include <richedit.h>

#include "forms/dpi_rules.h"
#include "forms/dpi_win.h"
#include "forms/form_layout.h"
#include "frame/export_guard.h"
#include "frame/module_win.h"
#include "frame/wide_win.h"
#include "localizer/form_localization.h"
#include "localizer/store.h"

namespace tessalin::forms {
namespace {

namespace kinds = control_kinds;

static_assert(static_cast<int>(SystemColour::kWindowText) == COLOR_WINDOWTEXT);
static_assert(static_cast<int>(SystemColour::kButtonFace) == COLOR_BTNFACE);
static_assert(static_cast<int>(Charset::kAnsi) == ANSI_CHARSET);
static_assert(static_cast<int>(Charset::kDefault) == DEFAULT_CHARSET);

constexpr wchar_t kPanelClass[] = L"TPanel";

std::vector<std::wstring> g_registeredClasses;
UniqueModule g_richEditLibrary;

void RegisterFormClass(const wchar_t* className, WNDPROC windowProc) {
    for (const std::wstring& registered : g_registeredClasses) {
        if (registered == className) return;
    }
    // Everything that can throw comes first: a class registered but not remembered would
    // outlive the module at unload.
    std::wstring name(className);
    g_registeredClasses.reserve(g_registeredClasses.size() + 1);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = ThisModule();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    if (RegisterClassExW(&windowClass) == 0) throw std::runtime_error("form class refused");
    g_registeredClasses.push_back(std::move(name));
}

UniqueGdiObject CreateDesignFont(const FontDesign& font, int dpi) {
    UniqueGdiObject created(
        CreateFontW(ScaleFromDesign(font.height, dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                    FALSE, FALSE, FALSE, static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face));
    if (!created) throw std::runtime_error("font refused");
    return created;
}

COLORREF ColourOf(SystemColour colour) noexcept {
    if (colour == SystemColour::kWhite) return RGB(255, 255, 255);
    return GetSysColor(static_cast<int>(colour));
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

// Only from the system folder: the host's current directory and PATH may hold anything.
void LoadRichEditLibrary() {
    if (g_richEditLibrary) return;
    g_richEditLibrary.reset(LoadLibraryExW(L"riched20.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!g_richEditLibrary) throw std::runtime_error("rich-edit library refused");
}

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

struct ControlClass {
    const wchar_t* name;
    DWORD style;
};

// The kinds that no window of the library has make plain static text.
ControlClass ClassOf(const ControlDesign& control) noexcept {
    if (control.kind == &kinds::kLabel) {
        // Centred both ways means a single line in the middle of the label.
        const DWORD style = control.centred ? DWORD{SS_CENTER | SS_CENTERIMAGE} : SS_LEFT;
        return {L"STATIC", control.literalAmpersand ? style | SS_NOPREFIX : style};
    }
    if (control.kind == &kinds::kPanel) return {kPanelClass, WS_CLIPCHILDREN};
    if (control.kind == &kinds::kPushButton) return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    if (control.kind == &kinds::kRichEdit) {
        // No ES_AUTOHSCROLL: the lines wrap at the control's width.
        return {RICHEDIT_CLASSW, ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP};
    }
    return {L"STATIC", SS_LEFT};
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
        if (design.font != nullptr && design.kind != &kinds::kRichEdit &&
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

void Form::Localize(std::uint32_t language) {
    std::vector<ControlOutline> controls;
    controls.reserve(controls_.size());
    for (const std::unique_ptr<FormControl>& control : controls_) {
        const ControlDesign& design = control->Design();
        controls.push_back(
            {TextArg(design.name), design.kind,
             design.parent != nullptr ? std::optional(IndexOf(design.parent)) : std::nullopt});
    }
    const FormTexts texts =
        LocalizeForm({TextArg(design_.name), controls}, L10NResources(), language);
    // Hints are left out: the library's windows show no tooltips. So are labels of labelled
    // edits, which none of them has.
    if (texts.form) SetWindowTextW(Window(), AsWide(texts.form->caption));
    for (const ControlTexts& control : texts.controls) {
        if (control.target != CaptionTarget::kText) continue;
        SetWindowTextW(controls_[control.control]->Window(), AsWide(control.texts.caption));
    }
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
    if (control.kind == &kinds::kPanel) RegisterFormClass(kPanelClass, &PanelProc);
    if (control.kind == &kinds::kRichEdit) LoadRichEditLibrary();
    const FormControl* parent = control.parent != nullptr ? &ControlNamed(control.parent) : nullptr;
    const ControlClass controlClass = ClassOf(control);
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
    switch (message) {
        case WM_SIZE:
            LayOut();
            return 0;
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

void UnregisterFormClasses() noexcept {
    for (const std::wstring& name : g_registeredClasses) {
        UnregisterClassW(name.c_str(), ThisModule());
    }
    g_registeredClasses.clear();
}

void FreeRichEditLibrary(Unload how) noexcept {
    if (how == Unload::kProcessExit) {
        g_richEditLibrary.release();
        return;
    }
    g_richEditLibrary.reset();
}

}  // namespace tessalin::forms
