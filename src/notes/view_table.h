// The notes views the library has handed out, by handle. A handle is never reused, so a
// destroyed view's handle, or any value the library did not hand out, finds nothing.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace tessalin {

template <class View>
class ViewTable {
  public:
    using Handle = std::intptr_t;

    // Never 0, which stands for no view.
    Handle Add(std::unique_ptr<View> view) {
        views_.reserve(views_.size() + 1);  // nothing can fail once the handle is taken
        const Handle handle = next_++;
        views_.emplace_back(handle, std::move(view));
        return handle;
    }

    View* Find(Handle handle) const noexcept {
        const std::size_t index = IndexOf(handle);
        return index < views_.size() ? views_[index].second.get() : nullptr;
    }

    // The view leaves the table before the caller destroys it, so that whatever runs during
    // its destruction sees the table without it.
    std::unique_ptr<View> Remove(Handle handle) noexcept {
        const std::size_t index = IndexOf(handle);
        if (index == views_.size()) return nullptr;
        std::unique_ptr<View> view = std::move(views_[index].second);
        views_.erase(views_.begin() + static_cast<std::ptrdiff_t>(index));
        return view;
    }

    std::vector<std::pair<Handle, std::unique_ptr<View>>> RemoveAll() noexcept {
        return std::exchange(views_, {});
    }

    std::size_t Size() const noexcept { return views_.size(); }

  private:
    std::size_t IndexOf(Handle handle) const noexcept {
        const auto found = std::find_if(views_.begin(), views_.end(),
                                        [&](const auto& entry) { return entry.first == handle; });
        return static_cast<std::size_t>(found - views_.begin());
    }

    std::vector<std::pair<Handle, std::unique_ptr<View>>> views_;
    Handle next_ = 1;
};

}  // namespace tessalin
