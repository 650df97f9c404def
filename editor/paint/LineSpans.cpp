#include "paint/LineSpans.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/document/CharKinds.h"
#include "model/document/MarkCodes.h"
#include "model/document/Measure.h"
#include "model/document/StoredMarks.h"
#include "model/document/mGeneral.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr uint32_t kBottomLeft = kDtSingleLine | kDtBottom | kDtLeft;  // clipped
constexpr uint32_t kBottomLeftNoClip = kBottomLeft | kDtNoClip;
constexpr int32_t kFullRun = 80;  // a run clipped to its box fills it

// The arc offset packed in the low half; the dotted slurs keep theirs 280 higher.
int32_t ArcOffset(int32_t val1, bool dotted) {
    return GetLoWord(val1) - (dotted ? 280 : 0);
}

// The band of `of` with v units of its height, less the raise of `raised`.
IntRect BandOf(const tessaly::aWordInfo& of, const tessaly::aWordInfo& raised, int32_t v, double left, double right) {
    const double off = OffsetPx(of, v);
    return {Px(left), Px(of.Top + off - raised.UpSpace), Px(right), Px(of.Bottom + off - raised.UpSpace)};
}

IntRect Down(IntRect r, int32_t d) {
    r.Top += d;
    r.Bottom += d;
    return r;
}

}  // namespace

int32_t LastDrawnWordOfLine(const EditorData& data, const tessaly::aLineInfo& line) {
    int32_t last = LastWordOfLine(data, line);
    if (last > line.Start && data.WordInfo[static_cast<size_t>(last)].IsJpGcCtl == kCharParaEnd) --last;
    return last;
}

std::optional<int32_t> HairpinDivisor(int32_t n) {
    struct Row {
        int32_t UpTo, K;
    };
    static constexpr std::array<Row, 13> kRows{{{3, 15},
                                                {6, 20},
                                                {9, 23},
                                                {12, 25},
                                                {15, 30},
                                                {18, 34},
                                                {20, 37},
                                                {25, 40},
                                                {30, 45},
                                                {40, 50},
                                                {50, 55},
                                                {80, 70},
                                                {120, 90}}};
    if (n < 0) return std::nullopt;
    for (const Row& r : kRows)
        if (n <= r.UpTo) return r.K;
    return std::nullopt;
}

void DrawTupletOnLine(PaintContext& ctx, int32_t start, int32_t end, int32_t v, std::string_view text, double halfGap) {
    const auto& s = Word(ctx, start);
    const auto& e = Word(ctx, end);
    IntRect band = BandRect(s, v, s.Left, s.Right);
    band.Top -= 2;
    const double w = MeasureWordGdip(ctx.Data, ctx.mLogFont, text).cx;
    const double c = ((s.Left + s.Right) / 2.0 + (e.Left + e.Right) / 2.0) / 2.0;
    ctx.Dc.DrawTextInRect(text, {Px(c - w / 2), band.Top, Px(c + w / 2), band.Bottom},
                          kDtSingleLine | kDtCenter | kDtNoClip);

    SelectNotationFont(ctx, s.nLogFont.lfHeight);
    SetWordTextColor(ctx, start);
    const auto at = [&](double l, double r) { return IntRect{Px(l), band.Top, Px(r), band.Bottom}; };
    ctx.Dc.DrawTextInRect(Glyph(0xF09C), at(s.Left, s.Left + s.WdSize.cx), kBottomLeftNoClip | kDtRight);
    ctx.Dc.DrawTextInRect(Glyph(0xF09E), at(e.Left, e.Left + e.WdSize.cx), kBottomLeftNoClip);
    ctx.Dc.DrawTextInRect(GlyphRun(0xF09D, 15), at(s.Left + s.WdSize.cx, c - halfGap), kBottomLeft);
    ctx.Dc.DrawTextInRect(GlyphRun(0xF09D, 15), at(c + halfGap, e.Left), kBottomLeft | kDtCenter);
}

void DrawTupletToLineEnd(PaintContext& ctx, int32_t start, int32_t last, int32_t v, std::string_view text) {
    const auto& s = Word(ctx, start);
    const auto& l = Word(ctx, last);
    SelectNotationFont(ctx, s.nLogFont.lfHeight);
    const double w = MeasureWordGdip(ctx.Data, ctx.mLogFont, text).cx;
    ctx.Dc.DrawTextInRect(Glyph(0xF09C) + GlyphRun(0xF09D, kFullRun), BandRect(s, v, s.Left, l.Right - w), kBottomLeft);

    ctx.mLogFont = s.nLogFont;
    ctx.mLogFont.lfHeight = tessaly::CLng(s.nLogFont.lfHeight / 2.0);
    SelectWordFont(ctx, ctx.mLogFont);
    ctx.Dc.DrawTextInRect(text, BandRect(s, v, l.Right - w, l.Right), kDtSingleLine | kDtVCenter | kDtLeft);
}

void DrawTupletFromLineStart(PaintContext& ctx, int32_t first, int32_t end, int32_t v) {
    const auto& f = Word(ctx, first);
    const auto& e = Word(ctx, end);
    SelectNotationFont(ctx, f.nLogFont.lfHeight);
    SetWordTextColor(ctx, end);
    ctx.Dc.DrawTextInRect(GlyphRun(0xF09D, end - first + 6), BandOf(f, e, v, f.Left, e.Left), kBottomLeft);
    ctx.Dc.DrawTextInRect(Glyph(0xF09E), BandOf(f, e, v, e.Left, e.Right), kBottomLeft);
}

void DrawSpanToLineEnd(PaintContext& ctx, int32_t start, int32_t last, int32_t val1, int32_t code) {
    if (!IsArcStartCode(code)) return;
    const auto& s = Word(ctx, start);
    const auto& l = Word(ctx, last);
    SelectNotationFont(ctx, s.nLogFont.lfHeight);
    SetWordTextColor(ctx, start);
    const double x1 = s.Left + s.WdSize.cx;
    const double x2 = l.Left + l.WdSize.cx;
    const int32_t v = ArcOffset(val1, code == kMarkDottedSlurStart);
    const IntRect band = BandRect(s, v, x1, x2);
    const double bandTop = s.Top - s.UpSpace + OffsetPx(s, v);

    // One middle glyph stretched over the whole piece.
    SelectNotationFont(ctx, l.nLogFont.lfHeight, Px(x2 - x1));
    ctx.Dc.DrawTextInRect(GlyphRun(0xF09D, kFullRun), band, kBottomLeft);

    SelectNotationFont(ctx, l.nLogFont.lfHeight);
    const IntRect startBox = BandRect(s, v, s.Left, s.Left + s.WdSize.cx);
    ctx.Dc.DrawTextInRect(Glyph(0xF09C), startBox, kBottomLeftNoClip | kDtRight);
    if (code == kMarkPadSlideStart || code == kMarkPadPressSlideStart) {
        const auto m = MeasureWordGdip(ctx.Data, ctx.mLogFont, Glyph(0xF0CE));
        ctx.Dc.TextOutAt(Px(x2 - m.cx / 2.0), Px(bandTop + m.cy * 1243.0 / 2988), Glyph(0xF0CE));
    }
    if (code == kMarkPadPressSlideStart) {
        const auto m = MeasureWordGdip(ctx.Data, ctx.mLogFont, Glyph(0xF0BD));
        ctx.Dc.TextOutAt(Px(x2 - m.cx / 2.0), Px(bandTop - m.cy * 737.0 / 2988), Glyph(0xF0BD));
    }
    if (code == kMarkDottedSlurStart) {
        const int32_t d = (GetHiWord(val1) - 64) + 5;
        ctx.Dc.DrawTextInRect("L", Down(startBox, d), kDtSingleLine | kDtBottom | kDtCenter | kDtNoClip);
    }
}

void DrawSpanFromLineStart(PaintContext& ctx, int32_t first, int32_t end, int32_t val1, int32_t code) {
    int32_t extra = 0;
    uint16_t endPiece = 0xF09E;
    switch (code) {
        case kMarkArcEnd:
        case kMarkBowSlurEnd: extra = 5; break;
        case kMarkSlideEnd:
        case kMarkPadSlideEnd:
        case kMarkPadPressSlideEnd:
            extra = 1;
            endPiece = 0xF09B;
            break;
        case kMarkDottedSlurEnd: extra = 1; break;
        default: return;
    }
    const auto& f = Word(ctx, first);
    const auto& e = Word(ctx, end);
    SelectNotationFont(ctx, f.nLogFont.lfHeight);
    SetWordTextColor(ctx, end);
    const int32_t v = ArcOffset(val1, code == kMarkDottedSlurEnd);
    const double w = MeasureWordGdip(ctx.Data, ctx.mLogFont, Glyph(0xF09D)).cx;
    const double length = e.Left - f.Left;
    const int32_t middles =
        w > 0 ? static_cast<int32_t>(std::clamp(std::floor(length / w), -1.0, double{kMaxGlyphRun})) + extra
              : kMaxGlyphRun;

    ctx.Dc.DrawTextInRect(GlyphRun(0xF09D, middles), BandOf(f, e, v, f.Left, e.Left), kBottomLeft);
    const IntRect endBox = BandOf(f, e, v, e.Left, e.Left + e.WdSize.cx);
    ctx.Dc.DrawTextInRect(Glyph(endPiece), endBox, kBottomLeft);
    if (code == kMarkDottedSlurEnd) {
        const int32_t d = (GetHiWord(val1) - 64) + 69;
        ctx.Dc.DrawTextInRect("L", Down(endBox, d), kDtSingleLine | kDtBottom | kDtCenter | kDtNoClip);
    }
}

void DrawExtralHairpin(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto& mark = SlotOf(ctx, word, slot);
    if (!LineOfWord(ctx.Data, word)) return;
    const int32_t n = FittedHairpinLength(ctx.Data, word, mark.ExtralWordVal2);
    // No divisor: the mark stays in the document, undrawn, and redraws stay quiet.
    const auto k = HairpinDivisor(n);
    if (!k) return;

    const auto& w = Word(ctx, word);
    const double x1 = w.Left;
    const double x2 = Word(ctx, word + n).Right;
    const double y = w.Bottom + OffsetPx(w, mark.ExtralWordVal1);
    const double d = (x2 - x1) / *k;
    const uint32_t argb = GetWordArgb(ctx, word);
    const auto width = static_cast<float>(PenWidth(ctx));
    ctx.Dc.PenLine(Px(x1), Px(y), Px(x2), Px(y + d), argb, width);
    ctx.Dc.PenLine(Px(x1), Px(y), Px(x2), Px(y - d), argb, width);
}

}  // namespace notaline
