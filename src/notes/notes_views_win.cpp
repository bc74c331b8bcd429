#include "notes/notes_views_win.h"

namespace tessalin {
namespace {

// The add-in keeps its handles in module state that outlives a reload of the library, so a
// handle of an earlier load must not name a view of this one. Each load counts from the
// performance counter at its start: the counter has moved on by more ticks than an earlier
// load could make views, each of which takes far longer than a tick.
std::intptr_t FirstHandleOfThisLoad() noexcept {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart > 0 ? static_cast<std::intptr_t>(now.QuadPart) : 1;
}

ViewTable<TNotesForm> g_notesViews(FirstHandleOfThisLoad());

}  // namespace

ViewTable<TNotesForm>& NotesViews() noexcept {
    return g_notesViews;
}

std::intptr_t CreateNotesViewAt(std::int32_t left, std::int32_t top, std::int32_t width,
                                std::int32_t height) {
    std::unique_ptr<TNotesForm> view = forms::Form::Create<TNotesForm>();
    view->Place(left, top, width, height);
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
