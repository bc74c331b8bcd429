// The registry text form of a GUID, used as a synchronisation group identifier.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tessalin {

struct GuidParts {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": 38 ASCII characters, upper-case hexadecimal;
// the first three fields as numbers, the last eight bytes in byte order.
std::string GuidText(const GuidParts& guid);

}  // namespace tessalin
