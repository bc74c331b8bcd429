// The add-in's messages in the user's language: two message boxes, two caption texts, and the
// messages folder.
#include <windows.h>

#include <cstdint>

#include "frame/export_guard.h"
#include "frame/wide_win.h"
#include "localizer/locale_strings.h"
#include "localizer/store.h"
#include "shared/install_path_win.h"

namespace {

using tessalin::Text;

// Whatever style the add-in asks for, the box is task-modal and stays on top of the slide
// shows.
constexpr UINT kForcedStyle = MB_TASKMODAL | MB_TOPMOST;

std::uint32_t Language(std::int32_t language) {
    return static_cast<std::uint32_t>(language);
}

std::int32_t ShowBox(HWND owner, const Text& text, const wchar_t* title, std::int32_t style) {
    const int pressed = MessageBoxW(owner, tessalin::AsWide(text), title != nullptr ? title : L"",
                                    static_cast<UINT>(style) | kForcedStyle);
    // A box that could not be shown reports 0. Seen under Wine: -1 for an owner window that
    // no longer exists, which is no button identifier the add-in could compare against.
    return pressed < 0 ? 0 : pressed;
}

}  // namespace

TESSALIN_EXPORT std::int32_t ShowMessageDialog(std::int32_t language, HWND owner,
                                               const wchar_t* defaultText, const wchar_t* title,
                                               std::int32_t number, std::int32_t style) noexcept {
    return tessalin::Guarded(0, [&] {
        const Text text = tessalin::GetLocaleString(tessalin::L10NResources(), Language(language),
                                                    number, tessalin::TextArg(defaultText));
        return ShowBox(owner, text, title, style);
    });
}

TESSALIN_EXPORT std::int32_t FormatMessageDialog(std::int32_t language, HWND owner,
                                                 const wchar_t* defaultText, const wchar_t* title,
                                                 const wchar_t* argument, std::int32_t number,
                                                 std::int32_t style) noexcept {
    return tessalin::Guarded(0, [&] {
        const Text text = tessalin::FormatLocaleString(
            tessalin::L10NResources(), Language(language), number, tessalin::TextArg(defaultText),
            tessalin::TextArg(argument), u"");
        return ShowBox(owner, text, title, style);
    });
}

TESSALIN_EXPORT std::int32_t GetLocaleCaptionWS(std::int32_t language, std::int32_t number,
                                                const wchar_t* defaultText,
                                                wchar_t* buffer) noexcept {
    return tessalin::Guarded(0, [&] {
        return tessalin::TextOut(
            buffer, tessalin::GetLocaleString(tessalin::L10NResources(), Language(language), number,
                                              tessalin::TextArg(defaultText)));
    });
}

TESSALIN_EXPORT std::int32_t FormatLocaleCaptionWS(std::int32_t language, std::int32_t number,
                                                   const wchar_t* defaultText, wchar_t* buffer,
                                                   const wchar_t* first,
                                                   const wchar_t* second) noexcept {
    return tessalin::Guarded(0, [&] {
        return tessalin::TextOut(buffer, tessalin::FormatLocaleString(
                                             tessalin::L10NResources(), Language(language), number,
                                             tessalin::TextArg(defaultText),
                                             tessalin::TextArg(first), tessalin::TextArg(second)));
    });
}

TESSALIN_EXPORT std::int32_t GetMessagesFolder(wchar_t* buffer) noexcept {
    return tessalin::Guarded(
        0, [&] { return tessalin::TextOut(buffer, tessalin::GetMessagesPath()); });
}
