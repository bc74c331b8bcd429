// The lclcheck command line: arguments in, reports out, the exit status.
#pragma once

#include <filesystem>
#include <ostream>
#include <vector>

#include "localizer/text_decoding.h"

namespace tessalin::lclcheck {

inline constexpr int kNothingLost = 0;
inline constexpr int kTextLost = 1;
inline constexpr int kUsageError = 2;

int RunLclcheck(const std::vector<std::filesystem::path>& arguments, AnsiDecoder decodeAnsi,
                std::ostream& out, std::ostream& err);

}  // namespace tessalin::lclcheck
