// What the steps need to know of the machine beyond what the machine's step reports.
#pragma once

#include <string>
#include <vector>

#include "tools/fieldcheck/check.h"

namespace fieldcheck {

// The monitors as the library numbers them, each with what the system says of it.
std::vector<Monitor> ReadMonitors(const hostkit::Library& library);

// "Windows 10.0 build 19045.3803 (22H2)", and Wine's version under Wine.
std::wstring WindowsVersion();

// Wine shows some things that only Windows can, and not others (no foreground lock): the
// steps say so rather than pass without having seen anything.
bool UnderWine();

}  // namespace fieldcheck
