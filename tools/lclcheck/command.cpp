#include "command.h"

#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "language_check.h"
#include "localizer/language_file.h"
#include "localizer/store.h"
#include "tessalin_version.h"

namespace tessalin::lclcheck {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: lclcheck [--reference LANGUAGE] PATH...\n"
    "       lclcheck --version\n"
    "Reads language files as Tessalin.dll reads them and reports, per file, the language its\n"
    "name gives, the encoding, the number of entries and every piece of text that is lost.\n"
    "  PATH                  a messages folder (all its *.lcl files) or single language files\n"
    "  --reference LANGUAGE  hexadecimal language of the reference file, such as 0409: list\n"
    "                        the keys each other file lacks or has in excess\n"
    "Exit status: 0 nothing is lost, 1 text is lost, 2 bad arguments or a missing path.\n";

std::string Utf8Path(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Files on disk as the loader sees them: every *.lcl of a folder, or the files named.
class DiskFolder final : public LanguageFolder {
  public:
    void Add(const fs::path& path) {
        std::error_code error;
        const bool directory = fs::is_directory(path, error);
        const std::uintmax_t bytes = directory ? 0 : fs::file_size(path, error);
        const Text name = path.filename().u16string();
        entries_.push_back({name, directory, error ? 0 : std::uint64_t{bytes}});
        paths_[name] = path;
    }

    std::vector<FolderEntry> List() override { return entries_; }

    std::optional<std::string> Read(const Text& name, std::uint64_t maxBytes) override {
        std::ifstream file(paths_.at(name), std::ios::binary);
        std::string bytes;
        char chunk[1 << 16];
        while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
            bytes.append(chunk, static_cast<std::size_t>(file.gcount()));
            if (bytes.size() > maxBytes) return std::nullopt;
        }
        if (!file.eof()) return std::nullopt;
        return bytes;
    }

  private:
    std::vector<FolderEntry> entries_;
    std::map<Text, fs::path> paths_;
};

struct Group {
    std::string prefix;  // printed before each file name
    std::unique_ptr<DiskFolder> folder = std::make_unique<DiskFolder>();
};

std::optional<std::uint32_t> ParseLanguage(const fs::path& argument) {
    const std::uint32_t language = LanguageIdFromFileName(argument.u16string());
    if (language == 0 || argument.u16string().find(u'.') != Text::npos) return std::nullopt;
    return language;
}

}  // namespace

int RunLclcheck(const std::vector<fs::path>& arguments, AnsiDecoder decodeAnsi, std::ostream& out,
                std::ostream& err) {
    std::optional<std::uint32_t> reference;
    std::vector<Group> groups;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const fs::path& argument = arguments[i];
        if (argument == "--help") {
            out << kUsage;
            return kNothingLost;
        }
        if (argument == "--version") {
            out << "lclcheck " TESSALIN_VERSION_TEXT "\n";
            return kNothingLost;
        }
        if (argument == "--reference") {
            if (i + 1 == arguments.size() || !(reference = ParseLanguage(arguments[++i]))) {
                err << "lclcheck: --reference needs a hexadecimal language such as 0409\n";
                return kUsageError;
            }
            continue;
        }
        std::error_code error;
        if (!fs::exists(argument, error)) {
            err << "lclcheck: " << Utf8Path(argument) << ": no such file or folder\n";
            return kUsageError;
        }
        Group& group = groups.emplace_back();
        if (fs::is_directory(argument, error)) {
            group.prefix = Utf8Path(argument / "");
            for (const fs::directory_entry& entry : fs::directory_iterator(argument)) {
                if (HasLanguageFileExtension(entry.path().filename().u16string())) {
                    group.folder->Add(entry.path());
                }
            }
        } else {
            group.prefix = argument.has_parent_path() ? Utf8Path(argument.parent_path() / "") : "";
            group.folder->Add(argument);
        }
    }
    if (groups.empty()) {
        err << kUsage;
        return kUsageError;
    }

    std::vector<std::vector<FileReport>> reports;
    std::vector<FileReport*> all;
    for (Group& group : groups) {
        reports.push_back(CheckFolder(*group.folder, decodeAnsi));
        for (FileReport& report : reports.back()) all.push_back(&report);
    }
    if (reference && !CompareWithReference(all, *reference)) {
        err << "lclcheck: no file for the reference language " << LanguageText(*reference) << '\n';
        return kUsageError;
    }
    std::size_t losing = 0;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (const FileReport& report : reports[g]) {
            Print(report, groups[g].prefix, out);
            if (report.LosesText()) ++losing;
        }
    }
    out << all.size() << (all.size() == 1 ? " file, " : " files, ") << losing << " losing text\n";
    return losing == 0 ? kNothingLost : kTextLost;
}

}  // namespace tessalin::lclcheck
