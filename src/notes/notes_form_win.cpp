#include "notes/notes_form_win.h"

#include <richedit.h>

#include <algorithm>

#include "forms/notes_form_design.h"
#include "frame/wide_win.h"
#include "notes/clipboard_win.h"
#include "notes/notes_views_win.h"

namespace tessalin {
namespace {

using forms::kRichNotesText;

// Far above any real notes. The control's default of 32,767 characters would make a paste
// cut longer notes silently, formatted ones included.
constexpr LPARAM kNotesTextLimit = 0x7FFFFFFE;

// How long a refresh waits for a clipboard that another program holds, then how long and
// how often its timer tries again.
constexpr DWORD kClipboardPatienceMs = 250;
constexpr UINT_PTR kRetryTimerId = 1;
constexpr UINT kRetryIntervalMs = 100;
constexpr int kRetries = 30;

// Set for as long as it lives, also when what it guards throws.
class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag) noexcept : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
};

struct StreamSource {
    const char* data;
    std::size_t size;
    std::size_t done = 0;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) noexcept {
    auto& source = *reinterpret_cast<StreamSource*>(cookie);
    const std::size_t count =
        std::min(source.size - source.done, static_cast<std::size_t>(std::max(wanted, LONG{0})));
    std::copy_n(source.data + source.done, count, buffer);
    source.done += count;
    *given = static_cast<LONG>(count);
    return 0;
}

// Replaces the whole content, as a paste into the emptied control would have filled it.
void StreamIn(HWND richEdit, const void* data, std::size_t bytes, WPARAM format) noexcept {
    StreamSource source{static_cast<const char*>(data), bytes};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
    SendMessageW(richEdit, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
}

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
    // A call made while this view takes the clipboard (by its owner's rendering, say) asks for
    // what that refresh already takes.
    if (Window() == nullptr || refreshing_) return;
    StopRetries();
    // The window may have gone while the clipboard was awaited: a timer without one would
    // tick to the host's thread for ever.
    if (Refresh(kClipboardPatienceMs) || Window() == nullptr) return;
    retriesLeft_ = kRetries;
    SetTimer(Window(), kRetryTimerId, kRetryIntervalMs, nullptr);
}

// The notes are taken off the clipboard before the view changes, so that a clipboard held by
// another program never leaves it blank, and the notes on the clipboard are never lost.
bool TNotesForm::Refresh(DWORD patienceMs) {
    std::optional<ClipboardNotes> notes;
    {
        const ScopedFlag taking(refreshing_);
        notes = TakeClipboardNotes(Window(), patienceMs);
    }
    if (!notes) return false;
    if (Window() == nullptr) return true;  // destroyed while the clipboard's owner rendered
    HWND richEdit = Control(kRichNotesText);
    // A read-only rich edit takes no new content.
    SendMessageW(richEdit, EM_SETREADONLY, FALSE, 0);
    switch (notes->format) {
        case ClipboardNotes::Format::kRtf:
            StreamIn(richEdit, notes->rtf.data(), notes->rtf.size(), SF_RTF);
            break;
        case ClipboardNotes::Format::kText:
            // Never read as RTF, whatever the text begins with.
            StreamIn(richEdit, notes->text.data(), notes->text.size() * sizeof(wchar_t),
                     SF_TEXT | SF_UNICODE);
            break;
        case ClipboardNotes::Format::kNone:
            SendMessageW(richEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
            break;
    }
    SendMessageW(richEdit, EM_SETMODIFY, FALSE, 0);
    SetRichEditZoom(richEdit, FN, FD);
    SendMessageW(richEdit, EM_SETREADONLY, TRUE, 0);
    return true;
}

void TNotesForm::RetryRefresh() {
    if (refreshing_) return;
    if (Refresh(0) || --retriesLeft_ <= 0) StopRetries();
}

void TNotesForm::StopRetries() noexcept {
    retriesLeft_ = 0;
    KillTimer(Window(), kRetryTimerId);
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
    if (message == WM_TIMER && wParam == kRetryTimerId) {
        // Through the table, like the exports: a view destroyed while the clipboard's owner
        // renders goes only once the refresh has returned.
        NotesViews().UseView(this, [](TNotesForm& view) { view.RetryRefresh(); });
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
