// Start-up reads every language file on the host's launch path. This measures the reader's
// throughput over a realistic set of files (40 languages of 2,000 entries) next to a plain
// scan of the same bytes for line breaks, the least any reader has to do.
#include <malloc.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "localizer/store.h"

namespace {

using tessalin::Text;

Text Latin1(std::string_view bytes) {
    return Text(bytes.begin(), bytes.end());
}

std::string FileFor(int language, bool utf16) {
    std::u16string text = u"; Texts of language " + Text(u"0123456789") + u"\r\n\r\n";
    for (int i = 0; i < 2000; ++i) {
        const std::string number = std::to_string(i);
        const Text n(number.begin(), number.end());
        switch (i % 4) {
            case 0:
                text += u"<SP>~" + n + u"~\"Die Datei \u201E%s1%\u201C wurde nicht gefunden." +
                        u"<13><10>Bitte pr\u00FCfen Sie den Pfad.\"\r\n";
                break;
            case 1:
                text += u"NotesForm~Control" + n + u"~\"Gr\u00F6\u00DFer " + n +
                        u"\"~\"Vergr\u00F6\u00DFert den Text der Notizen\"\r\n";
                break;
            case 2:
                text += u"<ALL>~Button" + n + u"~\"Schlie\u00DFen\"\r\n";
                break;
            default:
                text += u"; section " + n + u"\r\n";
                break;
        }
    }
    std::string bytes;
    if (utf16) {
        bytes = "\xFF\xFE";
        for (const char16_t unit : text) {
            bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        }
        return bytes;
    }
    bytes = "\xEF\xBB\xBF";
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            bytes += static_cast<char>(unit);
        } else if (unit < 0x800) {
            bytes +=
                {static_cast<char>(0xC0 | (unit >> 6)), static_cast<char>(0x80 | (unit & 0x3F))};
        } else {
            bytes += {static_cast<char>(0xE0 | (unit >> 12)),
                      static_cast<char>(0x80 | ((unit >> 6) & 0x3F)),
                      static_cast<char>(0x80 | (unit & 0x3F))};
        }
    }
    static_cast<void>(language);
    return bytes;
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

}  // namespace

int main() {
    MemoryFolder folder;
    std::size_t total = 0;
    for (int language = 1; language <= 40; ++language) {
        char name[16];
        std::snprintf(name, sizeof name, "%04X.lcl", 0x0400 + language);
        const std::string narrow(name);
        auto& bytes = folder.files[Text(narrow.begin(), narrow.end())];
        bytes = FileFor(language, language % 5 == 0);  // every fifth file in UTF-16
        total += bytes.size();
    }
    constexpr int kRuns = 20;
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
    const double megabytes = static_cast<double>(total) / (1024.0 * 1024.0);
    const auto report = [&](const char* how) {
        const double reader = SecondsPerRun(kRuns, load);
        const double plain = SecondsPerRun(kRuns, scan);
        std::printf("%s\n", how);
        std::printf("  reader:     %8.1f MiB/s  (%.2f ms per start-up)\n", megabytes / reader,
                    reader * 1000.0);
        std::printf("  plain scan: %8.1f MiB/s  (%.2f ms)\n", megabytes / plain, plain * 1000.0);
        std::printf("  reader takes %.1fx the time of the plain scan\n", reader / plain);
    };
    report("fresh memory for the store at every load, as at start-up:");
    // The store keeps about two bytes per byte read. Handing that memory back to the system
    // after each run makes every load pay for touching new pages; keeping it shows the
    // reader's own work.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
    report("memory kept by the allocator between loads:");
    std::printf("language files: 40, %.2f MiB, %zu entries, %zu line breaks\n", megabytes, entries,
                breaks);
    return 0;
}
