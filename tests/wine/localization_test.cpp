// Language files from the installation folder named in the registry, and the message and
// caption exports built on them.
#include <windows.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "frame/wide_win.h"
#include "localizer/language_folder_win.h"
#include "support/install_path.h"
#include "support/library.h"
#include "support/message_box.h"
#include "support/temp_folder.h"
#include "support/windows.h"

using testing_support::Library;
using testing_support::MessageBoxAnswerer;
using testing_support::RemoveInstallKey;
using testing_support::SetInstallPath;
using testing_support::TempFolder;
using testing_support::WithDirtyHigh;
using testing_support::WriteFileBytes;

namespace {

using GetCaption = std::int32_t (*)(std::int64_t, std::int64_t, const wchar_t*, wchar_t*);
using FormatCaption = std::int32_t (*)(std::int64_t, std::int64_t, const wchar_t*, wchar_t*,
                                       const wchar_t*, const wchar_t*);
using ShowDialog = std::int32_t (*)(std::int64_t, HWND, const wchar_t*, const wchar_t*,
                                    std::int64_t, std::int64_t);
using FormatDialog = std::int32_t (*)(std::int64_t, HWND, const wchar_t*, const wchar_t*,
                                      const wchar_t*, std::int64_t, std::int64_t);
using MessagesFolder = std::int32_t (*)(wchar_t*);

std::string Utf16(const std::wstring& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const wchar_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// An installation folder with a messages folder of language files, named in the registry.
class Localisation : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        install_ = std::make_unique<TempFolder>();
        const std::wstring messages = *install_ / L"Messages\\";
        CreateDirectoryW(messages.c_str(), nullptr);
        WriteFileBytes(messages + L"0409.lcl",
                       "\xEF\xBB\xBF; English texts for the notes window\r\n\r\n"
                       "NotesForm~<DEFAULT>~\"Speaker notes\"~\"Notes of the current slide\"\r\n"
                       "<SP>~12~\"Save changes to %s1%?<13><10>Unsaved changes are lost.\"\r\n");
        WriteFileBytes(messages + L"09.lcl", Utf16(L"<SP>~1~\"English\"\r\n", false));
        WriteFileBytes(messages + L"0407.LCL",
                       Utf16(L"<SP>~12~\"\u00C4nderungen an %s1% speichern?\"", true));
        WriteFileBytes(messages + L"0419.lcl", "<SP>~1~\"caf\xE9\"");
        // A backup: the platform's pattern "*.lcl" also matches its short name.
        WriteFileBytes(messages + L"0408.lclold", "<SP>~1~\"backup\"");
        CreateDirectoryW((messages + L"0405.lcl").c_str(), nullptr);
        std::string huge = "<SP>~1~\"huge\"\n";
        huge.resize(16 * 1024 * 1024 + 1, ';');
        WriteFileBytes(messages + L"040A.lcl", huge);
    }

    static void TearDownTestSuite() {
        RemoveInstallKey();
        install_.reset();
    }

    void SetUp() override { SetInstallPath(install_->path()); }

    static std::unique_ptr<TempFolder> install_;
};

std::unique_ptr<TempFolder> Localisation::install_;

TEST_F(Localisation, MessagesFolderIsReadFromTheRegistryAtEveryCall) {
    RemoveInstallKey();
    Library library;  // loads without an installation
    const auto folder = library.Get<MessagesFolder>("GetMessagesFolder");
    std::array<wchar_t, 64> buffer;
    buffer.fill(L'#');
    EXPECT_EQ(folder(buffer.data()), 0);
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_EQ(buffer[1], L'#');

    const std::wstring expected = L"C:\\Program Files\\Tessaline\\Messages";
    SetInstallPath(L"C:\\Program Files\\Tessaline");
    EXPECT_EQ(folder(nullptr), static_cast<std::int32_t>(expected.size()));
    buffer.fill(L'#');
    EXPECT_EQ(folder(buffer.data()), static_cast<std::int32_t>(expected.size()));
    EXPECT_EQ(std::wstring(buffer.data()), expected);
    EXPECT_EQ(buffer[expected.size() + 1], L'#');

    SetInstallPath(L"C:\\Program Files\\Tessaline\\");
    EXPECT_EQ(folder(buffer.data()), static_cast<std::int32_t>(expected.size()));
    EXPECT_EQ(std::wstring(buffer.data()), expected);

    SetInstallPath(L"%ProgramFiles%\\T", REG_EXPAND_SZ);
    folder(buffer.data());
    EXPECT_EQ(std::wstring(buffer.data()), L"%ProgramFiles%\\T\\Messages") << "never expanded";

    // A stored string without its NUL, and one with an odd byte after it.
    SetInstallPath(REG_SZ, L"D:\\X", 4 * sizeof(wchar_t));
    folder(buffer.data());
    EXPECT_EQ(std::wstring(buffer.data()), L"D:\\X\\Messages");
    SetInstallPath(REG_SZ, L"D:\\Y", 4 * sizeof(wchar_t) + 1);
    folder(buffer.data());
    EXPECT_EQ(std::wstring(buffer.data()), L"D:\\Y\\Messages");

    const DWORD number = 42;
    SetInstallPath(REG_DWORD, &number, sizeof number);
    EXPECT_EQ(folder(buffer.data()), 0);
    SetInstallPath(L"");
    EXPECT_EQ(folder(buffer.data()), 0);
    EXPECT_EQ(buffer[0], L'\0');
}

TEST_F(Localisation, LanguageFilesServeTheirLanguageWithThePrimaryLanguageFallback) {
    Library library;
    const auto get = library.Get<GetCaption>("GetLocaleCaptionWS");
    const auto text = [&](std::int32_t language, std::int32_t number) {
        std::array<wchar_t, 256> buffer{};
        const std::int32_t length =
            get(WithDirtyHigh(language), WithDirtyHigh(number), L"default", buffer.data());
        EXPECT_EQ(length, static_cast<std::int32_t>(std::wstring(buffer.data()).size()));
        return std::wstring(buffer.data());
    };
    EXPECT_EQ(text(0x0409, 12), L"Save changes to %s1%?\r\nUnsaved changes are lost.");
    EXPECT_EQ(text(0x0409, 1), L"default") << "the exact file wins even without the entry";
    EXPECT_EQ(text(0x0809, 1), L"English");
    EXPECT_EQ(text(0x0407, 12), L"\u00C4nderungen an %s1% speichern?");
    EXPECT_EQ(text(0x0C07, 12), L"default") << "no fallback to another country's file";
    EXPECT_EQ(text(0x0408, 1), L"default") << "0408.lclold is not a language file";
    EXPECT_EQ(text(0x040A, 1), L"default") << "files over 16 MiB are skipped";
    // A file without signature is in the system's ANSI code page.
    wchar_t ansi[8] = {};
    MultiByteToWideChar(CP_ACP, 0, "caf\xE9", -1, ansi, 8);
    EXPECT_EQ(text(0x0419, 1), ansi);
}

// A folder cannot be opened as a file, and a file over the limit is refused when read too,
// so the exports would answer the same without these rules: the listing itself must tell.
TEST_F(Localisation, ListingOfTheRealFolderFlagsDirectoriesAndSizes) {
    using tessalin::FolderEntryVerdict;
    std::map<std::wstring, FolderEntryVerdict> verdicts;
    const auto folder = tessalin::OpenLanguageFolder(tessalin::AsText(install_->path().c_str()) +
                                                     tessalin::Text(u"\\Messages"));
    for (const tessalin::FolderEntry& entry : folder->List()) {
        verdicts[reinterpret_cast<const wchar_t*>(entry.name.c_str())] =
            tessalin::JudgeFolderEntry(entry);
    }
    verdicts.erase(L"0408.lclold");  // listed only where short names are matched
    EXPECT_EQ(verdicts, (std::map<std::wstring, FolderEntryVerdict>{
                            {L"0405.lcl", FolderEntryVerdict::kDirectory},
                            {L"0407.LCL", FolderEntryVerdict::kLanguageFile},
                            {L"0409.lcl", FolderEntryVerdict::kLanguageFile},
                            {L"040A.lcl", FolderEntryVerdict::kTooLarge},
                            {L"0419.lcl", FolderEntryVerdict::kLanguageFile},
                            {L"09.lcl", FolderEntryVerdict::kLanguageFile},
                        }));
}

TEST_F(Localisation, CaptionsWriteExactlyTheirLengthAndOneNul) {
    Library library;
    const auto format = library.Get<FormatCaption>("FormatLocaleCaptionWS");
    const auto get = library.Get<GetCaption>("GetLocaleCaptionWS");
    EXPECT_EQ(format(0x0409, 12, L"unused", nullptr, L"report.txt", L""), 54);
    std::array<wchar_t, 64> buffer;
    buffer.fill(L'#');
    EXPECT_EQ(format(0x0409, 12, L"unused", buffer.data(), L"report.txt", nullptr), 54);
    EXPECT_EQ(std::wstring(buffer.data(), 55),
              std::wstring(L"Save changes to report.txt?\r\nUnsaved changes are lost.", 55));
    EXPECT_EQ(buffer[55], L'#');

    EXPECT_EQ(format(0x0407, 3, L"%s1% + %s2%", buffer.data(), L"a", L"b"), 5);
    EXPECT_EQ(std::wstring(buffer.data()), L"a + b");

    buffer.fill(L'#');
    EXPECT_EQ(get(0x0409, 3, nullptr, buffer.data()), 0);
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_EQ(buffer[1], L'#');
    EXPECT_EQ(get(0x0409, 3, L"two<13><10>lines", nullptr), 10);
}

TEST_F(Localisation, MessageBoxesShowTheLocalisedTextTaskModalAndTopmost) {
    Library library;
    const auto show = library.Get<ShowDialog>("ShowMessageDialog");
    const auto format = library.Get<FormatDialog>("FormatMessageDialog");
    testing_support::MessageBoxStyleSpy style(library.module());
    ASSERT_TRUE(style.installed());
    testing_support::RecordingClass windowClass(L"LocalisationTestWindow");
    testing_support::TestWindow window(L"LocalisationTestWindow", L"host", WS_OVERLAPPEDWINDOW);

    {
        MessageBoxAnswerer answerer(IDNO, window.get());
        EXPECT_EQ(show(WithDirtyHigh(0x0409), nullptr, L"default", L"Title", WithDirtyHigh(12),
                       WithDirtyHigh(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2)),
                  IDNO);
        EXPECT_EQ(style.LastStyle(),
                  UINT{MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_TASKMODAL | MB_TOPMOST});
        const auto& seen = answerer.Seen();
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.text, L"Save changes to %s1%?\r\nUnsaved changes are lost.");
        EXPECT_EQ(seen.title, L"Title");
        EXPECT_FALSE(seen.watchedWindowEnabled) << "a box without owner is task-modal";
    }
    EXPECT_TRUE(IsWindowEnabled(window.get()));
    {
        MessageBoxAnswerer answerer(IDCANCEL);
        EXPECT_EQ(format(0x0407, nullptr, L"a %s2% b %s1%", nullptr, L"<13>", 99, MB_OKCANCEL),
                  IDCANCEL);
        EXPECT_EQ(style.LastStyle(), UINT{MB_OKCANCEL | MB_TASKMODAL | MB_TOPMOST});
        const auto& seen = answerer.Seen();
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.text, L"a  b <13>");
        EXPECT_EQ(seen.title, L"");
    }
    {
        MessageBoxAnswerer answerer(IDOK);
        EXPECT_EQ(show(0x0409, window.get(), nullptr, nullptr, 77, MB_OK), IDOK);
        EXPECT_EQ(answerer.Seen().text, L"");
    }
}

}  // namespace
