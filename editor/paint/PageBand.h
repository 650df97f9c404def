#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/document/EditorData.h"
#include "paint/Canvas.h"

namespace notaline {

// What a page's line looked like when its layers were last drawn: a digest of everything the text
// and mark layers draw from it, and its box in page pixels at the zoom drawn.
struct LineStamp {
    uint64_t Digest = 0;
    int32_t Top = 0;
    int32_t Bottom = 0;
    bool operator==(const LineStamp&) const = default;
};

// A page as drawn: its lines, and a digest of what the whole page draws from (tables, page set-up,
// source-line markers). Empty Page (-1): nothing known, the page is drawn whole.
struct PageStamp {
    int32_t Page = -1;
    double Scale = 0;
    uint64_t Setup = 0;
    std::vector<LineStamp> Lines;
};

// The page's stamp now. nullopt when the page holds a mark drawn from characters beyond its own
// line (a hairpin over a count of characters, a big glissando, lines over a range): such a page
// is always drawn whole.
std::optional<PageStamp> StampPage(const EditorData& data, int32_t page, double scale, std::u16string_view texture);

// The rows of the page, full width, that differ between what was drawn and what is now: the old
// and new boxes of every changed line, widened by the lines on either side (their ink may reach
// into the band, and the band's into them). A line's box reaches a line's height above and below it. Empty (Top >=
// Bottom) when nothing changed; nullopt when the page must be drawn whole.
std::optional<IntRect> ChangedBand(const PageStamp& drawn, const PageStamp& now, int32_t pageWidth, int32_t pageHeight);

}  // namespace notaline
