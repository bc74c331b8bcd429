// The notes exports. A handle that names no live view does nothing: the add-in may pass 0, a
// destroyed view's handle, or anything else, and the host must not come down for it.
#include <cstdint>

#include "frame/export_guard.h"
#include "frame/wide_win.h"
#include "notes/notes_views_win.h"

namespace tessalin {
namespace {

template <class Action>
void WithNotesView(std::intptr_t handle, Action&& action) noexcept {
    Guarded([&] { NotesViews().Use(handle, action); });
}

}  // namespace
}  // namespace tessalin

TESSALIN_EXPORT std::intptr_t CreateNotesView(std::int32_t left, std::int32_t top,
                                              std::int32_t width, std::int32_t height) noexcept {
    return tessalin::Guarded(std::intptr_t{0},
                             [&] { return tessalin::CreateNotesViewAt(left, top, width, height); });
}

TESSALIN_EXPORT void DestroyNotesView(std::intptr_t handle) noexcept {
    tessalin::Guarded([&] { tessalin::DestroyNotesViewOf(handle); });
}

TESSALIN_EXPORT void SetNotesTitle(std::intptr_t handle, const wchar_t* title) noexcept {
    tessalin::WithNotesView(handle, [&](tessalin::TNotesForm& view) {
        const tessalin::Text caption(tessalin::TextArg(title));
        SetWindowTextW(view.Window(), tessalin::AsWide(caption));
    });
}

// The text argument is never read: the notes come from the clipboard.
TESSALIN_EXPORT void SetNotesText(std::intptr_t handle, const wchar_t*) noexcept {
    tessalin::WithNotesView(handle, [](tessalin::TNotesForm& view) { view.SetText(); });
}

TESSALIN_EXPORT void ShowNotesView(std::intptr_t handle) noexcept {
    tessalin::WithNotesView(handle, [](tessalin::TNotesForm& view) { view.Show(); });
}

TESSALIN_EXPORT void HideNotesView(std::intptr_t handle) noexcept {
    tessalin::WithNotesView(handle, [](tessalin::TNotesForm& view) { view.Hide(); });
}
