// Turns the bytes of a language file into text: the file's signature names its encoding, and
// a file without one is in the system's ANSI code page.
#pragma once

#include <optional>
#include <string_view>

#include "frame/text.h"

namespace tessalin {

// Decodes bytes of the system's ANSI code page; that decoding never fails. The DLL passes the
// platform's, tests pass their own.
using AnsiDecoder = Text (*)(std::string_view bytes);

enum class LanguageFileEncoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

// A file's text together with what was lost on the way, for the translators' checker.
struct DecodedLanguageFile {
    Text text;
    LanguageFileEncoding encoding = LanguageFileEncoding::kAnsi;
    // Byte offset in the file of the first invalid UTF-8 sequence; the text is then empty.
    std::optional<std::size_t> invalidUtf8At;
    // What stood after the first NUL, which ended the text there.
    std::optional<Text> afterNul;
};

// UTF-8 with signature EF BB BF, UTF-16 LE with FF FE, UTF-16 BE with FE FF (signature not
// part of the text), else ANSI. Invalid UTF-8 anywhere gives the empty text; an odd last byte
// of UTF-16 is ignored, and unpaired surrogates are kept as they are. The text ends at its
// first NUL.
DecodedLanguageFile DecodeLanguageFileInDetail(std::string_view bytes, AnsiDecoder decodeAnsi);
Text DecodeLanguageFile(std::string_view bytes, AnsiDecoder decodeAnsi);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequences.
// On failure `invalidAt`, if given, receives the offset of the sequence that is not valid.
std::optional<Text> DecodeUtf8(std::string_view bytes, std::size_t* invalidAt = nullptr);

}  // namespace tessalin
