// WholeRtfLength on arbitrary bytes: no read outside the block, and the whole part of a block is
// the same whatever follows it, as the clipboard's padding does, and whole by itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "notes/rtf_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string block(reinterpret_cast<const char*>(data), size);
    const std::size_t whole = tessalin::WholeRtfLength(block);
    if (whole != 0 && (tessalin::WholeRtfLength(block + "{\\bin9") != whole ||
                       tessalin::WholeRtfLength(block.substr(0, whole)) != whole)) {
        std::abort();
    }
    return 0;
}
