#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "demo_steps.h"
#include "frame/unique_resource_win.h"
#include "tools/hostkit/windows_win.h"

namespace {

constexpr std::int32_t kEnglish = 0x0409;
constexpr std::int32_t kGerman = 0x0407;
constexpr std::int32_t kAustrianGerman = 0x0C07;  // no file, no primary-language file either

// Line breaks and non-ASCII characters written out, so that every console shows them.
std::wstring Printable(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : text) {
        if (c == L'\r') {
            out += L"\\r";
        } else if (c == L'\n') {
            out += L"\\n";
        } else if (c < 0x20 || c > 0x7E) {
            wchar_t escaped[8];
            std::swprintf(escaped, 8, L"\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

// The message box runs its own message loop; this thread timer fires inside it, reports what
// the box shows and presses OK, as a presenter would.
void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
    const std::vector<HWND> boxes = hostkit::ThreadWindowsOfClass(L"#32770");
    if (boxes.empty()) return;
    KillTimer(nullptr, timer);
    HWND box = boxes.front();
    std::wprintf(L"  the box shows \"%ls\": \"%ls\"; pressing OK\n",
                 Printable(hostkit::TextOf(box)).c_str(),
                 Printable(hostkit::TextOf(GetDlgItem(box, 0xFFFF))).c_str());
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void ShowBox(const Demo& demo, std::int32_t language, const wchar_t* argument) {
    SetTimer(nullptr, 0, 1000, CloseMessageBox);
    const std::int32_t result = demo.library.Call<std::int32_t>(
        "FormatMessageDialog", language, HWND{}, L"Save changes to %s1%?", L"Tessaline demo",
        argument, std::int32_t{2}, std::int32_t{MB_OKCANCEL | MB_ICONQUESTION});
    std::wprintf(L"FormatMessageDialog(0x%04X, 0, ..., \"%ls\", 2, MB_OKCANCEL) -> %d\n", language,
                 argument, result);
}

}  // namespace

namespace {

constexpr wchar_t kVendorKey[] = L"Software\\Brackwood";
constexpr wchar_t kInstallKey[] = L"Software\\Brackwood\\Tessaline";
constexpr wchar_t kInstallValue[] = L"InstallPath";

}  // namespace

DemoInstallation::DemoInstallation(const std::wstring& installFolder) {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kInstallKey, kInstallValue,
                     RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, nullptr,
                     &bytes) == ERROR_SUCCESS) {
        std::wprintf(L"InstallPath already names an installation: left as it is\n");
        return;
    }
    // The keys this makes go again afterwards, not only the value.
    for (const wchar_t* key : {kVendorKey, kInstallKey}) {
        tessalin::UniqueKey opened;
        DWORD disposition = 0;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            opened.put(), &disposition) != ERROR_SUCCESS) {
            break;
        }
        if (disposition == REG_CREATED_NEW_KEY) created_.push_back(key);
    }
    const LSTATUS status = RegSetKeyValueW(
        HKEY_LOCAL_MACHINE, kInstallKey, kInstallValue, REG_SZ, installFolder.c_str(),
        static_cast<DWORD>((installFolder.size() + 1) * sizeof(wchar_t)));
    written_ = status == ERROR_SUCCESS;
    std::wprintf(L"InstallPath = %ls (registry write: %ls)\n", installFolder.c_str(),
                 written_ ? L"done" : L"failed");
}

DemoInstallation::~DemoInstallation() {
    if (written_) RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kInstallKey, kInstallValue);
    for (auto key = created_.rbegin(); key != created_.rend(); ++key) {
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, *key);
    }
}

void DemoLocalization(const Demo& demo) {
    wchar_t folder[MAX_PATH + 16] = {};
    const auto length = demo.library.Call<std::int32_t>("GetMessagesFolder", folder);
    std::wprintf(L"GetMessagesFolder -> %d \"%ls\"\n", length, folder);

    for (const std::int32_t language : {kEnglish, kGerman, kAustrianGerman}) {
        wchar_t caption[512] = {};
        const auto needed = demo.library.Call<std::int32_t>(
            "FormatLocaleCaptionWS", language, std::int32_t{1}, L"Show %s1% on monitor %s2%.",
            static_cast<wchar_t*>(nullptr), L"Keynote", L"2");
        demo.library.Call<std::int32_t>("FormatLocaleCaptionWS", language, std::int32_t{1},
                                        L"Show %s1% on monitor %s2%.", caption, L"Keynote", L"2");
        std::wprintf(L"FormatLocaleCaptionWS(0x%04X, 1, ..., \"Keynote\", \"2\") -> %d \"%ls\"\n",
                     language, needed, Printable(caption).c_str());
    }
    ShowBox(demo, kEnglish, L"Keynote.tln");
    ShowBox(demo, kGerman, L"Vortrag.tln");
}
