#include "tools/hostkit/screenshot_win.h"

#include <wincodec.h>

#include "frame/com_ptr_win.h"
#include "frame/unique_resource_win.h"
#include "tools/hostkit/apartment_win.h"

namespace hostkit {
namespace {

using tessalin::ComPtr;

bool WritePng(const std::wstring& path, int width, int height, UINT stride, BYTE* rows) {
    const Apartment com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, factory.putVoid())) &&
           SUCCEEDED(factory->CreateStream(stream.put())) &&
           SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) &&
           SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.put(), nullptr)) &&
           SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) &&
           IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
           SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), stride,
                                        stride * static_cast<UINT>(height), rows)) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace

bool SaveScreenArea(const RECT& area, const std::wstring& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;  // top-down rows, as the encoder takes them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const UINT stride = (static_cast<UINT>(width) * 3 + 3) & ~3u;

    const tessalin::UniqueWindowDc screen(GetDC(nullptr));
    const tessalin::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!screen || !memory) return false;
    void* bits = nullptr;
    const tessalin::UniqueGdiObject bitmap(CreateDIBSection(
        screen.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return false;
    {
        // The DC's own bitmap is put back before either is deleted.
        const tessalin::UniqueSelection selected(SelectObject(memory.get(), bitmap.get()),
                                                 {memory.get()});
        // CAPTUREBLT takes layered windows too, as the eye sees them.
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top,
                    SRCCOPY | CAPTUREBLT)) {
            return false;
        }
    }
    GdiFlush();
    return WritePng(path, width, height, stride, static_cast<BYTE*>(bits));
}

bool SaveVirtualScreen(const std::wstring& path) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return SaveScreenArea({left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                           top + GetSystemMetrics(SM_CYVIRTUALSCREEN)},
                          path);
}

}  // namespace hostkit
