#include "fs/path_rules.h"

namespace tessalin {
namespace {

constexpr char16_t kBackslash = u'\\';

std::size_t LastDelimiter(TextView path) {
    return path.find_last_of(u"\\:");
}

// One component of a folder part: its text and where the text after its backslash begins
// (no value for the last component, which has no backslash after it).
struct Component {
    TextView text;
    std::optional<std::size_t> restStart;
};

// Cuts a folder part at every backslash. The empty text has no components at all; a
// leading backslash gives an empty first component and the closing one an empty last.
std::vector<Component> Components(TextView folder) {
    std::vector<Component> components;
    if (folder.empty()) return components;
    std::size_t start = 0;
    for (;;) {
        const std::size_t delimiter = folder.find(kBackslash, start);
        if (delimiter == TextView::npos) {
            components.push_back({folder.substr(start), std::nullopt});
            return components;
        }
        components.push_back({folder.substr(start, delimiter - start), delimiter + 1});
        start = delimiter + 1;
    }
}

TextView WithoutDrive(TextView path) {
    TextView folder = FolderPart(path);
    folder.remove_prefix(std::min(DrivePart(path).size(), folder.size()));
    return folder;
}

}  // namespace

TextView DrivePart(TextView path) {
    if (path.size() >= 2 && path[1] == u':') return path.substr(0, 2);
    if (path.size() >= 2 && path[0] == kBackslash && path[1] == kBackslash) {
        const std::size_t afterServer = path.find(kBackslash, 2);
        if (afterServer == TextView::npos) return path;
        const std::size_t afterShare = path.find(kBackslash, afterServer + 1);
        return path.substr(0, afterShare);
    }
    return {};
}

TextView FolderPart(TextView path) {
    const std::size_t last = LastDelimiter(path);
    return last == TextView::npos ? TextView() : path.substr(0, last + 1);
}

TextView FileName(TextView path) {
    const std::size_t last = LastDelimiter(path);
    return last == TextView::npos ? path : path.substr(last + 1);
}

Text RelativePath(TextView base, TextView target, const LowerCaseFn& lower) {
    const auto same = [&](TextView a, TextView b) {
        return lower(a) == lower(b);
    };
    if (!same(DrivePart(base), DrivePart(target))) return Text(target);

    const TextView baseFolder = WithoutDrive(base);
    const TextView targetFolder = WithoutDrive(target);
    const std::vector<Component> baseParts = Components(baseFolder);
    const std::vector<Component> targetParts = Components(targetFolder);

    std::size_t k = 0;
    while (k < baseParts.size() && k < targetParts.size() &&
           same(baseParts[k].text, targetParts[k].text)) {
        ++k;
    }

    Text result;
    for (std::size_t i = k + 1; i < baseParts.size(); ++i) result += u"..\\";
    if (k < targetParts.size()) {
        const Component& current = targetParts[k];
        if (!current.text.empty()) {
            result += current.text;
            result += kBackslash;
        }
        if (current.restStart) result += targetFolder.substr(*current.restStart);
    }
    result += FileName(target);
    return result;
}

Text ExtendedLengthPath(TextView fullPath) {
    if (fullPath.starts_with(u"\\\\?\\")) return Text(fullPath);
    // The device namespace and the extended-length one are the same; only the parsing differs.
    if (fullPath.starts_with(u"\\\\.\\")) return u"\\\\?\\" + Text(fullPath.substr(4));
    if (fullPath.starts_with(u"\\\\")) return u"\\\\?\\UNC\\" + Text(fullPath.substr(2));
    return u"\\\\?\\" + Text(fullPath);
}

std::optional<std::vector<TextView>> ForceFolderPlan(TextView path, const FolderExistsFn& exists) {
    // Walked upwards without recursion: a path of thousands of one-letter folders must not
    // exhaust the stack.
    std::vector<TextView> missing;
    TextView current = path;
    for (;;) {
        if (current.empty()) return std::nullopt;
        if (current.back() == kBackslash) current.remove_suffix(1);
        if (current.size() < 3 || exists(current) || FolderPart(current) == current) break;
        missing.push_back(current);
        current = FolderPart(current);
    }
    return std::vector<TextView>(missing.rbegin(), missing.rend());
}

}  // namespace tessalin
