// The session's record of filtered slide-show windows: one record per registration, with the
// window procedure that registration found. Plain values, so the record logic is tested without
// windows.
#pragma once

#include <cstdint>
#include <vector>

namespace tessalin {

struct TSubclassRecord {
    std::uintptr_t Wnd;
    std::uintptr_t OldWndProc;
};

class SubclassList {
  public:
    void Append(TSubclassRecord record) { records_.push_back(record); }

    // Removes the newest record for the window (a window filtered again after it was put back
    // has two); false when it has none.
    bool RemoveNewest(std::uintptr_t wnd) noexcept;

    // A copy, so that callers may call out to the platform (which can re-enter the session)
    // while they walk it.
    std::vector<TSubclassRecord> Snapshot() const { return records_; }

    std::size_t size() const noexcept { return records_.size(); }

  private:
    std::vector<TSubclassRecord> records_;
};

}  // namespace tessalin
