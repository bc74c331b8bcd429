// IsWholeRtf on arbitrary bytes: no read outside the block, and a whole block stays whole
// whatever follows it, as the clipboard's padding does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "notes/rtf_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string block(reinterpret_cast<const char*>(data), size);
    if (tessalin::IsWholeRtf(block) && !tessalin::IsWholeRtf(block + "{\\bin9")) std::abort();
    return 0;
}
