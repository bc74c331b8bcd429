#include "localizer/store.h"

#include <gtest/gtest.h>

#include "language_files.h"

namespace tessalin {
namespace {

using testing::FakeFolder;
using testing::Latin1;
using testing::Utf8File;

Text Served(const TL10NResources& files, std::uint32_t language) {
    const TL10NResource* file = FindL10NResource(files, language);
    if (file == nullptr) return u"none";
    Text caption;
    Text hint;
    return file->FindStringResource(u"<SP>", u"1", caption, hint) ? caption : u"no entry";
}

TEST(Store, OnlyLanguageFilesAreLoadedInNameOrder) {
    FakeFolder folder;
    for (const Text name :
         {u"0409.lcl", u"readme.lcl", u".lcl", u"0x409.lcl", u"-409.lcl", u"0.lcl", u"0409.txt.lcl",
          u"0C07.LCL", u"123456789.lcl", u"0000000000407.lcl", u"0408.lclold"}) {
        folder.AddFile(name);
    }
    folder.AddDirectory(u"0405.lcl");
    folder.AddUnreadable(u"0406.lcl");
    folder.AddOfSize(u"040A.lcl", kMaxLanguageFileBytes + 1);
    folder.AddOfSize(u"040B.lcl", kMaxLanguageFileBytes);

    const TL10NResources files = ReadL10NResources(folder, Latin1);
    std::vector<std::uint32_t> locales;
    for (const TL10NResource& file : files) locales.push_back(file.FLocale);
    EXPECT_EQ(locales, (std::vector<std::uint32_t>{0x0407, 0x0409, 0x040B, 0x0C07}));
    EXPECT_EQ(Served(files, 0x0408), u"none") << "a backup file must not serve its language";
    EXPECT_EQ(Served(files, 0x0409), u"0409.lcl");
}

TEST(Store, ExactMatchFirstElsePrimaryLanguageLast) {
    FakeFolder folder;
    // Listed out of order on purpose: the loader sorts by name, without case.
    for (const Text name : {u"09.lcl", u"0409.lcl", u"009.lcl", u"7.lcl", u"0407.lcl"}) {
        folder.AddFile(name);
    }
    const TL10NResources files = ReadL10NResources(folder, Latin1);
    EXPECT_EQ(Served(files, 0x0409), u"0409.lcl");
    EXPECT_EQ(Served(files, 0x09), u"009.lcl");   // the first exact match
    EXPECT_EQ(Served(files, 0x0809), u"09.lcl");  // the last fallback
    EXPECT_EQ(Served(files, 0x0C07), u"7.lcl");   // never the file of another country
    EXPECT_EQ(Served(files, 0x0407), u"0407.lcl");
    EXPECT_EQ(Served(files, 0x0416), u"none");
    EXPECT_EQ(Served(files, 0), u"none");
    // All 32 bits count for an exact match; the fallback takes the low 10 only.
    EXPECT_EQ(Served(files, 0xFFFF0409), u"09.lcl");
}

TEST(Store, EqualNamesUpToCaseAreOrderedByCodeUnits) {
    // Only a case-sensitive file system can hold both; the order must still be fixed.
    FakeFolder first;
    first.AddFile(u"a.lcl");
    first.AddFile(u"A.lcl");
    first.AddFile(u"00A.lcl");
    FakeFolder second;
    second.AddFile(u"A.lcl");
    second.AddFile(u"00A.lcl");
    second.AddFile(u"a.lcl");
    for (FakeFolder* folder : {&first, &second}) {
        const TL10NResources files = ReadL10NResources(*folder, Latin1);
        EXPECT_EQ(Served(files, 0x0A), u"00A.lcl");
        EXPECT_EQ(Served(files, 0x040A), u"a.lcl");
    }
}

TEST(Store, LibraryWideStoreIsFreedWhole) {
    TL10NResources files;
    files.push_back(Utf8File(testing::kEnglishExample, 0x0409));
    InstallL10NResources(std::move(files));
    EXPECT_NE(FindL10NResource(L10NResources(), 0x0409), nullptr);
    FreeL10NResources();
    EXPECT_TRUE(L10NResources().empty());
    EXPECT_EQ(L10NResources().capacity(), 0u);
}

}  // namespace
}  // namespace tessalin
