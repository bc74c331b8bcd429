#include "support/message_box.h"

#include <cstring>

#include "support/windows.h"

namespace testing_support {
namespace {

// The message box's text is a static control with this identifier.
constexpr int kBoxTextId = 0xFFFF;

HWND FindBox(DWORD thread) {
    for (HWND dialog : VisibleDialogs(thread)) {
        if (GetDlgItem(dialog, kBoxTextId) != nullptr) return dialog;
    }
    return nullptr;
}

UINT g_lastStyle = 0;
decltype(&MessageBoxW) g_realMessageBox = nullptr;

int WINAPI RecordingMessageBox(HWND owner, LPCWSTR text, LPCWSTR title, UINT style) {
    g_lastStyle = style;
    return g_realMessageBox(owner, text, title, style);
}

// The import-address-table slot through which `module` calls `dll`!`function`.
void** FindImport(HMODULE module, const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; name->u1.AddressOfData != 0; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                return reinterpret_cast<void**>(&slot->u1.Function);
            }
        }
    }
    return nullptr;
}

void WriteSlot(void** slot, void* value) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

}  // namespace

MessageBoxStyleSpy::MessageBoxStyleSpy(HMODULE module)
    : slot_(FindImport(module, "user32.dll", "MessageBoxW")) {
    if (slot_ == nullptr) return;
    original_ = *slot_;
    g_realMessageBox = &MessageBoxW;
    g_lastStyle = 0;
    WriteSlot(slot_, reinterpret_cast<void*>(&RecordingMessageBox));
}

MessageBoxStyleSpy::~MessageBoxStyleSpy() {
    if (slot_ != nullptr) WriteSlot(slot_, original_);
}

UINT MessageBoxStyleSpy::LastStyle() {
    return g_lastStyle;
}

MessageBoxAnswerer::MessageBoxAnswerer(int button, HWND watched) {
    const DWORD thread = GetCurrentThreadId();
    thread_ = std::thread([this, thread, button, watched] {
        for (int i = 0; i < 500; ++i) {
            const HWND box = FindBox(thread);
            if (box == nullptr) {
                Sleep(20);
                continue;
            }
            seen_.found = true;
            seen_.text = TextOf(GetDlgItem(box, kBoxTextId));
            seen_.title = TextOf(box);

            if (watched != nullptr) seen_.watchedWindowEnabled = IsWindowEnabled(watched);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
            return;
        }
    });
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    if (thread_.joinable()) thread_.join();
}

const SeenBox& MessageBoxAnswerer::Seen() {
    if (thread_.joinable()) thread_.join();
    return seen_;
}

}  // namespace testing_support
