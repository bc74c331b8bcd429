// The add-in's settings folder under the user's application data, its empty UTF-16 settings
// file, and a relative path between two session files.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "demo_steps.h"

void DemoFiles(const Demo& demo) {
    const hostkit::Library& lib = demo.library;
    wchar_t buffer[2048];
    const auto appDataLength = lib.Call<std::int32_t>("UserAppDataFolder", buffer);
    const std::wstring appData(buffer);
    std::wprintf(L"UserAppDataFolder -> %d \"%ls\"\n", appDataLength, appData.c_str());

    const std::wstring settings = appData + L"\\Tessaline\\Settings";
    lib.Call<void>("LForceMkDir", settings.c_str());
    const auto exists = lib.Call<std::uint64_t>("LFolderExists", settings.c_str());
    std::wprintf(L"LForceMkDir(\"%ls\"); LFolderExists -> 0x%llX\n", settings.c_str(),
                 static_cast<unsigned long long>(exists));

    const std::wstring ini = settings + L"\\Tessaline.ini";
    lib.Call<void>("CreateUnicodeIniFile", ini.c_str());
    std::wprintf(
        L"CreateUnicodeIniFile(\"%ls\"); LFileExists -> 0x%llX\n", ini.c_str(),
        static_cast<unsigned long long>(lib.Call<std::uint64_t>("LFileExists", ini.c_str())));

    const wchar_t* base = L"C:\\Talks\\2026\\Keynote\\keynote.tln";
    const wchar_t* target = L"C:\\Talks\\2026\\Media\\intro.avi";
    const auto length = lib.Call<std::int32_t>("RelativePath", base, target, buffer);
    std::wprintf(L"RelativePath(\"%ls\", \"%ls\") -> %d \"%ls\"\n", base, target, length, buffer);

    const auto curLength = lib.Call<std::int32_t>("LCurDir", buffer);
    std::wprintf(L"LCurDir -> %d \"%ls\"\n", curLength, buffer);
}
