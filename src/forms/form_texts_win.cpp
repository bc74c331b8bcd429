// A form's texts from the language files: the localizer tells them from the form's outline,
// and the form puts them on its window and controls.
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "forms/form_win.h"
#include "frame/wide_win.h"
#include "localizer/form_localization.h"
#include "localizer/store.h"

namespace tessalin::forms {

void Form::Localize(std::uint32_t language) {
    std::vector<ControlOutline> controls;
    controls.reserve(controls_.size());
    for (const std::unique_ptr<FormControl>& control : controls_) {
        const ControlDesign& design = control->Design();
        controls.push_back(
            {TextArg(design.name), design.kind,
             design.parent != nullptr ? std::optional(IndexOf(design.parent)) : std::nullopt});
    }
    const FormTexts texts =
        LocalizeForm({TextArg(design_.name), controls}, L10NResources(), language);
    // Hints are left out: the library's windows show no tooltips. So are labels of labelled
    // edits, which none of them has.
    if (texts.form) SetWindowTextW(Window(), AsWide(texts.form->caption));
    for (const ControlTexts& control : texts.controls) {
        if (control.target != CaptionTarget::kText) continue;
        SetWindowTextW(controls_[control.control]->Window(), AsWide(control.texts.caption));
    }
}

}  // namespace tessalin::forms
