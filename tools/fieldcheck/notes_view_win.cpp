#include "tools/fieldcheck/notes_view_win.h"

#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "forms/notes_form_design.h"
#include "frame/export_guard.h"
#include "frame/unique_resource_win.h"
#include "tools/fieldcheck/dpi_win.h"
#include "tools/fieldcheck/report_win.h"
#include "tools/fieldcheck/windows_win.h"

namespace fieldcheck {

const char kMeasuredNotesRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
    "\\f0\\fs36 Pitch A\\par Pitch B\\par Pitch C\\par Pitch D\\par"
    "\\fs22 Open with the {\\b record quarter} and keep the chart on screen while you speak.\\par"
    "}";

namespace {

constexpr int kMeasuredPoints = 18;
constexpr wchar_t kFirstLine[] = L"Pitch A";
constexpr wchar_t kLastLine[] = L"Pitch D";
constexpr int kLinesBetween = 3;

LONG Find(HWND richEdit, const wchar_t* text) {
    FINDTEXTEXW find{{0, -1}, text, {}};
    return static_cast<LONG>(
        SendMessageW(richEdit, EM_FINDTEXTEXW, FR_DOWN, reinterpret_cast<LPARAM>(&find)));
}

CHARFORMAT2W FormatAt(HWND richEdit, LONG at, LONG length) {
    CHARRANGE old{};
    SendMessageW(richEdit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&old));
    CHARRANGE range{at, at + length};
    SendMessageW(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(richEdit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageW(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&old));
    return format;
}

// What a line of 18-point Arial takes at `dpi` and that zoom: the font's height, ascent and
// descent, with which a rich edit spaces lines of one font.
int LineHeightAt(int dpi, int percent) {
    const tessalin::UniqueGdiObject font(
        CreateFontW(-MulDiv(kMeasuredPoints * percent, dpi, 72 * 100), 0, 0, 0, FW_NORMAL, FALSE,
                    FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
    const tessalin::UniqueWindowDc screen(GetDC(nullptr));
    if (!font || !screen) return 0;
    const tessalin::UniqueSelection selected(SelectObject(screen.get(), font.get()),
                                             {screen.get()});
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    return metrics.tmHeight;
}

RECT Scaled(const tessalin::forms::Bounds& design, int dpi) {
    const int left = MulDiv(design.left, dpi, tessalin::forms::kDesignDpi);
    const int top = MulDiv(design.top, dpi, tessalin::forms::kDesignDpi);
    return {left, top, left + MulDiv(design.width, dpi, tessalin::forms::kDesignDpi),
            top + MulDiv(design.height, dpi, tessalin::forms::kDesignDpi)};
}

}  // namespace

CheckedNotesView::CheckedNotesView(const hostkit::Library& library, const RECT& rect)
    : library_(library) {
    const std::vector<HWND> before = hostkit::NotesWindows();
    handle_ = library.Call<std::intptr_t>("CreateNotesView", std::int32_t{rect.left},
                                          std::int32_t{rect.top}, std::int32_t{WidthOf(rect)},
                                          std::int32_t{HeightOf(rect)});
    view_ = hostkit::NewNotesView(before);
}

CheckedNotesView::~CheckedNotesView() {
    tessalin::Guarded([&] { library_.Call<void>("DestroyNotesView", handle_); });
}

std::wstring CheckedNotesView::Text() const {
    return TextOf(view_.richEdit);
}

void CheckedNotesView::SetText() const {
    library_.Call<void>("SetNotesText", handle_, L"");
}

void CheckedNotesView::SetTitle(const std::wstring& title) const {
    library_.Call<void>("SetNotesTitle", handle_, title.c_str());
}

void CheckedNotesView::WheelZoom(int notches) const {
    SendMessageW(view_.richEdit, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, notches * WHEEL_DELTA), 0);
}

void CheckedNotesView::Show() const {
    library_.Call<void>("ShowNotesView", handle_);
}

void CheckedNotesView::Hide() const {
    library_.Call<void>("HideNotesView", handle_);
}

CheckedNotesView::Measurement CheckedNotesView::Measure(int percent) const {
    if (!found()) return {Verdict::kFail, L"the notes window or its controls were not found", true};
    const int dpi = WindowDpi(view_.window);
    std::wstring figures =
        Format(L"window at %d dpi (its monitor %d, the notes' device context %d)", dpi,
               MonitorDpi(MonitorFromWindow(view_.window, MONITOR_DEFAULTTONEAREST)),
               DeviceContextDpi(view_.richEdit));

    // The pitch over three lines, which a rounding of one line cannot hide; lines that wrap
    // (a narrow view at a high DPI) have no pitch to measure.
    const LONG first = Find(view_.richEdit, kFirstLine);
    const LONG last = Find(view_.richEdit, kLastLine);
    POINTL firstAt{};
    POINTL lastAt{};
    SendMessageW(view_.richEdit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&firstAt), first);
    SendMessageW(view_.richEdit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&lastAt), last);
    const bool wrapped = SendMessageW(view_.richEdit, EM_EXLINEFROMCHAR, 0, last) -
                             SendMessageW(view_.richEdit, EM_EXLINEFROMCHAR, 0, first) !=
                         kLinesBetween;
    const double pitch = static_cast<double>(lastAt.y - firstAt.y) / kLinesBetween;
    const int expected = LineHeightAt(dpi, percent);
    const double tolerance = std::max(2.0, expected * 0.06);
    const bool pitchRight = first >= 0 && last > first && std::abs(pitch - expected) <= tolerance;
    if (first < 0 || last < 0) {
        figures += L"; the measured lines are missing from the notes";
    } else if (wrapped) {
        figures += Format(
            L"; the measured lines wrap in a view %d px wide at %d %%: their pitch "
            L"is not measured",
            WidthOf(ScreenRect(view_.richEdit)), percent);
    } else {
        figures += Format(L"; line pitch %.1f px, %d pt at %d %% and %d dpi gives %d (within %.1f)",
                          pitch, kMeasuredPoints, percent, dpi, expected, tolerance);
    }

    const CHARFORMAT2W size = FormatAt(view_.richEdit, first, 1);
    const LONG boldAt = Find(view_.richEdit, L"record quarter");
    const CHARFORMAT2W bold = FormatAt(view_.richEdit, boldAt, 6);
    const bool formatted = size.yHeight == kMeasuredPoints * 20 && boldAt >= 0 &&
                           (bold.dwMask & CFM_BOLD) != 0 && (bold.dwEffects & CFE_BOLD) != 0;
    figures += formatted ? L"; bold and 18 pt kept" : L"; the formatting was lost";

    // The strip's controls against the design values at this DPI; the notes fill the client
    // area while the strip is hidden.
    const std::pair<const wchar_t*, HWND> controls[] = {
        {tessalin::forms::kControlPanel, view_.panel},
        {tessalin::forms::kZoomOutButton, view_.zoomOut},
        {tessalin::forms::kZoomLabel, view_.label},
        {tessalin::forms::kZoomInButton, view_.zoomIn}};
    std::wstring wrong;
    for (const auto& [name, control] : controls) {
        for (const tessalin::forms::ControlDesign& design : tessalin::forms::kNotesFormControls) {
            if (std::wstring(design.name) != name) continue;
            const RECT expectedRect = Scaled(design.bounds, dpi);
            const RECT actual = RectInParent(control);
            if (!SameRect(actual, expectedRect)) {
                wrong += Format(L"; %ls %ls, the design gives %ls", name, RectText(actual).c_str(),
                                RectText(expectedRect).c_str());
            }
        }
    }
    RECT client{};
    GetClientRect(view_.window, &client);
    if (!SameRect(RectInParent(view_.richEdit), client)) {
        wrong += L"; the notes do not fill the client area " + RectText(client);
    }
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(view_.zoomIn, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    const LONG fontHeight = IconTitleFontHeight(dpi);
    if (font.lfHeight != fontHeight) {
        wrong += Format(L"; the strip's font %ld high, the icon-title font at %d dpi %ld",
                        font.lfHeight, dpi, fontHeight);
    }
    figures += wrong.empty() ? Format(
                                   L"; the strip's 4 controls at their design places x %.2f, "
                                   L"font %ld, the notes fill the client area",
                                   dpi / 96.0, font.lfHeight)
                             : wrong;

    const std::wstring label = TextOf(view_.label);
    const bool labelled = label == Format(L"%d%%", percent);
    WPARAM numerator = 0;
    LPARAM denominator = 0;
    SendMessageW(view_.richEdit, EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator),
                 reinterpret_cast<LPARAM>(&denominator));
    // No zoom set is the rich edit's 100 %.
    const double zoom = denominator != 0 ? static_cast<double>(numerator) / denominator : 1.0;
    figures +=
        Format(L"; the label reads %ls; zoom %llu/%lld", label.c_str(),
               static_cast<unsigned long long>(numerator), static_cast<long long>(denominator));
    const bool right = formatted && wrong.empty() && labelled && first >= 0 && last > first;
    const Verdict verdict = !right       ? Verdict::kFail
                            : wrapped    ? Verdict::kSkipped
                            : pitchRight ? Verdict::kPass
                                         : Verdict::kFail;
    return {verdict, figures, std::abs(zoom * 100 - percent) < 0.5};
}

}  // namespace fieldcheck
