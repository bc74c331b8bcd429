// The steps of the stand-in host, one file per subsystem. Each step prints the calls it
// makes and their results.
#pragma once

#include <string>
#include <vector>

#include "tools/hostkit/library_win.h"

struct Demo {
    const hostkit::Library& library;
    std::wstring outputFolder;  // screenshots and other files the demo leaves behind
};

void DemoLifecycleStart(const Demo& demo);
void DemoLifecycleEnd(const Demo& demo);
void DemoMonitors(const Demo& demo);
void DemoSlideShowStart(const Demo& demo);
void DemoSlideShowEnd(const Demo& demo);
// Names the host's installation folder in the registry, before the library loads, since the
// library reads its language files at start-up; only where no installation is named, and only
// for as long as it lives.
class DemoInstallation {
  public:
    explicit DemoInstallation(const std::wstring& installFolder);
    ~DemoInstallation();
    DemoInstallation(const DemoInstallation&) = delete;
    DemoInstallation& operator=(const DemoInstallation&) = delete;

  private:
    bool written_ = false;
    std::vector<const wchar_t*> created_;  // the keys it made, outermost first
};
void DemoLocalization(const Demo& demo);
void DemoFiles(const Demo& demo);
// The presenter's notes view on the second monitor, over the running slide shows.
void DemoNotes(const Demo& demo);

// The whole walk: loads the DLL, runs every step, leaves the screenshots in `outputFolder`.
int RunDemo(const wchar_t* dllPath, const wchar_t* outputFolder);
