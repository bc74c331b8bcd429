#include "language_check.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "localizer/language_file.h"

namespace tessalin::lclcheck {
namespace {

void Add(FileReport& report, Problem problem, std::uint32_t line = 0, std::string detail = {}) {
    report.findings.push_back({problem, line, std::move(detail)});
}

// The line on which position `end` of a text stands, breaks counted as the reader counts them.
template <class Chars>
std::uint32_t LineAt(const Chars& text, std::size_t end) {
    std::uint32_t line = 1;
    for (std::size_t i = 0; i < end; ++i) {
        const bool crBeforeLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        if ((text[i] == '\r' || text[i] == '\n') && !crBeforeLf) ++line;
    }
    return line;
}

// The key under which the library asks for message `number`: plain signed decimal.
bool IsMessageKey(TextView key) {
    const bool negative = key.starts_with(u'-');
    const TextView digits = key.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == u'0')) {
        return false;
    }
    std::int64_t value = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c - u'0');
    }
    return negative ? value != 0 && value <= 2147483648 : value <= 2147483647;
}

// A caption or hint field loses nothing when it is empty or enclosed in double quotes.
bool Enclosed(TextView field) {
    return field.empty() || (field.size() >= 2 && field.front() == u'"' && field.back() == u'"');
}

std::string NameProblemText(LanguageNameProblem problem) {
    switch (problem) {
        case LanguageNameProblem::kNoBaseName:
            return "nothing stands before .lcl";
        case LanguageNameProblem::kNotHexadecimal:
            return "the name before .lcl is not a hexadecimal number";
        case LanguageNameProblem::kZero:
            return "the name gives language 0";
        case LanguageNameProblem::kTooManyDigits:
            return "the number has more than eight hexadecimal digits";
        case LanguageNameProblem::kNone:
            break;
    }
    return "";
}

class FileChecker final : public LoadListener {
  public:
    FileChecker(std::string_view bytes, FileReport& report) : bytes_(bytes), report_(report) {}

    void Decoded(const DecodedLanguageFile& file) override {
        report_.encoding = file.encoding;
        if (file.invalidUtf8At) {
            Add(report_, Problem::kInvalidUtf8, LineAt(bytes_, *file.invalidUtf8At),
                "byte offset " + std::to_string(*file.invalidUtf8At));
        }
        // Only NULs and line breaks after the first NUL are padding, not text.
        if (file.afterNul && file.afterNul->find_first_not_of(Text(u"\0\r\n", 3)) != Text::npos) {
            Add(report_, Problem::kTextAfterNul, LineAt(file.text, file.text.size()));
        }
        const bool nonAscii = std::any_of(bytes_.begin(), bytes_.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        });
        if (file.encoding == LanguageFileEncoding::kAnsi && nonAscii && DecodeUtf8(bytes_)) {
            Add(report_, Problem::kUtf8WithoutSignature);
        }
    }

    void Entry(std::uint32_t line, TextView text, std::span<const TextView> fields) override {
        ++report_.entries;
        std::string key = ToUtf8(fields[0]) + "~" + ToUtf8(fields[1]);
        const auto [first, isNew] = firstLines_.emplace(key, line);
        if (isNew) {
            report_.keys.push_back(std::move(key));
        } else {
            Add(report_, Problem::kDuplicateKey, line, std::to_string(first->second));
        }
        if (!Enclosed(fields[2])) Add(report_, Problem::kNotEnclosed, line, "caption");
        if (fields.size() > 3 && !Enclosed(fields[3])) {
            Add(report_, Problem::kNotEnclosed, line, "hint");
        }
        if (fields.size() > 3 && fields[3].data() + fields[3].size() != text.data() + text.size()) {
            Add(report_, Problem::kExtraFields, line);
        }
        if (fields[0] == u"<SP>" && !IsMessageKey(fields[1])) {
            Add(report_, Problem::kMessageKeyNeverAsked, line, ToUtf8(fields[1]));
        }
    }

    void Skipped(std::uint32_t line, TextView) override {
        Add(report_, Problem::kTooFewFields, line);
    }

  private:
    std::string_view bytes_;
    FileReport& report_;
    std::map<std::string, std::uint32_t> firstLines_;
};

std::string EncodingText(LanguageFileEncoding encoding) {
    switch (encoding) {
        case LanguageFileEncoding::kAnsi:
            return "ANSI code page (no signature)";
        case LanguageFileEncoding::kUtf8:
            return "UTF-8";
        case LanguageFileEncoding::kUtf16Le:
            return "UTF-16 LE";
        case LanguageFileEncoding::kUtf16Be:
            return "UTF-16 BE";
    }
    return "";
}

std::string FindingText(const Finding& finding) {
    const std::string& detail = finding.detail;
    switch (finding.problem) {
        case Problem::kNotLanguageFile:
            return "not a language file: " + detail;
        case Problem::kNotLclFile:
            return "not a language file: the name does not end in .lcl";
        case Problem::kDirectory:
            return "a folder, not a language file";
        case Problem::kTooLarge:
            return "larger than the library reads (16 MiB): skipped";
        case Problem::kUnreadable:
            return "cannot be read: skipped";
        case Problem::kSameLanguageAs:
            return "same language as " + detail +
                   ", which comes first: requests for this exact language never reach this file";
        case Problem::kUtf8WithoutSignature:
            return "UTF-8 without signature: read in the ANSI code page, its non-ASCII characters "
                   "come out wrong; save it as UTF-8 with signature";
        case Problem::kInvalidUtf8:
            return "invalid UTF-8 (" + detail + "): the whole file is read as empty";
        case Problem::kTextAfterNul:
            return "a NUL character ends the text here: nothing after it is read";
        case Problem::kTooFewFields:
            return "fewer than three fields (form~component~\"text\"): skipped";
        case Problem::kDuplicateKey:
            return "the same key stands on line " + detail + ": this one is never seen";
        case Problem::kNotEnclosed:
            return "the " + detail +
                   " is not enclosed in double quotes: its first and last characters are dropped";
        case Problem::kExtraFields:
            return "more than four fields: what follows the fourth is ignored";
        case Problem::kMessageKeyNeverAsked:
            return "message key \"" + detail +
                   "\" is never asked for: messages are looked up by plain decimal numbers "
                   "such as 12 or -3";
        case Problem::kLacksKey:
            return "lacks " + detail;
        case Problem::kExcessKey:
            return "has " + detail + ", which the reference lacks";
    }
    return "";
}

}  // namespace

bool LosesText(Problem problem) {
    return problem != Problem::kDirectory && problem != Problem::kLacksKey &&
           problem != Problem::kExcessKey;
}

bool FileReport::LosesText() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return lclcheck::LosesText(finding.problem); });
}

std::vector<FileReport> CheckFolder(LanguageFolder& folder, AnsiDecoder decodeAnsi) {
    std::vector<FolderEntry> entries = folder.List();
    SortLikeLoader(entries);
    std::vector<FileReport> reports;
    std::map<std::uint32_t, Text> firstOfLanguage;
    for (const FolderEntry& entry : entries) {
        FileReport& report = reports.emplace_back();
        report.name = entry.name;
        switch (JudgeFolderEntry(entry)) {
            case FolderEntryVerdict::kDirectory:
                Add(report, Problem::kDirectory);
                continue;
            case FolderEntryVerdict::kOtherExtension:
                Add(report, Problem::kNotLclFile);
                continue;
            case FolderEntryVerdict::kBadName:
                Add(report, Problem::kNotLanguageFile, 0,
                    NameProblemText(ReadLanguageName(entry.name).problem));
                continue;
            case FolderEntryVerdict::kTooLarge:
                Add(report, Problem::kTooLarge);
                continue;
            case FolderEntryVerdict::kLanguageFile:
                break;
        }
        const std::optional<std::string> bytes = folder.Read(entry.name, kMaxLanguageFileBytes);
        if (!bytes) {
            Add(report, Problem::kUnreadable);
            continue;
        }
        report.language = LanguageIdFromFileName(entry.name);
        FileChecker checker(*bytes, report);
        static_cast<void>(LoadL10NFile(*bytes, decodeAnsi, &checker));
        const auto [first, isNew] = firstOfLanguage.emplace(report.language, entry.name);
        if (!isNew) Add(report, Problem::kSameLanguageAs, 0, ToUtf8(first->second));
    }
    return reports;
}

bool CompareWithReference(std::vector<FileReport*> files, std::uint32_t reference) {
    const auto found = std::find_if(files.begin(), files.end(), [&](const FileReport* file) {
        return file->language == reference;
    });
    if (found == files.end()) return false;
    const FileReport& model = **found;
    const std::set<std::string> modelKeys(model.keys.begin(), model.keys.end());
    for (FileReport* file : files) {
        if (file == &model || file->language == 0) continue;
        const std::set<std::string> keys(file->keys.begin(), file->keys.end());
        for (const std::string& key : model.keys) {
            if (!keys.contains(key)) Add(*file, Problem::kLacksKey, 0, key);
        }
        for (const std::string& key : file->keys) {
            if (!modelKeys.contains(key)) Add(*file, Problem::kExcessKey, 0, key);
        }
    }
    return true;
}

std::string LanguageText(std::uint32_t language) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%04X (%u)", static_cast<unsigned>(language),
                  static_cast<unsigned>(language));
    return text;
}

std::string ToUtf8(TextView text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t point = text[i];
        if (point >= 0xD800 && point <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            point = 0x10000 + ((point - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (point >= 0xD800 && point <= 0xDFFF) {
            point = 0xFFFD;  // an unpaired surrogate has no UTF-8 form
        }
        if (point < 0x80) {
            out += static_cast<char>(point);
        } else if (point < 0x800) {
            out += static_cast<char>(0xC0 | (point >> 6));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            out += static_cast<char>(0xE0 | (point >> 12));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (point >> 18));
            out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return out;
}

void Print(const FileReport& report, const std::string& prefix, std::ostream& out) {
    out << prefix << ToUtf8(report.name) << ": ";
    if (report.language != 0) {
        out << "language " << LanguageText(report.language) << ", "
            << EncodingText(*report.encoding) << ", " << report.entries
            << (report.entries == 1 ? " entry\n" : " entries\n");
    } else {
        out << "not loaded\n";
    }
    for (const Finding& finding : report.findings) {
        out << "  ";
        if (finding.line != 0) out << "line " << finding.line << ": ";
        out << FindingText(finding) << '\n';
    }
}

}  // namespace tessalin::lclcheck
