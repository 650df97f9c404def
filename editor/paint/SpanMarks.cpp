#include "paint/SpanMarks.h"

#include <algorithm>

#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "paint/ArcSpans.h"
#include "paint/LineSpans.h"
#include "paint/PageServices.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

bool IsArcEnd(int32_t code) {
    return code == kMarkArcEnd || code == kMarkBowSlurEnd || code == kMarkDottedSlurEnd;
}

bool IsSlideEnd(int32_t code) {
    return code == kMarkSlideEnd || code == kMarkPadSlideEnd || code == kMarkPadPressSlideEnd;
}

// The first slot after `word` on its line whose pair number is `pair` and that `accept` takes.
template <class Accept>
SlotRef FindLaterOnLine(const EditorData& data, int32_t word, const tessaly::aLineInfo& line, int32_t pair,
                        Accept accept) {
    for (int32_t j = word + 1; j <= LastWordOfLine(data, line); ++j)
        for (int32_t s = 0; s < kSlotCount; ++s) {
            const auto& slot = data.WordInfo[static_cast<size_t>(j)].ExtralWordInfo[s];
            if (slot.ExtralWordVal2 == pair && accept(slot.IndexType)) return {j, s};
        }
    return {};
}

// Whether a slot before `word` on its line has `code` and pair number `pair`.
bool HasEarlierOnLine(const EditorData& data, int32_t word, const tessaly::aLineInfo& line, int32_t code,
                      int32_t pair) {
    for (int32_t j = word - 1; j >= line.Start; --j)
        for (const auto& slot : data.WordInfo[static_cast<size_t>(j)].ExtralWordInfo)
            if (slot.IndexType == code && slot.ExtralWordVal2 == pair) return true;
    return false;
}

}  // namespace

void DrawExtralSpanStart(PaintContext& ctx, int32_t word, int32_t slot, int32_t code) {
    const auto line = LineOfWord(ctx.Data, word);
    if (!line) return;
    const auto& mark = SlotOf(ctx, word, slot);
    const int32_t pair = tessaly::CInt(mark.ExtralWordVal2);
    const int32_t val1 = mark.ExtralWordVal1;
    const SlotRef end =
        FindLaterOnLine(ctx.Data, word, *line, pair, [](int32_t c) { return IsArcEnd(c) || IsSlideEnd(c); });
    if (end.Word < 0) {
        DrawSpanToLineEnd(ctx, word, LastDrawnWordOfLine(ctx.Data, *line), val1, code);
    } else if (IsArcEnd(SlotOf(ctx, end.Word, end.Slot).IndexType)) {
        ctx.Page().DrawArcSpan(ctx, word, end.Word, val1, code);
    } else {
        ctx.Page().DrawSlideSpan(ctx, word, end.Word, val1, code);
    }
}

void DrawExtralSpanEnd(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto line = LineOfWord(ctx.Data, word);
    if (!line) return;
    const auto& mark = SlotOf(ctx, word, slot);
    if (HasEarlierOnLine(ctx.Data, word, *line, mark.IndexType - 1, mark.ExtralWordVal2)) return;
    DrawSpanFromLineStart(ctx, line->Start, word, mark.ExtralWordVal1, mark.IndexType);
}

void DrawExtralTupletStart(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto line = LineOfWord(ctx.Data, word);
    if (!line) return;
    SetWordTextColor(ctx, word);
    const auto& mark = SlotOf(ctx, word, slot);
    const int32_t pair = mark.ExtralWordVal2;
    const std::string text = GetExtralWordVal3(ctx.Data, word, slot);
    const int32_t v = tessaly::CInt(mark.ExtralWordVal1);
    const SlotRef end = FindLaterOnLine(ctx.Data, word, *line, pair, [](int32_t c) { return c == kMarkTupletEnd; });
    if (end.Word >= 0) {
        DrawTupletArc(ctx, word, end.Word, v, text);
    } else {
        DrawTupletToLineEnd(ctx, word, LastDrawnWordOfLine(ctx.Data, *line), v, text);
    }
}

void DrawExtralTupletEnd(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto line = LineOfWord(ctx.Data, word);
    if (!line) return;
    const auto& mark = SlotOf(ctx, word, slot);
    // Only the tuplet's own start on this line means the start drew it all.
    if (HasEarlierOnLine(ctx.Data, word, *line, kMarkTupletStart, mark.ExtralWordVal2)) return;
    DrawTupletFromLineStart(ctx, line->Start, word, tessaly::CInt(mark.ExtralWordVal1));
}

void DrawExtralLengthHairpin(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto& mark = SlotOf(ctx, word, slot);
    const auto k = HairpinDivisor(mark.ExtralWordVal2);
    if (!k) return;  // quietly undrawn: a beep on every redraw helps nobody
    // The wedge's end must be a character of the document.
    const int32_t n = std::min(mark.ExtralWordVal2, ctx.Data.WordCount() - 1 - word);
    const auto& w = Word(ctx, word);
    const double x1 = w.Left;
    const double x2 = Word(ctx, word + n).Left;
    const double y = w.Bottom - w.UpSpace + OffsetPx(w, mark.ExtralWordVal1);
    const double d = (x2 - x1) / *k;
    double a1 = d, a2 = 0, b1 = -d, b2 = 0;  // a diminuendo: the opening closes
    if (mark.IndexType == kMarkCrescendoBreak) a1 = d / 2, a2 = d, b1 = -d / 2, b2 = -d;
    if (mark.IndexType == kMarkDiminuendoBreak) a1 = d, a2 = d / 2, b1 = -d, b2 = -d / 2;
    const uint32_t argb = GetWordArgb(ctx, word);
    const auto width = static_cast<float>(PenWidth(ctx));
    ctx.Dc.PenLine(Px(x1), Px(y + a1), Px(x2), Px(y + a2), argb, width);
    ctx.Dc.PenLine(Px(x1), Px(y + b1), Px(x2), Px(y + b2), argb, width);
}

}  // namespace notaline
