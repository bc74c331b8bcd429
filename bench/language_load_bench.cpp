// Start-up reads every language file on the host's launch path. This measures the reader's
// throughput over a realistic set of files (40 languages of 2,000 lines) next to a plain scan
// of the same bytes for line breaks, the least any reader has to do; the memory the store
// keeps, for those files and for the worst content within the size limit; and lookups.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

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

// What the allocator hands out, by its own count: the heap's chunks in use and mapped chunks.
std::size_t AllocatedBytes() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

struct KeptMemory {
    std::size_t bytes = 0;
    std::size_t entries = 0;
};

// What the store keeps of a folder's files once they are read.
KeptMemory KeptByStore(MemoryFolder& folder) {
    const std::size_t before = AllocatedBytes();
    const tessalin::TL10NResources files = tessalin::ReadL10NResources(folder, Latin1);
    KeptMemory kept{AllocatedBytes() - before, 0};
    for (const auto& file : files) kept.entries += file.FStrings.size();
    return kept;
}

std::string Repeated(std::string_view signature, std::string_view line) {
    constexpr std::size_t kCap = tessalin::kMaxLanguageFileBytes;
    std::string bytes(signature);
    while (bytes.size() + line.size() <= kCap) bytes += line;
    return bytes;
}

std::string Utf16Le(std::string_view ascii) {
    std::string bytes;
    for (const char c : ascii) bytes += {c, '\0'};
    return bytes;
}

// Entry lines of distinct keys: a form name of two printable characters, a component name of
// one.
std::string DistinctShortKeys() {
    std::string bytes;
    for (int i = 0; bytes.size() + 6 <= tessalin::kMaxLanguageFileBytes; ++i) {
        const auto letter = [&](int k) {
            return static_cast<char>('!' + (i / k) % 93);
        };
        const char first = letter(1) == ';' ? '~' + 1 : letter(1);  // never a comment
        bytes += {first, letter(93), '~', letter(93 * 93), '~', '\n'};
    }
    return bytes;
}

// Contents within the size limit that make the store keep the most per byte read: entries as
// short as the format allows, escapes, long text in each encoding.
std::vector<std::pair<const char*, std::string>> WorstCaseCandidates() {
    const std::string escapes = "~~\"" + [] {
        std::string all;
        for (int i = 0; i < 60; ++i) all += "<9>";
        return all;
    }() + "\"\n";
    return {
        {"ANSI, lines ~~ LF", Repeated("", "~~\n")},
        {"ANSI, lines ~~ CR LF", Repeated("", "~~\r\n")},
        {"ANSI, lines ~~~ LF", Repeated("", "~~~\n")},
        {"UTF-8, lines ~~ LF", Repeated("\xEF\xBB\xBF", "~~\n")},
        {"UTF-16, lines ~~ LF", Repeated("\xFF\xFE", Utf16Le("~~\n"))},
        {"ANSI, captions of 60 escapes", Repeated("", escapes)},
        {"ANSI, distinct 3-letter keys", DistinctShortKeys()},
        {"ANSI, one long caption", "~~\"" + Repeated("", "x").substr(4) + "\""},
        {"UTF-8, one long ASCII caption", "\xEF\xBB\xBF~~\"" + Repeated("", "x").substr(7) + "\""},
        {"UTF-16, one long caption",
         Repeated("\xFF\xFE", Utf16Le("x")).replace(2, 6, Utf16Le("~~\""))},
    };
}

// Nanoseconds per call of `lookup(i)` for every i in [0, count).
template <class Lookup>
double NanosecondsPerLookup(int count, Lookup&& lookup) {
    std::size_t sink = 0;
    const auto [seconds] = MedianSecondsPerRun(20, [&] {
        for (int i = 0; i < count; ++i) sink += lookup(i);
    });
    if (sink == 1) std::printf(" ");
    return seconds * 1e9 / count;
}

}  // namespace

int main() {
    MemoryFolder folder;
    std::size_t total = 0;
    for (auto& [name, bytes] : bench::LanguageFiles()) {
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
    const KeptMemory kept = KeptByStore(folder);
    // With fresh memory, every page the store keeps is new to the process, and the first
    // write to a page costs far more than the reader's work on it: no reader can be faster
    // than the plain scan plus writing as many bytes into fresh memory.
    const auto touch = [&] {
        std::vector<std::unique_ptr<char[]>> blocks;
        const std::size_t block = kept.bytes / folder.files.size();
        for (std::size_t i = 0; i < folder.files.size(); ++i) {
            blocks.emplace_back(new char[block]);
            std::memset(blocks.back().get(), 1, block);
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
        if (fresh) {
            const double floor = plain + touched;
            std::printf(
                "  floor: plain scan + writing the store's %.2f MiB to fresh memory: "
                "%.2f ms; reader takes %.1fx the floor\n",
                static_cast<double>(kept.bytes) / (1024.0 * 1024.0), floor * 1000.0,
                reader / floor);
        }
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

    std::printf("memory kept by the store (allocator's count), bytes per file byte:\n");
    std::printf("  the 40 files:                    %5.2f\n",
                static_cast<double>(kept.bytes) / static_cast<double>(total));
    double worst = 0;
    const char* worstName = "";
    for (auto& [name, bytes] : WorstCaseCandidates()) {
        MemoryFolder one;
        const std::size_t size = bytes.size();
        one.files[u"0409.lcl"] = std::move(bytes);
        const KeptMemory keptOne = KeptByStore(one);
        const double perByte = static_cast<double>(keptOne.bytes) / static_cast<double>(size);
        std::printf("  %-31s %5.2f  (%.2f MiB, %zu entries)\n", name, perByte,
                    static_cast<double>(size) / (1024.0 * 1024.0), keptOne.entries);
        if (perByte > worst) {
            worst = perByte;
            worstName = name;
        }
    }
    std::printf("  worst case: %s, %.2f bytes per file byte\n", worstName, worst);

    const tessalin::TL10NResources files = tessalin::ReadL10NResources(folder, Latin1);
    constexpr std::uint32_t kLanguage = 0x0400 + bench::kLanguageFiles;  // the last file
    const tessalin::TL10NResource& file = *tessalin::FindL10NResource(files, kLanguage);
    constexpr int kMessages = bench::kLinesPerFile / bench::kMessageStep;
    std::vector<Text> controls;
    for (int i = 1; i < bench::kLinesPerFile; i += 4) {
        const std::string name = "Control" + std::to_string(i);
        controls.emplace_back(name.begin(), name.end());
    }
    Text caption;
    Text hint;
    std::printf("lookups in a file of %d lines, mean over every key:\n", bench::kLinesPerFile);
    std::printf("  message (GetLocaleString):         %7.1f ns\n",
                NanosecondsPerLookup(kMessages, [&](int i) {
                    return tessalin::GetLocaleString(files, kLanguage, i * bench::kMessageStep,
                                                     u"default")
                        .size();
                }));
    std::printf("  caption (FindStringResource):      %7.1f ns\n",
                NanosecondsPerLookup(static_cast<int>(controls.size()), [&](int i) {
                    return file.FindStringResource(u"NotesForm", controls[i], caption, hint);
                }));
    std::printf("  missing message (GetLocaleString): %7.1f ns\n",
                NanosecondsPerLookup(kMessages, [&](int i) {
                    return tessalin::GetLocaleString(files, kLanguage, -1 - i, u"default").size();
                }));
    return 0;
}
