#include "slideshow/filter_stub_win.h"

#include <cstdint>
#include <cstring>
#include <cwchar>

// The stub's page, as a template that is copied whole into a fresh page: every reference
// inside it is relative to the instruction, so the copy works wherever it lands. It is data
// in the library's image, never run there.
//
// The entry, written when the page is made, jumps through a target slot in a writable page
// next to it: to the filter while the library is loaded, to the forwarder afterwards. The
// forwarder calls
//     CallWindowProcW(GetPropW(wnd, name), wnd, msg, wParam, lParam)
// or DefWindowProcW when the window has lost its property. It keeps its arguments in the
// caller's home slots; the unwind record describes its one stack allocation, so an exception
// raised below it unwinds through it like through any compiled function.
asm(R"(
    .section .rdata,"dr"
    .intel_syntax noprefix
    .p2align 4
    .globl tessalin_stub_template
tessalin_stub_template:
    .space 8
    .globl tessalin_stub_imports
tessalin_stub_imports:
.Lget_prop: .quad 0
.Lcall_window_proc: .quad 0
.Ldef_window_proc: .quad 0
    .p2align 4
    .globl tessalin_stub_forwarder
tessalin_stub_forwarder:
.Lforwarder:
    mov qword ptr [rsp + 8], rcx
    mov qword ptr [rsp + 16], rdx
    mov qword ptr [rsp + 24], r8
    mov qword ptr [rsp + 32], r9
    sub rsp, 0x38
.Lprologue_end:
    lea rdx, [rip + .Lname]
    call qword ptr [rip + .Lget_prop]
    mov rcx, qword ptr [rsp + 0x40]
    mov edx, dword ptr [rsp + 0x48]
    mov r8, qword ptr [rsp + 0x50]
    mov r9, qword ptr [rsp + 0x58]
    test rax, rax
    jz .Ldefault
    mov qword ptr [rsp + 0x20], r9
    mov r9, r8
    mov r8d, edx
    mov rdx, rcx
    mov rcx, rax
    call qword ptr [rip + .Lcall_window_proc]
    jmp .Ldone
.Ldefault:
    call qword ptr [rip + .Ldef_window_proc]
.Ldone:
    add rsp, 0x38
    ret
.Lforwarder_end:
    .p2align 2
    .globl tessalin_stub_function
tessalin_stub_function:
    .long .Lforwarder - tessalin_stub_template
    .long .Lforwarder_end - tessalin_stub_template
    .long .Lunwind - tessalin_stub_template
.Lunwind:
    .byte 1, .Lprologue_end - .Lforwarder, 1, 0
    .byte .Lprologue_end - .Lforwarder, 0x62, 0, 0
    .p2align 1
    .globl tessalin_stub_name
tessalin_stub_name:
.Lname: .space 128
    .globl tessalin_stub_template_end
tessalin_stub_template_end:
    .att_syntax
    .text
)");

extern "C" const unsigned char tessalin_stub_template[];
extern "C" const unsigned char tessalin_stub_imports[];
extern "C" const unsigned char tessalin_stub_forwarder[];
extern "C" const unsigned char tessalin_stub_function[];
extern "C" const unsigned char tessalin_stub_name[];
extern "C" const unsigned char tessalin_stub_template_end[];

namespace tessalin {
namespace {

std::size_t OffsetOf(const unsigned char* label) noexcept {
    return static_cast<std::size_t>(label - tessalin_stub_template);
}

// The code page, read-only once made, and after it the page holding the entry's target.
unsigned char* g_page = nullptr;
std::size_t g_pageSize = 0;

template <class T>
T* At(const unsigned char* label) noexcept {
    return reinterpret_cast<T*>(g_page + OffsetOf(label));
}

void** Target() noexcept {
    return reinterpret_cast<void**>(g_page + g_pageSize);
}

void FreePages() noexcept {
    VirtualFree(g_page, 0, MEM_RELEASE);
    g_page = nullptr;
}

bool MakePages(WNDPROC filter) noexcept {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    g_pageSize = system.dwPageSize;
    const std::size_t size = OffsetOf(tessalin_stub_template_end);
    if (size > g_pageSize) return false;
    g_page = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, 2 * g_pageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (g_page == nullptr) return false;
    std::memcpy(g_page, tessalin_stub_template, size);
    // jmp qword ptr [rip + displacement], the displacement counted from the next instruction.
    constexpr unsigned char kJumpThroughMemory[] = {0xFF, 0x25};
    constexpr std::ptrdiff_t kJumpLength = 6;
    const auto displacement = static_cast<std::int32_t>(reinterpret_cast<unsigned char*>(Target()) -
                                                        (g_page + kJumpLength));
    std::memcpy(g_page, kJumpThroughMemory, sizeof kJumpThroughMemory);
    std::memcpy(g_page + sizeof kJumpThroughMemory, &displacement, sizeof displacement);
    *Target() = reinterpret_cast<void*>(filter);
    void** imports = At<void*>(tessalin_stub_imports);
    imports[0] = reinterpret_cast<void*>(&GetPropW);
    imports[1] = reinterpret_cast<void*>(&CallWindowProcW);
    imports[2] = reinterpret_cast<void*>(&DefWindowProcW);
    // Unique to these pages, because it holds their address.
    const std::size_t nameCapacity =
        (OffsetOf(tessalin_stub_template_end) - OffsetOf(tessalin_stub_name)) / sizeof(wchar_t);
    std::swprintf(At<wchar_t>(tessalin_stub_name), nameCapacity, L"Tessalin.OriginalWndProc.%p",
                  static_cast<void*>(g_page));
    DWORD previous = 0;
    if (!VirtualProtect(g_page, g_pageSize, PAGE_EXECUTE_READ, &previous)) {
        FreePages();
        return false;
    }
    FlushInstructionCache(GetCurrentProcess(), g_page, size);
    RtlAddFunctionTable(At<RUNTIME_FUNCTION>(tessalin_stub_function), 1,
                        reinterpret_cast<DWORD64>(g_page));
    return true;
}

}  // namespace

WNDPROC FilterStub(WNDPROC filter) noexcept {
    if (g_page == nullptr && !MakePages(filter)) return nullptr;
    return reinterpret_cast<WNDPROC>(g_page);
}

const wchar_t* ForwarderProperty() noexcept {
    return g_page != nullptr ? At<wchar_t>(tessalin_stub_name) : nullptr;
}

void ReleaseFilterStub(bool stillInChains) noexcept {
    if (g_page == nullptr) return;
    if (stillInChains) {
        // Kept for the rest of the process: from now on it names nothing of the library.
        *Target() = At<void>(tessalin_stub_forwarder);
        g_page = nullptr;
        return;
    }
    RtlDeleteFunctionTable(At<RUNTIME_FUNCTION>(tessalin_stub_function));
    FreePages();
}

}  // namespace tessalin
