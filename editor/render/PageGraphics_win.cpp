#include "render/PageGraphics_win.h"

namespace notaline {

namespace flat = Gdiplus::DllExports;

PageGraphics::PageGraphics(HDC dc) {
    win::GpGraphics* graphics = nullptr;
    if (flat::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return;
    graphics_.reset(graphics);
    flat::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeAntiAlias);
    flat::GdipSetTextRenderingHint(graphics, Gdiplus::TextRenderingHintAntiAlias);
    flat::GdipSetPageUnit(graphics, Gdiplus::UnitPixel);
}

void PageGraphics::Flush() {
    if (graphics_) flat::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
}

}  // namespace notaline
