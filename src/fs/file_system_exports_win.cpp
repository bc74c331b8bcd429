// UTF-16 file-system helpers for the add-in: folders, the current directory, existence
// tests, deletion, the empty settings file, relative paths and the application-data folder.
#include <windows.h>
#include <shlobj.h>

#include <cstdint>

#include "frame/call_conventions.h"
#include "frame/export_guard.h"
#include "frame/unique_resource_win.h"
#include "frame/wide_win.h"
#include "fs/current_directory_win.h"
#include "fs/path_rules.h"

using namespace tessalin;

namespace {

bool FolderExists(const Text& path) {
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        switch (GetLastError()) {
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND:
            case ERROR_BAD_NETPATH:
            case ERROR_INVALID_NAME:
                return false;
            default:
                return true;  // there, but not readable (access denied, for instance)
        }
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    // A link or junction counts only when its target can be reached.
    UniqueFile target(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return target && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const Text& path) {
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_INVALID_NAME) {
            return false;
        }
        // Locked or unreadable: a directory search still sees the entry.
        WIN32_FIND_DATAW entry;
        UniqueFind search(FindFirstFileW(AsWide(path), &entry));
        return search && !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    UniqueFile target(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    return target || GetLastError() == ERROR_SHARING_VIOLATION;
}

void DeleteFileOrFolderLink(const Text& path) {
    if (DeleteFileW(AsWide(path))) return;
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    constexpr DWORD kFolderLink = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kFolderLink) == kFolderLink) {
        // Removes the link itself; the folder it points to and its contents stay.
        RemoveDirectoryW(AsWide(path));
        return;
    }
    SetLastError(error);
}

// A name the platform will open as it stands: a path of 260 characters or more is opened
// through its full "\\?\" form rather than being cut by the classic path limit, which could
// name another, existing file.
Text OpenableName(const Text& path) {
    if (path.size() < MAX_PATH) return path;
    const DWORD needed = GetFullPathNameW(AsWide(path), 0, nullptr, nullptr);
    if (needed == 0) return Text();
    Text full(needed, u'\0');
    const DWORD length =
        GetFullPathNameW(AsWide(path), needed, reinterpret_cast<wchar_t*>(full.data()), nullptr);
    if (length == 0 || length >= needed) return Text();
    full.resize(length);
    return ExtendedLengthPath(full);
}

void CreateUnicodeIni(const Text& path) {
    if (path.empty()) return;
    const Text name = OpenableName(path);
    if (name.empty()) return;
    UniqueFile file(CreateFileW(AsWide(name), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    constexpr BYTE kByteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file.get(), kByteOrderMark, sizeof kByteOrderMark, &written, nullptr);
}

void ForceFolder(TextView path) {
    const auto plan =
        ForceFolderPlan(path, [](TextView folder) { return FolderExists(Text(folder)); });
    // No plan: the chain of parents reached the empty path ("Unable to create directory").
    // The export has no way to report it; nothing is created.
    if (!plan) return;
    for (TextView folder : *plan) {
        if (!CreateDirectoryW(AsWide(Text(folder)), nullptr)) return;
    }
}

Text LowerCase(TextView text) {
    Text lower(text);
    if (!lower.empty()) {
        CharLowerBuffW(reinterpret_cast<wchar_t*>(lower.data()), static_cast<DWORD>(lower.size()));
    }
    return lower;
}

Text AppDataFolder() {
    wchar_t folder[2048] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE)) return Text();
    return Text(AsText(folder));
}

}  // namespace

TESSALIN_EXPORT void LChDir(const wchar_t* path) noexcept {
    Guarded([&] { SetCurrentDirectoryW(AsWide(Text(TextArg(path)))); });
}

TESSALIN_EXPORT void LMkDir(const wchar_t* path) noexcept {
    Guarded([&] { CreateDirectoryW(AsWide(Text(TextArg(path))), nullptr); });
}

TESSALIN_EXPORT void LForceMkDir(const wchar_t* path) noexcept {
    Guarded([&] { ForceFolder(TextArg(path)); });
}

TESSALIN_EXPORT std::int32_t LCurDir(wchar_t* buffer) noexcept {
    return Guarded<std::int32_t>(0, [&] { return TextOut(buffer, CurrentDirectory()); });
}

TESSALIN_EXPORT Bool16 LFolderExists(const wchar_t* path) noexcept {
    return Guarded(kFalse16, [&] { return ToBool16(FolderExists(Text(TextArg(path)))); });
}

TESSALIN_EXPORT Bool16 LFileExists(const wchar_t* path) noexcept {
    return Guarded(kFalse16, [&] { return ToBool16(FileExists(Text(TextArg(path)))); });
}

TESSALIN_EXPORT void LDeleteFile(const wchar_t* path) noexcept {
    Guarded([&] { DeleteFileOrFolderLink(Text(TextArg(path))); });
}

TESSALIN_EXPORT void CreateUnicodeIniFile(const wchar_t* path) noexcept {
    Guarded([&] { CreateUnicodeIni(Text(TextArg(path))); });
}

TESSALIN_EXPORT std::int32_t RelativePath(const wchar_t* base, const wchar_t* target,
                                          wchar_t* buffer) noexcept {
    return Guarded<std::int32_t>(0, [&] {
        return TextOut(buffer, tessalin::RelativePath(TextArg(base), TextArg(target), LowerCase));
    });
}

TESSALIN_EXPORT std::int32_t UserAppDataFolder(wchar_t* buffer) noexcept {
    return Guarded<std::int32_t>(0, [&] { return TextOut(buffer, AppDataFolder()); });
}
