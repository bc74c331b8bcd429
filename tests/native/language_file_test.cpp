#include "localizer/language_file.h"

#include <gtest/gtest.h>

#include "language_files.h"
#include "localizer/text_decoding.h"

namespace tessalin {
namespace {

using namespace std::string_view_literals;
using testing::EntriesOf;
using testing::Entry;
using testing::Latin1;
using testing::Utf8File;

TEST(LanguageFile, WorkedExample) {
    const TL10NResource file = Utf8File(testing::kEnglishExample);
    const std::vector<Entry> expected{
        {u"NotesForm", u"<DEFAULT>", u"Speaker notes", u"Notes of the current slide"},
        {u"NotesForm", u"ZoomInButton", u"Larger", u""},
        {u"<ALL>", u"ZoomOutButton", u"Smaller", u"Make the text smaller"},
        {u"<SP>", u"12", u"Save changes to %s1%?\r\nUnsaved changes are lost.", u""},
        {u"NotesForm", u"ControlPanel", u"oo", u""},
    };
    EXPECT_EQ(EntriesOf(file), expected);
}

TEST(LanguageFile, FieldsAreCutAtEveryTildeAndLoseTheirEnclosingCharacters) {
    const TL10NResource file = Utf8File(
        "A~three~\"Hi\"\n"
        "A~quotes~\"\"\n"
        "A~one~x\n"
        "A~bare~Hello\n"
        "A~quoted tilde~\"one~two\"\n"
        "A~five~\"c\"~\"h\"~\"x\"~\"y\"\n"
        "~~~\n"
        "A~two fields\n"
        "no separator at all\n"
        "   \n");
    const std::vector<Entry> expected{
        {u"A", u"three", u"Hi", u""},
        {u"A", u"quotes", u"", u""},
        {u"A", u"one", u"", u""},
        {u"A", u"bare", u"ell", u""},
        {u"A", u"quoted tilde", u"on", u"wo"},
        {u"A", u"five", u"c", u"h"},
        {u"", u"", u"", u""},
    };
    EXPECT_EQ(EntriesOf(file), expected);
}

TEST(LanguageFile, LineBreaksCommentsAndTheEndOfTheText) {
    const TL10NResource file = Utf8File(
        ";A~comment~\"x\"\r"
        " ;A~blank first~\"x\"\n"
        "A~after CR~\"x\"\r\n"
        "\r\r\n\n"
        "A~last before NUL~\"x\"\0"
        "A~after NUL~\"x\"\n"sv);
    const std::vector<Entry> expected{
        {u" ;A", u"blank first", u"x", u""},
        {u"A", u"after CR", u"x", u""},
        {u"A", u"last before NUL", u"x", u""},
    };
    EXPECT_EQ(EntriesOf(file), expected);
}

TEST(LanguageFile, EscapesAreReplacedInCaptionAndHintOnly) {
    const TL10NResource file =
        Utf8File("A<9>~B<13>~\"1<1310>2<13><10>3<9>4<11>5<<13>>\"~\"<10><1310>\"");
    const std::vector<Entry> expected{
        {u"A<9>", u"B<13>", u"1\r\n2\r\n3\t4<11>5<\r>", u"\n\r\n"},
    };
    EXPECT_EQ(EntriesOf(file), expected);
}

TEST(LanguageFile, FirstEntryOfAKeyWinsAndMissesLeaveOutputsAlone) {
    const TL10NResource file =
        Utf8File("F~C~\"first\"~\"h1\"\nF~C~\"second\"~\"h2\"\nf~C~\"lower\"");
    Text caption = u"keep";
    Text hint = u"keep";
    EXPECT_FALSE(file.FindStringResource(u"F", u"c", caption, hint));
    EXPECT_FALSE(file.FindStringResource(u"F ", u"C", caption, hint));
    EXPECT_EQ(caption, u"keep");
    EXPECT_EQ(hint, u"keep");
    ASSERT_TRUE(file.FindStringResource(u"F", u"C", caption, hint));
    EXPECT_EQ(caption, u"first");
    EXPECT_EQ(hint, u"h1");
    ASSERT_TRUE(file.FindStringResource(u"f", u"C", caption, hint));
    EXPECT_EQ(caption, u"lower");
}

// The same entry in every encoding the signature can name.
TEST(TextDecoding, SignaturesNameTheEncoding) {
    const Entry expected{u"F", u"C", u"\u00E9\u20AC\U0001F600", u""};
    const std::string utf8 = "F~C~\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\"";
    EXPECT_EQ(EntriesOf(Utf8File(utf8)).at(0), expected);

    const std::u16string units = u"F~C~\"\u00E9\u20AC\U0001F600\"";
    std::string little = "\xFF\xFE";
    std::string big = "\xFE\xFF";
    for (const char16_t unit : units) {
        little += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        big += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    }
    EXPECT_EQ(EntriesOf(LoadL10NFile(little, Latin1)).at(0), expected);
    EXPECT_EQ(EntriesOf(LoadL10NFile(big, Latin1)).at(0), expected);
    // An odd last byte is not a code unit; unpaired surrogates are kept.
    EXPECT_EQ(EntriesOf(LoadL10NFile(little + "\x41", Latin1)).at(0), expected);
    EXPECT_EQ(DecodeLanguageFile(std::string_view("\xFF\xFE\x00\xD8x\x00", 6), Latin1),
              Text(u"\xD800x"));

    // Without a signature the bytes are ANSI, even when they happen to be UTF-8.
    EXPECT_EQ(EntriesOf(LoadL10NFile(utf8, Latin1)).at(0)[2],
              Latin1("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"));
}

TEST(TextDecoding, OneInvalidUtf8SequenceEmptiesTheWholeFile) {
    for (const std::string_view bad :
         {"\x80", "\xC0\xAF", "\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
          "\xF5\x80\x80\x80", "\xFF", "\xE2\x82", "\xF0\x9F\x98", "\xC3x"}) {
        const TL10NResource file = Utf8File("F~C~\"ok\"\nF~D~\"" + std::string(bad) + "\"");
        EXPECT_TRUE(file.FStrings.empty()) << "bytes: " << ::testing::PrintToString(bad);
    }
    // The edges of the allowed ranges are valid.
    EXPECT_EQ(DecodeUtf8("\xC2\x80\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF"),
              Text(u"\u0080\uD7FF\uE000\U0010FFFF"));
    EXPECT_TRUE(Utf8File("").FStrings.empty());
}

TEST(LanguageFile, ReadsHugeInputWithoutTrouble) {
    // One line of 4 MB, and a million short lines.
    std::string longLine = "F~C~\"" + std::string(4'000'000, 'x') + "\"";
    const TL10NResource wide = Utf8File(longLine);
    ASSERT_EQ(wide.FStrings.size(), 1u);
    EXPECT_EQ(wide.View(wide.FStrings[0].FCaption).size(), 4'000'000u);

    std::string manyLines;
    for (int i = 0; i < 1'000'000; ++i) manyLines += "F~C~\"x<9>\"\n";
    const TL10NResource tall = Utf8File(manyLines);
    ASSERT_EQ(tall.FStrings.size(), 1'000'000u);
    EXPECT_EQ(tall.View(tall.FStrings.back().FCaption), u"x\t");
}

TEST(LanguageFile, FieldsOfAnyLengthAreKeptWholeAndTheFirstOfAKeyIsFound) {
    // Lengths on either side of those an entry holds in itself.
    for (const std::size_t length : {255, 256, 32767, 32768}) {
        const std::string name(length, 'n');
        const std::string text(length, 't');
        const TL10NResource file =
            Utf8File(name + "~C~\"" + text + "\"\nF~" + name + "~\"x\"~\"" + text + "\"\nF~C~\"" +
                     text + "\"\nF~C~\"y\"\n" + name + "~C~\"z\"");
        const Text longName(length, u'n');
        const Text longText(length, u't');
        const std::vector<Entry> expected{{longName, u"C", longText, u""},
                                          {u"F", longName, u"x", longText},
                                          {u"F", u"C", longText, u""},
                                          {u"F", u"C", u"y", u""},
                                          {longName, u"C", u"z", u""}};
        EXPECT_EQ(EntriesOf(file), expected) << length;
        for (const Entry& first : std::span(expected).first(3)) {
            Text caption;
            Text hint;
            EXPECT_TRUE(file.FindStringResource(first[0], first[1], caption, hint)) << length;
            EXPECT_EQ(caption, first[2]);
            EXPECT_EQ(hint, first[3]);
        }
    }
}

TEST(LanguageFileName, NamesAreHexadecimalLanguageIdentifiers) {
    EXPECT_EQ(LanguageIdFromFileName(u"0409.lcl"), 0x0409u);
    EXPECT_EQ(LanguageIdFromFileName(u"409.lcl"), 0x0409u);
    EXPECT_EQ(LanguageIdFromFileName(u"0409.LCL"), 0x0409u);
    EXPECT_EQ(LanguageIdFromFileName(u"c0a.lcl"), 0x0C0Au);
    EXPECT_EQ(LanguageIdFromFileName(u"0000FFFFFFFF.lcl"), 0xFFFFFFFFu);
    for (const TextView name : {u"readme.lcl", u".lcl", u"0x409.lcl", u"-409.lcl", u"0.lcl",
                                u"0409.txt.lcl", u" 409.lcl", u"100000000.lcl"}) {
        EXPECT_EQ(LanguageIdFromFileName(name), 0u);
    }
}

}  // namespace
}  // namespace tessalin
