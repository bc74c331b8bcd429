// The steps of the stand-in host, one file per subsystem. Each step prints the calls it
// makes and their results.
#pragma once

#include <string>

#include "host_library.h"

struct Demo {
    const HostLibrary& library;
    std::wstring outputFolder;  // screenshots and other files the demo leaves behind
};

// Runs the host's message loop for about the given time, as the host would between calls.
void PumpMessages(unsigned long milliseconds);

void DemoLifecycleStart(const Demo& demo);
void DemoLifecycleEnd(const Demo& demo);
void DemoMonitors(const Demo& demo);
void DemoSlideShowStart(const Demo& demo);
void DemoSlideShowEnd(const Demo& demo);
// Writes the registry value that names the host's installation folder; before the library
// loads, since the library reads its language files at start-up.
void DemoLocalizationInstall(const std::wstring& installFolder);
void DemoLocalization(const Demo& demo);
void DemoFiles(const Demo& demo);
// The presenter's notes view on the second monitor, over the running slide shows.
void DemoNotes(const Demo& demo);
