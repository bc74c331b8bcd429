// The one UTF-16 string type of the library's portable code. Windows' wchar_t text is
// reinterpreted as char16_t only at the platform boundary (see wide_win.h).
#pragma once

#include <string>
#include <string_view>

namespace tessalin {

using Text = std::u16string;
using TextView = std::u16string_view;

}  // namespace tessalin
