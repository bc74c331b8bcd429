// RelativePath and ForceFolderPlan on arbitrary UTF-16 text: no crash, no read outside the
// inputs, and results made only of the inputs' pieces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fs/path_rules.h"

using namespace tessalin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Text text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    // The first NUL splits base from target, as two text arguments would arrive.
    const std::size_t split = text.find(u'\0');
    const TextView base = TextView(text).substr(0, split);
    const TextView target = split == Text::npos ? TextView() : TextView(text).substr(split + 1);
    const Text relative = RelativePath(base, target, [](TextView t) { return Text(t); });
    if (relative.size() > 3 * base.size() + target.size() + 3) std::abort();

    const auto plan = ForceFolderPlan(base, [](TextView folder) { return folder.size() % 7 == 0; });
    if (plan) {
        for (TextView folder : *plan) {
            if (base.substr(0, folder.size()) != folder) std::abort();
        }
    }
    return 0;
}
