#include "localizer/language_file.h"

#include <array>
#include <bit>
#include <limits>

#include "localizer/replace_patterns.h"
#include "localizer/unit_blocks.h"

namespace tessalin {

TStringResources::Lengths TStringResources::LengthsOf(Entry entry) const noexcept {
    if ((entry.lengths & kLong) != 0) return long_[entry.lengths & ~kLong];
    return {entry.lengths & kMaxName, (entry.lengths >> 8) & kMaxName, entry.lengths >> 16, 0};
}

TStringResource TStringResources::operator[](std::size_t index) const noexcept {
    const Entry entry = entries_[index];
    const Lengths lengths = LengthsOf(entry);
    const std::uint32_t end = index + 1 < entries_.size() ? entries_[index + 1].start : textSize_;
    std::uint32_t at = entry.start;
    const auto next = [&](std::uint32_t length) {
        const TextSpan span{at, length};
        at += length;
        return span;
    };
    TStringResource resource;
    resource.FFormName = next(lengths.form);
    resource.FComponentName = next(lengths.component);
    resource.FCaption = next(lengths.caption);
    resource.FHint = next(end - at);
    return resource;
}

void TStringResources::Add(std::uint32_t start, std::uint32_t form, std::uint32_t component,
                           std::uint32_t caption) {
    if (form <= kMaxName && component <= kMaxName && caption <= kMaxCaption) {
        entries_.push_back({start, form | component << 8 | caption << 16});
    } else {
        long_.push_back({form, component, caption, static_cast<std::uint32_t>(entries_.size())});
        entries_.push_back({start, kLong | static_cast<std::uint32_t>(long_.size() - 1)});
    }
}

void TStringResources::Close(std::uint32_t textSize) {
    textSize_ = textSize;
    entries_.shrink_to_fit();
    long_.shrink_to_fit();
}

std::size_t TStringResources::Find(TextView text, TextView formName,
                                   TextView componentName) const noexcept {
    const auto named = [&](const Entry& entry) {
        return text.substr(entry.start + formName.size(), componentName.size()) == componentName &&
               text.substr(entry.start, formName.size()) == formName;
    };
    // The first long entry of the key, if any, ends the search among the others.
    std::size_t found = size();
    for (const Lengths& lengths : long_) {
        if (lengths.form == formName.size() && lengths.component == componentName.size() &&
            named(entries_[lengths.entry])) {
            found = lengths.entry;
            break;
        }
    }
    // The others are passed over on the lengths of their names, which the entry holds. A key
    // too long for them matches the lengths of none (neither kLong nor within kNames).
    const std::uint32_t key =
        formName.size() <= kMaxName && componentName.size() <= kMaxName
            ? static_cast<std::uint32_t>(formName.size() | componentName.size() << 8)
            : kNames + 1;
    for (std::size_t i = 0; i < found; ++i) {
        if ((entries_[i].lengths & (kLong | kNames)) == key && named(entries_[i])) return i;
    }
    return found;
}

bool TL10NResource::FindStringResource(TextView formName, TextView componentName, Text& caption,
                                       Text& hint) const {
    const std::size_t found = FStrings.Find(FText.View(), formName, componentName);
    if (found == FStrings.size()) return false;
    const TStringResource entry = FStrings[found];
    caption = View(entry.FCaption);
    hint = View(entry.FHint);
    return true;
}

namespace {

bool EndsField(char16_t unit) {
    return unit == u'~' || unit == u'\r' || unit == u'\n' || unit == u'\0';
}

// Copies [from, to) to `out`, a block at a time.
void CopyRun(const char16_t* from, const char16_t* to, char16_t*& out) {
    const std::ptrdiff_t length = to - from;
    for (std::ptrdiff_t i = 0; i < length; i += blocks::kUnits) blocks::Copy(out + i, from + i);
    out += length;
}

// The units the reader acts on, in text order: the separator, line breaks, the NUL that ends
// the text, and '<', which may start an escape. Each block of the text is searched once, and
// the next one is a bit of the block's mask: searching again from each of them would make
// every search wait for the one before.
class Specials {
  public:
    explicit Specials(const char16_t* text) : block_(text), found_(Search(text)) {}

    const char16_t* Next() {
        while (found_ == 0) {
            block_ += blocks::kUnits;
            found_ = Search(block_);
        }
        const char16_t* const at = block_ + std::countr_zero(found_);
        found_ &= found_ - 1;
        return at;
    }

  private:
    static unsigned Search(const char16_t* block) {
        return blocks::Matches<u'~', u'\r', u'\n', u'\0', u'<'>(block);
    }

    const char16_t* block_;
    unsigned found_;
};

// Builds the entries of one file from its decoded text, which a NUL ends and a block of
// readable units follows, into the file's own text: each entry's four fields there one after
// the other, separators, comments and line breaks left out. Fields are copied a block at a
// time; the file's text has a block of room beyond the text for the last one.
class EntryParser {
  public:
    EntryParser(const char16_t* text, TL10NResource& file, LoadListener* listener)
        : text_(text),
          file_(file),
          base_(file.FText.data()),
          listener_(listener),
          specials_(text) {}

    void Run() {
        const char16_t* in = text_;
        char16_t* out = base_;
        std::uint32_t line = 0;
        while (*in != u'\0') {
            ++line;
            const char16_t* end;
            if (*in == u';') {
                end = LineEnd(specials_.Next());
            } else if (*in == u'\r' || *in == u'\n') {
                end = specials_.Next();  // the empty line's own break
            } else {
                end = Entry(in, out, line);
            }
            // CR, LF and CR LF each end one line.
            if (*end == u'\r' && end[1] == u'\n') end = specials_.Next();
            in = *end == u'\0' ? end : end + 1;
        }
        const auto size = Offset(out);
        file_.FText.Shrink(size);
        file_.FStrings.Close(size);
    }

  private:
    // Reads one entry line and returns the break or NUL that ends it.
    const char16_t* Entry(const char16_t* const line, char16_t*& out, std::uint32_t number) {
        char16_t* const start = out;
        std::array<TextView, 4> fields;
        std::array<const char16_t*, 3> ends{};  // of the first three fields in the output
        std::size_t count = 0;
        const char16_t* field = line;
        const char16_t* at = nullptr;
        for (;;) {
            at = count < 2 ? CopyVerbatim(field, out) : CopyEnclosed(field, out);
            fields[count] = TextView(field, static_cast<std::size_t>(at - field));
            if (count < ends.size()) ends[count] = out;
            if (++count == fields.size() || *at != u'~') break;
            field = at + 1;
        }
        if (*at == u'~') at = LineEnd(specials_.Next());  // fields after the fourth
        const TextView text(line, static_cast<std::size_t>(at - line));
        if (count < 3) {  // not an entry: it has no caption field
            out = start;
            if (listener_ != nullptr) listener_->Skipped(number, text);
            return at;
        }
        if (listener_ != nullptr) listener_->Entry(number, text, std::span(fields).first(count));
        file_.FStrings.Add(Offset(start), Offset(ends[0]) - Offset(start),
                           Offset(ends[1]) - Offset(ends[0]), Offset(ends[2]) - Offset(ends[1]));
        return at;
    }

    // Copies the field that starts at `field` and returns the unit that ends it.
    const char16_t* CopyVerbatim(const char16_t* field, char16_t*& out) {
        const char16_t* end = specials_.Next();
        while (*end == u'<') end = specials_.Next();
        CopyRun(field, end, out);
        return end;
    }

    // A caption or hint: the field without its first and last characters, whatever they are,
    // escapes replaced. A sequence that would take the last character is none.
    const char16_t* CopyEnclosed(const char16_t* field, char16_t*& out) {
        const char16_t* run = field + 1;
        for (;;) {
            const char16_t* const at = specials_.Next();
            if (*at != u'<') {
                if (at > run) CopyRun(run, at - 1, out);
                return at;
            }
            if (at < run) continue;
            const TReplacePatterns* escape = EscapeAt(TextView(at, blocks::kUnits));
            if (escape == nullptr || EndsField(at[escape->Old.size()])) continue;
            CopyRun(run, at, out);
            out = std::copy(escape->New.begin(), escape->New.end(), out);
            run = at + escape->Old.size();
        }
    }

    // The first line break or NUL from `at`, a unit of specials_, on.
    const char16_t* LineEnd(const char16_t* at) {
        while (*at == u'~' || *at == u'<') at = specials_.Next();
        return at;
    }

    std::uint32_t Offset(const char16_t* at) const {
        return static_cast<std::uint32_t>(at - base_);
    }

    const char16_t* const text_;
    TL10NResource& file_;
    char16_t* const base_;
    LoadListener* const listener_;
    Specials specials_;
};

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

}  // namespace

TL10NResource LoadL10NFile(std::string_view bytes, AnsiDecoder decodeAnsi, TextBuffer& scratch,
                           LoadListener* listener) {
    TL10NResource file;
    // The reader stops at the first NUL by itself; only a listener is told where it is.
    const DecodedLanguageFile decoded = listener != nullptr
                                            ? DecodeLanguageFileInDetail(bytes, decodeAnsi, scratch)
                                            : DecodeLanguageFileUnits(bytes, decodeAnsi, scratch);
    if (listener != nullptr) listener->Decoded(decoded);
    // Offsets are 32 bits wide. The folder loader's size limit keeps real input far below this.
    if (decoded.text.size() >= std::numeric_limits<std::uint32_t>::max() - blocks::kUnits) {
        return file;
    }
    file.FText = TextBuffer(decoded.text.size() + blocks::kUnits);
    EntryParser(decoded.text.data(), file, listener).Run();
    return file;
}

TL10NResource LoadL10NFile(std::string_view bytes, AnsiDecoder decodeAnsi, LoadListener* listener) {
    TextBuffer scratch;
    return LoadL10NFile(bytes, decodeAnsi, scratch, listener);
}

LanguageName ReadLanguageName(TextView fileName) {
    const std::size_t dot = fileName.rfind(u'.');
    const TextView base = fileName.substr(0, dot);
    if (base.empty()) return {0, LanguageNameProblem::kNoBaseName};
    std::uint32_t value = 0;
    int significant = 0;
    for (const char16_t c : base) {
        const int digit = HexDigit(c);
        if (digit < 0) return {0, LanguageNameProblem::kNotHexadecimal};
        if (value == 0 && digit == 0) continue;  // a leading zero
        // More would not fit a 32-bit identifier.
        if (++significant > 8) return {0, LanguageNameProblem::kTooManyDigits};
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    if (value == 0) return {0, LanguageNameProblem::kZero};
    return {value, LanguageNameProblem::kNone};
}

std::uint32_t LanguageIdFromFileName(TextView name) {
    return ReadLanguageName(name).id;
}

}  // namespace tessalin
