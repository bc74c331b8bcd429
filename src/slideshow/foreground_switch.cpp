#include "slideshow/foreground_switch.h"

namespace tessalin {

bool ShareInputForSwitch(std::uint32_t foregroundThread, std::uint32_t targetThread,
                         bool foregroundHung) {
    return foregroundThread != targetThread && !foregroundHung;
}

}  // namespace tessalin
