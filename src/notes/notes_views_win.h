// The notes views that the add-in holds, by the handles the library gave out.
#pragma once

#include <cstdint>
#include <memory>

#include "frame/unload.h"
#include "notes/notes_form_win.h"
#include "notes/view_table.h"

namespace tessalin {

// A new view, hidden, with exactly the given outer rectangle in screen pixels.
std::intptr_t CreateNotesViewAt(std::int32_t left, std::int32_t top, std::int32_t width,
                                std::int32_t height);

// Handles name nothing once their view is destroyed; 0 and values the library did not hand
// out name nothing either.
ViewTable<TNotesForm>& NotesViews() noexcept;

void DestroyNotesViewOf(std::intptr_t handle) noexcept;

// At FreeLibrary the views the add-in left would run unloaded code: they are destroyed. At
// process exit they are left to the process's end.
void FreeNotesViews(Unload how) noexcept;

}  // namespace tessalin
