// What the steps of the field check share: the library as the add-in loads it, the report,
// the options, the monitors as the library numbers them, and the table of steps.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tools/fieldcheck/dpi_win.h"
#include "tools/fieldcheck/report_win.h"
#include "tools/hostkit/library_win.h"

namespace fieldcheck {

struct Options {
    Awareness awareness = Awareness::kManifest;
    bool dialogs = false;            // show the file dialogs, which a person cancels
    std::wstring outFolder;          // the report and the screenshots; the current folder if empty
    std::vector<std::wstring> only;  // the steps to run after the machine's; all if empty
};

// One monitor as the library numbers it, and what the system says of it.
struct Monitor {
    int number = 0;
    RECT rect{};  // as GetMonitorInfo gives it
    HMONITOR handle = nullptr;
    std::wstring device;  // "\\.\DISPLAY1"; empty where the system has no such monitor
    int dpi = 0;          // effective, as this thread sees it; 0 where the system cannot tell
    bool primary = false;
    std::size_t systemPosition = 0;  // in the system's list of monitors, from 1; 0 if not there
};

// What a step runs with, in its worker process.
struct FieldCheck {
    const hostkit::Library& library;
    Report& report;
    const Options& options;
    std::wstring outPrefix;   // folder and first part of the name of every file it writes
    std::wstring tempFolder;  // the check's own, removed by the check at the end
    std::vector<Monitor> monitors;
    std::optional<std::wstring> awarenessRefused;  // why the steps run at another awareness
};

void CheckMachine(const FieldCheck& check);
void CheckLocalisation(const FieldCheck& check);
void CheckOverlays(const FieldCheck& check);
void CheckNotesViews(const FieldCheck& check);
void CheckBusyClipboard(const FieldCheck& check);
void CheckSlideShows(const FieldCheck& check);
void CheckForeground(const FieldCheck& check);
void CheckDialogs(const FieldCheck& check);
void CheckFiles(const FieldCheck& check);

// A step of the check: run in a worker process of its own, which is ended when it gives no
// answer for `boundSeconds`, a bound well above the step's own longest wait.
struct Step {
    const wchar_t* name;
    void (*run)(const FieldCheck& check);
    DWORD boundSeconds;
    bool usesClipboard;
};

// In the order they run; the machine's first, whatever --only names.
inline constexpr Step kSteps[] = {
    {L"machine", CheckMachine, 30, false},
    {L"localisation", CheckLocalisation, 40, false},
    {L"overlay", CheckOverlays, 40, false},
    {L"notes", CheckNotesViews, 60, true},
    {L"clipboard", CheckBusyClipboard, 30, true},
    {L"slideshow", CheckSlideShows, 40, false},
    {L"foreground", CheckForeground, 40, false},
    {L"dialogs", CheckDialogs, 60, false},
    {L"files", CheckFiles, 30, false},
};

}  // namespace fieldcheck
