#pragma once

#include <cstdint>
#include <string_view>

#include "records/Records.h"

namespace notaline {

// Flags of text drawn in a box: the window system's DT_ values.
inline constexpr uint32_t kDtLeft = 0x0;
inline constexpr uint32_t kDtCenter = 0x1;
inline constexpr uint32_t kDtRight = 0x2;
inline constexpr uint32_t kDtVCenter = 0x4;
inline constexpr uint32_t kDtBottom = 0x8;
inline constexpr uint32_t kDtSingleLine = 0x20;
inline constexpr uint32_t kDtNoClip = 0x100;

// GDI+ string format flag: draw outside the layout box too.
inline constexpr uint32_t kStringFormatNoClip = 0x4000;

// Unit of GDI+ pens: pixels.
inline constexpr int32_t kUnitPixel = 2;

struct IntRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    bool operator==(const IntRect&) const = default;
};

struct FloatRect {
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;
    bool operator==(const FloatRect&) const = default;
};

struct FloatPoint {
    float X = 0;
    float Y = 0;
    bool operator==(const FloatPoint&) const = default;
};

struct TextMetric {
    int32_t Height = 0;
    int32_t Descent = 0;
};

// What the mark painters draw on: a page layer's device context and the GDI+
// graphics on it. Texts are code page 936 bytes; in a font of the symbol set
// each byte, or a two-byte code F0 xx, is one notation glyph.
class Canvas {
public:
    virtual ~Canvas() = default;

    // The device-context side: the selected font stays until the next select.
    virtual void SelectFont(const tessaly::LogFont& font) = 0;
    virtual void SetTextColor(uint32_t colour) = 0;  // a colour reference, red in the low byte
    virtual void DrawTextInRect(std::string_view text, const IntRect& box, uint32_t flags) = 0;
    virtual void TextOutAt(int32_t x, int32_t y, std::string_view text) = 0;
    virtual TextMetric GetTextMetric() = 0;
    // A solid fill of a plain colour (00BBGGRR), right and bottom edges excluded.
    virtual void FillColour(const IntRect& box, uint32_t colour) = 0;

    // The graphics side; colours are ARGB, pens in pixels.
    // The system's dotted focus frame, drawn by inverting: the same frame again removes it.
    virtual void FocusRect(const IntRect& box) = 0;
    virtual void FillArgb(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t argb) = 0;
    // Tiles the picture file over the box; false, with nothing drawn, when it cannot be loaded.
    virtual bool FillTexture(std::u16string_view file, const FloatRect& box) = 0;
    virtual void PenLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t argb, float width) = 0;
    // The arc of the ellipse in the box, angles in degrees clockwise from the x axis.
    virtual void PenArc(const FloatRect& box, float startAngle, float sweepAngle, uint32_t argb, float width) = 0;
    // A filled triangle (alternate fill).
    virtual void FillTriangle(const FloatPoint (&points)[3], uint32_t argb) = 0;
    // The text in a font of the face at emSize pixels, measured and then stretched to fill the box.
    virtual void FittedText(std::string_view text, std::string_view face, uint8_t charset, float emSize,
                            const FloatRect& box, uint32_t argb) = 0;
    virtual void DashedRect(int32_t left, int32_t top, int32_t width, int32_t height, uint32_t argb, int32_t dashStyle,
                            float penWidth) = 0;
    // Translucent text with a solid brush, horizontally centred in the layout box. `charset`
    // tells how the bytes map to the font's characters.
    virtual void TranslucentText(std::string_view text, const tessaly::LogFont& font, uint8_t charset,
                                 const FloatRect& layout, uint32_t argb, uint32_t formatFlags) = 0;
};

}  // namespace notaline
