// The three file dialogs' settings and how their option sets translate into the platform's
// flags, for the classic dialog and for the item dialog.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "frame/text.h"

namespace tessalin {

enum class DialogKind { kOpen, kSave };

struct DialogSettings {
    DialogKind kind;
    const char16_t* title;
    const char16_t* filter;  // display name and pattern list pairs, all separated by "|"
    const char16_t* defaultExtension;
    std::uint32_t options;  // option n is bit n
};

extern const DialogSettings kLoadSessionDialog;
extern const DialogSettings kSaveSessionDialog;
extern const DialogSettings kSelectMovieDialog;

// The filter's (display name, patterns) pairs, in order.
std::vector<std::pair<Text, Text>> FilterPairs(TextView filter);

// The filter as the classic dialog takes it: every "|" a NUL, and a second NUL at the end.
Text ClassicFilter(TextView filter);

// OPENFILENAME flags: the hook and Explorer style, plus the options' own flags.
std::uint32_t ClassicDialogFlags(std::uint32_t options);

// FILEOPENDIALOGOPTIONS for SetOptions, which replace the dialog's defaults: the options' own
// flags and, always, file-system places only; the open dialogs then add the preview pane.
std::uint32_t ItemDialogFlags(std::uint32_t options);
inline constexpr std::uint32_t kForcePreviewPaneOn = 0x40000000;

// The folder a dialog opens in: the current directory, without a closing backslash unless
// it follows a colon (a drive root keeps its backslash).
Text InitialFolder(TextView currentDirectory);

// The item dialog needs Windows 6 or later with visual styles in use: the theme library
// present, the application themed, a theme active and common controls 6 loaded.
struct DialogPlatform {
    unsigned osMajorVersion;
    bool themeLibraryPresent;
    bool appThemed;
    bool themeActive;
    unsigned commonControlsMajorVersion;
};
bool UseItemDialog(const DialogPlatform& platform);

}  // namespace tessalin
