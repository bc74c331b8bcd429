// The installation's language files as the library finds them. Only read: the check writes no
// registry value, so on a machine where nothing is installed there is nothing to compare.
#include <cstdint>

#include "check.h"

namespace fieldcheck {

void CheckLocalisation(const FieldCheck& check) {
    wchar_t install[32768] = {};
    DWORD bytes = sizeof install;
    // As the library reads it: either string type, never expanded.
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Brackwood\\Tessaline", L"InstallPath",
                     RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, install,
                     &bytes) != ERROR_SUCCESS ||
        install[0] == L'\0') {
        check.report.Skip(L"localisation",
                          L"not installed (no InstallPath under "
                          L"HKEY_LOCAL_MACHINE\\Software\\Brackwood\\Tessaline)");
        return;
    }
    std::wstring expected = install;
    if (expected.back() != L'\\') expected += L'\\';
    expected += L"Messages";
    const auto length = check.library.Call<std::int32_t>("GetMessagesFolder", nullptr);
    std::wstring folder(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    check.library.Call<std::int32_t>("GetMessagesFolder", folder.data());
    folder.resize(static_cast<std::size_t>(length > 0 ? length : 0));

    int files = 0;
    WIN32_FIND_DATAW found{};
    const tessalin::UniqueFind find(FindFirstFileW((expected + L"\\*.lcl").c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.get(), &found)) {
        files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
    check.report.Expect(
        folder == expected, L"localisation",
        Format(L"InstallPath %ls; the library's messages folder %ls%ls; %d file(s) *.lcl there; "
               L"user's language 0x%04X",
               install, folder.c_str(),
               folder == expected ? L"" : (L", expected " + expected).c_str(), files,
               GetUserDefaultLangID()));
}

}  // namespace fieldcheck
