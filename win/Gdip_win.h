#pragma once
// GDI+ start-up, picture encoders and the five drawing primitives of the page
// layers. The flat API is used throughout: it is what every layer's graphics
// handle speaks, and it keeps object lifetimes explicit.
#include <objidl.h>  // PROPID, which WIN32_LEAN_AND_MEAN leaves out

#include <string>

#include "win/GdipHandles.h"
#include "win/Gdiplus_win.h"

namespace win {

using GpStatus = Gdiplus::GpStatus;
using GpGraphics = Gdiplus::GpGraphics;
using GpImage = Gdiplus::GpImage;
using ARGB = Gdiplus::ARGB;

struct RECTF {
    float X, Y, Width, Height;
};

// Counted: GDI+ starts with the first successful call and stops with the matching last
// TerminateGDIPlus, so each user pairs its own start and stop. On failure shows Message when
// asked, counts nothing and returns the status. A stop without a start does nothing.
GpStatus InitGDIPlus(bool showMessage, const std::wstring& message, UINT style, const std::wstring& title);
void TerminateGDIPlus();
// Nothing is cached between drawing calls, so there is nothing to free.
void DisposeGdipCache();
bool GdiPlusStarted();

// Null when GDI+ refuses; the caller's draw then fails with its status.
gdip::Pen MakePen(ARGB color, float width, int unit);
gdip::Brush MakeSolidBrush(ARGB color);
RECTF MakeRectF(float x, float y, float width, float height);
// 0 BMP, 1 EMF, 2 WMF, 3 JPEG, 4 PNG, 5 GIF, 6 TIFF, 7 ICO; else all zero.
CLSID GetEncoderClsid(int index);

GpStatus SaveImageToJPG(GpImage* image, const std::wstring& fileName, LONG quality);
GpStatus SaveImageToGIF(GpImage* image, const std::wstring& fileName);
GpStatus SaveImageToBMP(GpImage* image, const std::wstring& fileName);
GpStatus SaveImageToPNG(GpImage* image, const std::wstring& fileName);
// The same encoders into a stream, for a picture kept whole before it is written.
GpStatus SaveImageToJPG(GpImage* image, IStream* stream, LONG quality);
GpStatus SaveImageToGIF(GpImage* image, IStream* stream);
GpStatus SaveImageToBMP(GpImage* image, IStream* stream);
GpStatus SaveImageToPNG(GpImage* image, IStream* stream);

// Each creates its pen or brush, draws once and releases it. The first three
// leave the graphics in the given page unit.
GpStatus DrawDashedRect(GpGraphics* g, int left, int top, int width, int height, ARGB color, int dashStyle,
                        float penWidth, int unit);
GpStatus DrawPenLine(GpGraphics* g, int x1, int y1, int x2, int y2, ARGB color, float penWidth, int unit);
GpStatus FillRectTexture(GpGraphics* g, const std::wstring& imagePath, int wrapMode, float left, float top, float width,
                         float height);
GpStatus FillRectSolid(GpGraphics* g, int left, int top, int width, int height, ARGB color, int unit);
GpStatus DrawPenArc(GpGraphics* g, float left, float top, float width, float height, float startAngle, float sweepAngle,
                    ARGB color, float penWidth, int unit);

}  // namespace win
