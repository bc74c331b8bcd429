// The presenter's notes window: formatted notes pasted from the clipboard into a read-only
// rich edit, with a zoom that the hidden strip at the top steps.
#pragma once

#include <cstdint>

#include "forms/form_win.h"
#include "notes/notes_zoom.h"

namespace tessalin {

class TNotesForm final : public forms::Form {
  public:
    TNotesForm() noexcept;

    // Replaces the notes with what the clipboard holds, at the current zoom, and empties the
    // clipboard. The add-in's text argument is not needed: the notes travel on the clipboard.
    void SetText();

    void ZoomInButtonClick();
    void ZoomOutButtonClick();

    // WM_CLOSE comes here too: the add-in, not the presenter, ends the view.
    void Hide() const noexcept;

  protected:
    void FormCreate() override;
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Zoom(ZoomStep step);

    std::int32_t FN = kZoomStart;
    std::int32_t FD = kZoomStart;  // never changes
};

}  // namespace tessalin
