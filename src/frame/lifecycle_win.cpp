#include "frame/lifecycle_win.h"

#include "forms/window_classes_win.h"
#include "frame/instance_mutex_win.h"
#include "localizer/language_folder_win.h"
#include "localizer/store.h"
#include "monitors/monitor_table_win.h"
#include "notes/notes_views_win.h"
#include "shared/install_path_win.h"
#include "slideshow/subclass_session_win.h"
#include "slideshow/timer_form_win.h"

namespace tessalin {

// The order of the steps is fixed: each later step may rely on the earlier ones, and the
// shut-down undoes them in reverse.
void StartUp() noexcept {
    // 1. Monitor snapshot of the display subsystem.
    TakeMonitorSnapshot();
    // 2. The empty ordered monitor list (the snapshot starts it empty).
    // 3. The messages folder from the registry.
    SetMessagesFolderPath();
    // 4. The language files of that folder.
    LoadL10NResources(MessagesFolderPath());
    // 5. The instance mutex.
    CreateInstanceMutex();
    // 6. The hidden focus-keeper window, its timer off.
    CreateTimerForm();
}

void ShutDown(Unload how) noexcept {
    // Before the steps, at FreeLibrary only: nothing of the library's code may stay
    // reachable once it is unmapped (filtered slide-show windows, notes views, window
    // classes).
    if (how == Unload::kFreeLibrary) RestoreAllFilteredWindows();
    FreeNotesViews(how);
    // 1. The focus-keeper window and its timer.
    FreeTimerForm(how);
    // 2. The instance mutex (a kernel handle: closing it is safe even at process exit).
    CloseInstanceMutex();
    // 3. The language files.
    FreeL10NResources();
    // 4. The messages folder.
    ClearMessagesFolderPath();
    // 5. The ordered monitor list.
    ReleaseOrderedMonitors();
    // 6. The language store's tables: its escape table is a compile-time constant and step 3
    //    released the file array with its storage, so nothing is left.
    // Last, at FreeLibrary only: the form window classes, once no form window is left.
    if (how == Unload::kFreeLibrary) forms::UnregisterFormClasses();
    // Then the rich-edit library those windows used; at process exit it is only let go.
    forms::FreeRichEditLibrary(how);
}

}  // namespace tessalin
