// Design values of the presenter's notes window. Position and size are replaced by the
// add-in's rectangle; the zoom strip stays hidden unless something shows it.
#pragma once

#include "forms/form_design.h"

namespace tessalin::forms {

inline constexpr wchar_t kRichNotesText[] = L"RichNotesText";
inline constexpr wchar_t kControlPanel[] = L"ControlPanel";
inline constexpr wchar_t kZoomOutButton[] = L"ZoomOutButton";
inline constexpr wchar_t kZoomLabel[] = L"ZoomLabel";
inline constexpr wchar_t kZoomInButton[] = L"ZoomInButton";

inline constexpr FontDesign kRichNotesTextFont{L"Arial Unicode MS", -13, false, Charset::kAnsi,
                                               SystemColour::kWindowText};

// In tab order: the notes before the strip, the zoom-out button before the zoom-in one.
inline constexpr ControlDesign kNotesFormControls[] = {
    {kRichNotesText,
     &control_kinds::kRichEdit,
     L"",
     {0, 41, 688, 412},
     Align::kClient,
     false,
     &kRichNotesTextFont},
    {kControlPanel,
     &control_kinds::kPanel,
     L"",
     {0, 0, 688, 41},
     Align::kTop,
     false,
     nullptr,
     nullptr,
     false},
    {kZoomOutButton,
     &control_kinds::kPushButton,
     L"Zoom Out (-)",
     {8, 9, 106, 25},
     Align::kNone,
     false,
     nullptr,
     kControlPanel},
    {kZoomLabel,
     &control_kinds::kLabel,
     L"100%",
     {120, 10, 73, 25},
     Align::kNone,
     true,
     nullptr,
     kControlPanel,
     true,
     true},
    {kZoomInButton,
     &control_kinds::kPushButton,
     L"Zoom In (+)",
     {199, 10, 106, 25},
     Align::kNone,
     false,
     nullptr,
     kControlPanel},
};

inline constexpr FormDesign TNOTESFORM{
    L"TNotesForm",
    L"Notes",
    Frame::kSingle,
    false,
    {192, 107, 688, 453},
    SystemColour::kWhite,
    {L"Arial Unicode MS", -13, false, Charset::kDefault, SystemColour::kWindowText},
    kNotesFormControls,
    L"NotesForm",
};

}  // namespace tessalin::forms
