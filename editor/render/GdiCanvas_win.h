#pragma once

#include <optional>

#include "paint/Canvas.h"
#include "win/GdiHandles.h"
#include "win/Gdip_win.h"

namespace notaline {

// The mark painters' surface on a page layer: GDI text on its device context, lines, frames and
// translucent text with GDI+ on its graphics. Notation glyphs go out as U+F0xx with the W calls.
// The last selected font lives until the next select or the canvas's end, which puts the
// device context's own font back.
class GdiCanvas : public Canvas {
public:
    GdiCanvas(HDC dc, win::GpGraphics* graphics);
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;
    ~GdiCanvas() override = default;
    // On paper: a printer's GDI+ does not blend, so translucent fills are blended with white first.
    void BlendOnPaper() { onPaper_ = true; }

    void SelectFont(const tessaly::LogFont& font) override;
    void SetTextColor(uint32_t colour) override;
    void DrawTextInRect(std::string_view text, const IntRect& box, uint32_t flags) override;
    void TextOutAt(int32_t x, int32_t y, std::string_view text) override;
    TextMetric GetTextMetric() override;
    void FillColour(const IntRect& box, uint32_t colour) override;
    void FocusRect(const IntRect& box) override;
    void FillArgb(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t argb) override;
    bool FillTexture(std::u16string_view file, const FloatRect& box) override;
    void PenLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t argb, float width) override;
    void PenArc(const FloatRect& box, float startAngle, float sweepAngle, uint32_t argb, float width) override;
    void FillTriangle(const FloatPoint (&points)[3], uint32_t argb) override;
    void FittedText(std::string_view text, std::string_view face, uint8_t charset, float emSize, const FloatRect& box,
                    uint32_t argb) override;
    void DashedRect(int32_t left, int32_t top, int32_t width, int32_t height, uint32_t argb, int32_t dashStyle,
                    float penWidth) override;
    void TranslucentText(std::string_view text, const tessaly::LogFont& font, uint8_t charset, const FloatRect& layout,
                         uint32_t argb, uint32_t formatFlags) override;

private:
    HDC dc_;
    win::GpGraphics* graphics_;
    win::FontHandle font_;
    std::optional<win::SelectScope> originalFont_;  // gives the DC its own font back first
    uint8_t charset_ = 0;
    bool onPaper_ = false;
};

}  // namespace notaline
