#include "slideshow/subclass_list.h"

#include <algorithm>

namespace tessalin {

bool SubclassList::RemoveNewest(std::uintptr_t wnd) noexcept {
    const auto found = std::find_if(records_.rbegin(), records_.rend(),
                                    [wnd](const TSubclassRecord& r) { return r.Wnd == wnd; });
    if (found == records_.rend()) return false;
    records_.erase(std::next(found).base());
    return true;
}

}  // namespace tessalin
