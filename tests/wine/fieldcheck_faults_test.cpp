// The field check FAILs what it claims to see: each row plants one fault in a copy of the
// library (TessalinPlanted.dll, built with tests/wine/tools/planted_faults.cpp), runs the
// check's step with it, and expects that step's FAIL line, a report written to its end, and
// the user's clipboard back as it was (or, for content kept out of clipboard history, not).
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/child.h"
#include "support/library.h"
#include "support/temp_folder.h"
#include "tools/hostkit/clipboard_win.h"
#include "tools/hostkit/windows_win.h"

using namespace testing_support;

namespace {

struct Planted {
    const wchar_t* fault;
    const wchar_t* step;
    const char* line;  // the line expected, as a regular expression
    bool keptOutOfHistory = false;
    const char* stopAfter = nullptr;  // the line after which the person presses Ctrl+C
};

const Planted kPlanted[] = {
    {L"monitor-edge", L"machine", "FAIL    machine\\.monitor 1: the library gives \\(0,0\\) 1023x"},
    {L"box-not-modal", L"localisation", "FAIL    localisation\\.message boxes: .* window enabled"},
    {L"overlay-slow", L"overlay", "FAIL    overlay\\.wait: .* up from [0-9]+ to [23][0-9]{3} ms"},
    {L"zoom-dropped", L"notes", "FAIL    notes\\.view 1 presenter's zoom: .*label reads 150%"},
    {L"sequence-ignored", L"clipboard", "FAIL    clipboard\\.untouched: .* it showed", true},
    {L"keeper-slow", L"slideshow", "FAIL    slideshow\\.focus keeper: .* 1[45][0-9]{2} ms apart"},
    {L"no-restore", L"foreground", "FAIL    foreground\\.switch: .*still minimised"},
    {L"cwd-cut", L"files", "FAIL    files\\.long current directory: .*LCurDir gives 259 "},
    {L"crash", L"notes", "FAIL    notes: crashed 0xC0000005 \\(access violation\\) at Tessalin"},
    {L"overlay-hang", L"overlay", "FAIL    overlay: no answer in 40 s"},
    {L"", L"notes", "# stopped during notes \\(Ctrl\\+C", false, "PASS    notes\\.view 1 made"},
};

// What the user had copied: text, a picture, a file and a drawing, each by its data.
struct UsersClipboard {
    std::string text;
    std::string dib;
    std::string files;
    std::string drawing;
    bool operator==(const UsersClipboard&) const = default;
};

// As many bytes as were put: a block of global memory may be larger than its data.
std::string Bytes(UINT format, std::size_t size) {
    const std::vector<char> bytes = hostkit::GlobalBytes(GetClipboardData(format));
    return std::string(bytes.data(), std::min(size, bytes.size()));
}

UsersClipboard ReadClipboard(const UsersClipboard& like) {
    UsersClipboard read;
    // Wine's own clipboard manager opens it for a moment after each change.
    const auto open = hostkit::OpenClipboardPatiently(nullptr);
    read.text = Bytes(CF_UNICODETEXT, like.text.size());
    read.dib = Bytes(CF_DIB, like.dib.size());
    read.files = Bytes(CF_HDROP, like.files.size());
    if (HANDLE drawing = GetClipboardData(CF_ENHMETAFILE)) {
        read.drawing.resize(GetEnhMetaFileBits(static_cast<HENHMETAFILE>(drawing), 0, nullptr));
        GetEnhMetaFileBits(static_cast<HENHMETAFILE>(drawing), read.drawing.size(),
                           reinterpret_cast<BYTE*>(read.drawing.data()));
    }
    return read;
}

UsersClipboard PutUsersClipboard(bool keptOutOfHistory) {
    UsersClipboard put;
    const std::wstring text = L"The user's own copy";
    put.text.assign(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2);
    const BITMAPINFOHEADER header{sizeof header, 2, 2, 1, 32, BI_RGB};
    put.dib.assign(reinterpret_cast<const char*>(&header), sizeof header);
    put.dib += std::string("\x10\x20\x30\x00\x40\x50\x60\x00\x70\x80\x90\x00\xA0\xB0\xC0\x00", 16);
    const DROPFILES drop{sizeof drop, {0, 0}, FALSE, TRUE};
    const std::wstring file = L"C:\\Talks\\keynote.tln";
    put.files.assign(reinterpret_cast<const char*>(&drop), sizeof drop);
    put.files.append(reinterpret_cast<const char*>(file.c_str()), (file.size() + 2) * 2);
    HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    Rectangle(recorder, 10, 10, 90, 60);
    HENHMETAFILE drawing = CloseEnhMetaFile(recorder);
    put.drawing.resize(GetEnhMetaFileBits(drawing, 0, nullptr));
    GetEnhMetaFileBits(drawing, put.drawing.size(), reinterpret_cast<BYTE*>(put.drawing.data()));

    const tessalin::UniqueWindow owner = hostkit::MessageWindow();
    const hostkit::ClipboardCopy copy(owner.get());
    EXPECT_TRUE(copy.opened());
    copy.Put(CF_UNICODETEXT, put.text.data(), put.text.size());
    copy.Put(CF_DIB, put.dib.data(), put.dib.size());
    copy.Put(CF_HDROP, put.files.data(), put.files.size());
    SetClipboardData(CF_ENHMETAFILE, drawing);
    if (keptOutOfHistory) {
        const DWORD excluded = 0;
        copy.Put(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
                 &excluded, sizeof excluded);
    }
    return put;
}

bool Has(const std::string& report, const std::string& line) {
    return std::regex_search(report, std::regex("(^|\n)" + line));
}

// Ctrl+C in the console of that process, as the person presses it.
void PressCtrlC(DWORD process) {
    FreeConsole();
    AttachConsole(process);
    SetConsoleCtrlHandler(nullptr, TRUE);
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    FreeConsole();
}

std::string ReadText(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

TEST(FieldCheckFaults, EachPlantedFaultFailsItsStepAndTheReportAndClipboardSurvive) {
    const std::wstring bin = DllPath().substr(0, DllPath().find_last_of(L'\\') + 1);
    for (const Planted& planted : kPlanted) {
        SCOPED_TRACE(testing::Message()
                     << "planted "
                     << std::string(planted.fault, planted.fault + wcslen(planted.fault)));
        const TempFolder folder;
        ASSERT_TRUE(CopyFileW((bin + L"fieldcheck.exe").c_str(),
                              (folder / L"fieldcheck.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileW((bin + L"TessalinPlanted.dll").c_str(),
                              (folder / L"Tessalin.dll").c_str(), FALSE));
        const UsersClipboard put = PutUsersClipboard(planted.keptOutOfHistory);
        SetEnvironmentVariableW(L"TESSALIN_PLANTED_FAULT", planted.fault);
        std::wstring command = L"\"" + (folder / L"fieldcheck.exe") + L"\" --only " + planted.step +
                               L" --out \"" + folder.path() + L"\"";
        // Ctrl+C reaches a console: the check then gets one of its own.
        const DWORD console = planted.stopAfter != nullptr ? CREATE_NEW_CONSOLE : 0;
        const StartedProcess check = StartProcess(command, folder.path().c_str(), console);
        ASSERT_TRUE(check.handle);
        SetEnvironmentVariableW(L"TESSALIN_PLANTED_FAULT", nullptr);
        const std::wstring reportPath = folder / L"fieldcheck-report.txt";
        while (planted.stopAfter != nullptr &&
               WaitForSingleObject(check.handle.get(), 200) == WAIT_TIMEOUT) {
            if (Has(ReadText(reportPath), planted.stopAfter)) {
                PressCtrlC(check.id);
                break;
            }
        }
        EXPECT_EQ(WaitForSingleObject(check.handle.get(), 120000), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeProcess(check.handle.get(), &code);

        const std::string report = ReadText(reportPath);
        EXPECT_EQ(code, planted.stopAfter != nullptr ? 3u : 1u) << "1: a FAIL, 3: stopped";
        EXPECT_TRUE(Has(report, planted.line)) << report;
        EXPECT_TRUE(Has(report, "PASS    cleanup: ") &&
                    Has(report, "# [0-9]+ passed, [0-9]+ failed"))
            << report;
        EXPECT_EQ(ReadClipboard(put), planted.keptOutOfHistory ? UsersClipboard{} : put);
    }
}
