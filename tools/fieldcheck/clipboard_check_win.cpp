// A busy clipboard: while a thread of this program holds the clipboard for 400 ms, as clipboard
// history and remote-desktop sync do right after every change, the add-in refreshes the notes.
// The view keeps the old notes until it has the new ones and shows nothing else meanwhile. And
// when the user copies something else before the clipboard is free, that is not the add-in's
// notes: the view keeps its notes and leaves the user's copy on the clipboard.
#include <set>

#include "tools/fieldcheck/check.h"
#include "tools/fieldcheck/clipboard_win.h"
#include "tools/fieldcheck/notes_view_win.h"
#include "tools/fieldcheck/windows_win.h"
#include "tools/hostkit/clipboard_win.h"

namespace fieldcheck {
namespace {

constexpr DWORD kHeldMs = 400;
constexpr wchar_t kOldNotes[] = L"Old notes: the slide before";
constexpr char kNewNotesRtf[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 New notes: {\\b the slide after}\\par}";
constexpr wchar_t kNewNotes[] = L"New notes: the slide after";
constexpr char kLaterNotesRtf[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Later notes: {\\b never asked for}\\par}";
constexpr wchar_t kUsersCopy[] = L"The user's copy, made while the clipboard was held";

// Refreshes the view while the clipboard is held; the texts it showed meanwhile, until it
// shows `awaited` (if given) or `watchMs` have passed, the first being the one right after the
// call.
struct Watched {
    ULONGLONG returned = 0;  // how long SetNotesText took
    ULONGLONG arrived = 0;   // when `awaited` was shown, after the call began; 0 if never
    std::wstring afterCall;
    std::set<std::wstring> shown;
    int looks = 0;
};

Watched RefreshWhileHeld(const CheckedNotesView& view, const wchar_t* awaited, ULONGLONG watchMs) {
    Watched watched;
    const ULONGLONG start = GetTickCount64();
    view.SetText();
    watched.returned = GetTickCount64() - start;
    watched.afterCall = view.Text();
    watched.shown.insert(watched.afterCall);
    while (watched.arrived == 0 && GetTickCount64() - start < watchMs) {
        PumpMessages(10);
        const std::wstring text = view.Text();
        watched.shown.insert(text);
        ++watched.looks;
        if (awaited != nullptr && text.starts_with(awaited))
            watched.arrived = GetTickCount64() - start;
    }
    return watched;
}

}  // namespace

void CheckBusyClipboard(const FieldCheck& check) {
    const wchar_t* name = L"clipboard.busy";
    const Monitor& first = check.monitors.front();
    const RECT rect{first.rect.left + 40, first.rect.top + 40, first.rect.left + 520,
                    first.rect.top + 400};
    const CheckedNotesView view(check.library, rect);
    view.Show();
    if (!PutPlainNotes(kOldNotes)) return check.report.Add(Verdict::kFail, name, L"no old notes");
    view.SetText();
    if (!PutNotes(kNewNotesRtf)) return check.report.Add(Verdict::kFail, name, L"no new notes");
    {
        const hostkit::ClipboardHolder holder(kHeldMs);
        if (!holder.held()) {
            return check.report.Skip(name, L"the check's own thread could not open the clipboard");
        }
        const Watched watched = RefreshWhileHeld(view, kNewNotes, 4000);
        std::wstring others;
        for (const std::wstring& text : watched.shown) {
            if (text != kOldNotes && !text.starts_with(kNewNotes)) others += L" \"" + text + L"\"";
        }
        const bool emptied = CountClipboardFormats() == 0;
        check.report.Expect(
            watched.afterCall == kOldNotes && watched.arrived != 0 && others.empty() && emptied,
            name,
            Format(L"held %lu ms; SetNotesText returned after %llu ms showing %ls; the new notes "
                   L"%ls; %d looks at the view, %ls; the clipboard %ls",
                   kHeldMs, watched.returned,
                   watched.afterCall == kOldNotes ? L"the old notes" : L"something else",
                   watched.arrived != 0
                       ? Format(L"shown %llu ms after the call", watched.arrived).c_str()
                       : L"never shown",
                   watched.looks,
                   others.empty() ? L"nothing else shown" : (L"also shown:" + others).c_str(),
                   emptied ? L"emptied" : L"not emptied"));
    }

    // The add-in's next notes, and the user's copy before the view could take them.
    const wchar_t* untouched = L"clipboard.untouched";
    if (!PutNotes(kLaterNotesRtf)) {
        return check.report.Add(Verdict::kFail, untouched, L"no notes put on the clipboard");
    }
    const hostkit::ClipboardHolder holder(kHeldMs, kUsersCopy);
    // Watched well past the hold, over several of the view's tries.
    const Watched watched = RefreshWhileHeld(view, nullptr, kHeldMs + 1200);
    const std::wstring onClipboard = ClipboardText();
    std::wstring others;
    for (const std::wstring& text : watched.shown) {
        if (!text.starts_with(kNewNotes)) others += L" \"" + text + L"\"";
    }
    check.report.Expect(
        others.empty() && onClipboard == kUsersCopy, untouched,
        Format(L"held %lu ms, the user copying before it let go; %d looks at the view in %lu "
               L"ms: %ls; the clipboard %ls",
               kHeldMs, watched.looks, kHeldMs + 1200,
               others.empty() ? L"it kept its notes" : (L"it showed" + others).c_str(),
               onClipboard == kUsersCopy ? L"still holds the user's copy"
                                         : (L"holds \"" + onClipboard + L"\"").c_str()));
    view.Hide();
}

}  // namespace fieldcheck
