// The registry value naming the installation folder, which the library reads at load.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

void SetInstallPath(DWORD type, const void* data, DWORD bytes);
void SetInstallPath(const std::wstring& path, DWORD type = REG_SZ);
void RemoveInstallKey();

}  // namespace testing_support
