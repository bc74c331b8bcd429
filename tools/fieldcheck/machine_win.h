// What the steps need to know of the machine beyond the monitors.
#pragma once

#include <optional>
#include <string>

#include "check.h"

namespace fieldcheck {

// The library's file and version, the awareness the steps run at (`awarenessRefused` says why
// it is not the one asked for), and the monitors, which it keeps in `check`.
void CheckMachine(FieldCheck& check, const std::optional<std::wstring>& awarenessRefused);

// "Windows 10.0 build 19045.3803 (22H2)", and Wine's version under Wine.
std::wstring WindowsVersion();

// Wine shows some things that only Windows can, and not others (no foreground lock): the
// steps say so rather than pass without having seen anything.
bool UnderWine();

}  // namespace fieldcheck
