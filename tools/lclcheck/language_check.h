// lclcheck's findings: how the library will read each language file of a folder, and what of
// the translators' text it will never show.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "frame/text.h"
#include "localizer/store.h"
#include "localizer/text_decoding.h"

namespace tessalin::lclcheck {

enum class Problem {
    // The file as a whole.
    kNotLanguageFile,       // dropped: its name gives no language (detail says why)
    kNotLclFile,            // not listed at all: its name does not end in .lcl
    kDirectory,             // a folder with a language file's name
    kTooLarge,              // over the loader's size limit: skipped
    kUnreadable,            // cannot be opened or read: skipped
    kSameLanguageAs,        // another file of the same language comes first (detail: its name)
    kUtf8WithoutSignature,  // non-ASCII UTF-8 read in the ANSI code page: garbled
    kInvalidUtf8,           // the whole text dropped (line: where the fault stands)
    kTextAfterNul,          // a NUL ends the text early (line: where it stands)
    // One line.
    kTooFewFields,          // skipped
    kDuplicateKey,          // never seen (detail: the line of the first)
    kNotEnclosed,           // field 3 or 4 loses its first and last characters (detail: which)
    kExtraFields,           // text after the fourth field is ignored
    kMessageKeyNeverAsked,  // an "<SP>" key that no message number is looked up by
    // Against the reference file; these lose nothing of this file.
    kLacksKey,   // detail: the key
    kExcessKey,  // detail: the key
};

// Whether the library loses a translator's text through this problem.
bool LosesText(Problem problem);

struct Finding {
    Problem problem;
    std::uint32_t line = 0;  // 0 for the file as a whole
    std::string detail;      // UTF-8
};

struct FileReport {
    Text name;
    std::uint32_t language = 0;  // 0 when the library does not load the file
    std::optional<LanguageFileEncoding> encoding;
    std::size_t entries = 0;
    std::vector<std::string> keys;  // "form~component" once each, in the order of first lines
    std::vector<Finding> findings;

    bool LosesText() const;
};

// Every file of the folder as the library would load it, in the loader's order. Entries of the
// listing that do not end in .lcl are reported as such (a listing of a real folder leaves
// them out; one of files named on the command line does not).
std::vector<FileReport> CheckFolder(LanguageFolder& folder, AnsiDecoder decodeAnsi);

// Adds to every loaded file other than the reference the keys it lacks and has in excess of
// the reference: the first file of that language. False when there is no such file.
bool CompareWithReference(std::vector<FileReport*> files, std::uint32_t reference);

// "0x0409 (1033)".
std::string LanguageText(std::uint32_t language);

std::string ToUtf8(TextView text);

// The report of one file, its name preceded by `prefix` (the folder).
void Print(const FileReport& report, const std::string& prefix, std::ostream& out);

}  // namespace tessalin::lclcheck
