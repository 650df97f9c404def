#pragma once
// The button's drawing object: GDI+ started for this object alone, one
// bitmap with a graphics on it, and drawing, text, image and saving members
// on that graphics. Every member returns the status of its main GDI+ call.
#include <objidl.h>

#include <cstdint>
#include <string>

#include "win/GdipHandles.h"
#include "win/Gdiplus_win.h"

namespace kavrel {

// GDI+'s published enumerations and records under their GDI+ names.
using GpStatus = Gdiplus::GpStatus;
using GpUnit = Gdiplus::GpUnit;
using GpPixelFormat = Gdiplus::PixelFormat;
using SmoothingMode = Gdiplus::SmoothingMode;
using StringAlignment = Gdiplus::StringAlignment;
using FontStyle = Gdiplus::FontStyle;
using TextRenderingHint = Gdiplus::TextRenderingHint;
using WrapMode = Gdiplus::WrapMode;
using MatrixOrder = Gdiplus::MatrixOrder;
using FillMode = Gdiplus::FillMode;
using StringFormatFlags = Gdiplus::StringFormatFlags;
using EncoderParameter = Gdiplus::EncoderParameter;
using EncoderParameters = Gdiplus::EncoderParameters;
using GdiplusStartupInput = Gdiplus::GdiplusStartupInput;
using Clsid = CLSID;
using ARGB = uint32_t;

enum GpImageSaveFormat : int32_t { GpSaveBMP = 0, GpSaveJPEG = 1, GpSaveGIF = 2, GpSavePNG = 3, GpSaveTIFF = 4 };
// Encoder index of GetEncoderClsid.
enum ImageType : int32_t { BMP = 0, JPG = 3, PNG = 4, GIF = 5, TIF = 6 };

class cGDIPlus {
public:
    cGDIPlus();
    ~cGDIPlus();
    cGDIPlus(const cGDIPlus&) = delete;
    cGDIPlus& operator=(const cGDIPlus&) = delete;

    GpStatus m_uLastStatus = Gdiplus::Ok;

    GpStatus CreateGraphicsWithImage(int32_t Width, int32_t Height, GpPixelFormat PixelFormat);
    GpStatus CreateBitmapFromGraphics(int32_t Width, int32_t Height);
    GpStatus ShowImageToHDC(HDC hDC, int32_t x, int32_t y, int32_t Width, int32_t Height);
    GpStatus SaveFile(const std::wstring& nFileName, int32_t SaveFormat);
    bool CreateGraphicsFromHDC(HDC hDC);
    GpStatus CreateGraphicsFromHWND(HWND hwnd);
    void GetRBGFromOLEColour(uint32_t dwOleColour, int32_t& r, int32_t& g, int32_t& b);
    GpStatus DrawRectangleI(int32_t x, int32_t y, int32_t Width, int32_t Height, ARGB lngLineColor, float sngLineWidth,
                            int32_t intPenUnit);
    GpStatus DrawLineI(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB lngLineColor, float sngLineWidth,
                       int32_t intPenUnit);
    GpStatus SolidFillRectangle(int32_t x, int32_t y, int32_t Width, int32_t Height, ARGB argb, int32_t intPenUnit);
    GpStatus SetSmoothingMode(int32_t SmoothingMd);
    GpStatus DrawEllipseI(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB lngLineColor, float sngLineWidth,
                          int32_t intPenUnit);
    GpStatus DrawEllipseI_Angle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB lngLineColor, float startAngle,
                                float sweepAngle, float sngLineWidth, int32_t intPenUnit);
    GpStatus SolidFillEllipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB argb, int32_t intPenUnit);
    GpStatus GradualChangeFillRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB lngStartColor,
                                        ARGB lngEndColor, int32_t wpMod);
    GpStatus GradualChangeFillEllipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2, ARGB lngStartColor,
                                      ARGB lngEndColor, int32_t wpMod);
    GpStatus DrawNormalText(const std::wstring& StrFontName, ARGB lngFontColor, int32_t StringAlignMode,
                            float sngFontSize, int32_t lngFontStyle, int32_t intDrawUnit, int32_t TextRenderMode,
                            int32_t lngLeft, int32_t lngTop, int32_t lngWidth, int32_t lngHeight,
                            const std::wstring& StrTxt);
    GpStatus SaveImageToPNG(Gdiplus::GpImage* Image, const std::wstring& StrFileName);
    GpStatus SaveImageToGIF(Gdiplus::GpImage* Image, const std::wstring& StrFileName);
    GpStatus SaveImageToBMP(Gdiplus::GpImage* Image, const std::wstring& StrFileName);
    GpStatus SaveImageToJPG(Gdiplus::GpImage* Image, const std::wstring& StrFileName, int32_t Quality);
    GpStatus SaveImageToTIF(Gdiplus::GpImage* Image, const std::wstring& StrFileName);
    GpStatus DrawImageFromFile(const std::wstring& StrFileName, float sngLeft, float sngTop, float xScale,
                               float yScale);
    GpStatus DrawImageFromStream(const void* lpvSource, int32_t lngResData, float sngLeft, float sngTop, float xScale,
                                 float yScale);
    GpStatus DrawImageFormPictureHandle(HBITMAP PictureHandle, float sngLeft, float sngTop, float xScale, float yScale);
    GpStatus DrawSpecialText(const std::wstring& StrFontName, float sngFontSize, int32_t lngFontStyle,
                             int32_t StringAlignMode, int32_t LineStringAlignMode, int32_t StrFormatFlags,
                             ARGB lngLineColor, float sngLineWidth, int32_t DrawLineUnit, ARGB lngBrushColor,
                             int32_t brushmode, int32_t lngLeft, int32_t lngTop, int32_t lngWidth, int32_t lngHeight,
                             const std::wstring& StrTxt);
    GpStatus DrawImageFormIcoHandle(HICON IcoHandle, float sngLeft, float sngTop, float xScale, float yScale);
    GpStatus DrawTexture(const std::wstring& StrFileName, int32_t wpMod, float x, float y, float Width, float Height);
    GpStatus GraphicsClear();
    GpStatus RotateWorldTransform(float angle, int32_t order);
    GpStatus TranslateWorldTransform(float dx, float dy, int32_t order);
    GpStatus DrawImagePartScale(const std::wstring& StrFileName, int32_t lngLeft, int32_t lngTop, int32_t img_x,
                                int32_t img_y, float xScale, float yScale);
    GpStatus DrawPieI(int32_t x, int32_t y, int32_t Width, int32_t Height, float startAngle, float sweepAngle,
                      ARGB lngLineColor, float sngLineWidth, int32_t intPenUnit);
    GpStatus SolidFillPie(int32_t x, int32_t y, int32_t Width, int32_t Height, float startAngle, float sweepAngle,
                          ARGB lngBrushColor);
    GpStatus DrawArc(float x, float y, float Width, float Height, float startAngle, float sweepAngle, ARGB lngLineColor,
                     float sngLineWidth, int32_t intPenUnit);
    // Saves a test picture to SaveHDCToFilePath().
    void SaveHDCToFile(int32_t x, int32_t y);
    GpStatus DrawImageFromStream_ToWH(const void* lpvSource, int32_t lngResData, float sngLeft, float sngTop,
                                      int32_t img_W, int32_t img_H);
    // A copy of an image read from bytes, in memory of its own; empty when it cannot be read.
    win::gdip::Image CopyImageFromStream(const void* lpvSource, int32_t lngResData);
    GpStatus DrawImageToWH(Gdiplus::GpImage* image, int32_t left, int32_t top, int32_t img_W, int32_t img_H);
    GpStatus DrawPath(int32_t x, int32_t y, int32_t Width, int32_t Height, float startAngle, float sweepAngle,
                      ARGB argb, int32_t intPenUnit);

    // The current bitmap and graphics, owned by this object.
    Gdiplus::GpImage* CurrentImage() const { return image_.get(); }
    Gdiplus::GpGraphics* CurrentGraphics() const { return graphics_.get(); }
    static std::wstring SaveHDCToFilePath();

private:
    void ReplaceImage(Gdiplus::GpImage* image);
    void ReplaceGraphics(Gdiplus::GpGraphics* graphics);
    // Loads image bytes through a stream on global memory and hands the image to draw.
    template <class Draw>
    GpStatus WithStreamImage(const void* bytes, int32_t upperBound, Draw draw);
    template <class Draw>
    GpStatus WithFileImage(const std::wstring& fileName, Draw draw);
    GpStatus DrawScaled(Gdiplus::GpImage* image, float left, float top, float xScale, float yScale);

    ULONG_PTR token_ = 0;
    win::gdip::Image image_;
    win::gdip::Graphics graphics_;
};

}  // namespace kavrel
