// Turns the bytes of a language file into text: the file's signature names its encoding, and
// a file without one is in the system's ANSI code page.
#pragma once

#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>

#include "frame/text.h"

namespace tessalin {

// Decodes bytes of the system's ANSI code page; that decoding never fails. The DLL passes the
// platform's, tests pass their own.
using AnsiDecoder = Text (*)(std::string_view bytes);

enum class LanguageFileEncoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

// Code units in one block of the C heap, so that a file's text can be cut to its final size
// where it stands instead of being copied.
class TextBuffer {
  public:
    TextBuffer() = default;
    // Room for `size` units, not initialised. Throws std::bad_alloc.
    explicit TextBuffer(std::size_t size);

    char16_t* data() noexcept { return units_.get(); }
    const char16_t* data() const noexcept { return units_.get(); }
    std::size_t size() const noexcept { return size_; }
    TextView View() const noexcept { return TextView(units_.get(), size_); }

    // Keeps the first `size` units (at most size()).
    void Shrink(std::size_t size) noexcept;

  private:
    struct Free {
        void operator()(char16_t* units) const noexcept { std::free(units); }
    };
    std::unique_ptr<char16_t[], Free> units_;
    std::size_t size_ = 0;
};

// A file's text together with what was lost on the way, for the translators' checker. The
// views point into the buffer the file was decoded into.
struct DecodedLanguageFile {
    TextView text;
    LanguageFileEncoding encoding = LanguageFileEncoding::kAnsi;
    // Byte offset in the file of the first invalid UTF-8 sequence; the text is then empty.
    std::optional<std::size_t> invalidUtf8At;
    // What stood after the first NUL, which ended the text there.
    std::optional<TextView> afterNul;
};

// UTF-8 with signature EF BB BF, UTF-16 LE with FF FE, UTF-16 BE with FE FF (signature not
// part of the text), else ANSI. Invalid UTF-8 anywhere gives the empty text; an odd last byte
// of UTF-16 is ignored, and unpaired surrogates are kept as they are. The text ends at its
// first NUL.
//
// `units` receives every decoded unit followed by a block of NULs, so that readers may take
// the text a block at a time; it is replaced by a larger buffer when it has too little room.
DecodedLanguageFile DecodeLanguageFileInDetail(std::string_view bytes, AnsiDecoder decodeAnsi,
                                               TextBuffer& units);
// The same without looking for a NUL, for readers that stop at one themselves: `text` holds
// every decoded unit, and afterNul is left empty.
DecodedLanguageFile DecodeLanguageFileUnits(std::string_view bytes, AnsiDecoder decodeAnsi,
                                            TextBuffer& units);
Text DecodeLanguageFile(std::string_view bytes, AnsiDecoder decodeAnsi);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequences.
// On failure `invalidAt`, if given, receives the offset of the sequence that is not valid.
std::optional<Text> DecodeUtf8(std::string_view bytes, std::size_t* invalidAt = nullptr);

}  // namespace tessalin
