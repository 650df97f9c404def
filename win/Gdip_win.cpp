#include "win/Gdip_win.h"

#include <mutex>

namespace win {
namespace flat = Gdiplus::DllExports;
using Gdiplus::Ok;

namespace {

// One token for the process, with a count of the starts it serves: controls on any thread start
// and stop GDI+, and only the last stop may shut it down.
std::mutex gGdipLock;
ULONG_PTR gGdipToken = 0;
int gGdipStarts = 0;

// The encoders' identifiers differ only in the last digit of their first part.
constexpr unsigned long kEncoderFirst[] = {0x557CF400, 0x557CF403, 0x557CF404, 0x557CF401,
                                           0x557CF406, 0x557CF402, 0x557CF405, 0x557CF407};
enum Encoder { kBmp = 0, kJpeg = 3, kPng = 4, kGif = 5 };

// {1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}
constexpr GUID kQualityCategory = {0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};

GpStatus SaveWith(GpImage* image, const std::wstring& fileName, int encoder, const Gdiplus::EncoderParameters* params) {
    const CLSID clsid = GetEncoderClsid(encoder);
    return flat::GdipSaveImageToFile(image, fileName.c_str(), &clsid, params);
}

GpStatus SaveWith(GpImage* image, IStream* stream, int encoder, const Gdiplus::EncoderParameters* params) {
    const CLSID clsid = GetEncoderClsid(encoder);
    return flat::GdipSaveImageToStream(image, stream, &clsid, params);
}

template <class Target>
GpStatus SaveJpg(GpImage* image, const Target& target, LONG quality) {
    Gdiplus::EncoderParameters params{};
    params.Count = 1;
    params.Parameter[0].Guid = kQualityCategory;
    params.Parameter[0].NumberOfValues = 1;
    params.Parameter[0].Type = 4;  // a long
    params.Parameter[0].Value = &quality;
    return SaveWith(image, target, kJpeg, &params);
}

}  // namespace

GpStatus InitGDIPlus(bool showMessage, const std::wstring& message, UINT style, const std::wstring& title) {
    GpStatus status = Ok;
    {
        std::lock_guard lock(gGdipLock);
        if (gGdipStarts == 0) {
            Gdiplus::GdiplusStartupInput input;
            ULONG_PTR token = 0;
            status = Gdiplus::GdiplusStartup(&token, &input, nullptr);
            if (status == Ok) gGdipToken = token;
        }
        if (status == Ok) ++gGdipStarts;
    }
    // Shown outside the lock: the box pumps messages, and a window may start GDI+ meanwhile.
    if (status != Ok && showMessage) MessageBoxW(nullptr, message.c_str(), title.c_str(), style);
    return status;
}

void TerminateGDIPlus() {
    std::lock_guard lock(gGdipLock);
    if (gGdipStarts == 0 || --gGdipStarts > 0) return;
    DisposeGdipCache();
    Gdiplus::GdiplusShutdown(gGdipToken);
    gGdipToken = 0;
}

void DisposeGdipCache() {}

bool GdiPlusStarted() {
    std::lock_guard lock(gGdipLock);
    return gGdipStarts > 0;
}

gdip::Pen MakePen(ARGB color, float width, int unit) {
    Gdiplus::GpPen* pen = nullptr;
    flat::GdipCreatePen1(color, width, static_cast<Gdiplus::GpUnit>(unit), &pen);
    return gdip::Pen(pen);
}

gdip::Brush MakeSolidBrush(ARGB color) {
    Gdiplus::GpSolidFill* brush = nullptr;
    flat::GdipCreateSolidFill(color, &brush);
    return gdip::Brush(brush);
}

RECTF MakeRectF(float x, float y, float width, float height) {
    return {x, y, width, height};
}

CLSID GetEncoderClsid(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kEncoderFirst))) return CLSID{};
    return CLSID{kEncoderFirst[index], 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}

GpStatus SaveImageToJPG(GpImage* image, const std::wstring& fileName, LONG quality) {
    return SaveJpg(image, fileName, quality);
}
GpStatus SaveImageToGIF(GpImage* image, const std::wstring& fileName) {
    return SaveWith(image, fileName, kGif, nullptr);
}
GpStatus SaveImageToBMP(GpImage* image, const std::wstring& fileName) {
    return SaveWith(image, fileName, kBmp, nullptr);
}
GpStatus SaveImageToPNG(GpImage* image, const std::wstring& fileName) {
    return SaveWith(image, fileName, kPng, nullptr);
}
GpStatus SaveImageToJPG(GpImage* image, IStream* stream, LONG quality) {
    return SaveJpg(image, stream, quality);
}
GpStatus SaveImageToGIF(GpImage* image, IStream* stream) {
    return SaveWith(image, stream, kGif, nullptr);
}
GpStatus SaveImageToBMP(GpImage* image, IStream* stream) {
    return SaveWith(image, stream, kBmp, nullptr);
}
GpStatus SaveImageToPNG(GpImage* image, IStream* stream) {
    return SaveWith(image, stream, kPng, nullptr);
}

GpStatus DrawDashedRect(GpGraphics* g, int left, int top, int width, int height, ARGB color, int dashStyle,
                        float penWidth, int unit) {
    flat::GdipSetPageUnit(g, static_cast<Gdiplus::GpUnit>(unit));
    const gdip::Pen pen = MakePen(color, penWidth, unit);
    flat::GdipSetPenDashStyle(pen.get(), static_cast<Gdiplus::GpDashStyle>(dashStyle));
    return flat::GdipDrawRectangleI(g, pen.get(), left, top, width, height);
}

GpStatus DrawPenLine(GpGraphics* g, int x1, int y1, int x2, int y2, ARGB color, float penWidth, int unit) {
    flat::GdipSetPageUnit(g, static_cast<Gdiplus::GpUnit>(unit));
    return flat::GdipDrawLineI(g, MakePen(color, penWidth, unit).get(), x1, y1, x2, y2);
}

GpStatus FillRectTexture(GpGraphics* g, const std::wstring& imagePath, int wrapMode, float left, float top, float width,
                         float height) {
    GpImage* loaded = nullptr;
    flat::GdipLoadImageFromFile(imagePath.c_str(), &loaded);
    const gdip::Image image(loaded);
    Gdiplus::GpTexture* texture = nullptr;
    flat::GdipCreateTexture(image.get(), static_cast<Gdiplus::GpWrapMode>(wrapMode), &texture);
    const gdip::Brush brush(texture);
    return flat::GdipFillRectangle(g, brush.get(), left, top, width, height);
}

GpStatus FillRectSolid(GpGraphics* g, int left, int top, int width, int height, ARGB color, int unit) {
    flat::GdipSetPageUnit(g, static_cast<Gdiplus::GpUnit>(unit));
    return flat::GdipFillRectangleI(g, MakeSolidBrush(color).get(), left, top, width, height);
}

GpStatus DrawPenArc(GpGraphics* g, float left, float top, float width, float height, float startAngle, float sweepAngle,
                    ARGB color, float penWidth, int unit) {
    return flat::GdipDrawArc(g, MakePen(color, penWidth, unit).get(), left, top, width, height, startAngle, sweepAngle);
}

}  // namespace win
