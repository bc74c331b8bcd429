#include "localizer/language_folder_win.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "frame/export_guard.h"
#include "frame/unique_resource_win.h"
#include "frame/wide_win.h"
#include "localizer/store.h"

namespace tessalin {
namespace {

class DiskLanguageFolder final : public LanguageFolder {
  public:
    explicit DiskLanguageFolder(Text path) : path_(std::move(path)) {
        if (!path_.ends_with(u'\\')) path_ += u'\\';
    }

    std::vector<FolderEntry> List() override {
        std::vector<FolderEntry> entries;
        const Text pattern = path_ + u"*.lcl";
        WIN32_FIND_DATAW found;
        // Basic information leaves out the short names: the loader needs the long ones only.
        UniqueFind find(FindFirstFileExW(AsWide(pattern), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, 0));
        if (!find) return entries;
        do {
            entries.push_back({Text(AsText(found.cFileName)),
                               (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                               (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow});
        } while (FindNextFileW(find.get(), &found));
        return entries;
    }

    std::optional<std::string> Read(const Text& name, std::uint64_t maxBytes) override {
        // Other readers may share the file; a writer halfway through would not.
        UniqueFile file(CreateFileW(AsWide(path_ + name), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        LARGE_INTEGER size;
        if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
            static_cast<std::uint64_t>(size.QuadPart) > maxBytes) {
            return std::nullopt;
        }
        // The size read above bounds the read even if the file grows meanwhile.
        std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD got = 0;
            const auto chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
            if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr)) {
                return std::nullopt;
            }
            if (got == 0) break;  // it shrank
            done += got;
        }
        bytes.resize(done);
        return bytes;
    }

  private:
    Text path_;
};

}  // namespace

std::unique_ptr<LanguageFolder> OpenLanguageFolder(Text path) {
    return std::make_unique<DiskLanguageFolder>(std::move(path));
}

Text DecodeAnsi(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return Text();
    }
    const int size = static_cast<int>(bytes.size());
    const auto decode = [&](Text& text) {
        return MultiByteToWideChar(CP_ACP, 0, bytes.data(), size,
                                   reinterpret_cast<wchar_t*>(text.data()),
                                   static_cast<int>(text.size()));
    };
    // A byte gives at most one unit, also in the double-byte code pages (a lead and a trail
    // byte give one), so one call into room of that size decodes the file; asking for the
    // length first would decode it twice. Should a code page ever give more, it is asked.
    Text text(bytes.size(), u'\0');
    int written = decode(text);
    if (written <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        text.resize(static_cast<std::size_t>(
            std::max(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0), 0)));
        written = decode(text);
    }
    text.resize(static_cast<std::size_t>(std::max(written, 0)));
    return text;
}

void LoadL10NResources(TextView folderPath) noexcept {
    Guarded([&] {
        if (folderPath.empty()) return;
        InstallL10NResources(ReadL10NResources(*OpenLanguageFolder(Text(folderPath)), DecodeAnsi));
    });
}

}  // namespace tessalin
