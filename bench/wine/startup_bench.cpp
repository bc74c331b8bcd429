// What the language files cost the host: loading and unloading the real DLL with the 40
// language files of the reader's benchmark in the messages folder, against the same with an
// empty messages folder, as a ratio measured in one run.
#include <windows.h>

#include <algorithm>
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

// Seconds that `work` takes.
template <class Work>
double SecondsFor(Work&& work) {
    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&stop);
    return double(stop.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::u16string Utf16(const std::string& utf8) {
    std::u16string text(utf8.size(), u'\0');
    text.resize(static_cast<std::size_t>(MultiByteToWideChar(
        CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
        reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
    return text;
}

// Milliseconds per LoadLibraryW and FreeLibrary of the DLL, which reads its language files
// from the installation folder named in the registry.
double MillisecondsPerLoad(const std::wstring& installFolder) {
    SetInstallPath(installFolder);
    return 1000.0 * SecondsFor([] {
               for (int i = 0; i < kLoadsPerRound; ++i)
                   FreeLibrary(LoadLibraryW(DllPath().c_str()));
           }) /
           kLoadsPerRound;
}

}  // namespace

int main() {
    TempFolder empty;
    CreateDirectoryW((empty / L"Messages").c_str(), nullptr);
    TempFolder full;
    const std::wstring messages = full / L"Messages";
    CreateDirectoryW(messages.c_str(), nullptr);
    for (const auto& [name, bytes] : bench::LanguageFiles(Utf16)) {
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

    RemoveInstallKey();
    return 0;
}
