#include "shared/install_path_win.h"

#include <windows.h>

#include <array>

#include "frame/export_guard.h"
#include "frame/unique_resource_win.h"
#include "shared/messages_path.h"

namespace tessalin {
namespace {

Text g_messagesFolderPath;

UniqueKey OpenInstallationKey() {
    // Narrower rights for installations whose key grants less than KEY_READ.
    constexpr std::array<REGSAM, 3> kAccess{
        KEY_READ, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, KEY_QUERY_VALUE};
    for (const REGSAM access : kAccess) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Brackwood\\Tessaline", 0, access, &key) ==
            ERROR_SUCCESS) {
            return UniqueKey(key);
        }
    }
    return UniqueKey();
}

}  // namespace

Text GetInstallPath() {
    const UniqueKey key = OpenInstallationKey();
    if (!key) return Text();
    // The value may change between asking its size and reading it: ask again a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD bytes = 0;
        if (RegQueryValueExW(key.get(), L"InstallPath", nullptr, &type, nullptr, &bytes) !=
                ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return Text();
        }
        // The stored string need not end in a NUL, and its byte count may be odd: read only
        // what the registry reports, and stop at the first NUL if there is one.
        Text text((bytes + 1) / 2, u'\0');
        DWORD read = static_cast<DWORD>(text.size() * 2);
        const LSTATUS status = RegQueryValueExW(key.get(), L"InstallPath", nullptr, &type,
                                                reinterpret_cast<BYTE*>(text.data()), &read);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return Text();
        text.resize(read / 2);
        if (const auto nul = text.find(u'\0'); nul != Text::npos) text.resize(nul);
        return text;
    }
    return Text();
}

Text GetMessagesPath() {
    return MessagesPathFor(GetInstallPath());
}

const Text& MessagesFolderPath() noexcept {
    return g_messagesFolderPath;
}

void SetMessagesFolderPath() noexcept {
    Guarded([] { g_messagesFolderPath = GetMessagesPath(); });
}

void ClearMessagesFolderPath() noexcept {
    Text().swap(g_messagesFolderPath);
}

}  // namespace tessalin
