// The steps of the stand-in host, one file per subsystem. Each step prints the calls it
// makes and their results.
#pragma once

#include <string>

#include "host_library.h"

struct Demo {
    const HostLibrary& library;
    std::wstring outputFolder;  // screenshots and other files the demo leaves behind
};

void DemoLifecycleStart(const Demo& demo);
void DemoLifecycleEnd(const Demo& demo);
