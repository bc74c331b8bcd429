#include "localizer/form_localization.h"

#include <array>
#include <utility>

namespace tessalin {
namespace {

namespace kinds = forms::control_kinds;

struct KindRule {
    const forms::ControlKind* kind;
    CaptionTarget target;
};

// Tested in this order; the first kind that a control's kind is or derives from decides.
// Every other kind takes nothing.
constexpr std::array<KindRule, 10> kKindRules{{
    {&kinds::kPushButton, CaptionTarget::kText},
    {&kinds::kLabel, CaptionTarget::kText},
    {&kinds::kCheckBox, CaptionTarget::kText},
    {&kinds::kRadioButton, CaptionTarget::kText},
    {&kinds::kGroupBox, CaptionTarget::kText},
    {&kinds::kRadioGroup, CaptionTarget::kText},
    {&kinds::kPanel, CaptionTarget::kText},
    {&kinds::kStaticText, CaptionTarget::kText},
    {&kinds::kLabeledEdit, CaptionTarget::kLabelText},
    {&kinds::kTabSheet, CaptionTarget::kText},
}};

std::optional<CaptionTarget> CaptionTargetOf(const forms::ControlKind& kind) {
    for (const KindRule& rule : kKindRules) {
        if (kind.IsA(*rule.kind)) return rule.target;
    }
    return std::nullopt;
}

// The controls that `parent` holds and their descendants.
void LocalizeControls(const forms::FormOutline& form, std::optional<std::size_t> parent,
                      const TL10NResource& file, FormTexts& texts) {
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
        const forms::ControlOutline& control = form.controls[i];
        if (control.parent != parent) continue;
        if (const std::optional<CaptionTarget> target = CaptionTargetOf(*control.kind)) {
            CaptionAndHint entry;
            const bool anyForm =
                file.FindStringResource(u"<ALL>", control.name, entry.caption, entry.hint);
            const bool thisForm =
                file.FindStringResource(form.name, control.name, entry.caption, entry.hint);
            if (anyForm || thisForm) texts.controls.push_back({i, *target, std::move(entry)});
        }
        LocalizeControls(form, i, file, texts);
    }
}

}  // namespace

FormTexts LocalizeForm(const forms::FormOutline& form, const TL10NResources& files,
                       std::uint32_t language) {
    FormTexts texts;
    const TL10NResource* file = FindL10NResource(files, language);
    if (file == nullptr) return texts;
    CaptionAndHint entry;
    if (file->FindStringResource(form.name, u"<DEFAULT>", entry.caption, entry.hint)) {
        texts.form = std::move(entry);
    }
    LocalizeControls(form, std::nullopt, *file, texts);
    return texts;
}

}  // namespace tessalin
