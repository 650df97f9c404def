#pragma once

#include <cstdint>
#include <string_view>

#include "paint/PaintContext.h"

namespace notaline {

// Spans on one line in their curved form; past their width limit, or ending left of their start,
// the arcs and slides are drawn flat (SpanLine.h).
// Arcs 72, bowing slurs 150 and dotted slurs 152: one arc glyph stretched over the two notes.
void DrawExtralArcGlyph(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code);
// Slides 121, 146 and 148: a circular arc through both centres with an arrow at its end.
void DrawExtralSlideArc(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code);
// A tuplet: two arc halves with its number between them; past four start widths the flat form.
void DrawTupletArc(PaintContext& ctx, int32_t start, int32_t end, int32_t v, std::string_view text);

// Start-character widths past which a tuplet is drawn flat.
inline constexpr double kTupletFlatWidths = 4;

// The proposed height, in offset units, of a new arc over the selection: 0 when its last
// character's centre lies left of the first's or more than 3.5 widths away.
float GetHuXianYPos(const EditorData& data, int32_t selStart, int32_t selLength);

}  // namespace notaline
