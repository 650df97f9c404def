#include "paint/SpanLine.h"

#include <cmath>

#include "model/document/MarkCodes.h"
#include "model/document/Measure.h"
#include "model/document/mGeneral.h"

namespace notaline {

namespace {

constexpr uint32_t kBottomLeft = kDtSingleLine | kDtBottom | kDtLeft;
constexpr uint32_t kNoClip = kDtSingleLine | kDtBottom | kDtNoClip;
constexpr int32_t kFullRun = 80;  // clipped to the gap, only the stretched first copy shows

IntRect Down(IntRect r, int32_t d) {
    r.Top += d;
    r.Bottom += d;
    return r;
}

}  // namespace

bool SpanIsFlat(const PaintContext& ctx, int32_t start, int32_t end, double widths) {
    const auto s = Word(ctx, start);
    const double d = SpanCentre(Word(ctx, end)) - SpanCentre(s);
    // In tenths, so that a span of exactly 4.1 widths is not pushed past its limit by rounding.
    const double tenths = std::round(widths * 10);
    return d < 0 || d * 10 > tenths * s.WdSize.cx;
}

void DrawExtralSpanLine(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code) {
    // Copies at the pass's zoom: the ends may lie off the drawn page.
    const auto s = Word(ctx, start);
    const auto e = Word(ctx, end);
    SelectNotationFont(ctx, e.nLogFont.lfHeight);
    SetWordTextColor(ctx, start);

    uint16_t endHook = 0;
    switch (code) {
        case kMarkArcStart:
        case kMarkBowSlurStart:
        case kMarkDottedSlurStart: endHook = 0xF09E; break;
        case kMarkSlideStart:
        case kMarkPadSlideStart:
        case kMarkPadPressSlideStart: endHook = 0xF09B; break;
        default: return;
    }
    const bool dotted = code == kMarkDottedSlurStart;
    const int32_t v = GetLoWord(val1) - (dotted ? 300 : 0);
    // Wrapping subtraction: a stored value from a file may sit near the int range's ends.
    const int32_t k = GetHiWord(static_cast<int32_t>(static_cast<uint32_t>(val1) - 4194304u)) + 5;
    const double top = s.Top - s.UpSpace + OffsetPx(s, v);
    const auto band = [&](double left, double right) { return BandRect(s, v, left, right); };
    const double gapLeft = s.Left + s.WdSize.cx;
    const IntRect startBox = band(s.Left, gapLeft);
    const IntRect endBox = band(e.Left, e.Left + e.WdSize.cx);

    ctx.Dc.DrawTextInRect(Glyph(0xF09C), startBox, kNoClip | kDtRight);
    if (dotted) ctx.Dc.DrawTextInRect("L", Down(startBox, k), kNoClip | kDtCenter);
    ctx.Dc.DrawTextInRect(Glyph(endHook), endBox, kNoClip | kDtLeft);
    if (dotted) ctx.Dc.DrawTextInRect("L", Down(endBox, k), kNoClip | kDtCenter);

    // Adjacent or overlapping ends leave no gap: its middle would be clipped away anyway.
    const int32_t gap = Px(e.Left - gapLeft);
    if (gap > 0) {
        SelectNotationFont(ctx, e.nLogFont.lfHeight, gap);
        ctx.Dc.DrawTextInRect(GlyphRun(0xF09D, kFullRun), band(gapLeft, e.Left), kBottomLeft);
    }
    if (code != kMarkPadSlideStart && code != kMarkPadPressSlideStart) return;
    SelectNotationFont(ctx, e.nLogFont.lfHeight);
    const double middle = (SpanCentre(s) + SpanCentre(e)) / 2;
    const auto pad = MeasureWordGdip(ctx.Data, ctx.mLogFont, Glyph(0xF0CE));
    ctx.Dc.TextOutAt(Px(middle - pad.cx / 2.0), Px(top + pad.cy * 1243.0 / 2988), Glyph(0xF0CE));
    if (code != kMarkPadPressSlideStart) return;
    const auto press = MeasureWordGdip(ctx.Data, ctx.mLogFont, Glyph(0xF0BD));
    ctx.Dc.TextOutAt(Px(middle - press.cx / 2.0), Px(top - press.cy * 737.0 / 2988), Glyph(0xF0BD));
}

}  // namespace notaline
