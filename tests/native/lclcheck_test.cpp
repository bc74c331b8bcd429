// lclcheck: what it reports of crafted language files, and its command line.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "command.h"
#include "language_check.h"
#include "language_files.h"

namespace tessalin::lclcheck {
namespace {

using testing::FakeFolder;
using testing::Latin1;

using Seen = std::vector<std::pair<Problem, std::uint32_t>>;

Seen ProblemsOf(const FileReport& report) {
    Seen seen;
    for (const Finding& finding : report.findings) seen.emplace_back(finding.problem, finding.line);
    return seen;
}

FileReport CheckOne(std::string bytes, const Text& name = u"0409.lcl") {
    FakeFolder folder;
    folder.AddFile(name, std::move(bytes));
    std::vector<FileReport> reports = CheckFolder(folder, Latin1);
    return std::move(reports.at(0));
}

TEST(Lclcheck, ExplainsEveryFileTheLibraryDoesNotLoad) {
    FakeFolder folder;
    folder.AddFile(u"0409.lcl");
    folder.AddFile(u"readme.lcl");
    folder.AddFile(u".lcl");
    folder.AddFile(u"0.lcl");
    folder.AddFile(u"123456789.lcl");
    folder.AddFile(u"notes.txt");
    folder.AddDirectory(u"0407.lcl");
    folder.AddUnreadable(u"0408.lcl");
    folder.AddOfSize(u"0406.lcl", kMaxLanguageFileBytes + 1);
    std::map<Text, FileReport> byName;
    for (FileReport& report : CheckFolder(folder, Latin1)) byName[report.name] = report;
    ASSERT_EQ(byName.size(), 9u);

    EXPECT_EQ(byName[u"0409.lcl"].language, 0x0409u);
    EXPECT_TRUE(byName[u"0409.lcl"].findings.empty());
    EXPECT_EQ(byName[u"0409.lcl"].entries, 1u);
    const std::map<Text, Problem> expected{
        {u"readme.lcl", Problem::kNotLanguageFile}, {u".lcl", Problem::kNotLanguageFile},
        {u"0.lcl", Problem::kNotLanguageFile},      {u"123456789.lcl", Problem::kNotLanguageFile},
        {u"notes.txt", Problem::kNotLclFile},       {u"0407.lcl", Problem::kDirectory},
        {u"0408.lcl", Problem::kUnreadable},        {u"0406.lcl", Problem::kTooLarge},
    };
    std::set<std::string> reasons;
    for (const auto& [name, problem] : expected) {
        const FileReport& report = byName[name];
        EXPECT_EQ(report.language, 0u) << ToUtf8(name);
        EXPECT_EQ(ProblemsOf(report), (Seen{{problem, 0}})) << ToUtf8(name);
        EXPECT_EQ(report.LosesText(), problem != Problem::kDirectory) << ToUtf8(name);
        if (problem == Problem::kNotLanguageFile) reasons.insert(report.findings[0].detail);
    }
    EXPECT_EQ(reasons.size(), 4u) << "each bad name gets its own reason";
}

TEST(Lclcheck, ReportsLostLinesByTheirNumbers) {
    const FileReport report = CheckOne(
        "\xEF\xBB\xBF; comment\r\n"  // 1
        "\r\n"                       // 2
        "NotesForm~A~\"One\"\r"      // 3: a lone CR ends a line too
        "just text\n"                // 4: too few fields
        "NotesForm~A~\"Two\"\r\n"    // 5: duplicate of line 3
        "F~B~Caption~\"hint\"\n"     // 6: caption not enclosed
        "F~C~\"x\"~\"h\"~extra\n"    // 7: a fifth field
        "<SP>~07~\"x\"\n"            // 8: never asked for
        "<SP>~-3~\"x\"\n"            // 9
        "<SP>~2147483648~\"x\"\n"    // 10: beyond a 32-bit message number
        " ;F~D~\"x\"\n"              // 11: an entry, not a comment
        "F~E~\"\"~\n"                // 12: empty caption and hint lose nothing
        "F~G~\"a~b\"");              // 13: a ~ inside quotes splits the caption
    EXPECT_EQ(report.encoding, LanguageFileEncoding::kUtf8);
    EXPECT_EQ(report.entries, 10u);
    EXPECT_EQ(ProblemsOf(report), (Seen{{Problem::kTooFewFields, 4},
                                        {Problem::kDuplicateKey, 5},
                                        {Problem::kNotEnclosed, 6},
                                        {Problem::kExtraFields, 7},
                                        {Problem::kMessageKeyNeverAsked, 8},
                                        {Problem::kMessageKeyNeverAsked, 10},
                                        {Problem::kNotEnclosed, 13},
                                        {Problem::kNotEnclosed, 13}}));
    EXPECT_EQ(report.findings[1].detail, "3");
    EXPECT_EQ(report.findings[2].detail, "caption");
    EXPECT_EQ(report.findings[7].detail, "hint");
    EXPECT_EQ(report.keys.size(), 9u);
}

TEST(Lclcheck, ReportsWhatDecodingLoses) {
    const FileReport invalid = CheckOne(
        "\xEF\xBB\xBF"
        "F~A~\"ok\"\r\nF~B~\"ok\"\r\nF~C~\"\xC3x\"\n");
    EXPECT_EQ(ProblemsOf(invalid), (Seen{{Problem::kInvalidUtf8, 3}}));
    EXPECT_EQ(invalid.findings[0].detail, "byte offset 28");
    EXPECT_EQ(invalid.entries, 0u);

    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("F~A~\"a\"\r\nF~B~\"b\0F~C~\"c\"", 23)) utf16 += {c, '\0'};
    const FileReport cut = CheckOne(utf16);
    EXPECT_EQ(cut.encoding, LanguageFileEncoding::kUtf16Le);
    EXPECT_EQ(ProblemsOf(cut), (Seen{{Problem::kTextAfterNul, 2}, {Problem::kNotEnclosed, 2}}));
    EXPECT_EQ(cut.entries, 2u);
    // Padding after a NUL loses nothing.
    EXPECT_TRUE(CheckOne(std::string("F~A~\"a\"\r\n\0\0\r\n", 13)).findings.empty());

    // Without a signature: UTF-8 comes out garbled; a lone ANSI byte is just ANSI.
    const FileReport unsigned8 = CheckOne("F~A~\"caf\xC3\xA9\"");
    EXPECT_EQ(unsigned8.encoding, LanguageFileEncoding::kAnsi);
    EXPECT_EQ(ProblemsOf(unsigned8), (Seen{{Problem::kUtf8WithoutSignature, 0}}));
    EXPECT_TRUE(CheckOne("F~A~\"caf\xE9\"").findings.empty());
}

TEST(Lclcheck, ComparesKeysWithTheReferenceAndFindsShadowedFiles) {
    FakeFolder folder;
    folder.AddFile(u"0409.lcl", "F~A~\"a\"\nF~B~\"b\"\n");
    folder.AddFile(u"0407.lcl", "F~A~\"a\"\nF~C~\"c\"\nF~C~\"again\"\n");
    folder.AddFile(u"09.lcl", "F~A~\"a\"\nF~B~\"b\"\n");
    folder.AddFile(u"009.lcl", "F~A~\"a\"\nF~B~\"b\"\n");
    std::vector<FileReport> reports = CheckFolder(folder, Latin1);
    std::vector<FileReport*> all;
    for (FileReport& report : reports) all.push_back(&report);
    ASSERT_TRUE(CompareWithReference(all, 0x0409));
    EXPECT_FALSE(CompareWithReference(all, 0x0C07));

    // In the loader's order 009.lcl comes first and shadows 09.lcl.
    ASSERT_EQ(reports.size(), 4u);
    EXPECT_EQ(reports[0].name, u"009.lcl");
    EXPECT_TRUE(reports[0].findings.empty());
    EXPECT_EQ(reports[1].name, u"0407.lcl");
    EXPECT_EQ(
        ProblemsOf(reports[1]),
        (Seen{{Problem::kDuplicateKey, 3}, {Problem::kLacksKey, 0}, {Problem::kExcessKey, 0}}));
    EXPECT_EQ(reports[1].findings[1].detail, "F~B");
    EXPECT_EQ(reports[1].findings[2].detail, "F~C");
    EXPECT_EQ(reports[2].name, u"0409.lcl");
    EXPECT_TRUE(reports[2].findings.empty());
    EXPECT_EQ(reports[3].name, u"09.lcl");
    EXPECT_EQ(ProblemsOf(reports[3]), (Seen{{Problem::kSameLanguageAs, 0}}));
    EXPECT_EQ(reports[3].findings[0].detail, "009.lcl");

    // Keys lacking or in excess lose none of the file's text.
    reports[1].findings.erase(reports[1].findings.begin());
    EXPECT_FALSE(reports[1].LosesText());
}

class LclcheckCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("lclcheck_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }

    int Run(std::vector<std::filesystem::path> arguments) {
        out_.str("");
        err_.str("");
        return RunLclcheck(arguments, Latin1, out_, err_);
    }

    std::filesystem::path folder_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(LclcheckCommand, ExitStatusTellsWhetherTextIsLost) {
    Write("0409.lcl", "\xEF\xBB\xBF<SP>~1~\"One\"\r\n<SP>~2~\"Two\"\r\n");
    Write("0407.lcl", "\xEF\xBB\xBF<SP>~1~\"Eins\"\r\n");
    Write("readme.txt", "not listed");
    EXPECT_EQ(Run({folder_}), kNothingLost) << err_.str();
    EXPECT_NE(out_.str().find("0409.lcl: language 0x0409 (1033), UTF-8, 2 entries\n"),
              std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find("2 files, 0 losing text"), std::string::npos) << out_.str();

    EXPECT_EQ(Run({"--reference", "0409", folder_}), kNothingLost);
    EXPECT_NE(out_.str().find("  lacks <SP>~2\n"), std::string::npos) << out_.str();

    Write("0407.lcl", "\xEF\xBB\xBF<SP>~1~\"Eins\"\r\nEins\r\n");
    EXPECT_EQ(Run({folder_ / "0407.lcl"}), kTextLost);
    EXPECT_NE(out_.str().find("  line 2: fewer than three fields"), std::string::npos)
        << out_.str();
}

TEST_F(LclcheckCommand, BadArgumentsAreUsageErrors) {
    Write("0409.lcl", "F~A~\"a\"\n");
    EXPECT_EQ(Run({}), kUsageError);
    EXPECT_EQ(Run({folder_ / "missing.lcl"}), kUsageError);
    EXPECT_EQ(Run({"--reference", "0x409", folder_}), kUsageError);
    EXPECT_EQ(Run({folder_, "--reference"}), kUsageError);
    EXPECT_EQ(Run({"--reference", "0407", folder_}), kUsageError);
    EXPECT_NE(err_.str().find("no file for the reference language 0x0407"), std::string::npos);
}

}  // namespace
}  // namespace tessalin::lclcheck
