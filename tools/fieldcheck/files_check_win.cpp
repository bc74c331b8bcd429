// Files: the UTF-16 helpers and RelativePath in the check's temporary folder, under a name that
// the machine's ANSI code page cannot write, so that only UTF-16 all the way reaches it.
#include <shlobj.h>

#include <cstdint>
#include <string>

#include "tools/fieldcheck/check.h"
#include "tools/fieldcheck/windows_win.h"

namespace fieldcheck {
namespace {

// Greek, Japanese and a check mark: no single ANSI code page holds all three.
constexpr wchar_t kName[] = L"\u0394\u03B9\u03AC\u03BB\u03B5\u03BE\u03B7 \u8B1B\u6F14 \u2713";

std::wstring CodePageFigure() {
    if (GetACP() == CP_UTF8) return L"the ANSI code page is UTF-8, which writes every name";
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, kName, -1, nullptr, 0, nullptr, &lost);
    return Format(L"a name %ls ANSI code page %u", lost ? L"outside" : L"inside", GetACP());
}

const wchar_t* Truth(std::int16_t value) {
    return value == -1 ? L"true" : value == 0 ? L"false" : L"neither";
}

std::string ContentOf(const std::wstring& path) {
    const tessalin::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, 0, nullptr));
    char bytes[16] = {};
    DWORD read = 0;
    if (!file || !ReadFile(file.get(), bytes, sizeof bytes, &read, nullptr)) return "";
    return std::string(bytes, read);
}

class Files {
  public:
    explicit Files(const hostkit::Library& library) : library_(library) {}

    void Do(const char* name, const std::wstring& path) const {
        library_.Call<void>(name, path.c_str());
    }
    std::int16_t Ask(const char* name, const std::wstring& path) const {
        return library_.Call<std::int16_t>(name, path.c_str());
    }
    std::wstring Text(const char* name) const {
        std::wstring buffer(32768, L'\0');
        buffer.resize(static_cast<std::size_t>(library_.Call<std::int32_t>(name, buffer.data())));
        return buffer;
    }
    std::wstring Relative(const std::wstring& base, const std::wstring& target) const {
        std::wstring buffer(32768, L'\0');
        buffer.resize(static_cast<std::size_t>(library_.Call<std::int32_t>(
            "RelativePath", base.c_str(), target.c_str(), buffer.data())));
        return buffer;
    }

  private:
    const hostkit::Library& library_;
};

// A current directory beyond the classic limit of 260 characters, which Windows (10 from 1607
// on) keeps for a program whose manifest says it is long-path aware, where long paths are
// enabled (the LongPathsEnabled policy): LCurDir gives all of it.
void CheckLongCurrentDirectory(const FieldCheck& check, const Files& files,
                               const std::wstring& root) {
    const wchar_t* name = L"files.long current directory";
    std::wstring folder = root;
    while (folder.size() <= 300) {
        folder += L"\\A folder whose name takes the path past the classic limit";
        // By its long name, which every Windows takes at any length.
        CreateDirectoryW(LongName(folder).c_str(), nullptr);
    }
    // Back at once each time: Windows cannot remove a folder that is a current directory.
    const std::wstring before = CurrentDirectory();
    const bool kept = SetCurrentDirectoryW(folder.c_str()) && CurrentDirectory() == folder;
    SetCurrentDirectoryW(before.c_str());
    if (!kept) {
        return check.report.Skip(
            name, Format(L"this Windows keeps no current directory of %zu characters (long "
                         L"paths are not enabled here, or not known before Windows 10 1607): "
                         L"LChDir and LCurDir were not exercised beyond the classic limit",
                         folder.size()));
    }
    files.Do("LChDir", folder);
    const std::wstring system = CurrentDirectory();
    const std::wstring current = files.Text("LCurDir");
    SetCurrentDirectoryW(before.c_str());
    check.report.Expect(
        system == folder && current == folder, name,
        Format(L"LChDir to a folder of %zu characters made it the current directory: %ls; "
               L"LCurDir gives %zu characters%ls",
               folder.size(), system == folder ? L"yes" : L"no", current.size(),
               current == folder ? L", all of it" : L", not the folder"));
}

}  // namespace

void CheckFiles(const FieldCheck& check) {
    const Files files(check.library);
    const std::wstring root = check.tempFolder + L"\\" + kName;
    const std::wstring media = root + L"\\Keynote\\Media";
    const std::wstring backup = root + L"\\Backup";
    files.Do("LForceMkDir", media);
    files.Do("LMkDir", backup);
    const std::int16_t mediaExists = files.Ask("LFolderExists", media);
    const std::int16_t backupExists = files.Ask("LFolderExists", backup);
    const std::int16_t noneExists = files.Ask("LFolderExists", root + L"\\none");
    check.report.Expect(
        mediaExists == -1 && backupExists == -1 && noneExists == 0 &&
            GetFileAttributesW(media.c_str()) != INVALID_FILE_ATTRIBUTES,
        L"files.folders",
        Format(
            L"under %ls (%ls): LForceMkDir three deep, then LFolderExists %ls; LMkDir, then %ls; "
            L"LFolderExists of a missing folder %ls",
            root.c_str(), CodePageFigure().c_str(), Truth(mediaExists), Truth(backupExists),
            Truth(noneExists)));

    const std::wstring ini = root + L"\\Keynote\\" + kName + L".ini";
    files.Do("CreateUnicodeIniFile", ini);
    const std::int16_t iniExists = files.Ask("LFileExists", ini);
    const std::int16_t iniIsFolder = files.Ask("LFolderExists", ini);
    const std::int16_t folderIsFile = files.Ask("LFileExists", media);
    const std::string content = ContentOf(ini);
    files.Do("LDeleteFile", ini);
    const std::int16_t iniAfter = files.Ask("LFileExists", ini);
    check.report.Expect(
        iniExists == -1 && iniIsFolder == 0 && folderIsFile == 0 && content == "\xFF\xFE" &&
            iniAfter == 0,
        L"files.ini file",
        Format(L"CreateUnicodeIniFile wrote %zu byte(s)%ls; LFileExists %ls, LFolderExists of it "
               L"%ls, LFileExists of a folder %ls; after LDeleteFile, LFileExists %ls",
               content.size(), content == "\xFF\xFE" ? L", FF FE" : L"", Truth(iniExists),
               Truth(iniIsFolder), Truth(folderIsFile), Truth(iniAfter)));

    const std::wstring before = CurrentDirectory();
    files.Do("LChDir", media);
    const std::wstring current = files.Text("LCurDir");
    // Back at once: Windows cannot remove a folder that is a current directory.
    SetCurrentDirectoryW(before.c_str());
    check.report.Expect(_wcsicmp(current.c_str(), media.c_str()) == 0, L"files.current directory",
                        L"LChDir, then LCurDir gives " + current);

    const std::wstring across =
        files.Relative(root + L"\\Keynote\\talk.tln", root + L"\\Media\\clip.avi");
    // Names that differ only in case, outside ASCII as well, are the same name.
    std::wstring upper = root + L"\\KEYNOTE\\talk.tln";
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    const std::wstring below = files.Relative(upper, root + L"\\Keynote\\Media\\clip.avi");
    check.report.Expect(across == L"..\\Media\\clip.avi" && below == L"Media\\clip.avi",
                        L"files.relative path",
                        L"to a sibling folder " + across +
                            L" (expected ..\\Media\\clip.avi); "
                            L"from the same folder written in capitals " +
                            below + L" (expected Media\\clip.avi)");

    CheckLongCurrentDirectory(check, files, root);

    const std::wstring appData = files.Text("UserAppDataFolder");
    wchar_t shell[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, shell);
    check.report.Expect(!appData.empty() && appData == shell &&
                            GetFileAttributesW(appData.c_str()) != INVALID_FILE_ATTRIBUTES,
                        L"files.app data folder",
                        L"UserAppDataFolder gives " + appData + L"; the shell says " + shell);
}

}  // namespace fieldcheck
