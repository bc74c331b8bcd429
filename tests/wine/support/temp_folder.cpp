#include "support/temp_folder.h"

#include <windows.h>

#include "frame/unique_resource_win.h"

namespace testing_support {

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    path_ = std::wstring(temp) + L"tessalin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    CreateDirectoryW(path_.c_str(), nullptr);
}

namespace {

// Removes a folder and everything below it, by absolute "\\?\" names only. Seen under Wine 8:
// SHFileOperation, given a tree with paths longer than 260 characters, went on to delete
// files of the current directory's parent; a removal that never builds a relative name
// cannot do that. Links are removed, never followed.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    // The search ends before the folder goes.
    if (const tessalin::UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &entry));
        search) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            const DWORD attributes = entry.dwFileAttributes;
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveTree(path);
            } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryW(path.c_str());
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search.get(), &entry));
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempFolder::~TempFolder() {
    if (path_.size() > 3 && path_.find(L"tessalin-") != std::wstring::npos) {
        RemoveTree(L"\\\\?\\" + path_);
    }
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const tessalin::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadFileBytes(const std::wstring& path) {
    const tessalin::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

int CountEntries(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const tessalin::UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!search) return 0;
    int count = 0;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") ++count;
    } while (FindNextFileW(search.get(), &entry));
    return count;
}

}  // namespace testing_support
