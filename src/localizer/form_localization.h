// The texts that a language file gives one of the library's windows and its controls: plain
// data from the form's outline, which the window puts on itself while it is created.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "forms/form_design.h"
#include "frame/text.h"
#include "localizer/store.h"

namespace tessalin {

// The texts of one entry: the displayed text and the tooltip text.
struct CaptionAndHint {
    Text caption;
    Text hint;
};

// Where a control's caption goes: its own text (a button's or label's text, a group box's
// title, a tab sheet's tab text), or the text of a labelled edit's attached label, whose
// content stays. The hint is the control's own either way.
enum class CaptionTarget { kText, kLabelText };

struct ControlTexts {
    std::size_t control;  // its index in the outline
    CaptionTarget target;
    CaptionAndHint texts;
};

struct FormTexts {
    std::optional<CaptionAndHint> form;  // the window's caption and hint
    // Depth first, each control before those it holds, in the outline's order.
    std::vector<ControlTexts> controls;
};

// The texts from the file for `language` (with the primary-language fallback): the window's
// from its (name, "<DEFAULT>") entry, then every control's at any depth. A control's
// ("<ALL>", name) entry applies unless a (form name, name) entry exists, which then wins
// whole, empty hint included; the form name is always the window's, never that of a container
// in between. Only controls of a kind that takes texts, or derives from one, get any. Without
// a file, nothing.
FormTexts LocalizeForm(const forms::FormOutline& form, const TL10NResources& files,
                       std::uint32_t language);

}  // namespace tessalin
