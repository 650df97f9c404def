#pragma once

#include <cstdint>
#include <string_view>

#include "records/Records.h"

namespace notaline {

// What layout asks of the platform's text measuring. The model decides fonts,
// sizes, zoom and rounding; an implementation only measures. Text arrives as
// UTF-16: notation-font codes already moved to U+F0xx.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;

    // Bounding box, in pixels of the page buffers, of `ch` drawn with GDI+ in a
    // font of `emPoints` points made from `font` (face, character set, weight).
    virtual tessaly::SIZEF MeasureGdip(const tessaly::LogFont& font, float emPoints, std::u16string_view ch) = 0;

    // Extent of `text` drawn with GDI in the logical font `font`.
    virtual tessaly::SIZEF MeasureGdi(const tessaly::LogFont& font, std::u16string_view text) = 0;
};

// The few things the model asks of the window system beyond measuring.
class SystemServices {
public:
    virtual ~SystemServices() = default;
    virtual void Beep() = 0;
    // The key's state at the moment of the call, not from the message being handled.
    virtual bool IsKeyDown(int32_t virtualKey) = 0;
    // An OLE colour as a plain colour value: system colours become their current value.
    virtual uint32_t TranslateColor(uint32_t oleColour) = 0;
};

// Stand in where there is no window system: nothing has a size, beeps are silent, no key is
// down, colours stay as they are.
class NoTextMeasurer : public TextMeasurer {
public:
    tessaly::SIZEF MeasureGdip(const tessaly::LogFont&, float, std::u16string_view) override { return {}; }
    tessaly::SIZEF MeasureGdi(const tessaly::LogFont&, std::u16string_view) override { return {}; }
};

class NoSystemServices : public SystemServices {
public:
    void Beep() override {}
    bool IsKeyDown(int32_t) override { return false; }
    uint32_t TranslateColor(uint32_t oleColour) override { return oleColour; }
};

// The shared stand-ins; they hold no state.
inline TextMeasurer& NoMeasurer() {
    static NoTextMeasurer measurer;
    return measurer;
}
inline SystemServices& NoSystem() {
    static NoSystemServices system;
    return system;
}

}  // namespace notaline
