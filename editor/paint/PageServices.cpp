#include "paint/PageServices.h"

#include "paint/ArcSpans.h"
#include "paint/BigGlissando.h"
#include "paint/GraceCells.h"

namespace notaline {

void PageServices::DrawGraceCells(PaintContext& ctx, int32_t word, int32_t val1, int32_t val2) {
    DrawExtralGraceNotes(ctx, word, val1, val2);
}

void PageServices::DrawBigHuaYing(PaintContext& ctx, int32_t word, int32_t slot) {
    notaline::DrawBigHuaYing(ctx, word, slot);
}

void PageServices::DrawArcSpan(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code) {
    DrawExtralArcGlyph(ctx, start, end, val1, code);
}

void PageServices::DrawSlideSpan(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code) {
    DrawExtralSlideArc(ctx, start, end, val1, code);
}

PageServices& PaintContext::Page() {
    static PageServices defaults;
    return Services ? *Services : defaults;
}

}  // namespace notaline
