// The language files of the start-up benchmarks: 40 languages of 2,000 lines each, messages,
// captions with hints and comments, with the escapes and non-ASCII letters of real files.
// Every fifth file is UTF-16, the others UTF-8 with signature.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bench {

inline constexpr int kLanguageFiles = 40;
inline constexpr int kLinesPerFile = 2000;
inline constexpr int kMessageStep = 4;  // message numbers are every fourth line number
inline constexpr int kLastLanguage = 0x0400 + kLanguageFiles;

// The files by name, 0401.lcl to 0428.lcl. `utf16` turns UTF-8 into UTF-16 units.
template <class Utf16>
std::vector<std::pair<std::string, std::string>> LanguageFiles(Utf16&& utf16) {
    std::string text = "; Texts of language 0123456789\r\n\r\n";
    for (int i = 0; i < kLinesPerFile; ++i) {
        const std::string n = std::to_string(i);
        const char* const lines[] = {
            "<SP>~%s~\"Die Datei \xE2\x80\x9E%%s1%%\xE2\x80\x9C wurde nicht gefunden.<13><10>"
            "Bitte pr\xC3\xBC"
            "fen Sie den Pfad.\"\r\n",
            "NotesForm~Control%s~\"Gr\xC3\xB6\xC3\x9F"
            "er %s\"~\"Vergr\xC3\xB6\xC3\x9F"
            "ert den "
            "Text der Notizen\"\r\n",
            "<ALL>~Button%s~\"Schlie\xC3\x9F"
            "en\"\r\n",
            "; section %s\r\n"};
        char line[160];
        std::snprintf(line, sizeof line, lines[i % 4], n.c_str(), n.c_str());
        text += line;
    }
    std::string wide = "\xFF\xFE";
    for (const char16_t unit : utf16(text)) {
        wide += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    }
    std::vector<std::pair<std::string, std::string>> files;
    for (int language = 1; language <= kLanguageFiles; ++language) {
        char name[16];
        std::snprintf(name, sizeof name, "%04X.lcl", 0x0400 + language);
        files.emplace_back(name, language % 5 == 0 ? wide : "\xEF\xBB\xBF" + text);
    }
    return files;
}

}  // namespace bench
