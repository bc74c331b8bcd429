#include "localizer/text_decoding.h"

#include <cstdint>

namespace tessalin {
namespace {

Text DecodeUtf16(std::string_view bytes, bool bigEndian) {
    Text text(bytes.size() / 2, u'\0');
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned first = data[2 * i];
        const unsigned second = data[2 * i + 1];
        text[i] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return text;
}

}  // namespace

std::optional<Text> DecodeUtf8(std::string_view bytes, std::size_t* invalidAt) {
    // Every byte gives at most one code unit (a four-byte sequence gives two), so the text is
    // written into room of the byte count and cut to size at the end.
    Text text(bytes.size(), u'\0');
    char16_t* out = text.data();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const begin = in;
    const auto* const end = in + bytes.size();
    const auto invalid = [&] {
        if (invalidAt != nullptr) *invalidAt = static_cast<std::size_t>(in - begin);
        return std::nullopt;
    };
    while (in != end) {
        const unsigned lead = *in;
        if (lead < 0x80) {
            *out++ = static_cast<char16_t>(lead);
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
            const unsigned next = in[i];
            if (next < low || next > high) return invalid();
            low = 0x80;
            high = 0xBF;
            point = (point << 6) | (next & 0x3F);
        }
        in += trail + 1;
        if (point >= 0x10000) {
            point -= 0x10000;
            *out++ = static_cast<char16_t>(0xD800 + (point >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + (point & 0x3FF));
        } else {
            *out++ = static_cast<char16_t>(point);
        }
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

DecodedLanguageFile DecodeLanguageFileInDetail(std::string_view bytes, AnsiDecoder decodeAnsi) {
    DecodedLanguageFile file;
    Text& text = file.text;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        file.encoding = LanguageFileEncoding::kUtf8;
        std::size_t invalidAt = 0;
        if (std::optional<Text> decoded = DecodeUtf8(bytes.substr(3), &invalidAt)) {
            text = std::move(*decoded);
        } else {
            file.invalidUtf8At = invalidAt + 3;
        }
    } else if (bytes.starts_with("\xFF\xFE")) {
        file.encoding = LanguageFileEncoding::kUtf16Le;
        text = DecodeUtf16(bytes.substr(2), false);
    } else if (bytes.starts_with("\xFE\xFF")) {
        file.encoding = LanguageFileEncoding::kUtf16Be;
        text = DecodeUtf16(bytes.substr(2), true);
    } else {
        text = decodeAnsi(bytes);
    }
    if (const auto nul = text.find(u'\0'); nul != Text::npos) {
        file.afterNul = text.substr(nul + 1);
        text.resize(nul);
    }
    return file;
}

Text DecodeLanguageFile(std::string_view bytes, AnsiDecoder decodeAnsi) {
    return DecodeLanguageFileInDetail(bytes, decodeAnsi).text;
}

}  // namespace tessalin
