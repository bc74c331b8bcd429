#include "notes/notes_views_win.h"

namespace tessalin {
namespace {

ViewTable<TNotesForm> g_notesViews;

}  // namespace

ViewTable<TNotesForm>& NotesViews() noexcept {
    return g_notesViews;
}

std::intptr_t CreateNotesViewAt(std::int32_t left, std::int32_t top, std::int32_t width,
                                std::int32_t height) {
    std::unique_ptr<TNotesForm> view = forms::Form::Create<TNotesForm>();
    SetWindowPos(view->Window(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return NotesViews().Add(std::move(view));
}

void DestroyNotesViewOf(std::intptr_t handle) noexcept {
    NotesViews().Remove(handle).reset();
}

void FreeNotesViews(Unload how) noexcept {
    for (std::unique_ptr<TNotesForm>& view : NotesViews().RemoveAll()) {
        if (how == Unload::kProcessExit) static_cast<void>(view.release());
    }
}

}  // namespace tessalin
