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
// the arrow's head and a fifth of it. False for indexes outside the document. Pages stand one
// under the other, so an end on a later page lies that many page heights lower.
bool BigHuaYingHasRoom(const EditorData& data, int32_t first, int32_t last, double scale);

// The end of the start mark in the slot: the next code 145 of the same pair number anywhere later
// in the document; -1 without one.
int32_t BigHuaYingEnd(const EditorData& data, int32_t word, int32_t slot);

// The glissando of the start mark in the slot, drawn on the start's page. Without an end or
// without room nothing is drawn; painting never removes it. An end on another line, on this
// page or a later one, is reached in two pieces along the two lines.
void DrawBigHuaYing(PaintContext& ctx, int32_t word, int32_t slot);
// The pieces on a page of the glissandi that start on an earlier one: those that end on it, and
// those from the page before that run past it.
void DrawBigHuaYingsFromEarlierPages(PaintContext& ctx, int32_t page);
// Whether a glissando drawn on the page starts on an earlier one, so that the page before shows
// it too.
bool BigHuaYingEntersPage(const EditorData& data, int32_t page);
void DrawBigHuaYingArrow(PaintContext& ctx, uint32_t argb, FloatPoint from, FloatPoint to);

// The document's zoom, 1 when the stored value is unusable.
double DocumentZoom(const EditorData& data);

}  // namespace notaline
