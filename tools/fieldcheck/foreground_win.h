// The other program of the foreground step: this program again, started by the check with the
// two events it signals and waits for.
#pragma once

namespace fieldcheck {

int RunOtherProgram(const wchar_t* ready, const wchar_t* done);

}  // namespace fieldcheck
