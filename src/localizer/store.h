// The loaded language files: read once from the messages folder at start-up, looked up by
// language identifier afterwards, released at unload.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "frame/text.h"
#include "localizer/language_file.h"
#include "localizer/text_decoding.h"

namespace tessalin {

// The accepted files in the order of the sorted folder listing.
using TL10NResources = std::vector<TL10NResource>;

// Real language files are a few KiB; anything larger than this is not one and is skipped,
// so that no file can make start-up slow or take the host's memory.
inline constexpr std::uint64_t kMaxLanguageFileBytes = 16 * 1024 * 1024;

struct FolderEntry {
    Text name;  // the long name
    bool directory = false;
    std::uint64_t bytes = 0;
};

// The messages folder as the loader sees it; the DLL lists and reads the real one.
class LanguageFolder {
  public:
    virtual ~LanguageFolder() = default;
    // The entries that match "*.lcl", in any order.
    virtual std::vector<FolderEntry> List() = 0;
    // The whole file, or nothing when it cannot be read or holds more than maxBytes.
    virtual std::optional<std::string> Read(const Text& name, std::uint64_t maxBytes) = 0;
};

// Whether a long file name ends in ".lcl", in any case. The platform's pattern also matches
// short 8.3 names, so a backup such as "0409.lclold" comes back from the listing too.
bool HasLanguageFileExtension(TextView name);

enum class FolderEntryVerdict { kLanguageFile, kDirectory, kOtherExtension, kTooLarge, kBadName };

// Whether the loader reads a listed entry, and why not.
FolderEntryVerdict JudgeFolderEntry(const FolderEntry& entry);

// The loader's order: by file name, ordinal with ASCII letters compared without case (the
// order an NTFS listing gives), ties by code units, so that files of equal identifier always
// meet in the same order.
void SortLikeLoader(std::vector<FolderEntry>& entries);

// Reads every language file of the folder in the loader's order. Directories, names that do
// not name a language, files over the size limit and files that cannot be read are skipped.
TL10NResources ReadL10NResources(LanguageFolder& folder, AnsiDecoder decodeAnsi);

// The file for a language: the first whose identifier equals it, else the last whose
// identifier is its primary language (its low 10 bits) alone, else none.
const TL10NResource* FindL10NResource(const TL10NResources& files, std::uint32_t language);

// The library-wide store, read-only between start-up and unload.
const TL10NResources& L10NResources() noexcept;
void InstallL10NResources(TL10NResources files) noexcept;
// Releases every file and the store's own storage.
void FreeL10NResources() noexcept;

}  // namespace tessalin
