// What the language files cost the host: loading and unloading the real DLL with the 40
// language files of the reader's benchmark in the messages folder, against the same with an
// empty messages folder, as a ratio measured in one run; and a caption looked up through the
// export.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "language_files.h"
#include "support/install_path.h"
#include "support/library.h"
#include "support/temp_folder.h"

using namespace testing_support;

namespace {

constexpr int kLoadsPerRound = 10;
constexpr int kRounds = 7;

using GetCaption = std::int32_t (*)(std::int32_t, std::int32_t, const wchar_t*, wchar_t*);

double Seconds(LARGE_INTEGER start, LARGE_INTEGER stop) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(stop.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Milliseconds per LoadLibraryW and FreeLibrary of the DLL, which reads its language files
// from the installation folder named in the registry.
double MillisecondsPerLoad(const std::wstring& installFolder) {
    SetInstallPath(installFolder);
    const std::wstring dll = DllPath();
    LARGE_INTEGER start, stop;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kLoadsPerRound; ++i) FreeLibrary(LoadLibraryW(dll.c_str()));
    QueryPerformanceCounter(&stop);
    return 1000.0 * Seconds(start, stop) / kLoadsPerRound;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Nanoseconds per GetLocaleCaptionWS call for each number in `numbers`.
double NanosecondsPerCaption(GetCaption get, std::int32_t language,
                             const std::vector<std::int32_t>& numbers) {
    constexpr int kRepeats = 200;
    static wchar_t buffer[4096];
    LARGE_INTEGER start, stop;
    QueryPerformanceCounter(&start);
    for (int r = 0; r < kRepeats; ++r) {
        for (const std::int32_t number : numbers) get(language, number, L"default", buffer);
    }
    QueryPerformanceCounter(&stop);
    return 1e9 * Seconds(start, stop) / (kRepeats * static_cast<double>(numbers.size()));
}

}  // namespace

int main() {
    TempFolder empty;
    CreateDirectoryW((empty / L"Messages").c_str(), nullptr);
    TempFolder full;
    const std::wstring messages = full / L"Messages";
    CreateDirectoryW(messages.c_str(), nullptr);
    for (const auto& [name, bytes] : bench::LanguageFiles()) {
        WriteFileBytes(messages + L"\\" + std::wstring(name.begin(), name.end()), bytes);
    }

    // Alternating, so that both see the same load on the machine.
    std::vector<double> withoutFiles, withFiles;
    for (int round = 0; round < kRounds; ++round) {
        withoutFiles.push_back(MillisecondsPerLoad(empty.path()));
        withFiles.push_back(MillisecondsPerLoad(full.path()));
    }
    const double base = Median(withoutFiles);
    const double loaded = Median(withFiles);
    std::printf("LoadLibraryW + FreeLibrary, median of %d rounds of %d:\n", kRounds,
                kLoadsPerRound);
    std::printf("  empty messages folder:  %8.2f ms\n", base);
    std::printf("  the 40 language files:  %8.2f ms\n", loaded);
    std::printf("  ratio files / empty: %.2f\n", loaded / base);

    SetInstallPath(full.path());
    {
        Library library;
        const auto get = library.Get<GetCaption>("GetLocaleCaptionWS");
        constexpr std::int32_t kLanguage = 0x0400 + bench::kLanguageFiles;  // the last file
        std::vector<std::int32_t> present, missing;
        for (int n = 0; n < bench::kLinesPerFile; n += bench::kMessageStep) {
            present.push_back(n);
            missing.push_back(-1 - n);
        }
        std::printf(
            "GetLocaleCaptionWS through the export, file of %d lines, mean over every "
            "message:\n",
            bench::kLinesPerFile);
        std::printf("  found:   %8.1f ns\n", NanosecondsPerCaption(get, kLanguage, present));
        std::printf("  missing: %8.1f ns\n", NanosecondsPerCaption(get, kLanguage, missing));
    }
    RemoveInstallKey();
    return 0;
}
