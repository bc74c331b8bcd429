#include "notes/notes_form_win.h"

#include <richedit.h>

#include <algorithm>

#include "forms/dpi_win.h"
#include "forms/notes_form_design.h"
#include "frame/wide_win.h"
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

// Posted to the view itself after a change of DPI.
constexpr UINT kMeasureTextAgain = WM_APP + 1;

// The refreshes asked of any view. Once the add-in has asked another view for its notes, the
// notes that a pending try waits for are gone: another copy replaced them, or that view takes
// them. This keeps a try from taking the add-in's next copy, which only the owner's rendering
// could otherwise be told apart from.
unsigned g_refreshCalls = 0;

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

// Replaces the whole content, as a paste into the emptied control would have filled it; false
// when the control reports an error in the stream, which it may do part of the way.
bool StreamIn(HWND richEdit, const void* data, std::size_t bytes, WPARAM format) noexcept {
    StreamSource source{static_cast<const char*>(data), bytes};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
    SendMessageW(richEdit, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

// Plain text is never read as RTF, whatever it begins with.
bool StreamNotes(HWND richEdit, const NotesContent& notes) noexcept {
    if (!notes.rtf.empty()) return StreamIn(richEdit, notes.rtf.data(), notes.rtf.size(), SF_RTF);
    return StreamIn(richEdit, notes.text.data(), notes.text.size() * sizeof(wchar_t),
                    SF_TEXT | SF_UNICODE);
}

void SetRichEditZoom(HWND richEdit, std::int32_t numerator, std::int32_t denominator) noexcept {
    SendMessageW(richEdit, EM_SETZOOM, static_cast<WPARAM>(std::intptr_t{numerator}),
                 static_cast<LPARAM>(denominator));
}

}  // namespace

TNotesForm::TNotesForm() noexcept : Form(forms::TNOTESFORM) {}

void TNotesForm::FormCreate() {
    // No zoom message yet: the empty control has nothing to zoom and the label reads "100%".
    // The window's font is the icon-title font (see CreateFormFont).
    HWND richEdit = Control(kRichNotesText);
    SendMessageW(richEdit, EM_EXLIMITTEXT, 0, kNotesTextLimit);
    // Ctrl with the wheel or a key reaches the form first (see ZoomGesture).
    const LRESULT events = SendMessageW(richEdit, EM_GETEVENTMASK, 0, 0);
    SendMessageW(richEdit, EM_SETEVENTMASK, 0, events | ENM_MOUSEEVENTS | ENM_KEYEVENTS);
    Localize(GetUserDefaultLangID());
}

UniqueGdiObject TNotesForm::CreateFormFont(int dpi) {
    return forms::IconTitleFont(dpi);
}

void TNotesForm::Rescaled() {
    // A change of the user's fonts leaves the zoom as it is: the rich edit lays out all the
    // notes again for every zoom it is given.
    ApplyZoom(false);
    // The rich edit hears of a change of DPI only after the window has handled it (and may
    // then draw its text at another DPI): the text's DPI is measured once more after that.
    if (!measurePosted_) measurePosted_ = PostMessageW(Window(), kMeasureTextAgain, 0, 0) != 0;
}

ZoomBounds TNotesForm::CurrentZoomBounds() const {
    return PresenterZoomBounds(FD, Dpi(), TextDpiOf(kRichNotesText));
}

std::int32_t TNotesForm::ShownZoom(const ZoomBounds& bounds) const noexcept {
    return std::clamp(FN, bounds.least, bounds.most);
}

void TNotesForm::ApplyZoom(bool always) {
    const int textDpi = TextDpiOf(kRichNotesText);
    const std::int32_t shown = ShownZoom(PresenterZoomBounds(FD, Dpi(), textDpi));
    if (shown != labelled_) {
        SetWindowTextW(Control(forms::kZoomLabel), AsWide(ZoomPercentText(shown, FD)));
        labelled_ = shown;
    }
    const ZoomRatio zoom = RichEditZoom(shown, FD, Dpi(), textDpi);
    if (!always && zoomSent_ == zoom) return;
    SetRichEditZoom(Control(kRichNotesText), zoom.numerator, zoom.denominator);
    zoomSent_ = zoom;
}

void TNotesForm::SetText() {
    // A call made while this view takes the clipboard (by its owner's rendering, say) asks for
    // what that refresh already takes.
    if (Window() == nullptr || refreshing_) return;
    StopRetries();
    call_ = ++g_refreshCalls;
    // Read without opening the clipboard: what it holds now is what the add-in put there.
    mark_ = ClipboardMark::Now();
    // The window may have gone while the clipboard was awaited: a timer without one would
    // tick to the host's thread for ever.
    if (Refresh(kClipboardPatienceMs, Road::kCall) != ClipboardTake::kBusy || Window() == nullptr) {
        return;
    }
    if (SetTimer(Window(), kRetryTimerId, kRetryIntervalMs, nullptr) != 0) retriesLeft_ = kRetries;
}

// The notes are taken off the clipboard before the view changes, so that a clipboard held by
// another program never leaves it blank, and the notes on the clipboard are never lost.
ClipboardTake TNotesForm::Refresh(DWORD patienceMs, Road road) {
    const ScopedFlag taking(refreshing_);
    return TakeClipboardNotes(Window(), patienceMs, mark_,
                              [&](const ClipboardNotes& notes) { return Fill(notes, road); });
}

// Formatted notes when they can be had whole and stream in, else the plain text. A clipboard
// without either leaves the view empty after a call, as a paste of nothing would; a retry
// leaves it as it is. Nothing to read, though listed (an owner that never rendered), leaves
// the view and the clipboard as they are, and so do notes that fail to stream in: the view
// shows its old notes whole again, never a part of the new ones. True when the notes were
// taken.
bool TNotesForm::Fill(const ClipboardNotes& clipboard, Road road) {
    const bool blank = road == Road::kCall && !clipboard.Listed();
    std::optional<NotesContent> notes;
    if (std::optional<std::string> rtf = clipboard.Rtf()) {
        notes = NotesContent{std::move(*rtf), {}};
    } else if (std::optional<std::wstring> text = clipboard.Text()) {
        notes = NotesContent{{}, std::move(*text)};
    }
    if (Window() == nullptr) return true;  // destroyed while the clipboard's owner rendered
    if (!notes && !blank) return false;
    HWND richEdit = Control(kRichNotesText);
    // A read-only rich edit takes no new content.
    SendMessageW(richEdit, EM_SETREADONLY, FALSE, 0);
    bool filled = notes && StreamNotes(richEdit, *notes);
    if (!filled && notes && !notes->rtf.empty()) {
        if (std::optional<std::wstring> text = clipboard.Text()) {
            notes = NotesContent{{}, std::move(*text)};
            filled = StreamNotes(richEdit, *notes);
        }
    }
    if (filled) {
        shown_ = std::move(*notes);
    } else {
        if (blank) shown_ = {};
        StreamNotes(richEdit, shown_);
        filled = blank;
    }
    SendMessageW(richEdit, EM_SETMODIFY, FALSE, 0);
    ApplyZoom(true);
    SendMessageW(richEdit, EM_SETREADONLY, TRUE, 0);
    return filled;
}

void TNotesForm::RetryRefresh() {
    if (refreshing_) return;
    if (call_ != g_refreshCalls) {
        StopRetries();
        return;
    }
    // Counted before the try, so that a try that throws uses one up too.
    if (--retriesLeft_ <= 0) StopRetries();
    if (Refresh(0, Road::kRetry) != ClipboardTake::kBusy) StopRetries();
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

// From the zoom shown, which is the presenter's unless the rich edit cannot show that now.
void TNotesForm::Zoom(ZoomStep step) {
    const ZoomBounds bounds = CurrentZoomBounds();
    if (const std::optional<std::int32_t> numerator = StepZoom(ShownZoom(bounds), step, bounds)) {
        SetZoom(*numerator);
    }
}

void TNotesForm::SetZoom(std::int32_t numerator) {
    if (Window() == nullptr) return;
    FN = numerator;
    ApplyZoom(true);
}

// Ctrl with the wheel, with plus and minus, and with 0 zoom every Windows text view. The rich
// edit would zoom itself, and the next refresh would throw that zoom away: the view takes
// them, so that they step the presenter's zoom as the buttons do.
bool TNotesForm::ZoomGesture(UINT message, WPARAM wParam) {
    if (message == WM_MOUSEWHEEL) {
        if ((GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) == 0) return false;
        // One step per notch, in the wheel's direction; a finer wheel adds up to notches.
        wheelRest_ += GET_WHEEL_DELTA_WPARAM(wParam);
        for (; wheelRest_ >= WHEEL_DELTA; wheelRest_ -= WHEEL_DELTA) Zoom(ZoomStep::kIn);
        for (; wheelRest_ <= -WHEEL_DELTA; wheelRest_ += WHEEL_DELTA) Zoom(ZoomStep::kOut);
        return true;
    }
    if (message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
    switch (wParam) {
        case VK_ADD:
        case VK_OEM_PLUS:
            Zoom(ZoomStep::kIn);
            return true;
        case VK_SUBTRACT:
        case VK_OEM_MINUS:
            Zoom(ZoomStep::kOut);
            return true;
        case '0':
        case VK_NUMPAD0:
            SetZoom(kZoomStart);
            return true;
        default:
            return false;
    }
}

std::optional<LRESULT> TNotesForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        Hide();
        return 0;
    }
    if (message == kMeasureTextAgain) {
        measurePosted_ = false;
        ApplyZoom(false);
        return 0;
    }
    if (message == WM_TIMER && wParam == kRetryTimerId) {
        // Through the table, like the exports: a view destroyed while the clipboard's owner
        // renders goes only once the refresh has returned.
        NotesViews().UseView(this, [](TNotesForm& view) { view.RetryRefresh(); });
        return 0;
    }
    if (message == WM_NOTIFY) {
        const auto* filter = reinterpret_cast<const MSGFILTER*>(lParam);
        if (filter != nullptr && filter->nmhdr.code == EN_MSGFILTER &&
            filter->nmhdr.hwndFrom == Control(kRichNotesText)) {
            // Nonzero keeps the message from the rich edit.
            return ZoomGesture(filter->msg, filter->wParam) ? 1 : 0;
        }
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
