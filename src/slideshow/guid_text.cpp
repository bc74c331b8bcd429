#include "slideshow/guid_text.h"

namespace tessalin {
namespace {

void AppendHex(std::string& out, std::uint64_t value, int digits) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += kDigits[(value >> shift) & 0xF];
}

}  // namespace

std::string GuidText(const GuidParts& guid) {
    std::string text;
    text.reserve(38);
    text += '{';
    AppendHex(text, guid.data1, 8);
    text += '-';
    AppendHex(text, guid.data2, 4);
    text += '-';
    AppendHex(text, guid.data3, 4);
    text += '-';
    for (std::size_t i = 0; i < guid.data4.size(); ++i) {
        if (i == 2) text += '-';
        AppendHex(text, guid.data4[i], 2);
    }
    text += '}';
    return text;
}

}  // namespace tessalin
