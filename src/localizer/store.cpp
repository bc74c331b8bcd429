#include "localizer/store.h"

#include <algorithm>
#include <compare>

namespace tessalin {
namespace {

TL10NResources g_l10nResources;

char16_t AsciiUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c;
}

bool ListingOrder(const FolderEntry& left, const FolderEntry& right) {
    const auto folded = std::lexicographical_compare_three_way(
        left.name.begin(), left.name.end(), right.name.begin(), right.name.end(),
        [](char16_t a, char16_t b) { return AsciiUpper(a) <=> AsciiUpper(b); });
    return folded != 0 ? folded < 0 : left.name < right.name;
}

}  // namespace

bool HasLanguageFileExtension(TextView name) {
    constexpr TextView kExtension = u".LCL";
    if (name.size() < kExtension.size()) return false;
    const TextView tail = name.substr(name.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                      [](char16_t c, char16_t upper) { return AsciiUpper(c) == upper; });
}

FolderEntryVerdict JudgeFolderEntry(const FolderEntry& entry) {
    if (entry.directory) return FolderEntryVerdict::kDirectory;
    if (!HasLanguageFileExtension(entry.name)) return FolderEntryVerdict::kOtherExtension;
    if (LanguageIdFromFileName(entry.name) == 0) return FolderEntryVerdict::kBadName;
    if (entry.bytes > kMaxLanguageFileBytes) return FolderEntryVerdict::kTooLarge;
    return FolderEntryVerdict::kLanguageFile;
}

void SortLikeLoader(std::vector<FolderEntry>& entries) {
    std::sort(entries.begin(), entries.end(), ListingOrder);
}

TL10NResources ReadL10NResources(LanguageFolder& folder, AnsiDecoder decodeAnsi) {
    std::vector<FolderEntry> entries = folder.List();
    std::erase_if(entries, [](const FolderEntry& entry) {
        return JudgeFolderEntry(entry) != FolderEntryVerdict::kLanguageFile;
    });
    SortLikeLoader(entries);
    TL10NResources files;
    files.reserve(entries.size());
    // Each file is decoded into the memory the one before used.
    TextBuffer scratch;
    for (const FolderEntry& entry : entries) {
        const std::optional<std::string> bytes = folder.Read(entry.name, kMaxLanguageFileBytes);
        if (!bytes) continue;
        TL10NResource& file = files.emplace_back(LoadL10NFile(*bytes, decodeAnsi, scratch));
        file.FLocale = LanguageIdFromFileName(entry.name);
    }
    return files;
}

const TL10NResource* FindL10NResource(const TL10NResources& files, std::uint32_t language) {
    const std::uint32_t primary = language & 0x3FF;
    const TL10NResource* fallback = nullptr;
    for (const TL10NResource& file : files) {
        if (file.FLocale == language) return &file;
        if (file.FLocale == primary) fallback = &file;
    }
    return fallback;
}

const TL10NResources& L10NResources() noexcept {
    return g_l10nResources;
}

void InstallL10NResources(TL10NResources files) noexcept {
    g_l10nResources = std::move(files);
}

void FreeL10NResources() noexcept {
    TL10NResources().swap(g_l10nResources);
}

}  // namespace tessalin
