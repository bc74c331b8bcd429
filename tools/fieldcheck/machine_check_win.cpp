// The machine: which Windows, how the process and this thread are aware of DPI, and each
// monitor as the system describes it next to the number the library gives it.
#include <cstdint>
#include <optional>
#include <vector>

#include "frame/export_guard.h"
#include "tessalin_version.h"
#include "tools/fieldcheck/check.h"
#include "tools/fieldcheck/machine_win.h"
#include "tools/fieldcheck/windows_win.h"

namespace fieldcheck {
namespace {

// Wine's loader answers wine_get_version; Windows' has none.
using WineVersionFn = const char*(__cdecl*)();

HMODULE Ntdll() {
    return GetModuleHandleW(L"ntdll.dll");
}

std::wstring RegistryText(const wchar_t* name) {
    wchar_t value[128] = {};
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", name,
                     RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS) {
        return L"";
    }
    return value;
}

DWORD RegistryNumber(const wchar_t* name) {
    DWORD value = 0;
    DWORD bytes = sizeof value;
    RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", name,
                 RRF_RT_REG_DWORD, nullptr, &value, &bytes);
    return value;
}

// The version resource's numbers, "1.0.0"; empty without one. The version library is not one
// of the system's known DLLs: it is loaded from the system folder, never from the check's.
std::wstring FileVersion(const std::wstring& path) {
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    const tessalin::UniqueModule version(
        LoadLibraryExW(L"version.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    const auto size = Lookup<SizeFn>(version.get(), "GetFileVersionInfoSizeW");
    const auto info = Lookup<InfoFn>(version.get(), "GetFileVersionInfoW");
    const auto query = Lookup<QueryFn>(version.get(), "VerQueryValueW");
    if (size == nullptr || info == nullptr || query == nullptr) return L"";
    DWORD ignored = 0;
    std::vector<char> data(size(path.c_str(), &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (data.empty() || !info(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !query(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof *fixed) {
        return L"";
    }
    return Format(L"%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                  HIWORD(fixed->dwFileVersionLS));
}

std::wstring ModulePath(HMODULE module) {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

// The add-in calls InitializeTessaline first and ShutdownTessaline last; both do nothing, so
// the library must answer as before after each.
void CheckLibrary(const FieldCheck& check) {
    const std::wstring path = ModulePath(check.library.module());
    const std::wstring version = FileVersion(path);
    const std::wstring own = L"" TESSALIN_VERSION_TEXT;
    check.library.Call<void>("InitializeTessaline");
    const auto afterStart = check.library.Call<std::int32_t>("GetMonitorCount");
    check.library.Call<void>("ShutdownTessaline");
    const auto afterEnd = check.library.Call<std::int32_t>("GetMonitorCount");
    const auto expected = static_cast<std::int32_t>(check.monitors.size());
    check.report.Expect(
        version == own && afterStart == expected && afterEnd == expected, L"machine.library",
        Format(L"Tessalin.dll %ls loaded from %ls%ls; after InitializeTessaline GetMonitorCount "
               L"gives %d, after ShutdownTessaline %d (expected %d both times)",
               version.c_str(), path.c_str(),
               version == own ? L""
                              : Format(L"; this check is of %ls: use the one in the DLL's "
                                       L"package",
                                       own.c_str())
                                    .c_str(),
               afterStart, afterEnd, expected));
}

void CheckAwareness(const FieldCheck& check) {
    const std::optional<std::wstring>& refused = check.awarenessRefused;
    const std::wstring asked = AwarenessName(check.options.awareness);
    const std::wstring thread = ThreadAwareness();
    const std::wstring figures =
        Format(L"asked %ls (%ls); process %ls, thread %ls", asked.c_str(),
               check.options.awareness == Awareness::kManifest ? L"the manifest" : L"--awareness",
               ProcessAwareness().c_str(), thread.c_str());
    if (refused) {
        check.report.Skip(L"machine.awareness",
                          figures + L"; " + *refused + L": the steps run at " + thread);
    } else if (thread.starts_with(L"not told")) {
        check.report.Skip(L"machine.awareness", figures + L": the steps run as the process is");
    } else if (thread == L"per-monitor" && check.options.awareness == Awareness::kManifest) {
        // Windows 10 before 1703 knows no v2 and takes the manifest's older per-monitor entry.
        check.report.Skip(L"machine.awareness",
                          figures +
                              L": the system gives per-monitor (v1) for the manifest's "
                              L"per-monitor v2 (Windows 10 before 1703, or Wine)");
    } else {
        check.report.Expect(thread == asked, L"machine.awareness", figures);
    }
}

struct SystemMonitor {
    HMONITOR handle;
    MONITORINFOEXW info;
};

std::vector<SystemMonitor> SystemMonitors() {
    std::vector<SystemMonitor> found;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
            return tessalin::Guarded(FALSE, [&] {
                SystemMonitor entry{monitor, {}};
                entry.info.cbSize = sizeof entry.info;
                GetMonitorInfoW(monitor, &entry.info);
                reinterpret_cast<std::vector<SystemMonitor>*>(list)->push_back(entry);
                return TRUE;
            });
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void CheckMonitors(const FieldCheck& check) {
    bool allFound = true;
    const std::size_t listed = SystemMonitors().size();
    for (const Monitor& monitor : check.monitors) {
        const bool found = monitor.systemPosition > 0;
        allFound = allFound && found;
        check.report.Expect(
            found, Format(L"machine.monitor %d", monitor.number),
            found ? Format(L"%ls %ls, %d dpi%ls; the system's number %zu of %zu",
                           monitor.device.c_str(), RectText(monitor.rect).c_str(), monitor.dpi,
                           monitor.primary ? L", primary" : L"", monitor.systemPosition, listed)
                  : Format(L"the library gives %ls, where the system has no monitor",
                           RectText(monitor.rect).c_str()));
    }
    const bool originFirst = !check.monitors.empty() && check.monitors[0].rect.left == 0 &&
                             check.monitors[0].rect.top == 0;
    check.report.Expect(
        check.monitors.size() == listed && originFirst && allFound, L"machine.monitors",
        Format(L"the library numbers %zu, the system lists %zu; number 1 %ls the origin",
               check.monitors.size(), listed, originFirst ? L"is at" : L"is not at"));
}

}  // namespace

std::vector<Monitor> ReadMonitors(const hostkit::Library& library) {
    const std::vector<SystemMonitor> system = SystemMonitors();
    std::vector<Monitor> monitors;
    const auto count = library.Call<std::int32_t>("GetMonitorCount");
    for (std::int32_t number = 1; number <= count; ++number) {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        library.Call<std::int32_t>("GetMonitorInfo", number, &left, &top, &width, &height);
        Monitor monitor{number, {left, top, left + width, top + height}};
        for (std::size_t position = 0; position < system.size(); ++position) {
            if (!SameRect(system[position].info.rcMonitor, monitor.rect)) continue;
            monitor.handle = system[position].handle;
            monitor.device = system[position].info.szDevice;
            monitor.dpi = MonitorDpi(monitor.handle);
            monitor.primary = (system[position].info.dwFlags & MONITORINFOF_PRIMARY) != 0;
            monitor.systemPosition = position + 1;
            break;
        }
        monitors.push_back(monitor);
    }
    return monitors;
}

void CheckMachine(const FieldCheck& check) {
    CheckLibrary(check);
    CheckAwareness(check);
    CheckMonitors(check);
}

std::wstring WindowsVersion() {
    using GetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto getVersion = Lookup<GetVersionFn>(Ntdll(), "RtlGetVersion");
    OSVERSIONINFOW version{sizeof version};
    if (getVersion == nullptr || getVersion(&version) != 0) return L"Windows (version not told)";
    std::wstring text = Format(L"Windows %lu.%lu build %lu", version.dwMajorVersion,
                               version.dwMinorVersion, version.dwBuildNumber);
    if (const DWORD revision = RegistryNumber(L"UBR")) text += Format(L".%lu", revision);
    const std::wstring release = RegistryText(L"DisplayVersion");
    if (!release.empty()) text += L" (" + release + L")";
    if (version.dwMajorVersion == 10 && version.dwBuildNumber >= 22000) text += L", Windows 11";
    if (const auto wine = Lookup<WineVersionFn>(Ntdll(), "wine_get_version")) {
        const std::string wineVersion = wine();
        text += L"; under Wine " + std::wstring(wineVersion.begin(), wineVersion.end());
    }
    return text;
}

bool UnderWine() {
    return Lookup<WineVersionFn>(Ntdll(), "wine_get_version") != nullptr;
}

}  // namespace fieldcheck
