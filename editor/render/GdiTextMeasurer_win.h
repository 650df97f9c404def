#pragma once

#include <memory>

#include "model/TextMeasurer.h"
#include "win/GdiHandles.h"
#include "win/Gdiplus_win.h"

namespace notaline {

// The logical font of a font record: the code page 936 face name as UTF-16, at most 31 characters.
LOGFONTW ToLogFontW(const tessaly::LogFont& font);

// Measures with GDI on a display device context and with GDI+ on a graphics object set up as the
// page buffers' (anti-aliased, pixel units). GDI+ must be started first.
class GdiTextMeasurer : public TextMeasurer {
public:
    GdiTextMeasurer();
    GdiTextMeasurer(const GdiTextMeasurer&) = delete;
    GdiTextMeasurer& operator=(const GdiTextMeasurer&) = delete;
    ~GdiTextMeasurer() override = default;

    tessaly::SIZEF MeasureGdip(const tessaly::LogFont& font, float emPoints, std::u16string_view ch) override;
    tessaly::SIZEF MeasureGdi(const tessaly::LogFont& font, std::u16string_view text) override;

private:
    win::OwnedDc measureDc_;
    win::OwnedDc pageDc_;
    win::BitmapHandle pageBitmap_;
    win::SelectScope pageBitmapSelected_;
    std::unique_ptr<Gdiplus::Graphics> graphics_;  // released before the bitmap leaves the DC
};

}  // namespace notaline
