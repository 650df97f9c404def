#include "paint/GlyphSymbols.h"

#include <algorithm>

#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/Measure.h"
#include "paint/LineSpans.h"

namespace notaline {

namespace {

constexpr uint32_t kBottomLeft = kDtSingleLine | kDtBottom | kDtLeft;  // clipped
constexpr uint32_t kTextFlags = kBottomLeft | kDtNoClip;
constexpr int32_t kVoltaRun = 80;

// Colour and the notation font at full size: how the symbols of this family start.
void BeginSymbol(PaintContext& ctx, int32_t word, int32_t escapement = 0) {
    SetWordTextColor(ctx, word);
    SelectNotationFont(ctx, Word(ctx, word).nLogFont.lfHeight, 0, escapement);
}

std::string TrimSpaces(const std::string& s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// The band of a character without its raise: voltas on one line move with the note.
IntRect UnraisedBand(const tessaly::aWordInfo& w, int32_t v, double left, double right) {
    const double off = OffsetPx(w, v);
    return {Px(left), Px(w.Top + off), Px(right), Px(w.Bottom + off)};
}

}  // namespace

void DrawExtralCountedGlyph(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto& mark = SlotOf(ctx, word, slot);
    BeginSymbol(ctx, word);
    const auto& w = Word(ctx, word);
    ctx.Dc.DrawTextInRect(GlyphRun(0xF0A1, std::max(mark.ExtralWordVal2, 1)) + Glyph(0xF0A8),
                          BandRect(w, mark.ExtralWordVal1, w.Left, w.Right), kTextFlags);
}

void DrawExtralNoVibrato(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto& mark = SlotOf(ctx, word, slot);
    BeginSymbol(ctx, word);
    const auto& w = Word(ctx, word);
    ctx.Dc.DrawTextInRect(Glyph(0xF0BE) + GlyphRun('?', std::max(mark.ExtralWordVal2, 1) - 1),
                          BandRect(w, mark.ExtralWordVal1, w.Left, w.Right), kTextFlags);
}

void DrawExtralArpeggio(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto& mark = SlotOf(ctx, word, slot);
    if (mark.IndexType != kMarkArpeggioUp && mark.IndexType != kMarkArpeggioDown) return;
    const bool up = mark.IndexType == kMarkArpeggioUp;
    BeginSymbol(ctx, word, up ? 900 : 2700);
    const auto& w = Word(ctx, word);
    const std::string text = GlyphRun(0xF0DF, std::clamp(mark.ExtralWordVal2, -1, kMaxGlyphRun) + 1) + Glyph(0xF0E0);
    if (up) {
        ctx.Dc.TextOutAt(Px(w.Left + w.WdSize.cx / 3), Px(w.Bottom - w.UpSpace), text);
    } else {
        ctx.Dc.TextOutAt(Px(w.Left + w.WdSize.cx * 4 / 5), Px(w.Bottom + 3.0 * w.nLogFont.lfHeight / 2 - w.UpSpace),
                         text);
    }
}

void DrawExtralTestSymbol(PaintContext& ctx, int32_t word, std::string& text) {
    BeginSymbol(ctx, word);
    text.assign(1, 'C');
    const auto& w = Word(ctx, word);
    ctx.Dc.TextOutAt(Px(w.Left), Px(w.Top + w.nLogFont.lfHeight - w.UpSpace), text);
}

void DrawExtralPressVibrato(PaintContext& ctx, int32_t code, int32_t word, int32_t val2, int32_t val1) {
    SetWordTextColor(ctx, word);
    if (code != kMarkPressVibrato) return;
    SelectNotationFont(ctx, Word(ctx, word).nLogFont.lfHeight);
    const auto& w = Word(ctx, word);
    const uint32_t flags = kTextFlags | kDtCenter;
    ctx.Dc.DrawTextInRect("F", BandRect(w, val1, w.Left, w.Left + w.WdSize.cx), flags);
    ctx.Dc.DrawTextInRect(Glyph(0xF0BD), BandRect(w, int64_t{val1} + val2, w.Left, w.Left + w.WdSize.cx), flags);
}

void DrawExtralVoltaStart(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto line = LineOfWord(ctx.Data, word);
    if (!line) return;
    const int32_t last = LastWordOfLine(ctx.Data, *line);
    // The first end on the line closes this volta, whatever its pair.
    for (int32_t j = word + 1; j <= last; ++j)
        for (const auto& s : ctx.Data.WordInfo[static_cast<size_t>(j)].ExtralWordInfo) {
            if (s.IndexType == kMarkVoltaEnd || s.IndexType == kMarkOpenVoltaEnd) {
                DrawVoltaOnLine(ctx, word, j, slot, s.IndexType == kMarkOpenVoltaEnd);
                return;
            }
        }
    DrawVoltaToLineEnd(ctx, word, LastDrawnWordOfLine(ctx.Data, *line), slot);
}

void DrawExtralVoltaEnd(PaintContext& ctx, int32_t word, int32_t slot, bool open) {
    const auto line = LineOfWord(ctx.Data, word);
    if (!line) return;
    for (int32_t j = word - 1; j >= line->Start; --j)
        for (const auto& s : ctx.Data.WordInfo[static_cast<size_t>(j)].ExtralWordInfo)
            if (s.IndexType == kMarkVoltaStart || s.IndexType == kMarkOpenVoltaStart) return;
    DrawVoltaFromLineStart(ctx, *line, word, slot, open);
}

void DrawVoltaOnLine(PaintContext& ctx, int32_t start, int32_t end, int32_t slot, bool open) {
    const auto& s = Word(ctx, start);
    const auto& e = Word(ctx, end);
    const int32_t v = SlotOf(ctx, start, slot).ExtralWordVal1;
    SetWordTextColor(ctx, start);
    SelectMarkTextFont(ctx, start, 0.7);
    const std::string text = TrimSpaces(GetExtralWordVal3(ctx.Data, start, slot));
    const double w = MeasureWordGdi(ctx.Data, ctx.mLogFont, text).cx;
    const double afterGlyph = s.Left + s.WdSize.cx;
    ctx.Dc.DrawTextInRect(text, UnraisedBand(s, v, afterGlyph, afterGlyph + w), kTextFlags);

    SelectNotationFont(ctx, s.nLogFont.lfHeight);
    ctx.Dc.DrawTextInRect(Glyph(0xF0A9), UnraisedBand(s, v, s.Left, afterGlyph), kBottomLeft | kDtRight);
    const double lineEnd = open ? e.Left + e.WdSize.cx / 2 : e.Left;
    ctx.Dc.DrawTextInRect(GlyphRun(0xF0AA, kVoltaRun), UnraisedBand(s, v, afterGlyph + w, lineEnd), kBottomLeft);
    if (!open) ctx.Dc.DrawTextInRect(Glyph(0xF0AB), UnraisedBand(s, v, e.Left, e.Right), kBottomLeft);
}

void DrawVoltaToLineEnd(PaintContext& ctx, int32_t start, int32_t last, int32_t slot) {
    const auto& s = Word(ctx, start);
    const auto& l = Word(ctx, last);
    const int32_t v = SlotOf(ctx, start, slot).ExtralWordVal1;
    SetWordTextColor(ctx, start);
    SelectMarkTextFont(ctx, start, 0.7);
    const std::string text = GetExtralWordVal3(ctx.Data, start, slot);
    const double w = MeasureWordGdip(ctx.Data, ctx.mLogFont, text).cx;
    const double afterGlyph = s.Left + s.WdSize.cx;
    ctx.Dc.DrawTextInRect(text, BandRect(s, v, afterGlyph, afterGlyph + w), kBottomLeft | kDtCenter);

    SelectNotationFont(ctx, s.nLogFont.lfHeight);
    ctx.Dc.DrawTextInRect(Glyph(0xF0A9), BandRect(s, v, s.Left, afterGlyph), kBottomLeft | kDtRight);
    // As a slur cut by the line's end: over every note up to the end of the line's last glyph,
    // so a volta starting on the line's last notes still shows its line.
    ctx.Dc.DrawTextInRect(GlyphRun(0xF0AA, kVoltaRun), BandRect(s, v, afterGlyph + w, l.Left + l.WdSize.cx),
                          kBottomLeft);
}

void DrawVoltaFromLineStart(PaintContext& ctx, const tessaly::aLineInfo& line, int32_t end, int32_t slot, bool open) {
    const auto& f = Word(ctx, line.Start);
    const auto& e = Word(ctx, end);
    const int32_t v = SlotOf(ctx, end, slot).ExtralWordVal1;
    SelectNotationFont(ctx, f.nLogFont.lfHeight);
    SetWordTextColor(ctx, end);
    const double lineEnd = open ? e.Left + e.WdSize.cx / 2 : e.Left;
    ctx.Dc.DrawTextInRect(GlyphRun(0xF0AA, kVoltaRun), BandRect(f, v, f.Left, lineEnd), kBottomLeft);
    if (!open) ctx.Dc.DrawTextInRect(Glyph(0xF0AB), BandRect(f, v, e.Left, e.Right), kBottomLeft);
}

}  // namespace notaline
