// lclcheck on Linux. Files without a signature are read as Windows-1252, the ANSI code page
// of Western European Windows; the library itself uses the code page of the machine it runs on.
#include <array>
#include <exception>
#include <iostream>

#include "command.h"

namespace {

tessalin::Text DecodeWindows1252(std::string_view bytes) {
    // 0x80 to 0x9F; the five unassigned bytes keep their own values, as Windows does.
    static constexpr std::array<char16_t, 32> kHigh{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    tessalin::Text text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char16_t{byte});
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::filesystem::path> arguments(argv + 1, argv + argc);
        return tessalin::lclcheck::RunLclcheck(arguments, DecodeWindows1252, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "lclcheck: " << error.what() << '\n';
        return tessalin::lclcheck::kUsageError;
    }
}
