// The notes views the library has handed out, by handle. A handle is never reused, so a
// destroyed view's handle, or any value the library did not hand out, finds nothing. Handles
// count up from a first value the owner chooses.
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

    // `first` is positive: 0 stands for no view.
    explicit ViewTable(Handle first = 1) noexcept : next_(first) {}

    // Never 0, which stands for no view.
    Handle Add(std::unique_ptr<View> view) {
        views_.reserve(views_.size() + 1);  // nothing can fail once the handle is taken
        const Handle handle = next_++;
        views_.push_back(Entry{handle, std::move(view)});
        return handle;
    }

    // Null for a view that is gone or on its way out.
    View* Find(Handle handle) const noexcept {
        const std::size_t index = IndexOf(handle);
        return index < views_.size() && !views_[index].removed ? views_[index].view.get() : nullptr;
    }

    // Runs `action` on the live view of the handle, if there is one. The action may let other
    // code run (window procedures, the clipboard's owner), and that code may remove the same
    // view: it is then destroyed only when the last action running on it has returned.
    template <class Action>
    void Use(Handle handle, Action&& action) {
        UseAt(IndexOf(handle), action);
    }

    // The same for a view known by its address: for what the view starts itself, its timers.
    template <class Action>
    void UseView(const View* view, Action&& action) {
        UseAt(Index([&](const Entry& entry) { return entry.view.get() == view; }), action);
    }

    // The view leaves the table before the caller destroys it, so that whatever runs during
    // its destruction sees the table without it. Null when there is no such view, and for a
    // view in use: that one goes when its use ends.
    std::unique_ptr<View> Remove(Handle handle) noexcept {
        const std::size_t index = IndexOf(handle);
        if (index == views_.size() || views_[index].removed) return nullptr;
        if (views_[index].uses > 0) {
            views_[index].removed = true;
            return nullptr;
        }
        return Take(index);
    }

    std::vector<std::unique_ptr<View>> RemoveAll() noexcept {
        std::vector<std::unique_ptr<View>> views;
        views.reserve(views_.size());
        for (Entry& entry : std::exchange(views_, {})) views.push_back(std::move(entry.view));
        return views;
    }

    std::size_t Size() const noexcept { return views_.size(); }

  private:
    struct Entry {
        Handle handle;
        std::unique_ptr<View> view;
        int uses = 0;
        bool removed = false;  // removed while in use; destroyed when the last use ends
    };

    struct EndOfUse {
        ViewTable& table;
        Handle handle;
        ~EndOfUse() { table.EndUse(handle); }
    };

    template <class Action>
    void UseAt(std::size_t index, Action& action) {
        if (index == views_.size() || views_[index].removed) return;
        View& view = *views_[index].view;
        ++views_[index].uses;
        const EndOfUse end{*this, views_[index].handle};
        action(view);
    }

    void EndUse(Handle handle) noexcept {
        const std::size_t index = IndexOf(handle);
        if (index == views_.size()) return;
        Entry& entry = views_[index];
        if (--entry.uses == 0 && entry.removed) Take(index).reset();
    }

    std::unique_ptr<View> Take(std::size_t index) noexcept {
        std::unique_ptr<View> view = std::move(views_[index].view);
        views_.erase(views_.begin() + static_cast<std::ptrdiff_t>(index));
        return view;
    }

    template <class Match>
    std::size_t Index(Match&& match) const noexcept {
        return static_cast<std::size_t>(std::find_if(views_.begin(), views_.end(), match) -
                                        views_.begin());
    }

    std::size_t IndexOf(Handle handle) const noexcept {
        return Index([&](const Entry& entry) { return entry.handle == handle; });
    }

    std::vector<Entry> views_;
    Handle next_;
};

}  // namespace tessalin
