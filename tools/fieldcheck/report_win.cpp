#include "tools/fieldcheck/report_win.h"

#include <cstdarg>
#include <cwchar>
#include <cwctype>
#include <iterator>
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

constexpr const wchar_t* kWords[] = {L"PASS   ", L"FAIL   ", L"SKIPPED"};
// What a worker's line for the console starts with.
constexpr wchar_t kSaid[] = L"> ";

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
    ++counts_[static_cast<int>(verdict)];
    Write(std::wstring(kWords[static_cast<int>(verdict)]) + L" " + check + L": " + figures);
}

void Report::Say(const std::wstring& text) {
    if (pipe_ != nullptr) {
        Write(kSaid + text);
    } else {
        Tell(text);
    }
}

void Report::Line(const std::wstring& line) {
    if (line.starts_with(kSaid)) return Say(line.substr(std::size(kSaid) - 1));
    for (int verdict = 0; verdict < 3; ++verdict) {
        counts_[verdict] += line.starts_with(kWords[verdict]);
    }
    Write(line);
}

void Report::Write(const std::wstring& line) {
    const std::wstring shown = Escaped(line);
    if (pipe_ != nullptr) {
        const std::wstring sent = shown + L"\n";
        DWORD written = 0;
        WriteFile(pipe_, sent.data(), static_cast<DWORD>(sent.size() * sizeof(wchar_t)), &written,
                  nullptr);
        return;
    }
    if (file_) WriteAll(file_.get(), Utf8(shown + L"\r\n"));
    ToConsole(shown + L"\n");
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

std::wstring ErrorText(DWORD error) {
    wchar_t words[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, words, 512, nullptr);
    while (length > 0 && (std::iswspace(words[length - 1]) || words[length - 1] == L'.')) {
        --length;
    }
    return length > 0 ? Format(L"%ls (error %lu)", std::wstring(words, length).c_str(), error)
                      : Format(L"error %lu", error);
}

std::wstring Escaped(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : text) {
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        const bool reordering = c == 0x200E || c == 0x200F || (c >= 0x2028 && c <= 0x202E) ||
                                (c >= 0x2066 && c <= 0x2069);
        out += control || reordering ? Format(L"\\u%04X", static_cast<unsigned>(c))
                                     : std::wstring(1, c);
    }
    return out;
}

}  // namespace fieldcheck
