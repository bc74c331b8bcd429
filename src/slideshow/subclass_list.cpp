#include "slideshow/subclass_list.h"

#include <algorithm>

namespace tessalin {

std::optional<std::uintptr_t> SubclassList::Find(std::uintptr_t wnd) const noexcept {
    const auto found = std::find_if(records_.begin(), records_.end(),
                                    [wnd](const TSubclassRecord& r) { return r.Wnd == wnd; });
    if (found == records_.end()) return std::nullopt;
    return found->OldWndProc;
}

bool SubclassList::RemoveFirst(std::uintptr_t wnd) noexcept {
    const auto found = std::find_if(records_.begin(), records_.end(),
                                    [wnd](const TSubclassRecord& r) { return r.Wnd == wnd; });
    if (found == records_.end()) return false;
    records_.erase(found);
    return true;
}

}  // namespace tessalin
