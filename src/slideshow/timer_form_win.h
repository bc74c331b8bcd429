// The focus keeper: a hidden window whose timer, while enabled, tells every slide-show window
// of the process once a second that it has the keyboard focus.
#pragma once

#include "frame/unload.h"

namespace tessalin {

void CreateTimerForm() noexcept;
void FreeTimerForm(Unload how) noexcept;

// Setting the value the timer already has changes nothing.
void SetFocusKeeperEnabled(bool enabled) noexcept;

}  // namespace tessalin
