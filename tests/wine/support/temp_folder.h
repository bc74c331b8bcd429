// A fresh folder under the temporary folder, removed with everything in it afterwards.
#pragma once

#include <string>

namespace testing_support {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a closing backslash.
    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

  private:
    std::wstring path_;
};

// Writes (creating or replacing) a file with the given bytes.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The number of files and folders in a folder, "." and ".." not counted.
int CountEntries(const std::wstring& folder);
// The whole content of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);

}  // namespace testing_support
