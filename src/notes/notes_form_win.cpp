#include "notes/notes_form_win.h"

#include <richedit.h>

#include "forms/notes_form_design.h"
#include "frame/wide_win.h"
#include "notes/clipboard_win.h"

namespace tessalin {
namespace {

using forms::kRichNotesText;

// Far above any real notes. The control's default of 32,767 characters would make a paste
// cut longer notes silently, formatted ones included.
constexpr LPARAM kNotesTextLimit = 0x7FFFFFFE;

void SetRichEditZoom(HWND richEdit, std::int32_t numerator, std::int32_t denominator) noexcept {
    SendMessageW(richEdit, EM_SETZOOM, static_cast<WPARAM>(std::intptr_t{numerator}),
                 static_cast<LPARAM>(denominator));
}

// The font the system uses for icon titles, or the default GUI font when it tells none.
UniqueGdiObject ApplyIconTitleFont() noexcept {
    LOGFONTW iconTitle{};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0)) {
        UniqueGdiObject font(CreateFontIndirectW(&iconTitle));
        if (font) return font;
    }
    // Deleting a stock object later does nothing.
    return UniqueGdiObject(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

TNotesForm::TNotesForm() noexcept : Form(forms::TNOTESFORM) {}

void TNotesForm::FormCreate() {
    // No zoom message yet: the empty control has nothing to zoom and the label reads "100%".
    SetFormFont(ApplyIconTitleFont());
    SendMessageW(Control(kRichNotesText), EM_EXLIMITTEXT, 0, kNotesTextLimit);
    Localize(GetUserDefaultLangID());
}

void TNotesForm::SetText() {
    if (Window() == nullptr) return;  // something else destroyed the window
    HWND notes = Control(kRichNotesText);
    // A read-only rich edit refuses the paste.
    SendMessageW(notes, EM_SETREADONLY, FALSE, 0);
    SendMessageW(notes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    SendMessageW(notes, EM_SETMODIFY, FALSE, 0);
    // The control takes the richest format the clipboard offers: Rich Text Format before
    // plain text.
    SendMessageW(notes, WM_PASTE, 0, 0);
    SetRichEditZoom(notes, FN, FD);
    SendMessageW(notes, EM_SETREADONLY, TRUE, 0);
    EmptyClipboardThrough(Window());
}

void TNotesForm::ZoomInButtonClick() {
    Zoom(ZoomStep::kIn);
}

void TNotesForm::ZoomOutButtonClick() {
    Zoom(ZoomStep::kOut);
}

void TNotesForm::Hide() const noexcept {
    ShowWindow(Window(), SW_HIDE);
}

void TNotesForm::Zoom(ZoomStep step) {
    const std::optional<std::int32_t> numerator = StepZoom(FN, step);
    if (!numerator || Window() == nullptr) return;
    FN = *numerator;
    SetWindowTextW(Control(forms::kZoomLabel), AsWide(ZoomPercentText(FN, FD)));
    SetRichEditZoom(Control(kRichNotesText), FN, FD);
}

std::optional<LRESULT> TNotesForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        Hide();
        return 0;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const auto from = reinterpret_cast<HWND>(lParam);
        if (from == Control(forms::kZoomInButton)) {
            ZoomInButtonClick();
            return 0;
        }
        if (from == Control(forms::kZoomOutButton)) {
            ZoomOutButtonClick();
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace tessalin
