// The design values of a library window, kept as data: frame, caption, colours, fonts, size
// and child controls as they are at 96 pixels per inch. A form is built from one of these
// tables (see form_win.h); each window's table lives in its own header beside this one.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "frame/text.h"

namespace tessalin::forms {

inline constexpr int kDesignDpi = 96;

// System colours, numbered as the platform numbers them, and plain white, which follows no
// colour scheme.
enum class SystemColour : int { kWhite = -1, kWindowText = 8, kButtonFace = 15 };

enum class Frame {
    kNone,    // a borderless pop-up: no caption bar, no border icons
    kSingle,  // a fixed border and a caption bar without buttons: no sizing, no system menu
};

// A kind of control. Kinds form a tree through their bases, as widget classes do: a kind
// derived from one that takes language-file texts takes them the way its base does. Each kind
// is one object, told apart from the others by its address.
struct ControlKind {
    std::string_view name;
    const ControlKind* base = nullptr;

    // This kind or one of its bases is `other`.
    constexpr bool IsA(const ControlKind& other) const noexcept {
        for (const ControlKind* kind = this; kind != nullptr; kind = kind->base) {
            if (kind == &other) return true;
        }
        return false;
    }
};

namespace control_kinds {
// The kinds of the library's windows; form_control_win.cpp makes their windows.
inline constexpr ControlKind kLabel{"label"};             // static text
inline constexpr ControlKind kPanel{"panel"};             // a plain container window of its own
inline constexpr ControlKind kPushButton{"push button"};  // its click comes as a command
inline constexpr ControlKind kEdit{"edit"};
// "RICHEDIT20W": multi-line, word-wrapped, both scroll bars.
inline constexpr ControlKind kRichEdit{"rich edit", &kEdit};
// Kinds that no window of the library has; the rules for language-file texts know them.
inline constexpr ControlKind kCheckBox{"check box"};
inline constexpr ControlKind kRadioButton{"radio button"};
inline constexpr ControlKind kGroupBox{"group box"};
inline constexpr ControlKind kRadioGroup{"radio group", &kGroupBox};
inline constexpr ControlKind kStaticText{"static text"};
inline constexpr ControlKind kLabeledEdit{"labelled edit", &kEdit};
inline constexpr ControlKind kTabSheet{"tab sheet"};
// A labelled edit's label is not a label kind: its text is the edit's caption.
inline constexpr ControlKind kAttachedLabel{"attached label"};
inline constexpr ControlKind kListBox{"list box"};
inline constexpr ControlKind kPageControl{"page control"};
}  // namespace control_kinds

enum class Align {
    kNone,    // keeps its design bounds
    kTop,     // full width at the top, its own height
    kClient,  // fills what the other aligned controls leave
};

enum class Charset : unsigned char { kAnsi = 0, kDefault = 1 };

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct FontDesign {
    const wchar_t* face;
    int height;  // negative: the character height in pixels at 96 pixels per inch
    bool bold;
    Charset charset;
    SystemColour colour;
};

struct ControlDesign {
    const wchar_t* name;
    const ControlKind* kind;
    const wchar_t* text;
    Bounds bounds;  // within the form's client area
    Align align;
    bool centred;                     // text centred horizontally and vertically
    const FontDesign* font;           // null: the form's font
    const wchar_t* parent = nullptr;  // the design name of the containing panel; null: the form
    bool visible = true;
    bool literalAmpersand = false;  // labels: '&' is shown, not taken as an accelerator mark
};

struct FormDesign {
    const wchar_t* className;
    const wchar_t* caption;
    Frame frame;
    bool stayOnTop;  // topmost from creation on
    Bounds bounds;   // position and client size
    SystemColour colour;
    FontDesign font;
    std::span<const ControlDesign> controls;  // a panel comes before the controls it holds
    const wchar_t* name = L"";                // the name its language-file entries use
};

// A form as its language-file texts are looked up: its name, and its controls' names, kinds
// and nesting.
struct ControlOutline {
    TextView name;  // may be empty
    const ControlKind* kind;
    std::optional<std::size_t> parent;  // the index of the control that holds it; none: the form
};

struct FormOutline {
    TextView name;
    std::span<const ControlOutline> controls;
};

}  // namespace tessalin::forms
