// The named mutex "Tessaline", held while the library is loaded so that other programs can
// tell that a host process has it loaded.
#pragma once

namespace tessalin {

void CreateInstanceMutex() noexcept;
void CloseInstanceMutex() noexcept;

}  // namespace tessalin
