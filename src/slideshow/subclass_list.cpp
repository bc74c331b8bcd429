#include "slideshow/subclass_list.h"

#include <algorithm>

namespace tessalin {

std::optional<std::uintptr_t> SubclassList::Find(std::uintptr_t wnd) const noexcept {
    const auto found = Newest(wnd);
    if (found == records_.rend()) return std::nullopt;
    return found->OldWndProc;
}

bool SubclassList::RemoveNewest(std::uintptr_t wnd) noexcept {
    const auto found = Newest(wnd);
    if (found == records_.rend()) return false;
    records_.erase(std::next(found).base());
    return true;
}

std::vector<TSubclassRecord>::const_reverse_iterator SubclassList::Newest(
    std::uintptr_t wnd) const noexcept {
    return std::find_if(records_.rbegin(), records_.rend(),
                        [wnd](const TSubclassRecord& r) { return r.Wnd == wnd; });
}

}  // namespace tessalin
