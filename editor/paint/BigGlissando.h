#pragma once

#include <cstdint>

#include "paint/PaintContext.h"

namespace notaline {

// A big glissando: a straight arrow from the right edge of its first note to the left edge of
// its last, each point half a font height below the note's raised foot.
struct GlissandoAnchors {
    FloatPoint From;
    FloatPoint To;
};
GlissandoAnchors BigHuaYingAnchors(const tessaly::aWordInfo& first, const tessaly::aWordInfo& last);

// Room for the arrow between the two characters at a zoom: their anchors lie farther apart than
// the arrow's head and a fifth of it. False for indexes outside the document.
bool BigHuaYingHasRoom(const EditorData& data, int32_t first, int32_t last, double scale);

// The glissando of the start mark in the slot: its end is the next code 145 of the same pair
// number anywhere later in the document. Without an end, without room, or with its end on
// another page, nothing is drawn; painting never removes it.
void DrawBigHuaYing(PaintContext& ctx, int32_t word, int32_t slot);
void DrawBigHuaYingArrow(PaintContext& ctx, uint32_t argb, FloatPoint from, FloatPoint to);

// The document's zoom, 1 when the stored value is unusable.
double DocumentZoom(const EditorData& data);

}  // namespace notaline
