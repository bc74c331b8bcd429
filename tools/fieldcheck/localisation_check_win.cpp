// The user's language as the library speaks it: the installation's messages folder, captions
// and message boxes. Only read: the check writes no registry value, so on a machine where
// nothing is installed there are no language files, and the texts are the defaults given.
#include <algorithm>
#include <cstdint>
#include <string>

#include "frame/export_guard.h"
#include "tools/fieldcheck/check.h"
#include "tools/fieldcheck/machine_win.h"
#include "tools/fieldcheck/windows_win.h"

namespace fieldcheck {
namespace {

// A message number that no language file gives, so that each text is the default one.
constexpr std::int32_t kNoSuchMessage = 2147480001;
constexpr wchar_t kCaption[] = L"Tessalin field check";

void CheckMessagesFolder(const FieldCheck& check) {
    const wchar_t* name = L"localisation.messages folder";
    wchar_t install[32768] = {};
    DWORD bytes = sizeof install;
    const auto length = check.library.Call<std::int32_t>("GetMessagesFolder", nullptr);
    std::wstring folder(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    check.library.Call<std::int32_t>("GetMessagesFolder", folder.data());
    folder.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    // As the library reads it: either string type, never expanded.
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Brackwood\\Tessaline", L"InstallPath",
                     RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, install,
                     &bytes) != ERROR_SUCCESS ||
        install[0] == L'\0') {
        const std::wstring figures = Format(
            L"not installed (no InstallPath under HKEY_LOCAL_MACHINE\\Software\\Brackwood\\"
            L"Tessaline): GetMessagesFolder gives %d \"%ls\"%ls",
            length, folder.c_str(), length == 0 ? L"; no language file was exercised" : L"");
        return length == 0 ? check.report.Skip(name, figures)
                           : check.report.Add(Verdict::kFail, name, figures);
    }
    std::wstring expected = install;
    if (expected.back() != L'\\') expected += L'\\';
    expected += L"Messages";
    int files = 0;
    WIN32_FIND_DATAW found{};
    const tessalin::UniqueFind find(FindFirstFileW((expected + L"\\*.lcl").c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.get(), &found)) {
        files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
    check.report.Expect(
        folder == expected, name,
        Format(L"InstallPath %ls; the library's messages folder %ls%ls; %d file(s) *.lcl there; "
               L"user's language 0x%04X",
               install, folder.c_str(),
               folder == expected ? L"" : (L", expected " + expected).c_str(), files,
               GetUserDefaultLangID()));
}

// `call` with a null buffer gives the length; with a buffer the text, a NUL, and nothing past
// it. The figures; `right` stays true only if all of that holds.
template <class Call>
std::wstring Caption(const char* name, const wchar_t* text, const std::wstring& expected,
                     Call&& call, bool& right) {
    const std::int32_t measured = call(nullptr);
    std::wstring buffer(expected.size() + 8, L'*');
    const std::int32_t length = call(buffer.data());
    const bool whole = buffer.substr(0, expected.size()) == expected &&
                       buffer[expected.size()] == L'\0' && buffer[expected.size() + 1] == L'*';
    right = right && whole && measured == length &&
            length == static_cast<std::int32_t>(expected.size());
    return Format(L"%hs(\"%ls\") -> %d (%d with a null buffer) \"%ls\"%ls", name, text, length,
                  measured, buffer.substr(0, std::min(buffer.size(), expected.size())).c_str(),
                  whole ? L"" : L", not as expected");
}

// What the timer saw of a message box, and the button it pressed.
struct BoxVisit {
    int press;
    HWND other;  // a window of the check, which a task-modal box disables
    bool seen = false;
    std::wstring caption;
    std::wstring text;
    bool topmost = false;
    bool otherDisabled = false;
};
BoxVisit* g_box = nullptr;

// Runs in the box's own message loop, as a person's click would.
void CALLBACK PressButton(HWND, UINT, UINT_PTR, DWORD) {
    tessalin::Guarded([&] {
        for (HWND box : ThreadWindowsOfClass(L"#32770")) {
            if (g_box == nullptr || g_box->seen || !IsWindowVisible(box)) continue;
            g_box->seen = true;
            g_box->caption = TextOf(box);
            g_box->text = TextOf(GetDlgItem(box, 0xFFFF));
            g_box->topmost = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            g_box->otherDisabled = !IsWindowEnabled(g_box->other);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(g_box->press, BN_CLICKED), 0);
        }
    });
}

// The box that `show` shows, read and answered with `press`; the figures.
template <class Show>
std::wstring Box(HWND other, const char* name, int press, const std::wstring& expected, Show&& show,
                 bool& right) {
    BoxVisit visit{press, other};
    g_box = &visit;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, PressButton);
    const std::int32_t pressed = show();
    KillTimer(nullptr, timer);
    g_box = nullptr;
    // Windows makes a box of MB_TOPMOST topmost; Wine makes none so.
    const bool topmost = visit.topmost || UnderWine();
    right = right && visit.seen && pressed == press && visit.caption == kCaption &&
            visit.text == expected && topmost && visit.otherDisabled;
    const wchar_t* layer = visit.topmost ? L"topmost"
                           : topmost     ? L"not topmost (Wine makes no box topmost: not exercised)"
                                         : L"not topmost";
    return visit.seen ? Format(
                            L"%hs showed \"%ls\" titled \"%ls\", %ls, the check's window %ls "
                            L"meanwhile; %d pressed -> %d",
                            name, visit.text.c_str(), visit.caption.c_str(), layer,
                            visit.otherDisabled ? L"disabled" : L"enabled", press, pressed)
                      : Format(L"%hs showed no box -> %d", name, pressed);
}

}  // namespace

void CheckLocalisation(const FieldCheck& check) {
    CheckMessagesFolder(check);

    const hostkit::Library& library = check.library;
    const auto language = static_cast<std::int32_t>(GetUserDefaultLangID());
    bool right = true;
    const wchar_t* plain = L"Monitors<9>and<1310>notes";
    const std::wstring getting = Caption(
        "GetLocaleCaptionWS", plain, L"Monitors\tand\r\nnotes",
        [&](wchar_t* buffer) {
            return library.Call<std::int32_t>("GetLocaleCaptionWS", language, kNoSuchMessage, plain,
                                              buffer);
        },
        right);
    const wchar_t* placed = L"Show %s1% on monitor %s2%.";
    const std::wstring formatting = Caption(
        "FormatLocaleCaptionWS", placed, L"Show Keynote on monitor 2.",
        [&](wchar_t* buffer) {
            return library.Call<std::int32_t>("FormatLocaleCaptionWS", language, kNoSuchMessage,
                                              placed, buffer, L"Keynote", L"2");
        },
        right);
    check.report.Expect(right, L"localisation.captions",
                        L"message " + std::to_wstring(kNoSuchMessage) + L", in no language file: " +
                            getting + L"; " + formatting);

    // Task-modal and topmost, whatever style the add-in asks for; the caption as given.
    const CountingClass windowClass(L"TessalinFieldCheckWindow");
    const Monitor& monitor = check.monitors.front();
    const UniqueWindow other =
        windowClass.Create(L"Tessalin field check: the host's window", WS_OVERLAPPEDWINDOW,
                           {monitor.rect.left + 100, monitor.rect.top + 100,
                            monitor.rect.left + 420, monitor.rect.top + 340},
                           nullptr);
    ShowWindow(other.get(), SW_SHOWNOACTIVATE);
    const std::int32_t style = MB_YESNOCANCEL | MB_ICONQUESTION;
    right = true;
    const std::wstring shown = Box(
        other.get(), "ShowMessageDialog", IDNO, L"Stop all shows?\r\nEvery monitor goes dark.",
        [&] {
            return library.Call<std::int32_t>("ShowMessageDialog", language, HWND{},
                                              L"Stop all shows?<13><10>Every monitor goes dark.",
                                              kCaption, kNoSuchMessage, style);
        },
        right);
    const std::wstring formatted = Box(
        other.get(), "FormatMessageDialog", IDCANCEL, L"Save changes to Keynote.tln?",
        [&] {
            return library.Call<std::int32_t>("FormatMessageDialog", language, HWND{},
                                              L"Save changes to %s1%?%s2%", kCaption,
                                              L"Keynote.tln", kNoSuchMessage, style);
        },
        right);
    check.report.Expect(right, L"localisation.message boxes", shown + L"; " + formatted);
}

}  // namespace fieldcheck
