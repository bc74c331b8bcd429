// The presenter's notes window: formatted notes pasted from the clipboard into a read-only
// rich edit, with a zoom that the hidden strip at the top steps.
#pragma once

#include <cstdint>

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
    // from a timer for a few seconds, for as long as the clipboard holds what it held at the
    // call; a later call replaces a pending try.
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
    bool Fill(const ClipboardNotes& notes, Road road);
    void RetryRefresh();
    void StopRetries() noexcept;
    void Zoom(ZoomStep step);
    void SetZoom(std::int32_t numerator);
    // The rich edit's zoom from the presenter's, the window's DPI and the text's as measured
    // now; the presenter's zoom is first brought within what the rich edit can show.
    void ApplyZoom();
    ZoomBounds CurrentZoomBounds() const;
    // True when the message was a zoom of the presenter's, taken from the rich edit.
    bool ZoomGesture(UINT message, WPARAM wParam);

    std::int32_t FN = kZoomStart;
    std::int32_t FD = kZoomStart;  // never changes
    int wheelRest_ = 0;            // wheel movement short of a notch
    int retriesLeft_ = 0;
    DWORD sequence_ = 0;  // the clipboard's at the call that a pending try is for
    bool refreshing_ = false;
};

}  // namespace tessalin
