#include "fs/current_directory_win.h"

#include <windows.h>

#include "frame/wide_win.h"

namespace tessalin {

Text CurrentDirectory() {
    // A path of up to 260 characters fits the first buffer; a longer one is read again
    // with the size the platform asks for, never cut.
    Text directory(261, u'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()),
                                                  reinterpret_cast<wchar_t*>(directory.data()));
        if (length == 0) return Text();
        if (length < directory.size()) {
            directory.resize(length);
            return directory;
        }
        directory.assign(length, u'\0');
    }
    return Text();
}

}  // namespace tessalin
