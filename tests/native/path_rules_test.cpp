#include "fs/path_rules.h"

#include <gtest/gtest.h>

#include <set>

#include "fs/dialog_settings.h"

namespace tessalin {
namespace {

Text AsciiLower(TextView text) {
    Text lower(text);
    for (char16_t& c : lower) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return lower;
}

Text Relative(TextView base, TextView target) {
    return RelativePath(base, target, AsciiLower);
}

TEST(RelativePath, ExampleTable) {
    EXPECT_EQ(Relative(u"C:\\a\\b\\x.txt", u"C:\\a\\c\\y.txt"), u"..\\c\\y.txt");
    EXPECT_EQ(Relative(u"C:\\a\\x.txt", u"C:\\a\\b\\y.txt"), u"b\\y.txt");
    EXPECT_EQ(Relative(u"C:\\a\\b\\x.txt", u"C:\\a\\y.txt"), u"..\\y.txt");
    EXPECT_EQ(Relative(u"C:\\a\\x.txt", u"c:\\A\\y.txt"), u"y.txt");
    EXPECT_EQ(Relative(u"C:\\a\\", u"C:\\a\\b\\"), u"b\\");
    EXPECT_EQ(Relative(u"C:\\a\\", u"C:\\a\\"), u"");
    EXPECT_EQ(Relative(u"C:\\a\\b", u"C:\\a\\b\\y.txt"), u"b\\y.txt");
    EXPECT_EQ(Relative(u"C:\\a\\x.txt", u"D:\\a\\y.txt"), u"D:\\a\\y.txt");
}

TEST(RelativePath, DeeperTreesAndShares) {
    EXPECT_EQ(Relative(u"C:\\a\\b\\c\\x", u"C:\\a\\d\\e\\f\\y"), u"..\\..\\d\\e\\f\\y");
    EXPECT_EQ(Relative(u"\\\\srv\\share\\a\\x", u"\\\\SRV\\Share\\b\\y"), u"..\\b\\y");
    EXPECT_EQ(Relative(u"\\\\srv\\one\\a\\x", u"\\\\srv\\two\\a\\y"), u"\\\\srv\\two\\a\\y");
    EXPECT_EQ(Relative(u"x.txt", u"y.txt"), u"y.txt") << "no folders at all";
    EXPECT_EQ(Relative(u"", u""), u"");
}

TEST(PathParts, DriveFolderAndFileName) {
    EXPECT_EQ(DrivePart(u"C:\\a"), u"C:");
    EXPECT_EQ(DrivePart(u"\\\\server\\share\\a\\b"), u"\\\\server\\share");
    EXPECT_EQ(DrivePart(u"\\\\server"), u"\\\\server");
    EXPECT_EQ(DrivePart(u"\\a\\b"), u"");
    EXPECT_EQ(FolderPart(u"C:\\a\\b.txt"), u"C:\\a\\");
    EXPECT_EQ(FolderPart(u"C:b.txt"), u"C:");
    EXPECT_EQ(FolderPart(u"b.txt"), u"");
    EXPECT_EQ(FileName(u"C:\\a\\b.txt"), u"b.txt");
    EXPECT_EQ(FileName(u"b.txt"), u"b.txt");
}

struct FakeDisk {
    std::set<Text> folders;
    std::vector<Text> asked;
    FolderExistsFn Exists() {
        return [this](TextView folder) {
            asked.emplace_back(folder);
            return folders.count(Text(folder)) > 0;
        };
    }
};

std::vector<Text> Plan(TextView path, FakeDisk& disk) {
    auto plan = ForceFolderPlan(path, disk.Exists());
    EXPECT_TRUE(plan) << "no plan";
    return plan ? std::vector<Text>(plan->begin(), plan->end()) : std::vector<Text>{};
}

TEST(ForceFolderPlan, CreatesMissingFoldersOutermostFirst) {
    FakeDisk disk{{u"C:\\data"}, {}};
    EXPECT_EQ(Plan(u"C:\\data\\a\\b", disk),
              (std::vector<Text>{u"C:\\data\\a", u"C:\\data\\a\\b"}));
    EXPECT_EQ(Plan(u"C:\\data\\a\\b\\", disk),
              (std::vector<Text>{u"C:\\data\\a", u"C:\\data\\a\\b"}))
        << "a closing backslash changes nothing";
    EXPECT_TRUE(Plan(u"C:\\data", disk).empty());
    EXPECT_TRUE(Plan(u"C:\\", disk).empty()) << "a drive alone";
    EXPECT_TRUE(Plan(u"ab", disk).empty()) << "short relative names count as done";
}

TEST(ForceFolderPlan, DriveRootStopsTheWalkWithoutAskingTheDisk) {
    FakeDisk disk;
    EXPECT_EQ(Plan(u"C:\\x", disk), (std::vector<Text>{u"C:\\x"}));
    EXPECT_EQ(disk.asked, (std::vector<Text>{u"C:\\x"}));
}

TEST(ForceFolderPlan, RelativeNameWithoutParentIsAnError) {
    FakeDisk disk;
    EXPECT_FALSE(ForceFolderPlan(u"abc", disk.Exists()));
    EXPECT_FALSE(ForceFolderPlan(u"", disk.Exists()));
    disk.folders.insert(u"abc");
    EXPECT_TRUE(ForceFolderPlan(u"abc\\d", disk.Exists()));
}

TEST(ForceFolderPlan, VeryDeepPathsNeedNoRecursion) {
    Text path = u"C:";
    for (int i = 0; i < 16000; ++i) path += u"\\a";
    const auto plan = ForceFolderPlan(path, [](TextView) { return false; });
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->size(), 16000u);
    EXPECT_EQ(plan->front(), u"C:\\a");
    EXPECT_EQ(plan->back(), path);
}

TEST(ExtendedLengthPath, EveryFormOpensAsItStands) {
    EXPECT_EQ(ExtendedLengthPath(u"C:\\a\\b.ini"), u"\\\\?\\C:\\a\\b.ini");
    EXPECT_EQ(ExtendedLengthPath(u"\\\\server\\share\\b.ini"), u"\\\\?\\UNC\\server\\share\\b.ini");
    EXPECT_EQ(ExtendedLengthPath(u"\\\\?\\C:\\a\\b.ini"), u"\\\\?\\C:\\a\\b.ini");
    EXPECT_EQ(ExtendedLengthPath(u"\\\\?\\UNC\\server\\share\\b.ini"),
              u"\\\\?\\UNC\\server\\share\\b.ini");
    // A device path is no share named "."
    EXPECT_EQ(ExtendedLengthPath(u"\\\\.\\C:\\a\\b.ini"), u"\\\\?\\C:\\a\\b.ini");
    EXPECT_EQ(ExtendedLengthPath(u"\\\\.\\pipe\\b"), u"\\\\?\\pipe\\b");
}

TEST(DialogSettings, FlagTranslations) {
    EXPECT_EQ(ClassicDialogFlags(kLoadSessionDialog.options), 0x881824u);
    EXPECT_EQ(ClassicDialogFlags(kSaveSessionDialog.options), 0x880826u);
    EXPECT_EQ(ItemDialogFlags(kLoadSessionDialog.options) | kForcePreviewPaneOn, 0x40001840u);
    EXPECT_EQ(ItemDialogFlags(kSaveSessionDialog.options), 0x842u);
}

TEST(DialogSettings, FiltersKeepTheirPatternsExactly) {
    const auto movie = FilterPairs(kSelectMovieDialog.filter);
    ASSERT_EQ(movie.size(), 2u);
    EXPECT_EQ(movie[0].second, u"*.wmv;*.avi;*.mpg;*.mpeg;*mpe");
    EXPECT_EQ(movie[1].first, u"All Files (*.*)");
    const Text classic = ClassicFilter(u"A|*.a|B|*.b");
    EXPECT_EQ(classic, Text(u"A\0*.a\0B\0*.b\0", 12));
}

TEST(DialogSettings, InitialFolderKeepsADriveRootsBackslash) {
    EXPECT_EQ(InitialFolder(u"C:\\"), u"C:\\");
    EXPECT_EQ(InitialFolder(u"C:\\work\\"), u"C:\\work");
    EXPECT_EQ(InitialFolder(u"C:\\work"), u"C:\\work");
    EXPECT_EQ(InitialFolder(u"\\"), u"\\");
}

TEST(DialogSettings, ItemDialogOnlyWithVisualStyles) {
    const DialogPlatform themed{10, true, true, true, 6};
    EXPECT_TRUE(UseItemDialog(themed));
    for (auto change : {+[](DialogPlatform& p) { p.osMajorVersion = 5; },
                        +[](DialogPlatform& p) { p.themeLibraryPresent = false; },
                        +[](DialogPlatform& p) { p.appThemed = false; },
                        +[](DialogPlatform& p) { p.themeActive = false; },
                        +[](DialogPlatform& p) {
                            p.commonControlsMajorVersion = 5;
                        }}) {
        DialogPlatform platform = themed;
        change(platform);
        EXPECT_FALSE(UseItemDialog(platform));
    }
}

}  // namespace
}  // namespace tessalin
