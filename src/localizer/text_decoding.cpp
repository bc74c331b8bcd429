#include "localizer/text_decoding.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <new>

#include "localizer/unit_blocks.h"

namespace tessalin {
namespace {

// The NULs after the decoded units: one ends the text, the block lets readers load it whole.
constexpr std::size_t kEnd = blocks::kUnits;

template <bool kBigEndian>
std::size_t DecodeUtf16(std::string_view bytes, char16_t* out) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size() / 2;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned first = data[2 * i];
        const unsigned second = data[2 * i + 1];
        out[i] = static_cast<char16_t>(kBigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return size;
}

// Writes the units of `bytes` to `out`, which has room for bytes.size() units (a four-byte
// sequence gives two units, every other sequence one per byte at most), and returns how many.
std::optional<std::size_t> DecodeUtf8Into(std::string_view bytes, char16_t* const out,
                                          std::size_t* invalidAt) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const begin = in;
    const auto* const end = in + bytes.size();
    char16_t* next = out;
    const auto invalid = [&] {
        if (invalidAt != nullptr) *invalidAt = static_cast<std::size_t>(in - begin);
        return std::nullopt;
    };
    while (in != end) {
        // Real files are mostly ASCII: its runs go a block at a time. The branch, not the
        // mask, moves on to the next block, so that its load need not wait for this one.
        if (end - in >= static_cast<std::ptrdiff_t>(blocks::kUnits)) {
            if (const unsigned high = blocks::WidenAscii(next, in)) {
                in += std::countr_zero(high);
                next += std::countr_zero(high);
            } else {
                in += blocks::kUnits;
                next += blocks::kUnits;
                continue;
            }
        }
        const unsigned lead = *in;
        if (lead < 0x80) {
            *next++ = static_cast<char16_t>(lead);
            ++in;
            continue;
        }
        // The allowed range of the first continuation byte excludes overlong forms, UTF-16
        // surrogates and code points above U+10FFFF.
        std::ptrdiff_t trail = 0;
        std::uint32_t point = 0;
        unsigned low = 0x80;
        unsigned high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trail = 1;
            point = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trail = 2;
            point = lead & 0x0F;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trail = 3;
            point = lead & 0x07;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return invalid();
        }
        if (end - in <= trail) return invalid();
        for (std::ptrdiff_t i = 1; i <= trail; ++i) {
            const unsigned following = in[i];
            if (following < low || following > high) return invalid();
            low = 0x80;
            high = 0xBF;
            point = (point << 6) | (following & 0x3F);
        }
        in += trail + 1;
        if (point >= 0x10000) {
            point -= 0x10000;
            *next++ = static_cast<char16_t>(0xD800 + (point >> 10));
            *next++ = static_cast<char16_t>(0xDC00 + (point & 0x3FF));
        } else {
            *next++ = static_cast<char16_t>(point);
        }
    }
    return static_cast<std::size_t>(next - out);
}

}  // namespace

TextBuffer::TextBuffer(std::size_t size) : size_(size) {
    if (size > std::numeric_limits<std::size_t>::max() / sizeof(char16_t)) throw std::bad_alloc();
    units_.reset(
        static_cast<char16_t*>(std::malloc(std::max<std::size_t>(size, 1) * sizeof(char16_t))));
    if (!units_) throw std::bad_alloc();
}

void TextBuffer::Shrink(std::size_t size) noexcept {
    if (size >= size_) return;
    size_ = size;
    if (size == 0) {
        units_.reset();
    } else if (void* smaller = std::realloc(units_.get(), size * sizeof(char16_t))) {
        static_cast<void>(units_.release());
        units_.reset(static_cast<char16_t*>(smaller));
    }  // else the larger block stays, which is as good
}

std::optional<Text> DecodeUtf8(std::string_view bytes, std::size_t* invalidAt) {
    Text text(bytes.size(), u'\0');
    const std::optional<std::size_t> size = DecodeUtf8Into(bytes, text.data(), invalidAt);
    if (!size) return std::nullopt;
    text.resize(*size);
    return text;
}

DecodedLanguageFile DecodeLanguageFileUnits(std::string_view bytes, AnsiDecoder decodeAnsi,
                                            TextBuffer& units) {
    DecodedLanguageFile file;
    const auto room = [&](std::size_t size) {
        if (units.size() < size + kEnd) units = TextBuffer(size + kEnd);
        return units.data();
    };
    std::size_t size = 0;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        file.encoding = LanguageFileEncoding::kUtf8;
        const std::string_view body = bytes.substr(3);
        std::size_t invalidAt = 0;
        if (const auto decoded = DecodeUtf8Into(body, room(body.size()), &invalidAt)) {
            size = *decoded;
        } else {
            file.invalidUtf8At = invalidAt + 3;
        }
    } else if (bytes.starts_with("\xFF\xFE")) {
        file.encoding = LanguageFileEncoding::kUtf16Le;
        size = DecodeUtf16<false>(bytes.substr(2), room(bytes.size() / 2));
    } else if (bytes.starts_with("\xFE\xFF")) {
        file.encoding = LanguageFileEncoding::kUtf16Be;
        size = DecodeUtf16<true>(bytes.substr(2), room(bytes.size() / 2));
    } else {
        const Text text = decodeAnsi(bytes);
        size = text.size();
        std::copy(text.begin(), text.end(), room(size));
    }
    std::fill_n(units.data() + size, kEnd, u'\0');
    file.text = TextView(units.data(), size);
    return file;
}

DecodedLanguageFile DecodeLanguageFileInDetail(std::string_view bytes, AnsiDecoder decodeAnsi,
                                               TextBuffer& units) {
    DecodedLanguageFile file = DecodeLanguageFileUnits(bytes, decodeAnsi, units);
    const TextView all = file.text;
    const auto nul = static_cast<std::size_t>(blocks::Find<u'\0'>(all.data()) - all.data());
    file.text = all.substr(0, nul);
    if (nul < all.size()) file.afterNul = all.substr(nul + 1);
    return file;
}

Text DecodeLanguageFile(std::string_view bytes, AnsiDecoder decodeAnsi) {
    TextBuffer units;
    return Text(DecodeLanguageFileInDetail(bytes, decodeAnsi, units).text);
}

}  // namespace tessalin
