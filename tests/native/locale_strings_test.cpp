#include "localizer/locale_strings.h"

#include <gtest/gtest.h>

#include "language_files.h"
#include "shared/messages_path.h"

namespace tessalin {
namespace {

class LocaleStrings : public ::testing::Test {
  protected:
    LocaleStrings() {
        files_.push_back(testing::Utf8File(testing::kEnglishExample, 0x0409));
        files_.push_back(
            testing::Utf8File("<SP>~5~\"\"~\"hint\"\n<SP>~-1~\"minus one\"\n"
                              "<SP>~07~\"padded\"\n<SP>~2147483647~\"max\"",
                              0x09));
    }
    TL10NResources files_;
};

TEST_F(LocaleStrings, FormattedExampleHasLength54) {
    const Text text = FormatLocaleString(files_, 0x0409, 12, u"unused", u"report.txt", u"");
    EXPECT_EQ(text, u"Save changes to report.txt?\r\nUnsaved changes are lost.");
    EXPECT_EQ(text.size(), 54u);
    // No German file: the default text, its escapes and placeholders done the same way.
    EXPECT_EQ(FormatLocaleString(files_, 0x0407, 12, u"Speichern: %s1%?<13><10>%s2%", u"report.txt",
                                 u"Ja"),
              u"Speichern: report.txt?\r\nJa");
    // The unformatted text keeps its placeholder.
    EXPECT_EQ(GetLocaleString(files_, 0x0409, 12, u""),
              u"Save changes to %s1%?\r\nUnsaved changes are lost.");
}

TEST_F(LocaleStrings, MessageNumbersAreKeyedInPlainDecimal) {
    EXPECT_EQ(GetLocaleString(files_, 0x0809, -1, u"default"), u"minus one");
    EXPECT_EQ(GetLocaleString(files_, 0x0809, 7, u"default"), u"default");
    EXPECT_EQ(GetLocaleString(files_, 0x0809, 2147483647, u"default"), u"max");
    // An entry with an empty caption wins over the default text.
    EXPECT_EQ(GetLocaleString(files_, 0x0809, 5, u"default"), u"");
    // A file for the language without the message: the default, escapes replaced.
    EXPECT_EQ(GetLocaleString(files_, 0x0409, 99, u"one.<13><10>two.<1310>"), u"one.\r\ntwo.\r\n");
    EXPECT_EQ(GetLocaleString(TL10NResources(), 0x0409, 12, u"a<9>b"), u"a\tb");
}

TEST_F(LocaleStrings, PlaceholdersAreReplacedInTwoPlainPasses) {
    // The first argument may bring in "%s2%", which the second pass replaces.
    EXPECT_EQ(FormatLocaleString(files_, 0x0407, 1, u"%s1%", u"%s2%", u"second"), u"second");
    // "%s2%" with an empty argument goes, the blanks around it stay.
    EXPECT_EQ(FormatLocaleString(files_, 0x0407, 1, u"a %s2% b", u"", u""), u"a  b");
    // Arguments are inserted as they are and not scanned again.
    EXPECT_EQ(FormatLocaleString(files_, 0x0407, 1, u"[%s1%|%s1%]", u"<13>%s1%", u""),
              u"[<13>%s1%|<13>%s1%]");
}

TEST(MessagesPath, OneBackslashBeforeMessagesAndNothingForNoInstallation) {
    EXPECT_EQ(MessagesPathFor(u"C:\\Tessaline"), u"C:\\Tessaline\\Messages");
    EXPECT_EQ(MessagesPathFor(u"C:\\Tessaline\\"), u"C:\\Tessaline\\Messages");
    EXPECT_EQ(MessagesPathFor(u""), u"");
}

}  // namespace
}  // namespace tessalin
