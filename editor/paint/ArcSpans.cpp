#include "paint/ArcSpans.h"

#include <algorithm>
#include <cmath>

#include "model/document/MarkCodes.h"
#include "model/document/Measure.h"
#include "model/document/mGeneral.h"
#include "paint/LineSpans.h"
#include "paint/SpanLine.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr double kPi = 3.1416;
constexpr double kRise = 0.15;  // arc height over its chord, as a share of the chord
// The notation font's slide arrow points along its baseline, its tip at the advance and its
// axis a twelfth of the height below the top of the cell.
constexpr double kArrowAxisDrop = 1.0 / 12;

double Degrees(double radians) {
    return radians * 180 / kPi;
}

float ThinPen(const PaintContext& ctx, float printing) {
    return ctx.Data.IsPrinting ? printing : 1.0f;
}

// The em size of the font an arc glyph is measured in before it is stretched over its box: the
// box's height taken as points at the host window's DPI.
float FittedEmSize(const EditorData& data, double height) {
    const int32_t dpi = data.PropertiesDpi > 0 ? data.PropertiesDpi : 96;
    return static_cast<float>(std::round(static_cast<double>(Px(height)) * 72 / dpi));
}

}  // namespace

void DrawExtralArcGlyph(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code) {
    if (SpanIsFlat(ctx, start, end, kArcFlatWidths)) {
        DrawExtralSpanLine(ctx, start, end, val1, code);
        return;
    }
    const auto s = Word(ctx, start);
    const auto e = Word(ctx, end);
    const bool dotted = code == kMarkDottedSlurStart;
    const int32_t v = GetLoWord(val1) - (dotted ? 232 : 0);
    const double y = OffsetPx(s, v) + s.Bottom;
    const double d = SpanCentre(e) - SpanCentre(s);
    const double left = s.Left + s.WdSize.cx / 4.0;
    const double right = e.Left + 3 * e.WdSize.cx / 4.0;
    const double top = y - s.UpSpace;
    const double height = 1.25 * d;
    ctx.Dc.FittedText(Glyph(0xF0C9), ctx.Data.NotationFontName, kSymbolCharset, FittedEmSize(ctx.Data, height),
                      {static_cast<float>(left), static_cast<float>(top), static_cast<float>(right - left),
                       static_cast<float>(height)},
                      GetWordArgb(ctx, start));
    if (!dotted) return;
    SelectNotationFont(ctx, s.nLogFont.lfHeight);
    SetWordTextColor(ctx, start);
    // Wrapping subtraction: a stored value from a file may sit near the int range's ends.
    const int32_t k = GetHiWord(static_cast<int32_t>(static_cast<uint32_t>(val1) - 4194304u)) + 5;
    constexpr uint32_t kDot = kDtSingleLine | kDtBottom | kDtCenter | kDtNoClip;
    for (const auto* w : {&s, &e}) {
        const double t = y - w->UpSpace + k;
        ctx.Dc.DrawTextInRect("L", {Px(w->Left), Px(t), Px(w->Left + w->WdSize.cx), Px(t + height)}, kDot);
    }
}

void DrawExtralSlideArc(PaintContext& ctx, int32_t start, int32_t end, int32_t val1, int32_t code) {
    const auto s = Word(ctx, start);
    const auto e = Word(ctx, end);
    const double d = SpanCentre(e) - SpanCentre(s);
    // Both centres on one spot leave no circle to draw through them.
    if (SpanIsFlat(ctx, start, end, kSlideFlatWidths) || !(d > 0)) {
        DrawExtralSpanLine(ctx, start, end, val1, code);
        return;
    }
    const int32_t v = GetLoWord(val1);  // in pixels
    const double h = kRise * d;
    const double r = d * d / 8 / h + h / 2;
    const double b = Degrees(std::atan(d / 2 / (r - h)));
    const double startAngle = -(b + 90);
    const double sweep = 2 * b;
    const double boxLeft = (SpanCentre(s) + SpanCentre(e)) / 2 - r;
    const double boxTop = s.Top - h - v;
    const double chordY = boxTop + h;

    // The arrow: its tip on the arc's end, turned to the arc's direction there.
    SetWordTextColor(ctx, start);
    SetMarkGlyphFont(ctx, ctx.Data.NotationFontName, e.nLogFont.lfHeight, 0, 0);
    const double arrow = MeasureWordGdi(ctx.Data, ctx.mLogFont, Glyph(0xF0CD)).cx;
    const double endAngle = startAngle + sweep;
    const double heading = -90 - endAngle;  // counter-clockwise, as escapements turn
    SelectNotationFont(ctx, e.nLogFont.lfHeight, 0, Px(10 * heading));
    const double t = -heading * kPi / 180;  // clockwise on the page
    const double drop = std::abs(e.nLogFont.lfHeight) * kArrowAxisDrop;
    const double ox = SpanCentre(e) - arrow * std::cos(t) + drop * std::sin(t);
    const double oy = chordY - arrow * std::sin(t) - drop * std::cos(t);
    ctx.Dc.TextOutAt(Px(ox), Px(oy), Glyph(0xF0CD));

    const auto side = static_cast<float>(2 * r);
    ctx.Dc.PenArc({static_cast<float>(boxLeft), static_cast<float>(boxTop), side, side}, static_cast<float>(startAngle),
                  static_cast<float>(sweep), GetWordArgb(ctx, start), ThinPen(ctx, 6));
    if (code != kMarkPadSlideStart && code != kMarkPadPressSlideStart) return;
    SelectNotationFont(ctx, e.nLogFont.lfHeight);
    const double pad = MeasureWordGdi(ctx.Data, ctx.mLogFont, Glyph(0xF0CE)).cx;
    ctx.Dc.TextOutAt(Px(boxLeft + r - pad / 2), Px(boxTop - pad / 2), Glyph(0xF0CE));
    if (code != kMarkPadPressSlideStart) return;
    const double press = MeasureWordGdi(ctx.Data, ctx.mLogFont, Glyph(0xF0BD)).cx;
    ctx.Dc.TextOutAt(Px(boxLeft + r - press / 2), Px(boxTop - 2 * press), Glyph(0xF0BD));
}

void DrawTupletArc(PaintContext& ctx, int32_t start, int32_t end, int32_t v, std::string_view text) {
    const auto s = Word(ctx, start);
    const auto e = Word(ctx, end);
    ctx.mLogFont = s.nLogFont;
    ctx.mLogFont.lfHeight = tessaly::CLng(s.nLogFont.lfHeight / 1.5);
    const double tw = MeasureWordGdip(ctx.Data, ctx.mLogFont, text).cx;
    SelectWordFont(ctx, ctx.mLogFont);
    const double d = SpanCentre(e) - SpanCentre(s);
    if (!(d > 0)) return;
    if (d > kTupletFlatWidths * s.WdSize.cx) {
        // The gap is the number's width and 2 pixels each side.
        DrawTupletOnLine(ctx, start, end, v, text, tw / 2 + 2);
        return;
    }
    const double m = (SpanCentre(s) + SpanCentre(e)) / 2;
    const double h = kRise * d;
    const double r = (1 + 4 * kRise * kRise) * d / 8 / kRise;
    const double a = 90 - Degrees(std::atan(d / 2 / (r - h)));
    const double b = 90 - Degrees(std::atan(tw / 2 / (r - h)));
    const double y = (v + 20.4) * s.nLogFont.lfHeight / 20.4 + s.Bottom;
    // A number wider than the arc leaves no arc to draw on either side.
    const auto sweep = static_cast<float>(std::max(b - a, 0.0));
    const auto side = static_cast<float>(2 * r);
    const FloatRect box{static_cast<float>(m - r), static_cast<float>(y), side, side};
    const uint32_t argb = GetWordArgb(ctx, start);
    const float pen = ThinPen(ctx, 3);
    if (sweep > 0) {
        ctx.Dc.PenArc(box, static_cast<float>(a + 180), sweep, argb, pen);
        ctx.Dc.PenArc(box, static_cast<float>(360 - b), sweep, argb, pen);
    }
    ctx.Dc.DrawTextInRect(text, {Px(m - tw / 2), Px(y), Px(m + tw / 2), Px(y)},
                          kDtCenter | kDtVCenter | kDtSingleLine | kDtNoClip);
}

float GetHuXianYPos(const EditorData& data, int32_t selStart, int32_t selLength) {
    // A selection made leftwards covers the same characters.
    int64_t first = selStart;
    int64_t length = selLength;
    if (length < 0) first += length, length = -length;
    const int64_t last = first + length - 1;
    if (first < 0 || last < first || last >= data.WordCount()) return 0;
    const auto& s = data.WordInfo[static_cast<size_t>(first)];
    const auto& e = data.WordInfo[static_cast<size_t>(last)];
    const double d = SpanCentre(e) - SpanCentre(s);
    const double height = s.nLogFont().lfHeight;
    if (height == 0 || d < 0 || d > kArcFlatWidths * s.WdSize.cx) return 0;
    return static_cast<float>(20.4 * (height - 1.25 * d / (1 + 2.0 / 28)) / height);
}

}  // namespace notaline
