// Design values of the monitor number overlay. Position and size are always replaced by the
// monitor's rectangle, the caption and the number by the monitor's number.
#pragma once

#include "forms/form_design.h"

namespace tessalin::forms {

inline constexpr wchar_t kMonitorNumLabel[] = L"MonitorNumLabel";

inline constexpr FontDesign kMonitorNumLabelFont{L"Arial", -85, true, Charset::kDefault,
                                                 SystemColour::kWindowText};

inline constexpr ControlDesign kMonitorNumFormControls[] = {
    {kMonitorNumLabel,
     &control_kinds::kLabel,
     L"1",
     {0, 0, 653, 550},
     Align::kClient,
     true,
     &kMonitorNumLabelFont},
};

inline constexpr FormDesign TMONITORNUMFORM{
    L"TMonitorNumForm",
    L"Monitor Number",
    Frame::kNone,
    true,
    {192, 124, 653, 550},
    SystemColour::kButtonFace,
    {L"MS Sans Serif", -11, false, Charset::kDefault, SystemColour::kWindowText},
    kMonitorNumFormControls,
};

}  // namespace tessalin::forms
