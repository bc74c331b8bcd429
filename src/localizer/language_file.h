// One language file in memory: its entries, each a (form name, component name) key with a
// caption and a hint.
//
// A file of a few KiB holds a few hundred entries, but a hostile or broken one may hold
// millions of tiny lines. So the file's text keeps only the four fields of each entry, one
// after the other and entries in line order, and an entry is kept in eight bytes: where its
// fields start and how long the first three are; the hint runs up to the next entry.
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
// characters, escapes replaced. Spans into the file's text.
struct TStringResource {
    TextSpan FFormName;
    TextSpan FComponentName;
    TextSpan FCaption;
    TextSpan FHint;
};

// The entries of one file in line order, duplicates kept.
class TStringResources {
  public:
    class Iterator {
      public:
        Iterator(const TStringResources* entries, std::size_t index)
            : entries_(entries), index_(index) {}
        TStringResource operator*() const noexcept { return (*entries_)[index_]; }
        Iterator& operator++() noexcept {
            ++index_;
            return *this;
        }
        bool operator==(const Iterator&) const = default;

      private:
        const TStringResources* entries_;
        std::size_t index_;
    };

    std::size_t size() const noexcept { return entries_.size(); }
    bool empty() const noexcept { return entries_.empty(); }
    TStringResource operator[](std::size_t index) const noexcept;
    TStringResource back() const noexcept { return (*this)[size() - 1]; }
    Iterator begin() const noexcept { return {this, 0}; }
    Iterator end() const noexcept { return {this, size()}; }

    // The next entry: its fields start at `start` in the text, the first three have the
    // given lengths.
    void Add(std::uint32_t start, std::uint32_t form, std::uint32_t component,
             std::uint32_t caption);
    // After the last entry, with the length of the text: frees the room left over.
    void Close(std::uint32_t textSize);

    // The index of the first entry of the key in `text`, or size() when none has it.
    std::size_t Find(TextView text, TextView formName, TextView componentName) const noexcept;

  private:
    struct Entry {
        std::uint32_t start;
        // The lengths of form name, component name and caption in 8, 8 and 15 bits, or, with
        // kLong set, the index of the entry's lengths in long_.
        std::uint32_t lengths;
    };
    static constexpr std::uint32_t kMaxName = 0xFF;
    static constexpr std::uint32_t kMaxCaption = 0x7FFF;
    static constexpr std::uint32_t kNames = 0xFFFF;  // the bits of both names' lengths
    static constexpr std::uint32_t kLong = 0x8000'0000;
    struct Lengths {
        std::uint32_t form;
        std::uint32_t component;
        std::uint32_t caption;
        std::uint32_t entry;  // the index of the entry that has them
    };

    Lengths LengthsOf(Entry entry) const noexcept;

    std::vector<Entry> entries_;
    std::vector<Lengths> long_;  // of the rare entries whose lengths do not fit
    std::uint32_t textSize_ = 0;
};

struct TL10NResource {
    std::uint32_t FLocale = 0;  // set by the folder loader from the file name
    TStringResources FStrings;
    TextBuffer FText;  // the fields of the entries, escapes replaced

    TextView View(TextSpan span) const { return FText.View().substr(span.offset, span.length); }

    // The first entry of the key sets caption and hint and gives true; without one, false and
    // the outputs are left alone.
    bool FindStringResource(TextView formName, TextView componentName, Text& caption,
                            Text& hint) const;
};

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
// `scratch` takes the decoded text on the way; the folder loader passes the same one for
// every file.
TL10NResource LoadL10NFile(std::string_view bytes, AnsiDecoder decodeAnsi, TextBuffer& scratch,
                           LoadListener* listener = nullptr);
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
