#include "support/install_path.h"

#include <gtest/gtest.h>

#include "frame/unique_resource_win.h"

namespace testing_support {
namespace {

constexpr wchar_t kKey[] = L"Software\\Brackwood\\Tessaline";

}  // namespace

void SetInstallPath(DWORD type, const void* data, DWORD bytes) {
    tessalin::UniqueKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              key.put(), nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(
        RegSetValueExW(key.get(), L"InstallPath", 0, type, static_cast<const BYTE*>(data), bytes),
        ERROR_SUCCESS);
}

void SetInstallPath(const std::wstring& path, DWORD type) {
    SetInstallPath(type, path.c_str(), static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
}

void RemoveInstallKey() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey);
}

}  // namespace testing_support
