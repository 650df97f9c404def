#include "paint/PageServices.h"

#include "paint/SpanLine.h"

namespace notaline {

void PageServices::DrawGraceCells(PaintContext&, int32_t, int32_t, int32_t) {}
void PageServices::DrawBigHuaYing(PaintContext&, int32_t, int32_t) {}

void PageServices::DrawArcSpan(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code) {
    DrawExtralSpanLine(ctx, start, end, val1, code);
}

void PageServices::DrawSlideSpan(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code) {
    DrawExtralSpanLine(ctx, start, end, val1, code);
}

PageServices& PaintContext::Page() {
    static PageServices defaults;
    return Services ? *Services : defaults;
}

}  // namespace notaline
