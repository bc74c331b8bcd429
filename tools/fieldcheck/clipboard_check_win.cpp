// A busy clipboard: while a thread of this program holds the clipboard for 400 ms, as clipboard
// history and remote-desktop sync do right after every change, the add-in refreshes the notes.
// The view keeps the old notes until it has the new ones and shows nothing else meanwhile.
#include <set>

#include "check.h"
#include "clipboard_win.h"
#include "demo_steps.h"
#include "notes_view_win.h"
#include "windows_win.h"

namespace fieldcheck {
namespace {

constexpr DWORD kHeldMs = 400;
constexpr wchar_t kOldNotes[] = L"Old notes: the slide before";
constexpr char kNewNotesRtf[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 New notes: {\\b the slide after}\\par}";
constexpr wchar_t kNewNotes[] = L"New notes: the slide after";

}  // namespace

void CheckBusyClipboard(const FieldCheck& check) {
    const wchar_t* name = L"clipboard.busy";
    if (!check.clipboardKept) {
        check.report.Skip(name,
                          L"another program held the clipboard throughout: its content "
                          L"could not be kept, so it is left alone");
        return;
    }
    const Monitor& first = check.monitors.front();
    const RECT rect{first.rect.left + 40, first.rect.top + 40, first.rect.left + 520,
                    first.rect.top + 400};
    const CheckedNotesView view(check.library, rect);
    view.Show();
    if (!PutPlainNotes(kOldNotes)) return check.report.Add(Verdict::kFail, name, L"no old notes");
    view.SetText();
    if (!PutNotes(kNewNotesRtf)) return check.report.Add(Verdict::kFail, name, L"no new notes");

    const ClipboardHolder holder(kHeldMs);
    if (!holder.held()) {
        return check.report.Skip(name, L"the check's own thread could not open the clipboard");
    }
    const ULONGLONG start = GetTickCount64();
    view.SetText();
    const ULONGLONG returned = GetTickCount64() - start;
    const std::wstring afterCall = view.Text();
    // What the presenter could have seen: the view's text each time it could have been painted.
    std::set<std::wstring> shown{afterCall};
    ULONGLONG arrived = 0;
    int samples = 1;
    while (arrived == 0 && GetTickCount64() - start < 4000) {
        PumpMessages(10);
        const std::wstring text = view.Text();
        shown.insert(text);
        ++samples;
        if (text.starts_with(kNewNotes)) arrived = GetTickCount64() - start;
    }
    std::wstring others;
    for (const std::wstring& text : shown) {
        if (text != kOldNotes && !text.starts_with(kNewNotes)) others += L" \"" + text + L"\"";
    }
    const bool emptied = CountClipboardFormats() == 0;
    check.report.Expect(
        afterCall == kOldNotes && arrived != 0 && others.empty() && emptied, name,
        Format(L"held %lu ms; SetNotesText returned after %llu ms showing %ls; the new notes %ls; "
               L"%d looks at the view, %ls; the clipboard %ls",
               kHeldMs, returned, afterCall == kOldNotes ? L"the old notes" : L"something else",
               arrived != 0 ? Format(L"shown %llu ms after the call", arrived).c_str()
                            : L"never shown",
               samples, others.empty() ? L"nothing else shown" : (L"also shown:" + others).c_str(),
               emptied ? L"emptied" : L"not emptied"));
    view.Hide();
}

}  // namespace fieldcheck
