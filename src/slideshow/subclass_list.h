// The session's record of filtered slide-show windows: for each, the window procedure it had
// before the filter. Plain values, so the record logic is tested without windows.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tessalin {

struct TSubclassRecord {
    std::uintptr_t Wnd;
    std::uintptr_t OldWndProc;
};

class SubclassList {
  public:
    // The procedure of the newest record for the window: what its latest filter replaced. A
    // window filtered again after its procedure was put back has two records, and the older
    // one names a procedure that may have been replaced since.
    std::optional<std::uintptr_t> Find(std::uintptr_t wnd) const noexcept;

    void Append(TSubclassRecord record) { records_.push_back(record); }

    // Removes the newest record for the window; false when it has none.
    bool RemoveNewest(std::uintptr_t wnd) noexcept;

    // A copy, so that callers may call out to the platform (which can re-enter the session)
    // while they walk it.
    std::vector<TSubclassRecord> Snapshot() const { return records_; }

    std::size_t size() const noexcept { return records_.size(); }

  private:
    std::vector<TSubclassRecord>::const_reverse_iterator Newest(std::uintptr_t wnd) const noexcept;

    std::vector<TSubclassRecord> records_;
};

}  // namespace tessalin
