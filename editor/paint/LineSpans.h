#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/document/mGeneral.h"
#include "paint/PaintContext.h"

namespace notaline {

// The last character of a line, or the one before it when that is the paragraph end.
int32_t LastDrawnWordOfLine(const EditorData& data, const tessaly::aLineInfo& line);

// Half-opening divisor of a hairpin over n characters; none for n below 0 or above 120.
std::optional<int32_t> HairpinDivisor(int32_t n);

// Pieces of a tuplet: on one line with the number in a gap of 2 × halfGap, up to the line's
// end, and from the line's start. The number's font is the caller's, current and selected.
void DrawTupletOnLine(PaintContext& ctx, int32_t start, int32_t end, int32_t v, std::string_view text, double halfGap);
void DrawTupletToLineEnd(PaintContext& ctx, int32_t start, int32_t last, int32_t v, std::string_view text);
void DrawTupletFromLineStart(PaintContext& ctx, int32_t first, int32_t end, int32_t v);

// Pieces of arcs, slides and bowing slurs cut by a line break.
void DrawSpanToLineEnd(PaintContext& ctx, int32_t start, int32_t last, int32_t val1, int32_t code);
void DrawSpanFromLineStart(PaintContext& ctx, int32_t first, int32_t end, int32_t val1, int32_t code);

// The crescendo of code 81; shortens its stored length to the document and the line.
void DrawExtralHairpin(PaintContext& ctx, int32_t word, int32_t slot);

}  // namespace notaline
