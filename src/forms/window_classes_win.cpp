#include "forms/window_classes_win.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "frame/module_win.h"
#include "frame/unique_resource_win.h"

namespace tessalin::forms {
namespace {

std::vector<std::wstring> g_registeredClasses;
UniqueModule g_richEditLibrary;

}  // namespace

void RegisterFormClass(const wchar_t* className, WNDPROC windowProc) {
    for (const std::wstring& registered : g_registeredClasses) {
        if (registered == className) return;
    }
    // Everything that can throw comes first: a class registered but not remembered would
    // outlive the module at unload.
    std::wstring name(className);
    g_registeredClasses.reserve(g_registeredClasses.size() + 1);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = ThisModule();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    if (RegisterClassExW(&windowClass) == 0) throw std::runtime_error("form class refused");
    g_registeredClasses.push_back(std::move(name));
}

// Only from the system folder: the host's current directory and PATH may hold anything.
void LoadRichEditLibrary() {
    if (g_richEditLibrary) return;
    g_richEditLibrary.reset(LoadLibraryExW(L"riched20.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!g_richEditLibrary) throw std::runtime_error("rich-edit library refused");
}

void UnregisterFormClasses() noexcept {
    for (const std::wstring& name : g_registeredClasses) {
        UnregisterClassW(name.c_str(), ThisModule());
    }
    g_registeredClasses.clear();
}

void FreeRichEditLibrary(Unload how) noexcept {
    if (how == Unload::kProcessExit) {
        g_richEditLibrary.release();
        return;
    }
    g_richEditLibrary.reset();
}

}  // namespace tessalin::forms
