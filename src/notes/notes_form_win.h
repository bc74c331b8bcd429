// The presenter's notes window: formatted notes pasted from the clipboard into a read-only
// rich edit, with a zoom that the hidden strip at the top steps.
#pragma once

#include <cstdint>
#include <optional>

#include "forms/form_win.h"
#include "notes/clipboard_win.h"
#include "notes/notes_zoom.h"

namespace tessalin {

class TNotesForm final : public forms::Form {
  public:
    TNotesForm() noexcept;

    // Replaces the notes with what the clipboard holds, at the current zoom, and empties the
    // clipboard. The add-in's text argument is not needed: the notes travel on the clipboard.
    // While another program holds the clipboard the view keeps its notes, and tries again
    // from a timer for a few seconds, for as long as the clipboard holds the notes it held at
    // the call (see ClipboardMark) and no view has been refreshed since; a later call
    // replaces a pending try.
    void SetText();

    void ZoomInButtonClick();
    void ZoomOutButtonClick();

    // WM_CLOSE comes here too: the add-in, not the presenter, ends the view.
    void Hide() const noexcept;

  protected:
    void FormCreate() override;
    UniqueGdiObject CreateFormFont(int dpi) override;
    void Rescaled() override;
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    enum class Road { kCall, kRetry };
    ClipboardTake Refresh(DWORD patienceMs, Road road);
    bool Fill(const ClipboardNotes& clipboard, Road road);
    void RetryRefresh();
    void StopRetries() noexcept;
    void Zoom(ZoomStep step);
    void SetZoom(std::int32_t numerator);
    // The presenter's zoom brought within what the rich edit can show now.
    std::int32_t ShownZoom(const ZoomBounds& bounds) const noexcept;
    // The rich edit's zoom from the presenter's, the window's DPI and the text's as measured
    // now, and the label's; `always` sends the zoom also when it is what the control has.
    void ApplyZoom(bool always);
    ZoomBounds CurrentZoomBounds() const;
    // True when the message was a zoom of the presenter's, taken from the rich edit.
    bool ZoomGesture(UINT message, WPARAM wParam);

    // FN stays what the presenter chose, also where the rich edit cannot show it for a while
    // (during a change of DPI, before the control has its new one): it is shown again once
    // the control can.
    std::int32_t FN = kZoomStart;
    std::int32_t FD = kZoomStart;         // never changes
    std::int32_t labelled_ = kZoomStart;  // the numerator the label shows
    std::optional<ZoomRatio> zoomSent_;   // what the rich edit was last given
    int wheelRest_ = 0;                   // wheel movement short of a notch
    int retriesLeft_ = 0;
    ClipboardMark mark_{};  // the notes that a pending try is for
    unsigned call_ = 0;     // which refresh of all views' that is
    NotesContent shown_;    // what the view shows, streamed in again where new notes fail
    bool refreshing_ = false;
    bool measurePosted_ = false;
};

}  // namespace tessalin
