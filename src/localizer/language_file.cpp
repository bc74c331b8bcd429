#include "localizer/language_file.h"

#include <array>
#include <limits>

#include "localizer/replace_patterns.h"

namespace tessalin {

bool TL10NResource::FindStringResource(TextView formName, TextView componentName, Text& caption,
                                       Text& hint) const {
    for (const TStringResource& entry : FStrings) {
        if (View(entry.FComponentName) == componentName && View(entry.FFormName) == formName) {
            caption = View(entry.FCaption);
            hint = View(entry.FHint);
            return true;
        }
    }
    return false;
}

std::size_t SplitFields(TextView line, char16_t separator, std::span<TextView> fields) {
    std::size_t count = 0;
    std::size_t start = 0;
    while (count < fields.size()) {
        const std::size_t next = line.find(separator, start);
        fields[count++] =
            line.substr(start, next == TextView::npos ? TextView::npos : next - start);
        if (next == TextView::npos) break;
        start = next + 1;
    }
    return count;
}

namespace {

// Builds the entries of one file over its text. The spans point into the text; captions and
// hints have their escapes replaced where they stand, which only ever shortens them, so no
// field is copied.
class EntryParser {
  public:
    explicit EntryParser(TL10NResource& file) : file_(file), text_(file.FText) {}

    void Run(LoadListener* listener) {
        std::array<TextView, 4> fields;
        std::size_t pos = 0;
        std::uint32_t number = 0;
        while (pos < text_.size()) {
            ++number;
            std::size_t end = pos;
            while (end < text_.size() && text_[end] != u'\r' && text_[end] != u'\n') ++end;
            const TextView line = TextView(text_).substr(pos, end - pos);
            pos = end + 1;
            // CR, LF and CR LF each end one line.
            if (end + 1 < text_.size() && text_[end] == u'\r' && text_[end + 1] == u'\n') ++pos;
            if (line.empty() || line.front() == u';') continue;
            const std::size_t count = SplitFields(line, u'~', fields);
            if (count < 3) {  // not an entry: it has no caption field
                if (listener != nullptr) listener->Skipped(number, line);
                continue;
            }
            if (listener != nullptr) listener->Entry(number, line, std::span(fields).first(count));
            file_.FStrings.push_back({SpanOf(fields[0]), SpanOf(fields[1]), Enclosed(fields[2]),
                                      count > 3 ? Enclosed(fields[3]) : TextSpan{}});
        }
    }

  private:
    TextSpan SpanOf(TextView part) const {
        return {static_cast<std::uint32_t>(part.data() - text_.data()),
                static_cast<std::uint32_t>(part.size())};
    }

    // A caption or hint field: its first and last characters go, whatever they are, then
    // the escapes are replaced.
    TextSpan Enclosed(TextView field) {
        if (field.size() < 3) return {};
        TextSpan span = SpanOf(field.substr(1, field.size() - 2));
        span.length = static_cast<std::uint32_t>(
            ApplyReplacePatterns(std::span(text_).subspan(span.offset, span.length)));
        return span;
    }

    TL10NResource& file_;
    Text& text_;
};

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

}  // namespace

TL10NResource LoadL10NFile(std::string_view bytes, AnsiDecoder decodeAnsi, LoadListener* listener) {
    TL10NResource file;
    DecodedLanguageFile decoded = DecodeLanguageFileInDetail(bytes, decodeAnsi);
    if (listener != nullptr) listener->Decoded(decoded);
    file.FText = std::move(decoded.text);
    // Spans are 32 bits wide. The folder loader's size limit keeps real input far below this.
    if (file.FText.size() > std::numeric_limits<std::uint32_t>::max()) {
        file.FText.clear();
        return file;
    }
    EntryParser(file).Run(listener);
    return file;
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
