#include "paint/BigGlissando.h"

#include <cmath>

#include "model/MarkCodes.h"
#include "model/MarkSlots.h"
#include "model/mGeneral.h"

namespace notaline {

namespace {

constexpr double kHead = 20;  // head length at zoom 1

}  // namespace

double DocumentZoom(const EditorData& data) {
    const double s = data.AboutPageInfo.nScale;
    return std::isfinite(s) && s > 0 ? s : 1;
}

GlissandoAnchors BigHuaYingAnchors(const tessaly::aWordInfo& first, const tessaly::aWordInfo& last) {
    const auto y = [](const tessaly::aWordInfo& w) {
        return static_cast<float>(w.nLogFont.lfHeight / 2.0 + w.Bottom - w.UpSpace);
    };
    return {{first.Left + first.WdSize.cx, y(first)}, {last.Left, y(last)}};
}

bool BigHuaYingHasRoom(const EditorData& data, int32_t first, int32_t last, double scale) {
    if (!data.IsWord(first) || !data.IsWord(last)) return false;
    const auto a = BigHuaYingAnchors(ScaledWord(data.WordInfo[static_cast<size_t>(first)], scale),
                                     ScaledWord(data.WordInfo[static_cast<size_t>(last)], scale));
    const double distance = std::hypot(double{a.To.X} - a.From.X, double{a.To.Y} - a.From.Y);
    // The head and a fifth of it; a distance of exactly that has no room.
    return distance > scale * kHead * 1.2;
}

void DrawBigHuaYing(PaintContext& ctx, int32_t word, int32_t slot) {
    const int32_t pair = SlotOf(ctx, word, slot).ExtralWordVal2;
    int32_t end = -1;
    for (int32_t j = word + 1; j < ctx.Data.WordCount() && end < 0; ++j)
        for (const auto& s : ctx.Data.WordInfo[static_cast<size_t>(j)].ExtralWordInfo)
            if (s.ExtralWordVal2 == pair && s.IndexType == kMarkBigGlissandoEnd) {
                end = j;
                break;
            }
    if (end < 0) return;
    // Boxes are kept per page: an end on another page has no place on this one.
    if (GetPageOfWord(ctx.Data, word) != GetPageOfWord(ctx.Data, end)) return;
    if (!BigHuaYingHasRoom(ctx.Data, word, end, ctx.Scale)) return;
    const auto a = BigHuaYingAnchors(Word(ctx, word), Word(ctx, end));
    DrawBigHuaYingArrow(ctx, GetWordArgb(ctx, word), a.From, a.To);
}

void DrawBigHuaYingArrow(PaintContext& ctx, uint32_t argb, FloatPoint from, FloatPoint to) {
    const double length = ctx.Scale * kHead;
    const double dx = double{to.X} - from.X;
    const double dy = double{to.Y} - from.Y;
    // The quadrant-aware angle: an end left of the start still gets its head at the end.
    const double t = std::atan2(dy, dx);
    const double shaft = std::hypot(dx, dy) - length;
    const double half = length * std::tan(3.1415926 / 12);  // the sides meet at 30 degrees
    const double bx = from.X + shaft * std::cos(t);
    const double by = from.Y + shaft * std::sin(t);
    const double nx = -std::sin(t) * half;
    const double ny = std::cos(t) * half;
    const FloatPoint head[3] = {to,
                                {static_cast<float>(bx - nx), static_cast<float>(by - ny)},
                                {static_cast<float>(bx + nx), static_cast<float>(by + ny)}};
    ctx.Dc.FillTriangle(head, argb);
    ctx.Dc.PenLine(Px(from.X), Px(from.Y), Px(bx), Px(by), argb, ctx.Data.IsPrinting ? 6.0f : 1.0f);
}

}  // namespace notaline
