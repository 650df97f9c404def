#include "render/GdiCanvas_win.h"

#include <cmath>

#include "model/document/Measure.h"
#include "model/document/Tables.h"
#include "render/GdiTextMeasurer_win.h"
#include "win/GdipHandles.h"

namespace notaline {

namespace {

namespace flat = Gdiplus::DllExports;

static_assert(kDtCenter == DT_CENTER && kDtRight == DT_RIGHT && kDtVCenter == DT_VCENTER && kDtBottom == DT_BOTTOM &&
              kDtSingleLine == DT_SINGLELINE && kDtNoClip == DT_NOCLIP);
static_assert(kStringFormatNoClip == Gdiplus::StringFormatFlagsNoClip);
static_assert(kUnitPixel == Gdiplus::UnitPixel);

const wchar_t* Wide(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

// The opaque colour a translucent one gives over white paper.
uint32_t OverWhite(uint32_t argb) {
    const uint32_t alpha = argb >> 24;
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t c = (argb >> shift) & 0xFF;
        out |= ((c * alpha + 255 * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, win::GpGraphics* graphics) : dc_(dc), graphics_(graphics) {
    SetBkMode(dc_, TRANSPARENT);
}

void GdiCanvas::SelectFont(const tessaly::LogFont& font) {
    const LOGFONTW lf = ToLogFontW(font);
    win::FontHandle created(CreateFontIndirectW(&lf));
    if (!created) return;
    if (!originalFont_)
        originalFont_.emplace(dc_, created.Get());
    else
        SelectObject(dc_, created.Get());
    font_ = std::move(created);  // the one selected before is out of the DC now
    charset_ = font.lfCharSet;
}

void GdiCanvas::SetTextColor(uint32_t colour) {
    ::SetTextColor(dc_, colour & 0xFFFFFFu);  // a table value with alpha keeps only its colour
}

void GdiCanvas::DrawTextInRect(std::string_view text, const IntRect& box, uint32_t flags) {
    const std::u16string wide = TextForCharset(text, charset_);
    RECT r{box.Left, box.Top, box.Right, box.Bottom};
    DrawTextW(dc_, Wide(wide), static_cast<int>(wide.size()), &r, flags);
}

void GdiCanvas::TextOutAt(int32_t x, int32_t y, std::string_view text) {
    const std::u16string wide = TextForCharset(text, charset_);
    TextOutW(dc_, x, y, Wide(wide), static_cast<int>(wide.size()));
}

TextMetric GdiCanvas::GetTextMetric() {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    return {tm.tmHeight, tm.tmDescent};
}

void GdiCanvas::FillColour(const IntRect& box, uint32_t colour) {
    const RECT r{box.Left, box.Top, box.Right, box.Bottom};
    win::BrushHandle brush(CreateSolidBrush(colour & 0xFFFFFFu));
    FillRect(dc_, &r, brush.Get());
}

void GdiCanvas::FocusRect(const IntRect& box) {
    const RECT r{box.Left, box.Top, box.Right, box.Bottom};
    DrawFocusRect(dc_, &r);
}

void GdiCanvas::FillArgb(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t argb) {
    if ((argb >> 24) == 0) return;  // a printer's GDI+ would fill it black
    win::FillRectSolid(graphics_, x, y, width, height, onPaper_ ? OverWhite(argb) : argb, kUnitPixel);
}

bool GdiCanvas::FillTexture(std::u16string_view file, const FloatRect& box) {
    const std::wstring path(file.begin(), file.end());
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    return win::FillRectTexture(graphics_, path, Gdiplus::WrapModeTile, box.X, box.Y, box.Width, box.Height) ==
           Gdiplus::Ok;
}

void GdiCanvas::PenLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t argb, float width) {
    win::DrawPenLine(graphics_, x1, y1, x2, y2, argb, width, kUnitPixel);
}

void GdiCanvas::PenArc(const FloatRect& box, float startAngle, float sweepAngle, uint32_t argb, float width) {
    win::DrawPenArc(graphics_, box.X, box.Y, box.Width, box.Height, startAngle, sweepAngle, argb, width, kUnitPixel);
}

void GdiCanvas::FillTriangle(const FloatPoint (&points)[3], uint32_t argb) {
    const Gdiplus::PointF p[3] = {{points[0].X, points[0].Y}, {points[1].X, points[1].Y}, {points[2].X, points[2].Y}};
    Gdiplus::GpSolidFill* brush = nullptr;
    if (flat::GdipCreateSolidFill(argb, &brush) != Gdiplus::Ok) return;
    const win::gdip::Brush owner(brush);
    flat::GdipFillPolygon(graphics_, brush, p, 3, Gdiplus::FillModeAlternate);
}

void GdiCanvas::FittedText(std::string_view text, std::string_view face, uint8_t charset, float emSize,
                           const FloatRect& box, uint32_t argb) {
    const std::u16string wide = TextForCharset(text, charset);
    if (wide.empty() || !(emSize > 0) || !(box.Width > 0) || !(box.Height > 0)) return;
    // Through a LOGFONT: the notation font is private to the process, out of GDI+'s own list.
    tessaly::LogFont font;
    font.lfHeight = -static_cast<int32_t>(std::lround(emSize));
    font.lfWeight = 400;
    font.lfCharSet = charset;
    CopyLogFontFaceName(font, face);
    const LOGFONTW lf = ToLogFontW(font);
    Gdiplus::GpFont* gpFont = nullptr;
    if (flat::GdipCreateFontFromLogfontW(dc_, &lf, &gpFont) != Gdiplus::Ok) return;
    const win::gdip::Font fontOwner(gpFont);
    Gdiplus::GpStringFormat* format = nullptr;
    Gdiplus::GpSolidFill* brush = nullptr;
    flat::GdipCreateStringFormat(Gdiplus::StringFormatFlagsMeasureTrailingSpaces, LANG_NEUTRAL, &format);
    const win::gdip::Format formatOwner(format);
    flat::GdipCreateSolidFill(argb, &brush);
    const win::gdip::Brush brushOwner(brush);
    Gdiplus::RectF measured;
    if (format && brush) {
        flat::GdipSetStringFormatAlign(format, Gdiplus::StringAlignmentNear);
        flat::GdipSetStringFormatLineAlign(format, Gdiplus::StringAlignmentNear);
        const Gdiplus::RectF room(0, 0, 1000, 1000);
        flat::GdipMeasureString(graphics_, Wide(wide), static_cast<INT>(wide.size()), gpFont, &room, format, &measured,
                                nullptr, nullptr);
    }
    // The text drawn as measured into a picture of its own, then the picture stretched onto the
    // box: text under a scaled world transform loses the private font on some systems.
    const int width = static_cast<int>(std::ceil(measured.Width));
    const int height = static_cast<int>(std::ceil(measured.Height));
    Gdiplus::GpBitmap* picture = nullptr;
    if (width > 0 && height > 0 && width <= 4096 && height <= 4096 &&
        flat::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppPARGB, nullptr, &picture) == Gdiplus::Ok) {
        const win::gdip::Image pictureOwner(picture);
        Gdiplus::GpGraphics* inner = nullptr;
        if (flat::GdipGetImageGraphicsContext(picture, &inner) == Gdiplus::Ok) {
            {
                // Released before the picture is drawn, so that its text is all there.
                const win::gdip::Graphics innerOwner(inner);
                flat::GdipSetTextRenderingHint(inner, Gdiplus::TextRenderingHintAntiAlias);
                const Gdiplus::RectF at(0, 0, measured.Width, measured.Height);
                flat::GdipDrawString(inner, Wide(wide), static_cast<INT>(wide.size()), gpFont, &at, format, brush);
            }
            flat::GdipDrawImageRectRect(graphics_, picture, box.X, box.Y, box.Width * width / measured.Width,
                                        box.Height * height / measured.Height, 0, 0, static_cast<float>(width),
                                        static_cast<float>(height), Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
        }
    }
}

void GdiCanvas::DashedRect(int32_t left, int32_t top, int32_t width, int32_t height, uint32_t argb, int32_t dashStyle,
                           float penWidth) {
    win::DrawDashedRect(graphics_, left, top, width, height, argb, dashStyle, penWidth, kUnitPixel);
}

void GdiCanvas::TranslucentText(std::string_view text, const tessaly::LogFont& font, uint8_t charset,
                                const FloatRect& layout, uint32_t argb, uint32_t formatFlags) {
    // Each object lives for this one call.
    const LOGFONTW lf = ToLogFontW(font);
    Gdiplus::GpFont* gpFont = nullptr;
    if (flat::GdipCreateFontFromLogfontW(dc_, &lf, &gpFont) != Gdiplus::Ok) return;
    const win::gdip::Font fontOwner(gpFont);
    Gdiplus::GpSolidFill* brush = nullptr;
    flat::GdipCreateSolidFill(argb, &brush);
    const win::gdip::Brush brushOwner(brush);
    Gdiplus::GpStringFormat* format = nullptr;
    flat::GdipCreateStringFormat(static_cast<INT>(formatFlags), LANG_NEUTRAL, &format);
    const win::gdip::Format formatOwner(format);
    flat::GdipSetStringFormatAlign(format, Gdiplus::StringAlignmentCenter);
    const std::u16string wide = TextForCharset(text, charset);
    const Gdiplus::RectF box(layout.X, layout.Y, layout.Width, layout.Height);
    flat::GdipDrawString(graphics_, Wide(wide), static_cast<INT>(wide.size()), gpFont, &box, format, brush);
}

}  // namespace notaline
