#pragma once
// Pictures of what windows show, and pictures to load, for the Wine tests of every folder.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "win/GdiHandles.h"
#include "win/GdipHandles.h"
#include "win/Gdip_win.h"

namespace win::test {

// A top-down 32-bit section for the DC; `bits` gets its pixels.
inline BitmapHandle TopDownDib(HDC dc, int w, int h, void** bits) {
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    return BitmapHandle(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, bits, nullptr, 0));
}

// A copy of a part of a device context.
inline BitmapHandle CopyOf(HDC source, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    BitmapHandle bitmap(CreateCompatibleBitmap(source, w, h));
    const OwnedDc dc(CreateCompatibleDC(source));
    const SelectScope select(dc.Get(), bitmap.Get());
    BitBlt(dc.Get(), 0, 0, w, h, source, r.left, r.top, SRCCOPY);
    return bitmap;
}

// A bitmap (selected into no DC) as 0xRRGGBB pixels, row by row from the top.
inline std::vector<uint32_t> PixelsOf(HBITMAP bitmap, int w, int h) {
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    GetDIBits(ScreenDc().Get(), bitmap, 0, static_cast<UINT>(h), px.data(), &bi, DIB_RGB_COLORS);
    for (auto& p : px) p &= 0xFFFFFF;
    return px;
}

// Two 0xRRGGBB colours within `tolerance` of each other in each of red, green and blue.
inline bool NearRgb(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > tolerance || -d > tolerance) return false;
    }
    return true;
}

// A bitmap as a PNG file; GDI+ is started by the caller.
inline bool SavePng(HBITMAP bitmap, const std::wstring& name) {
    Gdiplus::GpBitmap* image = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) != Gdiplus::Ok) return false;
    const gdip::Image owned(image);
    return SaveImageToPNG(owned.get(), name) == Gdiplus::Ok;
}

// A picture of one colour saved in a format of GetEncoderClsid; false when it could not be written.
inline bool WritePicture(const wchar_t* name, int w, int h, int format, Gdiplus::ARGB colour = 0xFF203080) {
    if (InitGDIPlus(false, L"", 0, L"") != Gdiplus::Ok) return false;
    namespace flat = Gdiplus::DllExports;
    bool saved = false;
    {  // the objects go before GDI+ stops
        Gdiplus::GpBitmap* bitmap = nullptr;
        flat::GdipCreateBitmapFromScan0(w, h, 0, PixelFormat24bppRGB, nullptr, &bitmap);
        const gdip::Image image(bitmap);
        Gdiplus::GpGraphics* g = nullptr;
        flat::GdipGetImageGraphicsContext(image.get(), &g);
        const gdip::Graphics graphics(g);
        flat::GdipGraphicsClear(graphics.get(), colour);
        const CLSID encoder = GetEncoderClsid(format);
        saved = flat::GdipSaveImageToFile(image.get(), name, &encoder, nullptr) == Gdiplus::Ok;
    }
    TerminateGDIPlus();
    return saved;
}

}  // namespace win::test
