// What the steps of the field check share: the library as the add-in loads it, the report,
// the options, and the monitors as the library numbers them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dpi_win.h"
#include "host_library.h"
#include "report_win.h"

namespace fieldcheck {

struct Options {
    Awareness awareness = Awareness::kManifest;
    bool dialogs = false;    // show a file dialog, which a person cancels
    std::wstring outFolder;  // the report and the screenshots; the current folder if empty
};

// One monitor as the library numbers it, and what the system says of it.
struct Monitor {
    int number = 0;
    RECT rect{};  // as GetMonitorInfo gives it
    HMONITOR handle = nullptr;
    std::wstring device;  // "\\.\DISPLAY1"
    int dpi = 0;          // effective, as this thread sees it; 0 where the system cannot tell
};

struct FieldCheck {
    const HostLibrary& library;
    Report& report;
    const Options& options;
    std::wstring outPrefix;      // folder and first part of the name of every file it writes
    std::wstring tempFolder;     // removed at the end
    bool clipboardKept = false;  // the user's clipboard is saved and will be put back
    std::vector<Monitor> monitors;
};

// The steps after the machine's (machine_win.h), in the order they run.
void CheckLocalisation(const FieldCheck& check);
void CheckOverlays(const FieldCheck& check);
void CheckNotesViews(const FieldCheck& check);
void CheckBusyClipboard(const FieldCheck& check);
void CheckSlideShows(const FieldCheck& check);
void CheckForeground(const FieldCheck& check);
void CheckFiles(const FieldCheck& check);

}  // namespace fieldcheck
