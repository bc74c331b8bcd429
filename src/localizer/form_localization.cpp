#include "localizer/form_localization.h"

#include <array>

namespace tessalin {
namespace {

enum class CaptionTarget { kNothing, kText, kLabelText };

struct KindRule {
    const ControlKind* kind;
    CaptionTarget target;
};

// Tested in this order; the first kind that a control's kind is or derives from decides.
constexpr std::array<KindRule, 10> kKindRules{{
    {&control_kinds::kPushButton, CaptionTarget::kText},
    {&control_kinds::kLabel, CaptionTarget::kText},
    {&control_kinds::kCheckBox, CaptionTarget::kText},
    {&control_kinds::kRadioButton, CaptionTarget::kText},
    {&control_kinds::kGroupBox, CaptionTarget::kText},
    {&control_kinds::kRadioGroup, CaptionTarget::kText},
    {&control_kinds::kPanel, CaptionTarget::kText},
    {&control_kinds::kStaticText, CaptionTarget::kText},
    {&control_kinds::kLabeledEdit, CaptionTarget::kLabelText},  // the edit's content stays
    {&control_kinds::kTabSheet, CaptionTarget::kText},
}};

CaptionTarget CaptionTargetOf(const ControlKind& kind) {
    for (const KindRule& rule : kKindRules) {
        if (kind.IsA(*rule.kind)) return rule.target;
    }
    return CaptionTarget::kNothing;
}

}  // namespace

void LocalizeControl(TextView formName, LocalizableControl& control, const TL10NResource& file) {
    Text caption;
    Text hint;
    const TextView name = control.ComponentName();
    const bool anyForm = file.FindStringResource(u"<ALL>", name, caption, hint);
    const bool thisForm = file.FindStringResource(formName, name, caption, hint);
    if (anyForm || thisForm) {
        switch (CaptionTargetOf(control.Kind())) {
            case CaptionTarget::kText:
                control.SetText(caption);
                control.SetHint(hint);
                break;
            case CaptionTarget::kLabelText:
                control.SetLabelText(caption);
                control.SetHint(hint);
                break;
            case CaptionTarget::kNothing:
                break;
        }
    }
    for (std::size_t i = 0; i < control.ChildCount(); ++i) {
        LocalizeControl(formName, control.Child(i), file);
    }
}

void LocalizeForm(LocalizableControl& form, const TL10NResources& files, std::uint32_t language) {
    const TL10NResource* file = FindL10NResource(files, language);
    if (file == nullptr) return;
    const Text formName(form.ComponentName());
    Text caption;
    Text hint;
    if (file->FindStringResource(formName, u"<DEFAULT>", caption, hint)) {
        form.SetText(caption);
        form.SetHint(hint);
    }
    for (std::size_t i = 0; i < form.ChildCount(); ++i) {
        LocalizeControl(formName, form.Child(i), *file);
    }
}

}  // namespace tessalin
