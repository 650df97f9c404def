#include "render/GdiTextMeasurer_win.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "model/document/Tables.h"
#include "text/Cp936.h"

namespace notaline {

LOGFONTW ToLogFontW(const tessaly::LogFont& font) {
    LOGFONTW lf{};
    CopyLogFontSettings(font, lf);
    lf.lfCharSet = font.lfCharSet;
    const auto* bytes = reinterpret_cast<const char*>(font.lfFaceName);
    const std::u16string face =
        tessaly::Cp936ToUtf16(std::string_view(bytes, strnlen(bytes, sizeof font.lfFaceName))).value_or(u"");
    const size_t n = std::min<size_t>(face.size(), LF_FACESIZE - 1);
    std::memcpy(lf.lfFaceName, face.data(), n * sizeof(char16_t));
    return lf;
}

GdiTextMeasurer::GdiTextMeasurer()
    : measureDc_(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)),
      pageDc_(CreateCompatibleDC(measureDc_.Get())),
      pageBitmap_(CreateCompatibleBitmap(measureDc_.Get(), 1, 1)),
      pageBitmapSelected_(pageDc_.Get(), pageBitmap_.Get()) {
    graphics_ = std::make_unique<Gdiplus::Graphics>(pageDc_.Get());
    graphics_->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    graphics_->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics_->SetPageUnit(Gdiplus::UnitPixel);
    gdipDpi_ = static_cast<int32_t>(std::lround(graphics_->GetDpiY()));
    gdiDpi_ = GetDeviceCaps(measureDc_.Get(), LOGPIXELSY);
}

tessaly::SIZEF GdiTextMeasurer::MeasureGdip(const tessaly::LogFont& font, float emPoints, std::u16string_view ch) {
    if (ch.empty()) return {};
    return cache_.Get(MeasurePath::Gdiplus, gdipDpi_, font, emPoints, ch.substr(0, 1),
                      [&] { return MeasureGdipNow(font, emPoints, ch[0]); });
}

tessaly::SIZEF GdiTextMeasurer::MeasureGdi(const tessaly::LogFont& font, std::u16string_view text) {
    return cache_.Get(MeasurePath::Gdi, gdiDpi_, font, 0, text, [&] { return MeasureGdiNow(font, text); });
}

tessaly::SIZEF GdiTextMeasurer::MeasureGdipNow(const tessaly::LogFont& font, float emPoints, char16_t ch) {
    // Made from a LOGFONT: GDI+ does not find private fonts by family name, and a font made from
    // the family of one made this way measures another face. A LOGFONT holds whole pixels, so
    // the box is scaled from the nearest whole size; GDI+ layout scales linearly.
    const double pixels = static_cast<double>(emPoints) * graphics_->GetDpiY() / 72.0;
    const LONG whole = std::max<LONG>(1, std::lround(pixels));
    LOGFONTW lf = ToLogFontW(font);
    lf.lfHeight = -whole;
    lf.lfWeight = font.lfWeight >= 700 ? FW_BOLD : FW_NORMAL;
    Gdiplus::Font use(pageDc_.Get(), &lf);
    if (use.GetLastStatus() != Gdiplus::Ok) return {};

    Gdiplus::RectF box;
    const Gdiplus::RectF layout(0, 0, 1000, 1000);
    if (graphics_->MeasureString(reinterpret_cast<const WCHAR*>(&ch), 1, &use, layout, nullptr, &box) != Gdiplus::Ok)
        return {};
    const double scale = pixels / whole;
    return {static_cast<float>(box.Width * scale), static_cast<float>(box.Height * scale)};
}

tessaly::SIZEF GdiTextMeasurer::MeasureGdiNow(const tessaly::LogFont& font, std::u16string_view text) {
    const LOGFONTW lf = ToLogFontW(font);
    win::FontHandle handle(CreateFontIndirectW(&lf));
    win::SelectScope select(measureDc_.Get(), handle.Get());
    SIZE extent{};
    if (!GetTextExtentPoint32W(measureDc_.Get(), reinterpret_cast<const WCHAR*>(text.data()),
                               static_cast<int>(text.size()), &extent))
        return {};
    return {static_cast<float>(extent.cx), static_cast<float>(extent.cy)};
}

}  // namespace notaline
