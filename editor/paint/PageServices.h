#pragma once

#include <cstdint>

#include "paint/PaintContext.h"

namespace notaline {

// What the mark layer asks of the page renderer beyond the marks' own painters: one-line arcs
// and slides (ArcSpans.h), grace-note cells (GraceCells.h) and big glissandi (BigGlissando.h).
// Tests override them to see what the dispatch hands over.
class PageServices {
public:
    virtual ~PageServices() = default;
    virtual void DrawGraceCells(PaintContext& ctx, int32_t word, int32_t val1, int32_t val2);
    virtual void DrawBigHuaYing(PaintContext& ctx, int32_t word, int32_t slot);
    virtual void DrawArcSpan(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code);
    virtual void DrawSlideSpan(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code);
};

}  // namespace notaline
