// The session and movie file dialogs' exports.
#include <cstdint>

#include "frame/export_guard.h"
#include "fs/file_dialogs_win.h"

using tessalin::Guarded;
using tessalin::PlatformDialogRoad;
using tessalin::RunFileDialog;

TESSALIN_EXPORT std::int32_t FileOpenDialog(wchar_t* buffer) noexcept {
    return Guarded<std::int32_t>(0, [&] {
        return RunFileDialog(tessalin::kLoadSessionDialog, PlatformDialogRoad(), buffer);
    });
}

TESSALIN_EXPORT std::int32_t FileSaveDialog(wchar_t* buffer) noexcept {
    return Guarded<std::int32_t>(0, [&] {
        return RunFileDialog(tessalin::kSaveSessionDialog, PlatformDialogRoad(), buffer);
    });
}

TESSALIN_EXPORT std::int32_t InsertMovieDialog(wchar_t* buffer) noexcept {
    return Guarded<std::int32_t>(0, [&] {
        return RunFileDialog(tessalin::kSelectMovieDialog, PlatformDialogRoad(), buffer);
    });
}
