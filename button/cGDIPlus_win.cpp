#include "cGDIPlus_win.h"

#include <windows.h>
#include <olectl.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "records/Numbers.h"
#include "win/GdipHandles.h"
#include "win/Gdip_win.h"
#include "win/KernelHandles.h"

namespace kavrel {
namespace flat = Gdiplus::DllExports;
using Gdiplus::Ok;

namespace {

using win::gdip::Brush;
using win::gdip::Family;
using win::gdip::Font;
using win::gdip::Format;
using win::gdip::Graphics;
using win::gdip::Image;
using win::gdip::Path;
using win::gdip::Pen;

using win::MakePen;
Brush MakeGradient(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB from, ARGB to, int32_t wrap) {
    const Gdiplus::GpPoint p1(x1, y1), p2(x2, y2);
    Gdiplus::GpLineGradient* brush = nullptr;
    flat::GdipCreateLineBrushI(&p1, &p2, from, to, static_cast<Gdiplus::GpWrapMode>(wrap), &brush);
    return Brush(brush);
}
void SetUnit(Gdiplus::GpGraphics* g, int32_t unit) {
    flat::GdipSetPageUnit(g, static_cast<Gdiplus::GpUnit>(unit));
}
int32_t Rounded(double x) {
    return tessaly::CLng(x);
}

// {1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}, the JPEG quality parameter
constexpr GUID kQualityCategory = {0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};

}  // namespace

cGDIPlus::cGDIPlus() {
    if (token_ != 0) return;
    Gdiplus::GdiplusStartupInput input;  // version 1, no callback, thread and codecs not suppressed
    m_uLastStatus = Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    if (m_uLastStatus != Ok) token_ = 0;
}

cGDIPlus::~cGDIPlus() {
    // Every object of this start-up goes before GDI+ is shut down.
    ReplaceGraphics(nullptr);
    ReplaceImage(nullptr);
    if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
    token_ = 0;
}

void cGDIPlus::ReplaceImage(Gdiplus::GpImage* image) {
    if (image_.get() != image) image_.reset(image);
}

void cGDIPlus::ReplaceGraphics(Gdiplus::GpGraphics* graphics) {
    if (graphics_.get() != graphics) graphics_.reset(graphics);
}

GpStatus cGDIPlus::CreateGraphicsWithImage(int32_t Width, int32_t Height, GpPixelFormat PixelFormat) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    flat::GdipCreateBitmapFromScan0(Width, Height, 0, PixelFormat, nullptr, &bitmap);
    // The graphics on the old bitmap must go before the bitmap does.
    ReplaceGraphics(nullptr);
    ReplaceImage(bitmap);
    Gdiplus::GpGraphics* graphics = nullptr;
    const GpStatus status = flat::GdipGetImageGraphicsContext(image_.get(), &graphics);
    ReplaceGraphics(graphics);
    return status;
}

GpStatus cGDIPlus::CreateBitmapFromGraphics(int32_t Width, int32_t Height) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    const GpStatus status = flat::GdipCreateBitmapFromGraphics(Width, Height, graphics_.get(), &bitmap);
    if (status == Ok) ReplaceImage(bitmap);
    return status;
}

GpStatus cGDIPlus::ShowImageToHDC(HDC hDC, int32_t x, int32_t y, int32_t Width, int32_t Height) {
    Gdiplus::GpGraphics* raw = nullptr;
    flat::GdipCreateFromHDC(hDC, &raw);
    Graphics onDc(raw);
    return flat::GdipDrawImageRectI(onDc.get(), image_.get(), x, y, Width, Height);
}

GpStatus cGDIPlus::SaveFile(const std::wstring& nFileName, int32_t SaveFormat) {
    switch (SaveFormat) {
        case GpSaveBMP: return SaveImageToBMP(image_.get(), nFileName);
        case GpSaveJPEG: return SaveImageToJPG(image_.get(), nFileName, 80);
        case GpSaveGIF: return SaveImageToGIF(image_.get(), nFileName);
        case GpSavePNG: return SaveImageToPNG(image_.get(), nFileName);
        case GpSaveTIFF: return SaveImageToTIF(image_.get(), nFileName);
        default: return Ok;
    }
}

bool cGDIPlus::CreateGraphicsFromHDC(HDC hDC) {
    Gdiplus::GpGraphics* graphics = nullptr;
    if (flat::GdipCreateFromHDC(hDC, &graphics) == Ok) ReplaceGraphics(graphics);
    return false;
}

GpStatus cGDIPlus::CreateGraphicsFromHWND(HWND hwnd) {
    Gdiplus::GpGraphics* graphics = nullptr;
    const GpStatus status = flat::GdipCreateFromHWND(hwnd, &graphics);
    if (status == Ok) ReplaceGraphics(graphics);
    return status;
}

void cGDIPlus::GetRBGFromOLEColour(uint32_t dwOleColour, int32_t& r, int32_t& g, int32_t& b) {
    COLORREF rgb = 0;
    OleTranslateColor(dwOleColour, nullptr, &rgb);
    r = GetRValue(rgb);
    g = GetGValue(rgb);
    b = GetBValue(rgb);
}

GpStatus cGDIPlus::DrawRectangleI(int32_t x, int32_t y, int32_t Width, int32_t Height, ARGB lngLineColor,
                                  float sngLineWidth, int32_t intPenUnit) {
    return win::DrawDashedRect(graphics_.get(), x, y, Width, Height, lngLineColor, Gdiplus::DashStyleSolid,
                               sngLineWidth, intPenUnit);
}

GpStatus cGDIPlus::DrawLineI(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB lngLineColor, float sngLineWidth,
                             int32_t intPenUnit) {
    return win::DrawPenLine(graphics_.get(), x1, y1, x2, y2, lngLineColor, sngLineWidth, intPenUnit);
}

GpStatus cGDIPlus::SolidFillRectangle(int32_t x, int32_t y, int32_t Width, int32_t Height, ARGB argb,
                                      int32_t intPenUnit) {
    return win::FillRectSolid(graphics_.get(), x, y, Width, Height, argb, intPenUnit);
}

GpStatus cGDIPlus::SetSmoothingMode(int32_t SmoothingMd) {
    return flat::GdipSetSmoothingMode(graphics_.get(), static_cast<Gdiplus::SmoothingMode>(SmoothingMd));
}

GpStatus cGDIPlus::DrawEllipseI(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB lngLineColor, float sngLineWidth,
                                int32_t intPenUnit) {
    SetUnit(graphics_.get(), intPenUnit);
    const Pen pen = MakePen(lngLineColor, sngLineWidth, intPenUnit);
    return flat::GdipDrawEllipseI(graphics_.get(), pen.get(), x1, y1, x2 - x1, y2 - y1);
}

GpStatus cGDIPlus::DrawEllipseI_Angle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB lngLineColor,
                                      float startAngle, float sweepAngle, float sngLineWidth, int32_t intPenUnit) {
    SetUnit(graphics_.get(), intPenUnit);
    const Pen pen = MakePen(lngLineColor, sngLineWidth, intPenUnit);
    return flat::GdipDrawPieI(graphics_.get(), pen.get(), x1, y1, x2 - x1, y2 - y1, startAngle, sweepAngle);
}

GpStatus cGDIPlus::SolidFillEllipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB argb, int32_t intPenUnit) {
    SetUnit(graphics_.get(), intPenUnit);
    const Brush brush = win::MakeSolidBrush(argb);
    return flat::GdipFillEllipseI(graphics_.get(), brush.get(), x1, y1, x2 - x1, y2 - y1);
}

GpStatus cGDIPlus::GradualChangeFillRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB lngStartColor,
                                              ARGB lngEndColor, int32_t wpMod) {
    const Brush brush = MakeGradient(x1, y1, x2, y2, lngStartColor, lngEndColor, wpMod);
    return flat::GdipFillRectangleI(graphics_.get(), brush.get(), x1, y1, x2 - x1, y2 - y1);
}

GpStatus cGDIPlus::GradualChangeFillEllipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB lngStartColor,
                                            ARGB lngEndColor, int32_t wpMod) {
    const Brush brush = MakeGradient(x1, y1, x2, y2, lngStartColor, lngEndColor, wpMod);
    return flat::GdipFillEllipseI(graphics_.get(), brush.get(), x1, y1, x2 - x1, y2 - y1);
}

GpStatus cGDIPlus::DrawNormalText(const std::wstring& StrFontName, ARGB lngFontColor, int32_t StringAlignMode,
                                  float sngFontSize, int32_t lngFontStyle, int32_t intDrawUnit, int32_t TextRenderMode,
                                  int32_t lngLeft, int32_t lngTop, int32_t lngWidth, int32_t lngHeight,
                                  const std::wstring& StrTxt) {
    Gdiplus::GpFontFamily* rawFamily = nullptr;
    flat::GdipCreateFontFamilyFromName(StrFontName.c_str(), nullptr, &rawFamily);
    const Family family(rawFamily);
    flat::GdipSetTextRenderingHint(graphics_.get(), static_cast<Gdiplus::TextRenderingHint>(TextRenderMode));
    Gdiplus::GpStringFormat* rawFormat = nullptr;
    flat::GdipCreateStringFormat(0, LANG_NEUTRAL, &rawFormat);
    const Format format(rawFormat);
    flat::GdipSetStringFormatLineAlign(format.get(), static_cast<Gdiplus::StringAlignment>(StringAlignMode));
    Gdiplus::GpFont* rawFont = nullptr;
    flat::GdipCreateFont(family.get(), sngFontSize, lngFontStyle, static_cast<Gdiplus::GpUnit>(intDrawUnit), &rawFont);
    const Font font(rawFont);
    const Brush brush = win::MakeSolidBrush(lngFontColor);
    const auto r = win::MakeRectF(float(lngLeft), float(lngTop), float(lngWidth), float(lngHeight));
    const Gdiplus::RectF layout{r.X, r.Y, r.Width, r.Height};
    return flat::GdipDrawString(graphics_.get(), StrTxt.c_str(), -1, font.get(), &layout, format.get(), brush.get());
}

GpStatus cGDIPlus::SaveImageToPNG(Gdiplus::GpImage* Image, const std::wstring& StrFileName) {
    return win::SaveImageToPNG(Image, StrFileName);
}
GpStatus cGDIPlus::SaveImageToGIF(Gdiplus::GpImage* Image, const std::wstring& StrFileName) {
    return win::SaveImageToGIF(Image, StrFileName);
}
GpStatus cGDIPlus::SaveImageToBMP(Gdiplus::GpImage* Image, const std::wstring& StrFileName) {
    return win::SaveImageToBMP(Image, StrFileName);
}
GpStatus cGDIPlus::SaveImageToJPG(Gdiplus::GpImage* Image, const std::wstring& StrFileName, int32_t Quality) {
    return win::SaveImageToJPG(Image, StrFileName, Quality);
}
GpStatus cGDIPlus::SaveImageToTIF(Gdiplus::GpImage* Image, const std::wstring& StrFileName) {
    const CLSID clsid = win::GetEncoderClsid(TIF);
    return flat::GdipSaveImageToFile(Image, StrFileName.c_str(), &clsid, nullptr);
}

GpStatus cGDIPlus::DrawScaled(Gdiplus::GpImage* image, float left, float top, float xScale, float yScale) {
    UINT w = 0, h = 0;
    flat::GdipGetImageWidth(image, &w);
    flat::GdipGetImageHeight(image, &h);
    return flat::GdipDrawImageRect(graphics_.get(), image, left, top, float(Rounded(w * double(xScale))),
                                   float(Rounded(h * double(yScale))));
}

template <class Draw>
GpStatus cGDIPlus::WithFileImage(const std::wstring& fileName, Draw draw) {
    Gdiplus::GpImage* raw = nullptr;
    const GpStatus loaded = flat::GdipLoadImageFromFile(fileName.c_str(), &raw);
    const Image image(raw);
    if (loaded != Ok) return loaded;
    return draw(image.get());
}

template <class Draw>
GpStatus cGDIPlus::WithStreamImage(const void* bytes, int32_t upperBound, Draw draw) {
    // The upper bound of a byte array: -1 is an empty one.
    if (!bytes || upperBound < 0) return Gdiplus::InvalidParameter;
    const SIZE_T size = SIZE_T(upperBound) + 1;
    // Declared first, so freed last: after the image and the stream read from it.
    const win::GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return Gdiplus::OutOfMemory;
    if (const win::GlobalLocked p(block.Get()); p.Get()) std::memcpy(p.Get(), bytes, size);
    GpStatus status = Gdiplus::Win32Error;
    IStream* stream = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(block.Get(), FALSE, &stream))) {
        Gdiplus::GpImage* raw = nullptr;
        status = flat::GdipLoadImageFromStream(stream, &raw);
        const Image image(raw);
        if (status == Ok) status = draw(image.get());
    }
    // The image goes before the stream it was read from, the block last.
    if (stream) stream->Release();
    return status;
}

GpStatus cGDIPlus::DrawImageFromFile(const std::wstring& StrFileName, float sngLeft, float sngTop, float xScale,
                                     float yScale) {
    return WithFileImage(StrFileName,
                         [&](Gdiplus::GpImage* image) { return DrawScaled(image, sngLeft, sngTop, xScale, yScale); });
}

GpStatus cGDIPlus::DrawImageFromStream(const void* lpvSource, int32_t lngResData, float sngLeft, float sngTop,
                                       float xScale, float yScale) {
    return WithStreamImage(lpvSource, lngResData,
                           [&](Gdiplus::GpImage* image) { return DrawScaled(image, sngLeft, sngTop, xScale, yScale); });
}

GpStatus cGDIPlus::DrawImageFromStream_ToWH(const void* lpvSource, int32_t lngResData, float sngLeft, float sngTop,
                                            int32_t img_W, int32_t img_H) {
    return WithStreamImage(lpvSource, lngResData, [&](Gdiplus::GpImage* image) {
        return DrawImageToWH(image, Rounded(sngLeft), Rounded(sngTop), img_W, img_H);
    });
}

GpStatus cGDIPlus::DrawImageToWH(Gdiplus::GpImage* image, int32_t left, int32_t top, int32_t img_W, int32_t img_H) {
    return flat::GdipDrawImageRectI(graphics_.get(), image, left, top, img_W, img_H);
}

Image cGDIPlus::CopyImageFromStream(const void* lpvSource, int32_t lngResData) {
    Gdiplus::GpBitmap* copy = nullptr;
    WithStreamImage(lpvSource, lngResData, [&](Gdiplus::GpImage* image) {
        // The read image keeps reading its stream; the copy, in its own format, needs none.
        UINT w = 0, h = 0;
        Gdiplus::PixelFormat format = PixelFormat32bppARGB;
        flat::GdipGetImageWidth(image, &w);
        flat::GdipGetImageHeight(image, &h);
        flat::GdipGetImagePixelFormat(image, &format);
        return flat::GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h), format,
                                          static_cast<Gdiplus::GpBitmap*>(image), &copy);
    });
    return Image(copy);
}

GpStatus cGDIPlus::DrawImageFormPictureHandle(HBITMAP PictureHandle, float sngLeft, float sngTop, float xScale,
                                              float yScale) {
    Gdiplus::GpBitmap* raw = nullptr;
    const GpStatus made = flat::GdipCreateBitmapFromHBITMAP(PictureHandle, nullptr, &raw);
    const Image image(raw);
    if (made != Ok) return made;
    return DrawScaled(image.get(), sngLeft, sngTop, xScale, yScale);
}

GpStatus cGDIPlus::DrawImageFormIcoHandle(HICON IcoHandle, float sngLeft, float sngTop, float xScale, float yScale) {
    Gdiplus::GpBitmap* raw = nullptr;
    const GpStatus made = flat::GdipCreateBitmapFromHICON(IcoHandle, &raw);
    const Image image(raw);
    if (made != Ok) return made;
    return DrawScaled(image.get(), sngLeft, sngTop, xScale, yScale);
}

GpStatus cGDIPlus::DrawSpecialText(const std::wstring& StrFontName, float sngFontSize, int32_t lngFontStyle,
                                   int32_t StringAlignMode, int32_t LineStringAlignMode, int32_t StrFormatFlags,
                                   ARGB lngLineColor, float sngLineWidth, int32_t DrawLineUnit, ARGB lngBrushColor,
                                   int32_t brushmode, int32_t lngLeft, int32_t lngTop, int32_t lngWidth,
                                   int32_t lngHeight, const std::wstring& StrTxt) {
    Gdiplus::GpFontFamily* rawFamily = nullptr;
    flat::GdipCreateFontFamilyFromName(StrFontName.c_str(), nullptr, &rawFamily);
    const Family family(rawFamily);
    Gdiplus::GpStringFormat* rawFormat = nullptr;
    flat::GdipCreateStringFormat(StrFormatFlags, LANG_NEUTRAL, &rawFormat);
    const Format format(rawFormat);
    flat::GdipSetStringFormatAlign(format.get(), static_cast<Gdiplus::StringAlignment>(StringAlignMode));
    flat::GdipSetStringFormatLineAlign(format.get(), static_cast<Gdiplus::StringAlignment>(LineStringAlignMode));
    Gdiplus::GpPath* rawPath = nullptr;
    flat::GdipCreatePath(static_cast<Gdiplus::GpFillMode>(brushmode), &rawPath);
    const Path path(rawPath);
    const Gdiplus::RectF layout{float(lngLeft), float(lngTop), float(lngWidth), float(lngHeight)};
    flat::GdipAddPathString(path.get(), StrTxt.c_str(), -1, family.get(), lngFontStyle, sngFontSize, &layout,
                            format.get());
    const Brush brush = win::MakeSolidBrush(lngBrushColor);
    flat::GdipFillPath(graphics_.get(), brush.get(), path.get());
    const Pen pen = MakePen(lngLineColor, sngLineWidth, DrawLineUnit);
    return flat::GdipDrawPath(graphics_.get(), pen.get(), path.get());
}

GpStatus cGDIPlus::DrawTexture(const std::wstring& StrFileName, int32_t wpMod, float x, float y, float Width,
                               float Height) {
    return win::FillRectTexture(graphics_.get(), StrFileName, wpMod, x, y, Width, Height);
}

GpStatus cGDIPlus::GraphicsClear() {
    return flat::GdipGraphicsClear(graphics_.get(), 0xFFFFFFFF);
}

GpStatus cGDIPlus::RotateWorldTransform(float angle, int32_t order) {
    return flat::GdipRotateWorldTransform(graphics_.get(), angle, static_cast<Gdiplus::GpMatrixOrder>(order));
}

GpStatus cGDIPlus::TranslateWorldTransform(float dx, float dy, int32_t order) {
    return flat::GdipTranslateWorldTransform(graphics_.get(), dx, dy, static_cast<Gdiplus::GpMatrixOrder>(order));
}

GpStatus cGDIPlus::DrawImagePartScale(const std::wstring& StrFileName, int32_t lngLeft, int32_t lngTop, int32_t img_x,
                                      int32_t img_y, float xScale, float yScale) {
    return WithFileImage(StrFileName, [&](Gdiplus::GpImage* image) {
        UINT w = 0, h = 0;
        flat::GdipGetImageWidth(image, &w);
        flat::GdipGetImageHeight(image, &h);
        return flat::GdipDrawImageRectRectI(graphics_.get(), image, lngLeft, lngTop, INT(w), INT(h), img_x, img_y,
                                            Rounded(w * double(xScale)), Rounded(h * double(yScale)),
                                            Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
    });
}

GpStatus cGDIPlus::DrawPieI(int32_t x, int32_t y, int32_t Width, int32_t Height, float startAngle, float sweepAngle,
                            ARGB lngLineColor, float sngLineWidth, int32_t intPenUnit) {
    const Pen pen = MakePen(lngLineColor, sngLineWidth, intPenUnit);
    return flat::GdipDrawPieI(graphics_.get(), pen.get(), x, y, Width, Height, startAngle, sweepAngle);
}

GpStatus cGDIPlus::SolidFillPie(int32_t x, int32_t y, int32_t Width, int32_t Height, float startAngle, float sweepAngle,
                                ARGB lngBrushColor) {
    const Brush brush = win::MakeSolidBrush(lngBrushColor);
    return flat::GdipFillPieI(graphics_.get(), brush.get(), x, y, Width, Height, startAngle, sweepAngle);
}

GpStatus cGDIPlus::DrawArc(float x, float y, float Width, float Height, float startAngle, float sweepAngle,
                           ARGB lngLineColor, float sngLineWidth, int32_t intPenUnit) {
    return win::DrawPenArc(graphics_.get(), x, y, Width, Height, startAngle, sweepAngle, lngLineColor, sngLineWidth,
                           intPenUnit);
}

std::wstring cGDIPlus::SaveHDCToFilePath() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    return std::wstring(folder, n <= MAX_PATH ? n : 0) + L"cGDIPlus.png";
}

void cGDIPlus::SaveHDCToFile(int32_t x, int32_t y) {
    Gdiplus::GpBitmap* raw = nullptr;
    if (flat::GdipCreateBitmapFromScan0(x, y, 0, PixelFormat32bppARGB, nullptr, &raw) != Ok) return;
    const Image bitmap(raw);
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    flat::GdipGetImageGraphicsContext(bitmap.get(), &rawGraphics);
    {
        const Graphics graphics(rawGraphics);
        win::DrawPenLine(graphics.get(), 2, 2, 501, 510, 0xFF808080, 2.0F, Gdiplus::UnitPixel);
    }
    win::SaveImageToPNG(bitmap.get(), SaveHDCToFilePath());
}

GpStatus cGDIPlus::DrawPath(int32_t, int32_t, int32_t, int32_t, float, float, ARGB argb, int32_t) {
    Gdiplus::GpPath* raw = nullptr;
    flat::GdipCreatePath(Gdiplus::FillModeWinding, &raw);
    const Path path(raw);
    // A slur: its upper edge and two thin ellipses that give it body.
    flat::GdipAddPathArc(path.get(), 0, 20, 212, 53, 0, -180);
    flat::GdipAddPathArc(path.get(), 0, 25, 212, 42.4F, 0, -360);
    flat::GdipAddPathArc(path.get(), 1, 25, 212, 42.4F, 0, -360);
    const Brush brush = win::MakeSolidBrush(argb);
    return flat::GdipFillPath(graphics_.get(), brush.get(), path.get());
}

}  // namespace kavrel
