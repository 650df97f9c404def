#pragma once

#include <cstdint>

#include "paint/PaintContext.h"

namespace notaline {

// Start-character widths past which a curve no longer fits and the span is drawn flat.
inline constexpr double kArcFlatWidths = 3.5;
inline constexpr double kSlideFlatWidths = 4.1;

// The centre of a character: Left + half its glyph width.
template <class Word>
double SpanCentre(const Word& w) {
    return w.Left + w.WdSize.cx / 2.0;
}

// Whether the span from `start` to `end` takes the flat form: its end's centre lies left of its
// start's, or farther than `widths` start-character widths to the right.
bool SpanIsFlat(const PaintContext& ctx, int32_t start, int32_t end, double widths);

// A paired span on one line as a flat line: start hook, one middle glyph stretched over the
// gap, end hook, and the dots or slide signs of its kind. Other codes draw nothing.
void DrawExtralSpanLine(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code);

}  // namespace notaline
