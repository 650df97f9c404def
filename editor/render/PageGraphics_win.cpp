#include "render/PageGraphics_win.h"

namespace notaline {

namespace flat = Gdiplus::DllExports;

PageGraphics::PageGraphics(HDC dc) {
    if (flat::GdipCreateFromHDC(dc, &graphics_) != Gdiplus::Ok) {
        graphics_ = nullptr;
        return;
    }
    flat::GdipSetSmoothingMode(graphics_, Gdiplus::SmoothingModeAntiAlias);
    flat::GdipSetTextRenderingHint(graphics_, Gdiplus::TextRenderingHintAntiAlias);
    flat::GdipSetPageUnit(graphics_, Gdiplus::UnitPixel);
}

PageGraphics::~PageGraphics() {
    if (graphics_) flat::GdipDeleteGraphics(graphics_);
}

void PageGraphics::Flush() {
    if (graphics_) flat::GdipFlush(graphics_, Gdiplus::FlushIntentionSync);
}

}  // namespace notaline
