// The overlay that shows a monitor's number on the whole of that monitor.
#pragma once

#include <cstdint>

#include "forms/form_win.h"

namespace tessalin {

class TMonitorNumForm final : public forms::Form {
  public:
    TMonitorNumForm() noexcept;

    // Caption, number and rectangle of monitor `monitorNum`. False when that monitor cannot
    // be described any more: the overlay then has nothing to cover.
    bool Initialize(std::int32_t monitorNum);

  protected:
    void FormCreate() override;
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace tessalin
