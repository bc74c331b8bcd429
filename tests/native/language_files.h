// Helpers of the localisation tests: language files made in memory.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "localizer/language_file.h"
#include "localizer/store.h"

namespace tessalin::testing {

// Stands in for the system's ANSI code page: each byte is the code point of its value.
inline Text Latin1(std::string_view bytes) {
    Text text;
    for (const unsigned char byte : bytes) text.push_back(byte);
    return text;
}

// A file from UTF-8 text saved with its signature.
inline TL10NResource Utf8File(std::string_view lines, std::uint32_t locale = 0) {
    TL10NResource file = LoadL10NFile("\xEF\xBB\xBF" + std::string(lines), Latin1);
    file.FLocale = locale;
    return file;
}

using Entry = std::array<Text, 4>;

inline std::vector<Entry> EntriesOf(const TL10NResource& file) {
    std::vector<Entry> entries;
    for (const TStringResource& entry : file.FStrings) {
        entries.push_back({Text(file.View(entry.FFormName)), Text(file.View(entry.FComponentName)),
                           Text(file.View(entry.FCaption)), Text(file.View(entry.FHint))});
    }
    return entries;
}

// The worked example of the format: a UTF-8 file for US English.
inline constexpr std::string_view kEnglishExample =
    "; English texts for the notes window\r\n"
    "\r\n"
    "NotesForm~<DEFAULT>~\"Speaker notes\"~\"Notes of the current slide\"\r\n"
    "NotesForm~ZoomInButton~\"Larger\"\r\n"
    "<ALL>~ZoomOutButton~\"Smaller\"~\"Make the text smaller\"\r\n"
    "<SP>~12~\"Save changes to %s1%?<13><10>Unsaved changes are lost.\"\r\n"
    "NotesForm~ControlPanel~Zoom~\r\n";

// A messages folder in memory. Each file holds one entry naming itself, so a test can tell
// which file served a request.
class FakeFolder final : public LanguageFolder {
  public:
    void AddFile(const Text& name) {
        const std::string narrow(name.begin(), name.end());
        AddFile(name, "\xEF\xBB\xBF<SP>~1~\"" + narrow + "\"");
    }
    void AddFile(const Text& name, std::string bytes) {
        entries_.push_back({name, false, bytes.size()});
        contents_[name] = std::move(bytes);
    }
    void AddUnreadable(const Text& name) { entries_.push_back({name, false, 10}); }
    // Readable like a file, so that only the directory rule keeps it out.
    void AddDirectory(const Text& name) {
        AddFile(name);
        entries_.back().directory = true;
    }
    void AddOfSize(const Text& name, std::uint64_t bytes) {
        entries_.push_back({name, false, bytes});
        contents_[name] = "<SP>~1~\"too big\"";
    }

    std::vector<FolderEntry> List() override { return entries_; }
    std::optional<std::string> Read(const Text& name, std::uint64_t) override {
        const auto found = contents_.find(name);
        if (found == contents_.end()) return std::nullopt;
        return found->second;
    }

  private:
    std::vector<FolderEntry> entries_;
    std::map<Text, std::string> contents_;
};

}  // namespace tessalin::testing
