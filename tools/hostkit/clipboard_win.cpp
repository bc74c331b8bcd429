#include "tools/hostkit/clipboard_win.h"

#include <cstring>
#include <utility>

#include "frame/export_guard.h"
#include "tools/hostkit/windows_win.h"

namespace hostkit {

UINT RtfFormat() {
    return RegisterClipboardFormatW(L"Rich Text Format");
}

OpenedClipboard OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(owner)) return OpenedClipboard(true);
        Sleep(20);
    }
    return {};
}

tessalin::UniqueGlobalMemory GlobalCopy(const void* data, std::size_t bytes) {
    tessalin::UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    const tessalin::UniqueGlobalLock target(memory ? GlobalLock(memory.get()) : nullptr,
                                            {memory.get()});
    if (!target) return {};
    std::memcpy(target.get(), data, bytes);
    return memory;
}

std::vector<char> GlobalBytes(HANDLE memory) {
    const SIZE_T size = GlobalSize(memory);
    const tessalin::UniqueGlobalLock source(size > 0 ? GlobalLock(memory) : nullptr, {memory});
    if (!source) return {};
    const auto* bytes = static_cast<const char*>(source.get());
    return std::vector<char>(bytes, bytes + size);
}

bool SetClipboardBytes(UINT format, const void* data, std::size_t bytes) {
    if (data == nullptr) {
        // Rendered when asked: listed now, with no data to give back.
        SetClipboardData(format, nullptr);
        return true;
    }
    tessalin::UniqueGlobalMemory copy = GlobalCopy(data, bytes);
    if (!copy || SetClipboardData(format, copy.get()) == nullptr) return false;
    copy.release();  // the clipboard's now
    return true;
}

void KeepOutOfHistory() {
    const DWORD no = 0;
    for (const wchar_t* name : {L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard",
                                L"ExcludeClipboardContentFromMonitorProcessing"}) {
        SetClipboardBytes(RegisterClipboardFormatW(name), &no, sizeof no);
    }
}

ClipboardCopy::ClipboardCopy(HWND owner) : opened_(OpenClipboardPatiently(owner)) {
    if (opened_ && !EmptyClipboard()) opened_.reset();
}

bool ClipboardCopy::Put(UINT format, const void* data, std::size_t bytes) const {
    return opened_ && SetClipboardBytes(format, data, bytes);
}

bool ClipboardCopy::PutNotes(const std::string& rtf) const {
    return Put(RtfFormat(), rtf.c_str(), rtf.size() + 1);
}

bool ClipboardCopy::PutText(const std::wstring& text) const {
    return Put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

ClipboardHolder::ClipboardHolder(DWORD milliseconds, std::wstring copies, HWND owner)
    : opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    HANDLE opened = opened_.get();
    thread_ = std::thread([this, opened, milliseconds, copies = std::move(copies), owner] {
        tessalin::Guarded([&] {
            const tessalin::UniqueWindow own = MessageWindow();
            const HWND holder = owner != nullptr ? owner : own.get();
            const OpenedClipboard open(holder != nullptr && OpenClipboard(holder));
            held_ = static_cast<bool>(open);
            SetEvent(opened);
            Sleep(milliseconds);
            if (!open) return;
            if (!copies.empty() && EmptyClipboard()) {
                SetClipboardBytes(CF_UNICODETEXT, copies.c_str(),
                                  (copies.size() + 1) * sizeof(wchar_t));
                KeepOutOfHistory();
            }
        });
        SetEvent(opened);
    });
    WaitForSingleObject(opened, 5000);
}

void ClipboardHolder::Join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace hostkit
