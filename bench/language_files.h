// The language files of the start-up benchmarks: 40 languages of 2,000 lines each, messages,
// captions with hints and comments, with the escapes and non-ASCII letters of real files.
// Every fifth file is UTF-16, the others UTF-8 with signature.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace bench {

inline constexpr int kLanguageFiles = 40;
inline constexpr int kLinesPerFile = 2000;

// Message numbers are every fourth line number, 0 to 1996.
inline constexpr int kMessageStep = 4;

inline std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

inline std::string LanguageFileBytes(bool utf16) {
    std::u16string text = u"; Texts of language 0123456789\r\n\r\n";
    for (int i = 0; i < kLinesPerFile; ++i) {
        const std::u16string n = Ascii(std::to_string(i));
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
    return bytes;
}

// The files by name, 0401.lcl to 0428.lcl.
inline std::vector<std::pair<std::string, std::string>> LanguageFiles() {
    std::vector<std::pair<std::string, std::string>> files;
    for (int language = 1; language <= kLanguageFiles; ++language) {
        char name[16];
        std::snprintf(name, sizeof name, "%04X.lcl", 0x0400 + language);
        files.emplace_back(name, LanguageFileBytes(language % 5 == 0));
    }
    return files;
}

}  // namespace bench
