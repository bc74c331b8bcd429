// The field check's report: one line per check, PASS, FAIL or SKIPPED with the figures behind
// it. Each line goes to the report file as soon as it is known, so that a host that comes down
// during a step still leaves what was seen before, and to the console.
#pragma once

#include <windows.h>

#include <string>

#include "frame/unique_resource_win.h"

namespace fieldcheck {

enum class Verdict { kPass, kFail, kSkipped };

class Report {
  public:
    // Replaces the file at `path`: UTF-8 with a signature and CRLF line ends, which every
    // Notepad shows as written.
    explicit Report(const std::wstring& path);

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

    int Count(Verdict verdict) const { return counts_[static_cast<int>(verdict)]; }

  private:
    void Write(const std::wstring& line);

    std::wstring path_;
    tessalin::UniqueFile file_;
    int counts_[3] = {};
};

// A line for the person at the console, not for the report.
void Tell(const std::wstring& text);

// printf into a wide string; %ls for wide texts.
std::wstring Format(const wchar_t* format, ...);

// "(left,top) widthxheight"
std::wstring RectText(const RECT& rect);

}  // namespace fieldcheck
