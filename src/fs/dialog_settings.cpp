#include "fs/dialog_settings.h"

namespace tessalin {
namespace {

constexpr char16_t kSessionFilter[] = u"Tessaline Session Files (*.tln)|*.tln|All Files (*.*)|*.*";
// The pattern list is kept as the add-in has always had it: in another order than its
// display name, and with "*mpe" lacking its dot, which matches every name ending in mpe.
constexpr char16_t kMovieFilter[] =
    u"Movie Files (*.wmv;*.mpg;*.mpeg;*.mpe;*.avi)|*.wmv;*.avi;*.mpg;*.mpeg;*mpe|All Files "
    u"(*.*)|*.*";

// Option bits and the flags they stand for.
constexpr std::uint32_t kOverwritePrompt = 1u << 1;
constexpr std::uint32_t kHideReadOnly = 1u << 2;
constexpr std::uint32_t kPathMustExist = 1u << 8;
constexpr std::uint32_t kFileMustExist = 1u << 9;
constexpr std::uint32_t kEnableSizing = 1u << 19;

constexpr std::uint32_t kOfnOverwritePrompt = 0x2;
constexpr std::uint32_t kOfnHideReadOnly = 0x4;
constexpr std::uint32_t kOfnEnableHook = 0x20;
constexpr std::uint32_t kOfnPathMustExist = 0x800;
constexpr std::uint32_t kOfnFileMustExist = 0x1000;
constexpr std::uint32_t kOfnExplorer = 0x80000;
constexpr std::uint32_t kOfnEnableSizing = 0x800000;

constexpr std::uint32_t kFosOverwritePrompt = 0x2;
constexpr std::uint32_t kFosForceFileSystem = 0x40;
constexpr std::uint32_t kFosPathMustExist = 0x800;
constexpr std::uint32_t kFosFileMustExist = 0x1000;

}  // namespace

const DialogSettings kLoadSessionDialog{DialogKind::kOpen, u"Load Tessaline Session",
                                        kSessionFilter, u"tln", 525060};
const DialogSettings kSaveSessionDialog{DialogKind::kSave, u"Save Tessaline Session",
                                        kSessionFilter, u"tln", 524550};
const DialogSettings kSelectMovieDialog{DialogKind::kOpen, u"Select Movie", kMovieFilter, u"avi",
                                        525060};

std::vector<std::pair<Text, Text>> FilterPairs(TextView filter) {
    std::vector<Text> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = filter.find(u'|', start);
        parts.emplace_back(filter.substr(start, bar - start));
        if (bar == TextView::npos) break;
        start = bar + 1;
    }
    std::vector<std::pair<Text, Text>> pairs;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

Text ClassicFilter(TextView filter) {
    Text result(filter);
    for (char16_t& c : result) {
        if (c == u'|') c = u'\0';
    }
    result += u'\0';  // with the string's own terminator, the list ends in two NULs
    return result;
}

std::uint32_t ClassicDialogFlags(std::uint32_t options) {
    std::uint32_t flags = kOfnEnableHook | kOfnExplorer;
    if (options & kOverwritePrompt) flags |= kOfnOverwritePrompt;
    if (options & kHideReadOnly) flags |= kOfnHideReadOnly;
    if (options & kPathMustExist) flags |= kOfnPathMustExist;
    if (options & kFileMustExist) flags |= kOfnFileMustExist;
    if (options & kEnableSizing) flags |= kOfnEnableSizing;
    return flags;
}

std::uint32_t ItemDialogFlags(std::uint32_t options) {
    // The add-in needs a file-system path: a place inside a phone or a zip folder has none,
    // and would come back as no choice at all, which looks like a cancel.
    std::uint32_t flags = kFosForceFileSystem;
    if (options & kOverwritePrompt) flags |= kFosOverwritePrompt;
    if (options & kPathMustExist) flags |= kFosPathMustExist;
    if (options & kFileMustExist) flags |= kFosFileMustExist;
    return flags;
}

Text InitialFolder(TextView currentDirectory) {
    Text folder(currentDirectory);
    const std::size_t n = folder.size();
    if (n > 1 && folder[n - 1] == u'\\' && folder[n - 2] != u':') folder.pop_back();
    return folder;
}

bool UseItemDialog(const DialogPlatform& platform) {
    return platform.osMajorVersion >= 6 && platform.themeLibraryPresent && platform.appThemed &&
           platform.themeActive && platform.commonControlsMajorVersion >= 6;
}

}  // namespace tessalin
