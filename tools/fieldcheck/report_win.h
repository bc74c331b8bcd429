// The field check's report: one line per check, PASS, FAIL or SKIPPED with the figures behind
// it. The check itself writes it: each line goes to the report file as soon as it is known, and
// to the console. The steps run in worker processes, whose reports send their lines to the
// check, so that a step that brings its process down takes no line of the report with it.
#pragma once

#include <windows.h>

#include <string>

#include "frame/unique_resource_win.h"

namespace fieldcheck {

enum class Verdict { kPass, kFail, kSkipped };

class Report {
  public:
    // The check's: replaces the file at `path`, UTF-8 with a signature and CRLF line ends,
    // which every Notepad shows as written.
    explicit Report(const std::wstring& path);
    // A worker's: each line goes down `pipe` to the check.
    explicit Report(HANDLE pipe) : pipe_(pipe) {}

    bool opened() const { return static_cast<bool>(file_); }
    const std::wstring& path() const { return path_; }

    // A line that is no check: what ran, where, on what.
    void Note(const std::wstring& text);
    void Add(Verdict verdict, const std::wstring& check, const std::wstring& figures);
    void Expect(bool passed, const std::wstring& check, const std::wstring& figures) {
        Add(passed ? Verdict::kPass : Verdict::kFail, check, figures);
    }
    void Skip(const std::wstring& check, const std::wstring& reason) {
        Add(Verdict::kSkipped, check, reason);
    }
    // A line for the person at the console, not for the report.
    void Say(const std::wstring& text);
    // A line as it stands (one that a worker sent, say), counted by its verdict if it has one.
    void Line(const std::wstring& line);

    int Count(Verdict verdict) const { return counts_[static_cast<int>(verdict)]; }

  private:
    void Write(const std::wstring& line);

    std::wstring path_;
    tessalin::UniqueFile file_;
    HANDLE pipe_ = nullptr;
    int counts_[3] = {};
};

// A line for the person at the console.
void Tell(const std::wstring& text);

// printf into a wide string; %ls for wide texts.
std::wstring Format(const wchar_t* format, ...);

// "(left,top) widthxheight"
std::wstring RectText(const RECT& rect);

// A system error in words, its number after them: "Access is denied (error 5)".
std::wstring ErrorText(DWORD error);

// Control characters (and the ones that reorder text) written out as \uXXXX, so that a report
// line is one line that reads as written.
std::wstring Escaped(const std::wstring& text);

}  // namespace fieldcheck
