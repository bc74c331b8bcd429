#include "report_win.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

namespace fieldcheck {
namespace {

std::string Utf8(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), bytes, nullptr, nullptr);
    }
    return out;
}

void WriteAll(HANDLE target, const std::string& bytes) {
    DWORD written = 0;
    WriteFile(target, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// A console gets the text as UTF-16, so that its own code page needs no change that would
// outlive the check; anything else (a file, a pipe) gets UTF-8.
void ToConsole(const std::wstring& line) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
        DWORD written = 0;
        WriteConsoleW(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    } else {
        WriteAll(out, Utf8(line));
    }
}

}  // namespace

Report::Report(const std::wstring& path)
    : path_(path),
      file_(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (file_) WriteAll(file_.get(), "\xEF\xBB\xBF");
}

void Report::Note(const std::wstring& text) {
    Write(L"# " + text);
}

void Report::Add(Verdict verdict, const std::wstring& check, const std::wstring& figures) {
    static constexpr const wchar_t* kWords[] = {L"PASS   ", L"FAIL   ", L"SKIPPED"};
    ++counts_[static_cast<int>(verdict)];
    Write(std::wstring(kWords[static_cast<int>(verdict)]) + L" " + check + L": " + figures);
}

void Report::Write(const std::wstring& line) {
    if (file_) WriteAll(file_.get(), Utf8(line + L"\r\n"));
    ToConsole(line + L"\n");
}

void Tell(const std::wstring& text) {
    ToConsole(text + L"\n");
}

std::wstring Format(const wchar_t* format, ...) {
    std::vector<wchar_t> buffer(512);
    for (;;) {
        va_list arguments;
        va_start(arguments, format);
        const int length = std::vswprintf(buffer.data(), buffer.size(), format, arguments);
        va_end(arguments);
        if (length >= 0 && static_cast<std::size_t>(length) < buffer.size()) {
            return std::wstring(buffer.data(), static_cast<std::size_t>(length));
        }
        // A failure that more room does not mend (a text that cannot be written) ends here.
        if (buffer.size() >= 65536) return format;
        buffer.resize(buffer.size() * 4);
    }
}

std::wstring RectText(const RECT& rect) {
    return Format(L"(%ld,%ld) %ldx%ld", rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top);
}

}  // namespace fieldcheck
