// Puts the texts of a language file on one of the library's windows and its controls, once,
// while the window is created.
//
// The walk sees windows and controls only through LocalizableControl, so that it stays
// portable: a window implements it over its real child windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frame/text.h"
#include "localizer/store.h"

namespace tessalin {

// A kind of control. Kinds form a tree through their bases, as widget classes do: a kind
// derived from one of the kinds that take texts takes them the way its base does.
struct ControlKind {
    std::string_view name;
    const ControlKind* base = nullptr;

    // This kind or one of its bases is `other`.
    constexpr bool IsA(const ControlKind& other) const {
        for (const ControlKind* kind = this; kind != nullptr; kind = kind->base) {
            if (kind == &other) return true;
        }
        return false;
    }
};

namespace control_kinds {
inline constexpr ControlKind kControl{"control"};
inline constexpr ControlKind kForm{"form", &kControl};
// The kinds that take texts (see form_localization.cpp for where each puts them).
inline constexpr ControlKind kPushButton{"push button", &kControl};
inline constexpr ControlKind kLabel{"label", &kControl};
inline constexpr ControlKind kCheckBox{"check box", &kControl};
inline constexpr ControlKind kRadioButton{"radio button", &kControl};
inline constexpr ControlKind kGroupBox{"group box", &kControl};
inline constexpr ControlKind kRadioGroup{"radio group", &kGroupBox};
inline constexpr ControlKind kPanel{"panel", &kControl};
inline constexpr ControlKind kStaticText{"static text", &kControl};
inline constexpr ControlKind kEdit{"edit", &kControl};
inline constexpr ControlKind kLabeledEdit{"labelled edit", &kEdit};
inline constexpr ControlKind kTabSheet{"tab sheet", &kControl};
// Kinds that take nothing. A labelled edit's label is not a label kind: its text is the
// edit's caption and comes through the edit's entry.
inline constexpr ControlKind kAttachedLabel{"attached label", &kControl};
inline constexpr ControlKind kRichEdit{"rich edit", &kEdit};
inline constexpr ControlKind kListBox{"list box", &kControl};
inline constexpr ControlKind kPageControl{"page control", &kControl};
}  // namespace control_kinds

// A window or control as the walk sees it. A window is a control of kind kForm whose text is
// its caption.
class LocalizableControl {
  public:
    virtual TextView ComponentName() const = 0;  // may be empty
    virtual const ControlKind& Kind() const = 0;
    // The displayed text, set through the control's own text setter so that it repaints and
    // resizes as on any change: a button's or label's text, a group box's title, a tab
    // sheet's tab text, a window's caption.
    virtual void SetText(TextView text) = 0;
    // The text of a labelled edit's attached label; only labelled edits are asked.
    virtual void SetLabelText(TextView text) = 0;
    virtual void SetHint(TextView hint) = 0;  // the tooltip text
    // Child controls in the order of the control list; only windowed controls have any.
    // Components that are not controls (timers, menus, dialogs) are not children.
    virtual std::size_t ChildCount() const = 0;
    virtual LocalizableControl& Child(std::size_t index) = 0;

  protected:
    ~LocalizableControl() = default;
};

// Localises a window from the file for `language` (with the primary-language fallback): its
// caption and hint from its (name, "<DEFAULT>") entry, then every control at any depth.
// Without a file nothing changes.
void LocalizeForm(LocalizableControl& form, const TL10NResources& files, std::uint32_t language);

// One control and its descendants. The control's ("<ALL>", name) entry applies unless a
// (form name, name) entry exists, which then wins whole, empty hint included. `formName` is
// always the top window's, never that of a container in between.
void LocalizeControl(TextView formName, LocalizableControl& control, const TL10NResource& file);

}  // namespace tessalin
