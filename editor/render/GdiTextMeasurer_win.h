#pragma once

#include <memory>

#include "model/document/MeasureCache.h"
#include "model/document/TextMeasurer.h"
#include "win/GdiHandles.h"
#include "win/Gdiplus_win.h"

namespace notaline {

// The logical font of a font record: the code page 936 face name as UTF-16, at most 31 characters.
LOGFONTW ToLogFontW(const tessaly::LogFont& font);

// Measures with GDI on a display device context and with GDI+ on a graphics object set up as the
// page buffers' (anti-aliased, pixel units). GDI+ must be started first. Each distinct character,
// font and size is measured once: measuring through GDI+ takes tens of microseconds.
class GdiTextMeasurer : public TextMeasurer {
public:
    GdiTextMeasurer();
    GdiTextMeasurer(const GdiTextMeasurer&) = delete;
    GdiTextMeasurer& operator=(const GdiTextMeasurer&) = delete;
    ~GdiTextMeasurer() override = default;

    tessaly::SIZEF MeasureGdip(const tessaly::LogFont& font, float emPoints, std::u16string_view ch) override;
    tessaly::SIZEF MeasureGdi(const tessaly::LogFont& font, std::u16string_view text) override;

    // Off, every size is measured again (and what was kept is dropped).
    void SetCaching(bool on) { cache_.SetEnabled(on); }

private:
    tessaly::SIZEF MeasureGdipNow(const tessaly::LogFont& font, float emPoints, char16_t ch);
    tessaly::SIZEF MeasureGdiNow(const tessaly::LogFont& font, std::u16string_view text);

    win::OwnedDc measureDc_;
    win::OwnedDc pageDc_;
    win::BitmapHandle pageBitmap_;
    win::SelectScope pageBitmapSelected_;
    std::unique_ptr<Gdiplus::Graphics> graphics_;  // released before the bitmap leaves the DC
    int32_t gdipDpi_ = 96;
    int32_t gdiDpi_ = 96;
    MeasureCache cache_;
};

}  // namespace notaline
