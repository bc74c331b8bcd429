// One language file in memory: its entries, each a (form name, component name) key with a
// caption and a hint.
//
// A file of a few KiB holds a few hundred entries, but a hostile or broken one may hold
// millions of tiny lines. So an entry does not own four strings: it is four spans into the
// file's own text.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "frame/text.h"
#include "localizer/text_decoding.h"

namespace tessalin {

struct TextSpan {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

// One entry line: fields 1 and 2 verbatim; fields 3 and 4 without their first and last
// characters, escapes replaced.
struct TStringResource {
    TextSpan FFormName;
    TextSpan FComponentName;
    TextSpan FCaption;
    TextSpan FHint;
};

struct TL10NResource {
    std::uint32_t FLocale = 0;              // set by the folder loader from the file name
    std::vector<TStringResource> FStrings;  // in line order, duplicates kept
    Text FText;  // the file's text, escapes in captions and hints replaced where they stand

    TextView View(TextSpan span) const { return TextView(FText).substr(span.offset, span.length); }

    // The first entry of the key sets caption and hint and gives true; without one, false and
    // the outputs are left alone.
    bool FindStringResource(TextView formName, TextView componentName, Text& caption,
                            Text& hint) const;
};

// Cuts `line` at every separator into at most fields.size() fields (the last one filled ends
// at the next separator like any other) and returns how many it filled.
std::size_t SplitFields(TextView line, char16_t separator, std::span<TextView> fields);

// Follows the reading of one file line by line. The translators' checker listens; the
// library reads without one. Line numbers are 1-based; CR, LF and CR LF each end a line.
class LoadListener {
  public:
    virtual ~LoadListener() = default;
    virtual void Decoded(const DecodedLanguageFile& file) = 0;
    // An entry line as written, before its escapes are replaced, and its first fields (at
    // most four: the loader ignores the rest). Called once per entry, in entry order.
    virtual void Entry(std::uint32_t line, TextView text, std::span<const TextView> fields) = 0;
    // A line that is neither empty nor a comment and has fewer than three fields.
    virtual void Skipped(std::uint32_t line, TextView text) = 0;
};

// Reads a whole language file's bytes into entries; FLocale is left 0 for the caller.
TL10NResource LoadL10NFile(std::string_view bytes, AnsiDecoder decodeAnsi,
                           LoadListener* listener = nullptr);

enum class LanguageNameProblem { kNone, kNoBaseName, kNotHexadecimal, kZero, kTooManyDigits };

struct LanguageName {
    std::uint32_t id = 0;  // 0 exactly when there is a problem
    LanguageNameProblem problem = LanguageNameProblem::kNone;
};

// The language identifier that a file name stands for: the name without its last extension,
// read as 1 to 8 significant hexadecimal digits (leading zeros allowed).
LanguageName ReadLanguageName(TextView fileName);

// The same, 0 when the name does not name a language file.
std::uint32_t LanguageIdFromFileName(TextView name);

}  // namespace tessalin
