#pragma once

#include <string>
#include <vector>

#include "paint/Canvas.h"

namespace notaline {

// Keeps every drawing call, with the font and text colour current at the time, so that
// tests can check the geometry the painters ask for without a window system.
class RecordingCanvas : public Canvas {
public:
    enum class Kind { Text, TextAt, Line, DashedRect, Translucent, Fill, Texture, Focus, Arc, Triangle, Fitted };
    struct Op {
        Kind What = Kind::Text;
        std::string Text;
        IntRect Box;  // Text; TextAt and Line use Left, Top (and Right, Bottom as the line's end)
        uint32_t Flags = 0;
        tessaly::LogFont Font;
        uint32_t Colour = 0;  // text colour, or ARGB of pens and brushes
        float Width = 0;
        int32_t DashStyle = 0;
        uint8_t Charset = 0;
        FloatRect Layout;           // also the box of Texture, Arc and Fitted
        float Angles[2] = {0, 0};   // Arc: start and sweep; Fitted: the em size in the first
        FloatPoint Points[3] = {};  // Triangle
        std::string Face;           // Fitted
        std::u16string File;
    };
    std::vector<Op> Ops;
    int32_t FontSelections = 0;

    void SelectFont(const tessaly::LogFont& font) override;
    void SetTextColor(uint32_t colour) override { colour_ = colour; }
    void DrawTextInRect(std::string_view text, const IntRect& box, uint32_t flags) override;
    void TextOutAt(int32_t x, int32_t y, std::string_view text) override;
    // Metrics of the selected font: height |lfHeight|, descent a fifth of it.
    TextMetric GetTextMetric() override;
    // Fills are Fill ops: a plain colour with Flags 0, ARGB with Flags 1.
    void FillColour(const IntRect& box, uint32_t colour) override;
    void FocusRect(const IntRect& box) override;
    void FillArgb(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t argb) override;
    // Records the call and answers TextureFound.
    bool FillTexture(std::u16string_view file, const FloatRect& box) override;
    bool TextureFound = true;
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
    tessaly::LogFont font_;
    uint32_t colour_ = 0;
};

}  // namespace notaline
