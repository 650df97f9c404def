#pragma once

#include <set>
#include <string>
#include <vector>

#include "model/document/TextMeasurer.h"

namespace notaline::test {

// Deterministic measuring: an em is the point size in pixels (GDI+) or |lfHeight| (GDI); ASCII and
// notation-font codes are half an em wide, other characters a whole em; height 1.25 em.
// Remembers what it was asked, unless told not to (benches measure millions).
class FakeTextMeasurer : public TextMeasurer {
public:
    bool Remember = true;
    struct Call {
        tessaly::LogFont Font;
        float EmPoints = 0;
        std::u16string Text;
    };
    std::vector<Call> GdipCalls, GdiCalls;

    tessaly::SIZEF MeasureGdip(const tessaly::LogFont& font, float emPoints, std::u16string_view ch) override {
        if (Remember) GdipCalls.push_back({font, emPoints, std::u16string(ch)});
        return Size(emPoints * (font.lfWeight >= 700 ? 1.1f : 1.0f), ch);
    }
    tessaly::SIZEF MeasureGdi(const tessaly::LogFont& font, std::u16string_view text) override {
        if (Remember) GdiCalls.push_back({font, 0, std::u16string(text)});
        return Size(static_cast<float>(font.lfHeight < 0 ? -font.lfHeight : font.lfHeight), text);
    }

private:
    static tessaly::SIZEF Size(float em, std::u16string_view text) {
        float width = 0;
        for (char16_t c : text) width += (c < 0x80 || (c >= 0xF000 && c <= 0xF0FF)) ? em / 2 : em;
        return {width, text.empty() ? 0 : em * 1.25f};
    }
};

// Keys held as the test says; beeps counted; system colours (high bit set) from a small table.
class FakeSystem : public SystemServices {
public:
    std::set<int32_t> Down;
    int Beeps = 0;
    void Beep() override { ++Beeps; }
    bool IsKeyDown(int32_t vk) override { return Down.count(vk) != 0; }
    uint32_t TranslateColor(uint32_t c) override { return (c & 0x80000000u) ? 0x00102030u : c; }
};

}  // namespace notaline::test
