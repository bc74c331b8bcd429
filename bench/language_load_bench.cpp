// Start-up reads every language file on the host's launch path. This measures the reader's
// throughput over a realistic set of files (40 languages of 2,000 entries) next to a plain
// scan of the same bytes for line breaks, the least any reader has to do; the memory the store
// keeps, for those files and for the worst content within the size limit; and lookups.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>

#include "language_files.h"
#include "localizer/locale_strings.h"
#include "localizer/store.h"

namespace {

using tessalin::Text;

Text Latin1(std::string_view bytes) {
    return Text(bytes.begin(), bytes.end());
}

class MemoryFolder final : public tessalin::LanguageFolder {
  public:
    std::map<Text, std::string> files;

    std::vector<tessalin::FolderEntry> List() override {
        std::vector<tessalin::FolderEntry> entries;
        for (const auto& [name, bytes] : files) entries.push_back({name, false, bytes.size()});
        return entries;
    }
    std::optional<std::string> Read(const Text& name, std::uint64_t) override {
        return files.at(name);
    }
};

template <class Work>
double SecondsPerRun(int runs, Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / runs;
}

// Seconds per run of each work, the median of rounds in which they take turns, so that other
// work on the machine weighs on all of them alike.
template <class... Work>
std::array<double, sizeof...(Work)> MedianSecondsPerRun(int runsPerRound, Work&&... work) {
    constexpr int kRounds = 11;
    std::array<std::vector<double>, sizeof...(Work)> seconds;
    for (int round = 0; round < kRounds; ++round) {
        std::size_t i = 0;
        ((seconds[i++].push_back(SecondsPerRun(runsPerRound, work))), ...);
    }
    std::array<double, sizeof...(Work)> medians;
    for (std::size_t i = 0; i < medians.size(); ++i) {
        std::sort(seconds[i].begin(), seconds[i].end());
        medians[i] = seconds[i][kRounds / 2];
    }
    return medians;
}

// What the store keeps of a folder's files once they are read, by the allocator's own count.
std::size_t KeptByStore(MemoryFolder& folder) {
    const auto allocated = [] {
        return mallinfo2().uordblks + mallinfo2().hblkhd;
    };
    const std::size_t before = allocated();
    const tessalin::TL10NResources files = tessalin::ReadL10NResources(folder, Latin1);
    return allocated() - before;
}

// `line` after `signature` as often as the size limit allows.
std::string Repeated(std::string signature, std::string_view line) {
    while (signature.size() + line.size() <= tessalin::kMaxLanguageFileBytes) signature += line;
    return signature;
}

}  // namespace

int main() {
    MemoryFolder folder;
    std::size_t total = 0;
    for (auto& [name, bytes] : bench::LanguageFiles(
             [](const std::string& text) { return *tessalin::DecodeUtf8(text); })) {
        total += bytes.size();
        folder.files[Text(name.begin(), name.end())] = std::move(bytes);
    }
    std::size_t entries = 0;
    const auto load = [&] {
        const tessalin::TL10NResources files = tessalin::ReadL10NResources(folder, Latin1);
        entries = 0;
        for (const auto& file : files) entries += file.FStrings.size();
    };
    // The plain scan copies each file as the loader's Read does, then counts its line breaks.
    std::size_t breaks = 0;
    const auto scan = [&] {
        breaks = 0;
        for (const auto& [name, bytes] : folder.files) {
            const std::string copy = *folder.Read(name, 0);
            breaks += static_cast<std::size_t>(std::count(copy.begin(), copy.end(), '\n'));
        }
    };
    const std::size_t kept = KeptByStore(folder);
    // With fresh memory, every page the store keeps is new to the process, and the first
    // write to a page costs far more than the reader's work on it: no reader can be faster
    // than the plain scan plus writing as many bytes into fresh memory.
    const auto touch = [&] {
        std::vector<std::unique_ptr<char[]>> blocks;  // all kept, as the store keeps its files
        for (std::size_t i = 0; i < folder.files.size(); ++i) {
            blocks.emplace_back(new char[kept / folder.files.size()]);
            std::memset(blocks.back().get(), 1, kept / folder.files.size());
        }
    };
    const double megabytes = static_cast<double>(total) / (1024.0 * 1024.0);
    const auto report = [&](const char* how, bool fresh) {
        const auto [reader, plain, touched] =
            MedianSecondsPerRun(2, load, scan, [&] { fresh ? touch() : void(); });
        std::printf("%s\n", how);
        std::printf("  reader:     %8.1f MiB/s  (%.2f ms per start-up)\n", megabytes / reader,
                    reader * 1000.0);
        std::printf("  plain scan: %8.1f MiB/s  (%.2f ms)\n", megabytes / plain, plain * 1000.0);
        std::printf("  reader takes %.1fx the time of the plain scan\n", reader / plain);
        if (!fresh) return;
        std::printf(
            "  floor: plain scan + writing the store's %.2f MiB to fresh memory: %.2f ms;"
            " reader takes %.1fx the floor\n",
            static_cast<double>(kept) / (1024.0 * 1024.0), (plain + touched) * 1000.0,
            reader / (plain + touched));
    };
    report("fresh memory for the store at every load, as at start-up:", true);
    // The store keeps more than a byte per byte read. Handing that memory back to the system
    // after each run makes every load pay for touching new pages; keeping it shows the
    // reader's own work.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
    report("memory kept by the allocator between loads:", false);
    std::printf("language files: 40, %.2f MiB, %zu entries, %zu line breaks\n", megabytes, entries,
                breaks);

    // The worst content within the size limit: entries as short as the format allows, in each
    // encoding, escapes, one long caption.
    std::printf("memory kept by the store (allocator's count), bytes per file byte:\n");
    std::printf("  the 40 files:                  %5.2f\n", double(kept) / double(total));
    std::string tabs = "~~\"";
    for (int i = 0; i < 60; ++i) tabs += "<9>";
    const std::pair<const char*, std::string> worst[] = {
        {"ANSI, lines ~~ LF", Repeated("", "~~\n")},
        {"ANSI, lines ~~ CR LF", Repeated("", "~~\r\n")},
        {"UTF-8, lines ~~ LF", Repeated("\xEF\xBB\xBF", "~~\n")},
        {"UTF-16, lines ~~ LF", Repeated("\xFF\xFE", std::string_view("~\0~\0\n\0", 6))},
        {"ANSI, captions of 60 escapes", Repeated("", tabs + "\"\n")},
        {"ANSI, one long caption", "~~\"" + Repeated("", "x").substr(4) + "\""},
    };
    for (const auto& [name, bytes] : worst) {
        MemoryFolder one;
        one.files[u"0409.lcl"] = bytes;
        std::printf("  %-29s %5.2f\n", name, double(KeptByStore(one)) / double(bytes.size()));
    }

    const tessalin::TL10NResources files = tessalin::ReadL10NResources(folder, Latin1);
    const tessalin::TL10NResource& file = *tessalin::FindL10NResource(files, bench::kLastLanguage);
    std::vector<Text> controls;
    for (int i = 1; i < bench::kLinesPerFile; i += bench::kMessageStep) {
        const std::string name = "Control" + std::to_string(i);
        controls.emplace_back(name.begin(), name.end());
    }
    Text caption;
    Text hint;
    const std::pair<const char*, std::function<std::size_t(int)>> lookups[] = {
        {"message (GetLocaleString)",
         [&](int i) {
             return tessalin::GetLocaleString(files, bench::kLastLanguage, i * bench::kMessageStep,
                                              u"default")
                 .size();
         }},
        {"caption (FindStringResource)",
         [&](int i) {
             return file.FindStringResource(u"NotesForm", controls[i], caption, hint);
         }},
        {"missing message (GetLocaleString)",
         [&](int i) {
             return tessalin::GetLocaleString(files, bench::kLastLanguage, -1 - i, u"default")
                 .size();
         }},
    };
    std::printf("lookups in a file of %d lines, mean over every key:\n", bench::kLinesPerFile);
    constexpr int kKeys = bench::kLinesPerFile / bench::kMessageStep;
    for (const auto& lookup : lookups) {
        std::size_t sink = 0;
        const auto [seconds] = MedianSecondsPerRun(20, [&] {
            for (int i = 0; i < kKeys; ++i) sink += lookup.second(i);
        });
        std::printf("  %-34s %7.1f ns%s\n", lookup.first, seconds * 1e9 / kKeys,
                    sink == 1 ? " " : "");
    }
    return 0;
}
