#include "notes/notes_views_win.h"

#include "notes/view_table.h"

namespace tessalin {
namespace {

ViewTable<TNotesForm> g_notesViews;

}  // namespace

std::intptr_t CreateNotesViewAt(std::int32_t left, std::int32_t top, std::int32_t width,
                                std::int32_t height) {
    std::unique_ptr<TNotesForm> view = forms::Form::Create<TNotesForm>();
    SetWindowPos(view->Window(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return g_notesViews.Add(std::move(view));
}

TNotesForm* FindNotesView(std::intptr_t handle) noexcept {
    return g_notesViews.Find(handle);
}

void DestroyNotesViewOf(std::intptr_t handle) noexcept {
    g_notesViews.Remove(handle).reset();
}

void FreeNotesViews(Unload how) noexcept {
    for (auto& [handle, view] : g_notesViews.RemoveAll()) {
        if (how == Unload::kProcessExit) static_cast<void>(view.release());
    }
}

}  // namespace tessalin
