// The design values of a library window, kept as data: frame, caption, colours, fonts, size
// and child controls as they are at 96 pixels per inch. A form is built from one of these
// tables (see form_win.h); each window's table lives in its own header beside this one.
#pragma once

#include <span>

namespace tessalin::forms {

inline constexpr int kDesignDpi = 96;

// System colours, numbered as the platform numbers them, and plain white, which follows no
// colour scheme.
enum class SystemColour : int { kWhite = -1, kWindowText = 8, kButtonFace = 15 };

enum class Frame {
    kNone,    // a borderless pop-up: no caption bar, no border icons
    kSingle,  // a fixed border and a caption bar without buttons: no sizing, no system menu
};

enum class ControlKind {
    kLabel,       // static text
    kPanel,       // a plain container window of its own
    kPushButton,  // its click arrives as a command at the form
    kRichEdit,    // "RICHEDIT20W": multi-line, word-wrapped, both scroll bars
};

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
    ControlKind kind;
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

}  // namespace tessalin::forms
